// quiverwise-sheet: starts from the main window's state after start-up, sets
// the given inputs, runs the recommendation for the chosen page and saves or
// prints that page's setup sheet, as the page's Print button would. With
// --customer it saves or prints the customer sheet of the record that
// Search finds, as the retrieval window's Print would. With --build it
// clicks the size cell of a row, changes the specifications window's
// inputs given and saves or prints the arrow build sheet, as that window's
// buttons would.

#include <GuardedMain.h>
#include <RetrievalSupport.h>
#include <SetupOptions.h>

#include <app/CustomerSheetValues.h>
#include <calculators/SpecsModel.h>
#include <core/ConversionError.h>
#include <customers/CustomerRetrieval.h>
#include <reports/BuildSheet.h>
#include <reports/CustomerSheet.h>
#include <reports/SetupSheets.h>
#include <selection/Pages.h>
#include <selection/SelectionModel.h>
#include <storage/StorageError.h>

#include <QGuiApplication>

#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitMessage = 1;
constexpr int kExitUsage = 2;

struct SheetOptions {
    qw::setupcli::SetupOptions setup;
    bool pageGiven = false;
    bool setupGiven = false;
    std::optional<std::string> customer;
    bool build = false;
    std::optional<std::string> row;
    std::map<std::string, std::string> weights; // option, text
    std::string pdfFile;
    bool print = false;
    bool help = false;
};

std::string usage()
{
    return "usage: quiverwise-sheet --page hunt|targ|youth|kavl\n" + qw::setupcli::setupUsage() +
           "         (--pdf FILE | --print)\n"
           "       quiverwise-sheet [--data DIR] --customer PREFIX (--pdf FILE | --print)\n"
           "       quiverwise-sheet --build --page hunt|targ|youth|kavl --row N [setup options]\n"
           "         [--length X] [--point X] [--nock X] [--insert X] [--fletching X]\n"
           "         (--pdf FILE | --print)\n"
           "Saves as PDF, or prints to the default printer, the page's setup sheet for the\n"
           "setup given, starting from the main window's state after start-up; or the\n"
           "customer sheet of the record that Search finds for PREFIX; or the arrow build\n"
           "sheet of the shaft in row N of the page, with the specifications window's\n"
           "inputs changed as given. Exit status 0, 1 when a message ended it (no printer,\n"
           "no shop table, \"Name not found\", a file that cannot be written, a row with\n"
           "no shaft, a weight that is no number or outside its box's range), 2 for a bad\n"
           "command line. Nothing is written unless the sheet is.\n";
}

// The specifications window's number boxes by option.
const std::map<std::string, qw::calculators::WeightInput>& weightInputs()
{
    using qw::calculators::WeightInput;
    static const std::map<std::string, WeightInput> inputs = {
        {"--length", WeightInput::Length},
        {"--point", WeightInput::Point},
        {"--nock", WeightInput::Nock},
        {"--insert", WeightInput::Insert},
        {"--fletching", WeightInput::Fletching}};
    return inputs;
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
        } else if (option == "--build") {
            options.build = true;
        } else if (option == "--row" || weightInputs().count(option)) {
            if (i + 1 >= arguments.size())
                throw qw::setupcli::UsageError(option + " needs a value");
            if (option == "--row")
                options.row = arguments[++i];
            else
                options.weights[option] = arguments[++i];
        } else if (option == "--customer") {
            if (i + 1 >= arguments.size())
                throw qw::setupcli::UsageError("--customer needs the first letters of a name");
            options.customer = arguments[++i];
        } else {
            if (option == "--page")
                options.pageGiven = true;
            else if (option != "--data")
                options.setupGiven = true;
            if (!qw::setupcli::parseSetupOption(arguments, i, options.setup))
                throw qw::setupcli::UsageError("unknown option '" + option + "'");
        }
    }
    if (options.help)
        return options;
    if (options.build != options.row.has_value())
        throw qw::setupcli::UsageError("--build and --row N go together");
    if (!options.build && !options.weights.empty())
        throw qw::setupcli::UsageError("the weights go with --build");
    if (options.customer && options.build)
        throw qw::setupcli::UsageError("--customer and --build are two different sheets");
    if (options.customer && (options.pageGiven || options.setupGiven))
        throw qw::setupcli::UsageError("--customer takes no page or setup options");
    if (!options.pageGiven && !options.customer)
        throw qw::setupcli::UsageError("--page or --customer is required");
    if (options.print == !options.pdfFile.empty())
        throw qw::setupcli::UsageError("give either --pdf FILE or --print");
    return options;
}

// Prints or saves through the sheet; a message ends it with status 1.
template <typename Print, typename Save>
int deliver(const SheetOptions& options, Print print, Save save)
{
    QString error;
    const bool done = options.print ? print(&error) == qw::reports::PrintOutcome::Printed
                                    : save(QString::fromStdString(options.pdfFile), &error);
    if (!done) {
        std::cerr << error.toStdString() << "\n";
        return kExitMessage;
    }
    return kExitOk;
}

