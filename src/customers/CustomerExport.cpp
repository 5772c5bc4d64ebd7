#include "CustomerExport.h"

#include "CustomerFields.h"
#include "CustomerRecords.h"
#include "SavedSetups.h"

#include "core/NumberText.h"

#include "core/Text.h"
#include "storage/ProgramFiles.h"
#include "storage/StorageError.h"

#include <filesystem>

namespace qw::customers {

std::string exportCreatedMessage(std::string_view fileName)
{
    return "File " + upperAscii(std::filesystem::path(fileName).filename().string()) +
           " has been created";
}

bool exportCustomerDatabase(storage::Table& exportTbl, MessageSink& messages,
                            std::string_view fileName)
{
    struct CloseOnExit {
        storage::Table& table;
        ~CloseOnExit() { table.close(); }
    } closer{exportTbl};
    std::vector<std::string> leftOut;
    try {
        exportTbl.open(storage::files::kSavedSetups, storage::OpenMode::ReadOnly);
        for (const std::string& notice : exportTbl.notices())
            messages.information(notice, 0);
        // A memo that cannot be read keeps no record out of the file: the
        // record is written without it, and named.
        for (const storage::UnreadableField& memo :
             exportTbl.copyToText(fileName, storage::kTextTypeDelimited)) {
            exportTbl.go(memo.recordNumber);
            const std::string name = exportTbl.hasField(field::NAME)
                                         ? trimBlanks(exportTbl.getString(field::NAME))
                                         : std::string();
            leftOut.push_back(unreadableNotice(memo.recordNumber, name, memo.field, memo.reason));
        }
    } catch (const storage::StorageError& e) {
        messages.error(e.what());
        return false;
    }
    messages.information(exportCreatedMessage(fileName), 0);
    for (const std::string& notice : leftOut)
        messages.information(notice, 0);
    return true;
}

} // namespace qw::customers
