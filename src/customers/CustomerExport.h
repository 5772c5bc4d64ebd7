#pragma once

// Export Customer Database: the whole customer table, in the order the
// records were saved, as delimited text (the storage layer's text type 21)
// in custdb.txt beside the tables. Needs no index.

#include "core/MessageSink.h"
#include "storage/Table.h"

#include <string>
#include <string_view>

namespace qw::customers {

inline constexpr std::string_view kExportFile = "custdb.txt";

// "File CUSTDB.TXT has been created" for the default file name.
std::string exportCreatedMessage(std::string_view fileName);

// Opens the table on exportTbl (the main window's ExportTbl), copies it to
// fileName (in the table's data folder unless it names another folder),
// closes the table and confirms. A storage failure goes to messages instead
// of the confirmation. Returns whether the file was written.
bool exportCustomerDatabase(storage::Table& exportTbl, MessageSink& messages,
                            std::string_view fileName = kExportFile);

} // namespace qw::customers
