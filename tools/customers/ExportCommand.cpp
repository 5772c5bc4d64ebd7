// export [FILE]: the Export Customer Database command.
// export --xlsx FILE: Export to Spreadsheet, the same records as a workbook.

#include "CommandSupport.h"

#include <customers/CustomerExport.h>
#include <customers/CustomerSpreadsheet.h>
#include <storage/Table.h>

#include <filesystem>

namespace qw::customers_cli {

int runExport(CommandContext& context)
{
    takeDataFolder(context);
    // A file named on the command line is where the user stands.
    const std::optional<std::string> workbook = takeValue(context.arguments, "--xlsx");
    std::string file(customers::kExportFile);
    if (!workbook && !context.arguments.empty() && !context.arguments.front().starts_with("-")) {
        file = std::filesystem::absolute(context.arguments.front()).string();
        context.arguments.erase(context.arguments.begin());
    }
    refuseLeftovers(context.arguments);
    RecordingSink sink;
    storage::Table exportTbl(context.dataFolder);
    if (workbook)
        customers::exportCustomerSpreadsheet(exportTbl, sink, std::filesystem::absolute(*workbook));
    else
        customers::exportCustomerDatabase(exportTbl, sink, file);
    printMessages(sink);
    return exitStatus(sink);
}

} // namespace qw::customers_cli
