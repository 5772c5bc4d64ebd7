#include "CustomerExport.h"

#include "SavedSetups.h"

#include "storage/StorageError.h"

#include <cctype>
#include <filesystem>

namespace qw::customers {

std::string exportCreatedMessage(std::string_view fileName)
{
    std::string name = std::filesystem::path(fileName).filename().string();
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return "File " + name + " has been created";
}

bool exportCustomerDatabase(storage::Table& exportTbl, selection::MessageSink& messages,
                            std::string_view fileName)
{
    struct CloseOnExit {
        storage::Table& table;
        ~CloseOnExit() { table.close(); }
    } closer{exportTbl};
    try {
        exportTbl.open(kSavedSetupsFile, storage::OpenMode::ReadOnly);
        exportTbl.copyToText(fileName, storage::kTextTypeDelimited);
    } catch (const storage::StorageError& e) {
        messages.error(e.what());
        return false;
    }
    messages.information(exportCreatedMessage(fileName), 0);
    return true;
}

} // namespace qw::customers
