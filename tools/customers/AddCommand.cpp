// add --name N --addr1 A --city C --state S [...] [setup options]: stores the
// setup as Save Setup does from the chosen page of the main window, with the
// customer's details typed into the Customer Information window's edits.
// Exit status 0 once the record is stored (with a notice when Saved.idx
// could not be rebuilt), 1 when it was not stored.

#include "CommandSupport.h"

#include "SelectOptions.h"

#include <customers/CustInfoModel.h>
#include <customers/CustomerFields.h>
#include <selection/SelectionModel.h>

#include <iostream>

namespace qw::customers_cli {
namespace {

struct DetailOption {
    std::string_view option;
    std::string_view field;
};

constexpr DetailOption kDetailOptions[] = {
    {"--name", customers::field::NAME},         {"--addr1", customers::field::ADDR1},
    {"--addr2", customers::field::ADDR2},       {"--city", customers::field::CITY},
    {"--state", customers::field::STATE},       {"--zip", customers::field::ZIP},
    {"--country", customers::field::COUNTRY},   {"--ccode", customers::field::CCODE},
    {"--comments", customers::field::COMMENTS},
};

// The main window after start-up, then the given inputs and page, and the
// run that showing the page makes (it writes the page key).
void showSetup(selection::SelectionModel& window, const select::SelectOptions& options)
{
    window.findRec();
    setupcli::applySetup(window, options);
    window.findRec();
}

} // namespace

int runAdd(CommandContext& context)
{
    std::vector<std::pair<std::string_view, std::string>> details;
    for (const DetailOption& detail : kDetailOptions)
        if (auto value = takeValue(context.arguments, detail.option))
            details.emplace_back(detail.field, std::move(*value));
    select::SelectOptions options;
    try {
        options = select::parseSelectOptions(context.arguments);
    } catch (const select::UsageError& error) {
        throw UsageError(error.what());
    }
    if (options.dataFolder)
        context.dataFolder = *options.dataFolder;

    // What the main window's own run says is not part of this command's answer.
    RecordingSink windowSink;
    selection::SelectionModel window(context.dataFolder, windowSink);
    showSetup(window, options);

    RecordingSink sink;
    customers::CustInfoModel entry(context.dataFolder, sink);
    bool stored = false;
    if (entry.open(window.setup(), window.pageKey())) {
        for (const auto& [field, text] : details)
            entry.changeDetail(field, text);
        stored = entry.saveRecord() == customers::CustInfoModel::SaveOutcome::Stored;
        entry.close();
    }
    // A stored record is never reported as a failure, also when its index
    // could not be rebuilt: a retry would store the customer twice.
    if (options.json)
        std::cout << jsonText(Json{{"stored", stored},
                                   {"indexed", stored && entry.indexed()},
                                   {"messages", messagesJson(sink)}})
                  << "\n";
    else
        printMessages(sink);
    return stored ? kExitOk : kExitMessage;
}

} // namespace qw::customers_cli
