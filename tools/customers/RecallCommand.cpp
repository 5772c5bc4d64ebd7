// recall PREFIX [--json]: Search for PREFIX, then Return Data into the main
// window as it stands after start-up, and the recommendation it then shows.

#include "RetrievalCommands.h"
#include "RetrievalSupport.h"

#include <JsonText.h>
#include <select/SelectReport.h>
#include <selection/Pages.h>
#include <selection/RunExplanation.h>
#include <selection/SelectionModel.h>

namespace qw::customers::cli {

namespace {

nlohmann::ordered_json groupsJson(const selection::SetupInputs& setup)
{
    using selection::SetupGroup;
    return {{"bowType", setup.item(SetupGroup::BowType)},
            {"targBowType", setup.item(SetupGroup::TargBowType)},
            {"huntCam", setup.item(SetupGroup::HuntCamType)},
            {"wheel", setup.item(SetupGroup::WheelType)},
            {"release", setup.item(SetupGroup::ReleaseType)},
            {"overdraw", setup.item(SetupGroup::OverDraw)},
            {"brace", setup.item(SetupGroup::BraceHt)}};
}

void reportMessages(const RecordingSink& messages, bool json, std::ostream& out, std::ostream& err)
{
    if (json)
        out << setupcli::jsonText(nlohmann::ordered_json{{"messages", messages.texts()}}) << "\n";
    else
        for (const std::string& message : messages.texts())
            err << message << "\n";
}

} // namespace

int runRecall(const std::filesystem::path& dataFolder, const std::vector<std::string>& args,
              std::ostream& out, std::ostream& err)
{
    const auto arguments = parsePrefixArguments("recall", args, err);
    if (!arguments)
        return kExitUsage;
    RecordingSink mainMessages;
    selection::SelectionModel mainWindow(dataFolder, mainMessages);
    // The main window runs once when it opens; what that run says is not
    // part of this answer, but a table's notice goes to the error stream.
    mainWindow.findRec();
    for (const auto& message : mainMessages.messages)
        if (!message.error && message.helpContext == 0)
            err << message.text << "\n";
    mainMessages.clear();

    RecordingSink messages;
    CustomerRetrieval retrieval(dataFolder, mainWindow, messages);
    if (!openAndSearch(retrieval, messages, arguments->prefix)) {
        reportMessages(messages, arguments->json, out, err);
        return kExitMessage;
    }
    const nlohmann::ordered_json record = recordJson(retrieval);
    const auto setup = retrieval.returnData();
    if (!setup) {
        reportMessages(messages, arguments->json, out, err);
        return kExitMessage;
    }
    mainWindow.applySetup(*setup);

    const selection::Page page = mainWindow.activePage();
    const auto recommendation = select::pageReport(mainWindow, page, mainMessages.texts());
    if (arguments->json) {
        const nlohmann::ordered_json report = {{"record", record},
                                               {"messages", messages.texts()},
                                               {"page", selection::pageInfo(page).key},
                                               {"inputs", recommendation["inputs"]},
                                               {"groups", groupsJson(mainWindow.setup())},
                                               {"recommendation", recommendation}};
        out << setupcli::jsonText(report) << "\n";
    } else {
        // What opening the table said (a leftover journal, a damaged memo).
        for (const std::string& message : messages.texts())
            err << setupcli::terminalText(message) << "\n";
        out << "Recalled " << record["NAME"].get<std::string>() << "\n"
            << select::pageTable(recommendation) << "\n"
            << selection::explainRun(mainWindow.lastRun(), page) << "\n";
    }
    return mainMessages.errorCount() > 0 ? kExitMessage : kExitOk;
}

} // namespace qw::customers::cli
