#pragma once

// The customer table as its readers see it: a table that lacks a field the
// program needs is refused when it is opened, a record whose memo cannot be
// read is still shown without that text (and named), and a blank record (a
// region another program appended or a damaged file left empty) is never
// taken for a customer.

#include <storage/Table.h>

#include <string>
#include <utility>
#include <vector>

namespace qw::customers {

// Throws StorageError naming the table and the first field the program
// needs that it does not have as a field of a fitting type (the details
// and setup fields as text or numbers, COMMENTS as a memo or text).
void requireCustomerFields(const storage::Table& table);

// True when the current record has a blank NAME and blank setup fields:
// no customer was ever saved there.
bool isBlankCustomer(const storage::Table& table);

// Every field of the current record, trailing blanks removed. A memo that
// cannot be read is given empty and named in unreadable.
struct CustomerFieldTexts {
    std::vector<std::pair<std::string, std::string>> fields;
    std::vector<std::pair<std::string, std::string>> unreadable; // field, reason
    // The field's text; empty when the record has no such field.
    const std::string& operator[](std::string_view name) const;
};
CustomerFieldTexts readCustomerFields(const storage::Table& table);

// The text of one field, or nothing when it cannot be read (a damaged memo),
// with the reason in reason.
std::string readFieldOrEmpty(const storage::Table& table, std::string_view field,
                             std::string* reason = nullptr);

// "Record 3 (Ann Smith): its COMMENTS cannot be read and are left out." and
// the storage layer's reason on the next line when it is given.
std::string unreadableNotice(std::uint32_t recordNumber, std::string_view name,
                             std::string_view field, std::string_view reason = {});

} // namespace qw::customers
