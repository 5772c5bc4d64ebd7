// export [FILE]: the Export Customer Database command.

#include "CommandSupport.h"

#include <customers/CustomerExport.h>
#include <storage/Table.h>

#include <filesystem>

namespace qw::customers_cli {

int runExport(CommandContext& context)
{
    takeDataFolder(context);
    std::string file(customers::kExportFile);
    if (!context.arguments.empty() && !context.arguments.front().starts_with("-")) {
        // A file named on the command line is where the user stands.
        file = std::filesystem::absolute(context.arguments.front()).string();
        context.arguments.erase(context.arguments.begin());
    }
    refuseLeftovers(context.arguments);
    selection::RecordingSink sink;
    storage::Table exportTbl(context.dataFolder);
    customers::exportCustomerDatabase(exportTbl, sink, file);
    printMessages(sink);
    return exitStatus(sink);
}

} // namespace qw::customers_cli