int pageSheet(const std::filesystem::path& folder, const SheetOptions& options)
{
    qw::setupcli::RecordingSink sink;
    qw::selection::SelectionModel model(folder, sink);
    model.findRec();
    qw::setupcli::applySetup(model, options.setup);
    model.findRec();
    // What the window would have shown on the way; the sheet prints the
    // window as it stands after it. An input the run refused (a bow weight
    // that is no number) leaves a page the window does not print: nothing
    // is written then.
    for (const auto& message : sink.messages)
        std::cerr << message.text << "\n";
    if (sink.errorCount() > 0) {
        std::cerr << "quiverwise-sheet: no sheet: the page does not show a recommendation for "
                     "the setup given\n";
        return kExitMessage;
    }

    qw::reports::SetupSheet sheet(qw::reports::sheetDesign(options.setup.page), folder);
    const qw::selection::ShownPage shown = model.shownPage(options.setup.page);
    return deliver(
        options, [&](QString* error) { return sheet.print(shown, error); },
        [&](const QString& file, QString* error) { return sheet.savePdf(shown, file, error); });
}

// Input that describes no arrow the window could show.
class BadInput : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Types the value into its box and ends the editing, as a user would; a
// text that is no number, or that the box brings into its range, is
// refused rather than printed as something else.
void typeWeight(qw::calculators::SpecsModel& specs, const std::string& option,
                const std::string& text)
{
    const qw::calculators::WeightInput input = weightInputs().at(option);
    qw::DecimalNumber typed;
    try {
        typed = qw::parseRealNumber(text);
    } catch (const qw::ConversionError&) {
        throw BadInput(option + " needs a number, not '" + text + "'");
    }
    specs.typeInput(input, text);
    specs.finishInput(input);
    const std::string shown = specs.finishedArrow().inputs[static_cast<std::size_t>(input)];
    if (qw::compare(qw::parseRealNumber(shown), typed) != 0)
        throw BadInput(option + " " + text + " is outside the range of its box");
}

// The size cell of the row clicked, the specifications window's inputs
// changed, then its Print Build Sheet or Save Build Sheet as PDF.
int buildSheet(const std::filesystem::path& folder, const SheetOptions& options)
{
    qw::setupcli::RecordingSink sink;
    qw::selection::SelectionModel main(folder, sink);
    main.findRec();
    qw::setupcli::applySetup(main, options.setup);
    main.findRec();
    for (const auto& message : sink.messages)
        std::cerr << message.text << "\n";
    sink.clear();
    try {
        const int row = qw::setupcli::wholeNumberOption("--row", *options.row);
        if (!main.sizeCellClick(options.setup.page, row))
            throw BadInput("row " + *options.row + " of the " +
                           std::string(qw::selection::pageInfo(options.setup.page).tabCaption) +
                           " page has no shaft to click");
    } catch (const qw::setupcli::UsageError& error) {
        throw BadInput(error.what());
    }
    qw::calculators::SpecsModel specs(folder, main.handedOffShaft(), sink);
    for (const auto& [option, text] : options.weights)
        if (specs.found())
            typeWeight(specs, option, text);
    specs.close();
    if (!specs.found())
        throw BadInput("Shaft " + specs.key() + " is not in the specification table.");
    if (!sink.messages.empty()) {
        for (const std::string& message : sink.texts())
            std::cerr << message << "\n";
        return kExitMessage;
    }

    const qw::reports::BuildSheetValues values{
        specs.page(), qw::reports::sheetDesign(specs.page()).fill(main.shownPage(specs.page())),
        specs.finishedArrow()};
    const qw::reports::BuildSheet sheet(folder);
    return deliver(
        options, [&](QString* error) { return sheet.print(values, error); },
        [&](const QString& file, QString* error) { return sheet.savePdf(values, file, error); });
}

// The retrieval window opened and searched for the prefix, then its Print.
int customerSheet(const std::filesystem::path& folder, const SheetOptions& options)
{
    qw::reports::TCustInfoRpt sheet(folder);
    qw::setupcli::RecordingSink mainMessages;
    qw::selection::SelectionModel mainWindow(folder, mainMessages);
    qw::setupcli::RecordingSink messages;
    qw::customers::CustomerRetrieval retrieval(folder, mainWindow, messages);
    const bool found = qw::customers::cli::openAndSearch(retrieval, messages, *options.customer);
    for (const std::string& message : messages.texts())
        std::cerr << message << "\n";
    if (!found)
        return kExitMessage;
    const qw::reports::CustomerSheetValues values = qw::app::customerSheetValues(retrieval);
    return deliver(
        options, [&](QString* error) { return sheet.print(values, error); },
        [&](const QString& file, QString* error) { return sheet.savePdf(values, file, error); });
}

} // namespace

static int run(int argc, char** argv)
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

    try {
        const std::filesystem::path folder =
            qw::setupcli::dataFolder(options.setup.dataFolder, argv[0]);
        if (options.build)
            return buildSheet(folder, options);
        return options.customer ? customerSheet(folder, options) : pageSheet(folder, options);
    } catch (const qw::storage::StorageError& error) {
        std::cerr << error.what() << "\n";
        return kExitMessage;
    } catch (const BadInput& error) {
        std::cerr << "quiverwise-sheet: " << error.what() << "\n";
        return kExitMessage;
    }
}

int main(int argc, char** argv)
{
    return qw::setupcli::guardedMain("quiverwise-sheet", [&] { return run(argc, argv); });
}
