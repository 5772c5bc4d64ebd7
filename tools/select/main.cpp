// quiverwise-select: starts from the main window's state after start-up,
// sets the given inputs, runs the recommendation once for the chosen page
// and prints that page.

#include "SelectOptions.h"
#include "SelectReport.h"

#include <GuardedMain.h>
#include <JsonText.h>

#include <core/MessageSink.h>
#include <selection/Pages.h>
#include <selection/RunExplanation.h>
#include <selection/SelectionModel.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitRunFailed = 1;
constexpr int kExitUsage = 2;

using qw::setupcli::RecordingSink;

} // namespace

static int run(int argc, char** argv)
{
    qw::select::SelectOptions options;
    try {
        options = qw::select::parseSelectOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const qw::select::UsageError& error) {
        std::cerr << "quiverwise-select: " << error.what() << "\n" << qw::select::selectUsage();
        return kExitUsage;
    }
    if (options.help) {
        std::cout << qw::select::selectUsage();
        return kExitOk;
    }

    RecordingSink sink;
    qw::selection::SelectionModel model(qw::setupcli::dataFolder(options.dataFolder, argv[0]),
                                        sink);
    // The window runs once on the Hunting page when it opens; what that run
    // says is not part of this answer, but a table's notice (a leftover
    // journal it did not apply) goes to the error stream.
    model.findRec();
    for (const auto& message : sink.messages)
        if (!message.error && message.helpContext == 0)
            std::cerr << message.text << "\n";
    sink.clear();

    qw::setupcli::applySetup(model, options);
    model.findRec();

    const auto report = qw::select::pageReport(model, options.page, sink.texts());
    if (options.json)
        std::cout << qw::setupcli::jsonText(report) << "\n";
    else
        std::cout << qw::select::pageTable(report) << "\n"
                  << qw::selection::explainRun(model.lastRun(), options.page) << "\n";
    return sink.errorCount() > 0 ? kExitRunFailed : kExitOk;
}

int main(int argc, char** argv)
{
    return qw::setupcli::guardedMain("quiverwise-select", [&] { return run(argc, argv); });
}
