#pragma once

// Turning a field's stored bytes into the text callers see and back. Text
// is UTF-8 outside and the table's code page inside; widths are in bytes of
// the code page.

#include "DbfFile.h"

#include <string>
#include <string_view>

namespace qw::storage {

// The raw (code-page) text of field index in record: fixed-width types as
// stored, binary types as decimal text, memos as the memo's bytes.
std::string fieldBytesAsText(const DbfFile& file, std::string_view record, std::size_t index);

// Encodes UTF-8 text for a non-memo field into exactly its width, or throws
// StorageError naming the field when the text is no value of its type.
std::string encodeFieldText(const FieldDef& field, std::string_view utf8, std::uint8_t codePage);

// A new record: blanks, except binary fields (Visual FoxPro's four-byte
// memo numbers, integers, doubles, currency, date-times, null flags), which
// start as zero bytes; a blank there would read as a huge number.
std::string blankRecord(const DbfLayout& layout);

} // namespace qw::storage
