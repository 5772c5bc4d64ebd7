#include "CalcCommands.h"

#include <JsonText.h>
#include <SetupOptions.h>
#include <calculators/KineticEnergyModel.h>
#include <calculators/SpecsModel.h>
#include <calculators/TrajectoryModel.h>
#include <core/ConversionError.h>
#include <core/NumberText.h>
#include <selection/Pages.h>

#include <nlohmann/json.hpp>

#include <iostream>
#include <map>
#include <optional>

namespace qw::calc {

using nlohmann::ordered_json;
using setupcli::RecordingSink;
using setupcli::UsageError;

namespace {

// The options of one command: each known option takes one value.
struct CommandLine {
    std::map<std::string, std::optional<std::string>, std::less<>> values;
    bool json = false;

    const std::optional<std::string>& operator[](std::string_view option) const
    {
        return values.find(option)->second;
    }
};

// Takes --json and the command's own options; other arguments go to extra
// (the setup options of specs) or are refused.
CommandLine parseOptions(const Arguments& arguments, std::initializer_list<const char*> options,
                         setupcli::SetupOptions* setup = nullptr)
{
    CommandLine line;
    for (const char* option : options)
        line.values[option];
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--json") {
            line.json = true;
            continue;
        }
        if (setup && setupcli::parseSetupOption(arguments, i, *setup))
            continue;
        const auto known = line.values.find(option);
        if (known == line.values.end())
            throw UsageError("unknown option '" + option + "'");
        if (i + 1 >= arguments.size())
            throw UsageError(option + " needs a value");
        known->second = arguments[++i];
    }
    return line;
}

ordered_json textOrNull(bool shown, const std::string& text)
{
    return shown ? ordered_json(text) : ordered_json(nullptr);
}

int finish(const ordered_json& report, bool json, const std::string& plain,
           const RecordingSink& sink)
{
    if (json)
        std::cout << setupcli::jsonText(report) << "\n";
    else {
        std::cout << plain;
        for (const std::string& message : sink.texts())
            std::cout << "message: " << message << "\n";
    }
    return sink.messages.empty() ? kExitOk : kExitMessage;
}

} // namespace

// The calculators' own functions, with the window's opening figures for
// what the command line leaves out and their notices as the window's boxes.
int runEnergy(const Arguments& arguments)
{
    const CommandLine line = parseOptions(arguments, {"--weight", "--velocity"});
    RecordingSink sink;
    std::optional<calculators::EnergyResult> result;
    try {
        result = calculators::kineticEnergy(
            line["--weight"].value_or(std::string(calculators::kStartGrainWeight)),
            line["--velocity"].value_or(std::string(calculators::kStartVelocity)));
    } catch (const calculators::CalculationNotice& notice) {
        sink.information(notice.what(), 0);
    } catch (const ConversionError& error) {
        sink.error(error.what());
    }
    ordered_json report;
    report["energy"] = result ? ordered_json(result->energy) : ordered_json(nullptr);
    report["bar"] = result ? ordered_json(result->bar) : ordered_json(nullptr);
    report["pictures"] = result ? ordered_json(result->pictures) : ordered_json(nullptr);
    report["momentum"] = result ? ordered_json(result->momentum) : ordered_json(nullptr);
    report["messages"] = sink.texts();
    const std::string plain = result ? "Kinetic energy: " + result->energy +
                                           " ft-lbs\nBar: " + std::to_string(result->bar) +
                                           "\nPictures: " + result->pictures +
                                           "\nMomentum: " + result->momentum + " slug-ft/s\n"
                                     : std::string();
    return finish(report, line.json, plain, sink);
}

int runFoc(const Arguments& arguments)
{
    const CommandLine line = parseOptions(arguments, {"--length", "--balance"});
    RecordingSink sink;
    std::optional<std::string> foc;
    try {
        foc = calculators::frontOfCentre(
            line["--length"].value_or(std::string(calculators::kStartFocLength)),
            line["--balance"].value_or(std::string(calculators::kStartFocBalance)));
    } catch (const calculators::CalculationError& error) {
        sink.error(error.what());
    } catch (const ConversionError& error) {
        sink.error(error.what());
    }
    ordered_json report;
    report["foc"] = foc ? ordered_json(*foc) : ordered_json(nullptr);
    report["messages"] = sink.texts();
    return finish(report, line.json, foc ? "Front of centre: " + *foc + "\n" : "", sink);
}

