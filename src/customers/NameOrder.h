#pragma once

// The customer table's name order, Saved.idx. Its key is made from the
// name (UPPER(NAME) as the data build writes it), so a search text becomes
// a key prefix through the same expression: "jo" finds "Johnson".
//
// The index can fall short of the table: another program may append a
// customer without maintaining it, and a crash between an append and the
// rebuild leaves the newest record out. Records are only ever appended,
// and a rebuild covers every record there is, so the index covers the
// table exactly when it holds the last record under that record's key.

#include <storage/Table.h>

#include <string>
#include <string_view>

namespace qw::customers {

inline constexpr const char* kNameIndexFile = "Saved.idx";

// The prefix of the controlling order's keys that names beginning with text
// have (UTF-8, for Table::seek).
std::string nameKeyPrefix(const storage::Table& table, std::string_view text);

// Whether the controlling order holds the last record under its key. Moves
// the table.
bool nameOrderCoversTable(storage::Table& table);

// Rebuilds the controlling order when it does not cover the table; says
// whether it did. Moves the table.
bool rebuildNameOrderIfShort(storage::Table& table);

} // namespace qw::customers
