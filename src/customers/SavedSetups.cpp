#include "SavedSetups.h"

#include <storage/ProgramFiles.h>

namespace qw::customers {

SavedSetups::SavedSetups(const std::filesystem::path& dataFolder)
    : preCustDB_(dataFolder), exportTbl_(dataFolder)
{
}

std::uint32_t SavedSetups::countSavedSetups()
{
    struct CloseOnExit {
        storage::Table& table;
        ~CloseOnExit() { table.close(); }
    } closer{preCustDB_};
    preCustDB_.open(storage::files::kSavedSetups);
    notices_.insert(notices_.end(), preCustDB_.notices().begin(), preCustDB_.notices().end());
    return preCustDB_.recordCount();
}

} // namespace qw::customers