int runSpecs(const Arguments& arguments, const std::filesystem::path& programFolder)
{
    using calculators::WeightInput;
    static const std::pair<const char*, WeightInput> inputOptions[] = {
        {"--length", WeightInput::Length},       {"--point", WeightInput::Point},
        {"--nock", WeightInput::Nock},           {"--insert", WeightInput::Insert},
        {"--fletching", WeightInput::Fletching},
    };
    setupcli::SetupOptions setup;
    const CommandLine line = parseOptions(
        arguments, {"--row", "--length", "--point", "--nock", "--insert", "--fletching"}, &setup);
    if (!line["--row"])
        throw UsageError("specs needs --row N");
    const int row = setupcli::wholeNumberOption("--row", *line["--row"]);
    for (const auto& [option, input] : inputOptions)
        if (line[option]) {
            try {
                parseRealNumber(*line[option]);
            } catch (const ConversionError&) {
                throw UsageError(std::string(option) + " needs a number, not '" + *line[option] +
                                 "'");
            }
        }

    const auto folder = setup.dataFolder.value_or(programFolder);
    RecordingSink sink;
    selection::SelectionModel main(folder, sink);
    main.findRec(); // the main window's first run, on the Hunting page
    setupcli::applySetup(main, setup);
    main.findRec();
    sink.clear();
    if (!main.sizeCellClick(setup.page, row)) {
        if (sink.errorCount() > 0)
            return finish({{"messages", sink.texts()}}, line.json, "", sink);
        throw UsageError("row " + std::to_string(row) + " of page " +
                         std::string(selection::pageInfo(setup.page).key) +
                         " has no enabled size cell");
    }

    calculators::SpecsModel specs(folder, main.handedOffShaft(), sink);
    for (const auto& [option, input] : inputOptions)
        if (line[option]) {
            specs.typeInput(input, *line[option]);
            specs.finishInput(input);
        }
    specs.close();

    const calculators::FinishedArrow arrow = specs.finishedArrow();
    const auto inputText = [&arrow](WeightInput input) -> const std::string& {
        return arrow.inputs[static_cast<std::size_t>(input)];
    };
    ordered_json report;
    report["key"] = specs.key();
    report["found"] = specs.found();
    report["size"] = arrow.size;
    report["models"] = arrow.models;
    ordered_json fields = ordered_json::object();
    for (std::size_t i = 0; i < calculators::kSpecFields.size(); ++i)
        fields[std::string(calculators::kSpecFields[i].field)] = arrow.fields[i];
    report["fields"] = fields;
    ordered_json inputs = ordered_json::object();
    for (const auto& [option, input] : inputOptions)
        inputs[option + 2] = inputText(input);
    report["inputs"] = inputs;
    report["shaftWeight"] = arrow.shaftWeight;
    report["total"] = arrow.total;
    const calculators::GrainsPerPound& perPound = arrow.perPound;
    report["grainsPerPound"] = textOrNull(!perPound.value.empty(), perPound.value);
    report["belowMinimum"] = perPound.belowMinimum;
    report["messages"] = sink.texts();

    std::string plain = "Key: " + specs.key() + (specs.found() ? "\n" : " (not in the table)\n");
    plain += "Size & models: " + arrow.size + " " + arrow.models + "\n";
    for (std::size_t i = 0; i < calculators::kSpecFields.size(); ++i)
        plain += std::string(calculators::kSpecFields[i].field) + ": " + arrow.fields[i] + "\n";
    for (const auto& [option, input] : inputOptions)
        plain += std::string(option + 2) + ": " + inputText(input) + "\n";
    plain += "Shaft weight: " + arrow.shaftWeight + "\nTotal: " + arrow.total + "\n";
    plain += "Grains per pound: " + perPound.text() + "\n";
    return finish(report, line.json, plain, sink);
}

