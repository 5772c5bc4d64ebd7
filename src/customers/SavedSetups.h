#pragma once

// The main window's two handles on the customer table Saveddb.dbf, held for
// the whole run: PreCustDB, which Get Setup opens to see whether any setup
// is saved, and ExportTbl, which the export copies to text.

#include <storage/Table.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace qw::customers {

class SavedSetups {
public:
    explicit SavedSetups(const std::filesystem::path& dataFolder);

    // Opens PreCustDB, counts the saved setups and closes it again, also
    // when reading fails (the storage error then goes to the caller).
    std::uint32_t countSavedSetups();
    // What opening the table reported without failing (a leftover journal
    // it did not apply), each notice once.
    std::vector<std::string> takeNotices() { return std::exchange(notices_, {}); }

    storage::Table& PreCustDB() { return preCustDB_; }
    storage::Table& ExportTbl() { return exportTbl_; }

private:
    storage::Table preCustDB_;
    storage::Table exportTbl_;
    std::vector<std::string> notices_;
};

} // namespace qw::customers
