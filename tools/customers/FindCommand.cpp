// find PREFIX [--json]: the record that Search shows for PREFIX, each field
// as stored, and the summary texts the retrieval window shows for it.

#include "RetrievalCommands.h"
#include "RetrievalSupport.h"

#include <JsonText.h>
#include <selection/SelectionModel.h>

namespace qw::customers::cli {

int runFind(const std::filesystem::path& dataFolder, const std::vector<std::string>& args,
            std::ostream& out, std::ostream& err)
{
    const auto arguments = parsePrefixArguments("find", args, err);
    if (!arguments)
        return kExitUsage;
    // Return Data is not given here: the main window stays untouched.
    RecordingSink mainMessages;
    selection::SelectionModel mainWindow(dataFolder, mainMessages);
    RecordingSink messages;
    CustomerRetrieval retrieval(dataFolder, mainWindow, messages);
    const bool found = openAndSearch(retrieval, messages, arguments->prefix);
    const bool shown = retrieval.isOpen() && retrieval.currentRecord().size() > 0;
    if (arguments->json) {
        nlohmann::ordered_json report = {{"found", found}, {"messages", messages.texts()}};
        if (shown) {
            report["record"] = recordJson(retrieval);
            report["summary"] = summaryJson(retrieval.words());
        }
        out << setupcli::jsonText(report) << "\n";
    } else {
        for (const std::string& message : messages.texts())
            err << setupcli::terminalText(message) << "\n";
        if (shown)
            writeRecordText(retrieval, out);
    }
    return found ? kExitOk : kExitMessage;
}

} // namespace qw::customers::cli
