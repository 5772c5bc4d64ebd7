#pragma once

// Copy of a whole table to delimited text (text type 21), in physical order.
//
// Layout, chosen so that spreadsheet programs and mail-merge tools read it
// without questions (RFC 4180 comma-separated values):
// - UTF-8 text starting with a byte-order mark (which tells spreadsheet
//   programs the encoding), CRLF after each row;
// - a heading row of the field names, then one row per record;
// - fields separated by commas, in the table's field order;
// - character and memo fields enclosed in double quotes, trailing blanks
//   trimmed, an embedded double quote doubled; a memo's line breaks are kept
//   inside its quotes (as CRLF), so a record with a multi-line memo spans
//   several physical lines but remains one row;
// - a text that a spreadsheet would run as a formula (one beginning with =,
//   +, -, @, a tab or a carriage return) is written with an apostrophe in
//   front, which spreadsheet programs take as "this cell is text"; the
//   text itself follows unchanged;
// - numbers without their leading and trailing blanks; dates as stored
//   (YYYYMMDD); logicals as T or F; a blank value of these types is empty;
// - records marked deleted are left out;
// - a memo that cannot be read (its block damaged or past the memo file) is
//   written empty and reported, so one damaged memo never keeps the other
//   records, or the rest of its own, from being copied.
// The file is written as "<name>.tmp" beside its final name (created new,
// never through a link; one left by a killed export is removed first) and
// renamed over it, so a failed copy never leaves half a file, an existing
// file is replaced, and a link in the folder never sends the text elsewhere.

#include "DbfFile.h"
#include "StorageError.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qw::storage {

// Throws StorageError naming the target file when it cannot be written.
// Memos left out are added to unreadable.
void writeDelimitedText(const DbfFile& file, const std::filesystem::path& target,
                        std::vector<UnreadableField>* unreadable = nullptr);

// One record (number recordNumber) as a delimited row (without the line
// end); memos left out are added to unreadable.
std::string delimitedRow(const DbfFile& file, std::string_view record,
                         std::uint32_t recordNumber = 0,
                         std::vector<UnreadableField>* unreadable = nullptr);
// The heading row: the field names (without the line end).
std::string headingRow(const DbfFile& file);

} // namespace qw::storage
