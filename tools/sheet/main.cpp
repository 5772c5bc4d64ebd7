// quiverwise-sheet: starts from the main window's state after start-up, sets
// the given inputs, runs the recommendation for the chosen page and saves or
// prints that page's setup sheet, as the page's Print button would.

#include <SetupOptions.h>

#include <reports/SetupSheets.h>
#include <selection/SelectionModel.h>
#include <storage/StorageError.h>

#include <QGuiApplication>

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitMessage = 1;
constexpr int kExitUsage = 2;

struct SheetOptions {
    qw::setupcli::SetupOptions setup;
    bool pageGiven = false;
    std::string pdfFile;
    bool print = false;
    bool help = false;
};

std::string usage()
{
    return "usage: quiverwise-sheet --page hunt|targ|youth|kavl\n" + qw::setupcli::setupUsage() +
           "         (--pdf FILE | --print)\n"
           "Saves as PDF, or prints to the default printer, the page's setup sheet for the\n"
           "setup given, starting from the main window's state after start-up. Exit status\n"
           "0, 1 when a message ended it (no printer, no shop table, a file that cannot be\n"
           "written), 2 for a bad command line.\n";
}

SheetOptions parse(const std::vector<std::string>& arguments)
{
    SheetOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--print") {
            options.print = true;
        } else if (option == "--pdf") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty())
                throw qw::setupcli::UsageError("--pdf needs a file name");
            options.pdfFile = arguments[++i];
        } else {
            if (option == "--page")
                options.pageGiven = true;
            if (!qw::setupcli::parseSetupOption(arguments, i, options.setup))
                throw qw::setupcli::UsageError("unknown option '" + option + "'");
        }
    }
    if (options.help)
        return options;
    if (!options.pageGiven)
        throw qw::setupcli::UsageError("--page is required");
    if (options.print == !options.pdfFile.empty())
        throw qw::setupcli::UsageError("give either --pdf FILE or --print");
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    SheetOptions options;
    try {
        options = parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const qw::setupcli::UsageError& error) {
        std::cerr << "quiverwise-sheet: " << error.what() << "\n" << usage();
        return kExitUsage;
    }
    if (options.help) {
        std::cout << usage();
        return kExitOk;
    }

    // Fonts and the PDF writer need a GUI application, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const std::filesystem::path folder =
        options.setup.dataFolder.value_or(qw::setupcli::programFolder(argv[0]));
    qw::setupcli::RecordingSink sink;
    qw::selection::SelectionModel model(folder, sink);
    model.findRec();
    qw::setupcli::applySetup(model, options.setup);
    model.findRec();
    // What the window would have shown on the way; the sheet prints the
    // window as it stands after it.
    for (const auto& message : sink.messages)
        std::cerr << message.text << "\n";

    try {
        std::unique_ptr<qw::reports::SetupSheet> sheet;
        switch (options.setup.page) {
        case qw::selection::Page::Hunt:
            sheet = std::make_unique<qw::reports::TReportForm>(folder);
            break;
        case qw::selection::Page::Targ:
            sheet = std::make_unique<qw::reports::TTargPrintForm>(folder);
            break;
        case qw::selection::Page::Kavl:
            sheet = std::make_unique<qw::reports::TKavlRpt>(folder);
            break;
        case qw::selection::Page::Youth:
            sheet = std::make_unique<qw::reports::TYouthRpt1>(folder);
            break;
        }
        QString error;
        if (options.print) {
            if (sheet->print(model.form(), &error) != qw::reports::PrintOutcome::Printed) {
                std::cerr << error.toStdString() << "\n";
                return kExitMessage;
            }
        } else if (!sheet->savePdf(model.form(), QString::fromStdString(options.pdfFile), &error)) {
            std::cerr << error.toStdString() << "\n";
            return kExitMessage;
        }
    } catch (const qw::storage::StorageError& error) {
        std::cerr << error.what() << "\n";
        return kExitMessage;
    }
    return kExitOk;
}
