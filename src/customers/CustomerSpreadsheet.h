#pragma once

// Export to Spreadsheet: the whole customer table, in the order the records
// were saved (as custdb.txt has it), as an .xlsx workbook that a spreadsheet
// opens with every value as stored. A delimited text file cannot say which
// cells are text, so a spreadsheet reads ZIP 02134 as the number 2134 and a
// saving date as a date; the workbook says so for every cell:
// - one heading row of field names, bold and frozen, then one row per record;
// - text fields are text cells (leading zeros, dates and "=" kept as typed);
// - the weights and setup codes are number cells where the stored text is a
//   plain number that reads back the same, text cells otherwise;
// - comments keep their line breaks, in wrapped cells;
// - each column is as wide as its longest line (within limits).
// Needs no index; the table is only read.

#include "core/MessageSink.h"
#include "storage/Table.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace qw::customers {

// "File Customers.xlsx has been created"
std::string spreadsheetCreatedMessage(const std::filesystem::path& file);

// The name offered for the workbook, as the sheets offer theirs:
// "Customer database 2026-12-09.xlsx" for that day (ISO date).
std::string proposedSpreadsheetName(std::string_view isoDate);

// Opens the table on exportTbl, writes the workbook to file (replacing it
// only once the new one is complete), closes the table and confirms. A
// failure goes to messages instead of the confirmation; no file is left
// half-written. Returns whether the file was written.
bool exportCustomerSpreadsheet(storage::Table& exportTbl, MessageSink& messages,
                               const std::filesystem::path& file);

} // namespace qw::customers