int runTrajectory(const Arguments& arguments, const std::filesystem::path& programFolder)
{
    const CommandLine line =
        parseOptions(arguments, {"--velocity", "--weight", "--distance", "--data"});
    calculators::TrajectorySetting setting;
    const std::pair<const calculators::SpinSpec*, int*> spins[] = {
        {&calculators::kVelocitySpin, &setting.velocity},
        {&calculators::kWeightSpin, &setting.weight},
        {&calculators::kDistanceSpin, &setting.distance},
    };
    const char* const options[] = {"--velocity", "--weight", "--distance"};
    for (std::size_t i = 0; i < 3; ++i)
        if (line[options[i]]) {
            const auto& [spin, value] = spins[i];
            *value = setupcli::wholeNumberOption(options[i], *line[options[i]]);
            if (!calculators::reachable(*spin, *value))
                throw UsageError(
                    std::string(options[i]) + " must be " + std::to_string(spin->minimum) + " to " +
                    std::to_string(spin->maximum) + " in steps of " + std::to_string(spin->step));
        }

    RecordingSink sink;
    calculators::TrajectoryModel model(
        line["--data"] ? std::filesystem::path(*line["--data"]) : programFolder, sink);
    model.setSetting(setting);
    sink.clear(); // a failure at opening shows again below
    const bool shown = model.show();
    const calculators::TrajectoryFigures& figures = model.figures();
    const auto& layout = model.layout();
    const auto number = [shown](int value) { return shown ? ordered_json(value) : ordered_json(); };
    ordered_json report;
    report["record"] = model.record();
    report["velocity"] = textOrNull(shown, figures.velocity);
    report["nearest"] = textOrNull(shown, figures.nearest);
    report["extreme"] = textOrNull(shown, figures.extreme);
    report["depth"] = textOrNull(shown, figures.depth);
    report["nearX"] = number(layout.nearX);
    report["farX"] = number(layout.farX);
    report["barLeft"] = number(layout.barLeft);
    report["barWidth"] = number(layout.barWidth);
    report["nearLabelX"] = number(layout.nearLabelX);
    report["farLabelX"] = number(layout.farLabelX);
    if (line.json) {
        std::cout << setupcli::jsonText(report) << "\n";
        for (const std::string& message : sink.texts())
            std::cerr << "quiverwise-calc: " << message << "\n";
        return sink.messages.empty() ? kExitOk : kExitMessage;
    }
    std::string plain;
    if (shown)
        plain = "Record " + std::to_string(model.record()) + "\nVelocity: " + figures.velocity +
                " ft/s\nNearest range: " + figures.nearest +
                " yd\nExtreme range: " + figures.extreme +
                " yd\nKill window depth: " + figures.depth + " yd\nNear marker x " +
                std::to_string(layout.nearX) + ", far marker x " + std::to_string(layout.farX) +
                ", bar " + std::to_string(layout.barLeft) + " wide " +
                std::to_string(layout.barWidth) + "\n";
    return finish(report, false, plain, sink);
}

std::string calcUsage()
{
    return "usage: quiverwise-calc ke [--weight TEXT] [--velocity TEXT] [--json]\n"
           "       quiverwise-calc foc [--length TEXT] [--balance TEXT] [--json]\n"
           "       quiverwise-calc specs --row N\n" +
           setupcli::setupUsage() +
           "         [--length X] [--point X] [--nock X] [--insert X] [--fletching X] [--json]\n"
           "       quiverwise-calc trajectory [--velocity N] [--weight N] [--distance N]\n"
           "         [--data DIR] [--json]\n"
           "Each calculator starts from its window's defaults and changes the inputs given\n"
           "as a user would. specs applies the setup to the main window, clicks the size\n"
           "cell of row N on the page and opens the specifications on that shaft; grains\n"
           "per pound divide its total by the page's bow weight entry (--youth-bow-weight\n"
           "on the youth page, --bow-weight otherwise), as typed.\n"
           "Exit status 0, 1 when a message ended the calculation, 2 for a bad command line.\n";
}

} // namespace qw::calc
