#pragma once

// What a customer's details and a saved setup must be before they are
// stored. Every text is kept exactly as typed or refused with a message
// saying why; nothing is changed on the way in with a success message.
//
// - Letters. The customer table stays in Windows-1252, so that other xBase
//   programs read it. A text with letters that code page lacks ("Ł", "山")
//   is refused, and the message names each such letter; bytes that are not
//   UTF-8 text at all are refused alike.
// - Length. A text longer than its field is refused, never cut: the message
//   gives the field's width. (The entry window's edits cannot grow past the
//   width; the command line can.)
// - Control characters. A name, an address line, a state, a postal code, a
//   country and a country code are one line: a line break, a tab or any
//   other control character in them is refused.
// - Comments keep their lines and tabs. Their line breaks are stored as
//   CR LF, whether a record is first saved or edited later, whatever the
//   edit gave (LF, CR or CR LF); other control characters are refused.
// - Setup entries. The bow weight, arrow length and point weight are stored
//   as text that recall turns into whole numbers, so each must be a whole
//   number ("'6a' is not a valid integer value" otherwise) that fits its
//   field.

#include "SetupEncoding.h"

#include <storage/Table.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qw::customers {

// The words the messages use for a customer detail field ("name", ...).
std::string_view detailWords(std::string_view field);

// Why text cannot be stored in field of table as it stands; nothing when it
// can. The text is checked as typed (comments before their line breaks are
// made CR LF).
std::optional<std::string> detailRefusal(const storage::Table& table, std::string_view field,
                                         std::string_view text);

// Why the setup fields of a new record cannot be stored; nothing when they can.
std::optional<std::string> setupRefusal(const storage::Table& table,
                                        const std::vector<FieldText>& setupFields);

// Comments with every line break as CR LF.
std::string commentsWithCrLf(std::string_view text);

} // namespace qw::customers
