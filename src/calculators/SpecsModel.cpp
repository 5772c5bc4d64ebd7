#include "SpecsModel.h"

#include <core/ConversionError.h>
#include <core/Text.h>
#include <selection/Pages.h>
#include <storage/StorageError.h>

#include <algorithm>
#include <charconv>

namespace qw::calculators {

namespace {

// The hand-off texts and setup entries of the main window this window reads.
constexpr std::string_view kModelsText = "Mods";

constexpr std::string_view kNotFoundLabel = "NotFoundLbl";
constexpr std::string_view kShaftWeightLabel = "Label21";
constexpr std::string_view kTotalWeightLabel = "Label9";
constexpr std::string_view kPerPoundLabel = "GrainsPerPoundLbl";
constexpr std::size_t kKeyCutLength = 14;
// The outputs' text colours, as computed and while out of date.
constexpr Rgb kShaftWeightColour = kBlack;
constexpr Rgb kTotalWeightColour = kTargOrange;
// Dimmer than either, yet at least 4.5:1 on the white and the black box.
constexpr Rgb kDimmedColour = rgb(0x76, 0x76, 0x76);
constexpr Rgb kDimmedOnDark = rgb(0x9A, 0x9A, 0x9A); // the window's grey
constexpr const char* kOutOfDateHint =
    "Out of date: finish the entry (Enter or Tab) to compute the weights again";

DecimalNumber tenths(long long value)
{
    return {WideInteger(value), 1};
}

DecimalSpin weightSpin(long long maximum)
{
    return DecimalSpin(SpinRange{decimal(0), decimal(maximum)}, decimal(1), 0, decimal(0));
}

ControlState label(std::string text = {})
{
    ControlState state;
    state.kind = ControlKind::Label;
    state.text = std::move(text);
    return state;
}

ControlState orangeOnBlack(ControlKind kind, std::string text)
{
    ControlState state;
    state.kind = kind;
    state.text = std::move(text);
    state.fill = kBlack;
    state.border = kBlack;
    state.font = kTargOrange;
    return state;
}

std::string withoutBlanks(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// The whole grains of a weight as shown. A weight that the exact form
// cannot hold (a field of absurd size) is added in binary instead.
std::string wholeGrains(const std::optional<DecimalNumber>& exact, long double binary)
{
    return exact ? wholePartText(*exact) : wholePartText(binary);
}

} // namespace

std::string_view controlName(WeightInput input)
{
    static constexpr std::array<std::string_view, 5> names = {
        "FSpinEdit1", "FSpinEdit3", "FSpinEdit2", "FSpinEdit5", "FSpinEdit4"};
    return names.at(std::size_t(input));
}

std::string SpecsModel::cutKey(std::string_view handOffKey)
{
    std::string key(handOffKey);
    const auto blank = key.find(' ');
    if (blank != std::string::npos)
        key.erase(blank, 1 + kKeyCutLength);
    return key;
}

SpecsModel::SpecsModel(std::filesystem::path dataFolder, selection::ShaftSelection shaft,
                       MessageSink& messages)
    : shaft_(std::move(shaft)), messages_(messages),
      specs_(dataFolder), spins_{DecimalSpin(SpinRange{tenths(150), tenths(380)},
                                             DecimalNumber{25, 2}, 1, tenths(150)),
                                 weightSpin(300), weightSpin(150), weightSpin(150), weightSpin(100)}
{
    form_.add("Label4", label());
    form_.add(std::string(kModelsText), label());
    for (const SpecField& field : kSpecFields)
        form_.add(std::string(field.control), label());
    form_.add(std::string(kShaftWeightLabel), label());
    form_.add(std::string(kTotalWeightLabel), orangeOnBlack(ControlKind::Label, ""));
    ControlState perPound = label();
    perPound.font = kCalculatorText;
    form_.add(std::string(kPerPoundLabel), perPound);
    ControlState notFound = label();
    notFound.visible = false;
    form_.add(std::string(kNotFoundLabel), notFound);
    for (WeightInput input : kAllWeightInputs) {
        ControlState entry;
        entry.kind = ControlKind::Entry;
        entry.fill = kWhite;
        form_.add(std::string(controlName(input)), entry);
        showInput(input);
    }
    form_.add("ShaftModelsBtn", orangeOnBlack(ControlKind::Button, "2011 Shaft Models"));
    form_.add("KECalcBtn", orangeOnBlack(ControlKind::Button, "Kinetic Energy && FOC Calculator"));
    // Enabled once a shaft is found: no shaft, no arrow to build.
    for (const auto& [button, caption] :
         {std::pair{"PrintBuildBtn", "Print Build Sheet"},
          std::pair{"SaveBuildPdfBtn", "Save Build Sheet as PDF\u2026"}})
        form_.add(button, orangeOnBlack(ControlKind::Button, caption)).enabled = false;
    form_.add("CloseBtn", orangeOnBlack(ControlKind::Button, "Close"));

    key_ = cutKey(shaft_.key);
    page_ = shaft_.page;
    bowWeight_ = shaft_.bowWeight;
    try {
        open();
    } catch (const ConversionError& error) {
        messages_.error(error.what());
    } catch (const storage::StorageError& error) {
        messages_.error(error.what());
    }
}

void SpecsModel::open()
{
    specs_.open();
    found_ = specs_.seekExact(key_);
    form_["Label4"].text = shaft_.size;
    form_[kModelsText].text = shaft_.models;
    if (!found_) {
        showNotFound();
        return;
    }
    form_["PrintBuildBtn"].enabled = true;
    form_["SaveBuildPdfBtn"].enabled = true;
    showRecord();
    fillInputs();
    computeWeights();
}

void SpecsModel::showRecord()
{
    for (const SpecField& field : kSpecFields)
        form_[field.control].text = trimBlanks(specs_.table().getString(field.field));
}

void SpecsModel::showNotFound()
{
    ControlState& notice = form_[kNotFoundLabel];
    notice.text = "Shaft " + key_ + " is not in the specification table.";
    notice.visible = true;
    for (WeightInput input : kAllWeightInputs) {
        ControlState& entry = form_[controlName(input)];
        entry.text.clear();
        entry.enabled = false;
    }
}

// The arrow length and point weight come from the main window's setup, the
// rest from the record's defaults; each box brings its value into range.
void SpecsModel::fillInputs()
{
    spin(WeightInput::Length).setValue(parseRealNumber(shaft_.arrowLength));
    showInput(WeightInput::Length);
    const auto defaultWeight = [this](const char* field) {
        return parseRealField(specs_.table().getString(field));
    };
    spin(WeightInput::Point)
        .setValue(shaft_.pointWeight ? parseRealNumber(*shaft_.pointWeight)
                                     : defaultWeight("DEFPTWT"));
    showInput(WeightInput::Point);
    spin(WeightInput::Nock).setValue(defaultWeight("DEFNOCKWT"));
    showInput(WeightInput::Nock);
    spin(WeightInput::Fletching).setValue(defaultWeight("DEFVANEWT"));
    showInput(WeightInput::Fletching);
    spin(WeightInput::Insert).setValue(defaultWeight("DEFINSWT"));
    showInput(WeightInput::Insert);
}

// A two-family entry whose second family is the aluminium 52 ("QK,52")
// weighs as the 52: its GPI is the second number, characters 6 to 9.
DecimalNumber SpecsModel::grainsPerInch()
{
    const std::string& models = form_[kModelsText].text;
    const std::string gpi = specs_.table().getString("GPI");
    if (models.size() >= 5 && models.compare(2, 3, ",52") == 0)
        return parseRealNumber(withoutBlanks(gpi.size() > 5 ? gpi.substr(5, 4) : ""));
    return parseRealField(gpi);
}

void SpecsModel::computeWeights()
{
    form_[kModelsText].text = shaft_.models;
    const DecimalNumber g = grainsPerInch();
    const DecimalNumber& length = spin(WeightInput::Length).value();
    const auto shaft = multiplyExact(length, g);
    const long double shaftBinary = toLongDouble(length) * toLongDouble(g);

    std::optional<DecimalNumber> rounded =
        shaft ? addExact(*shaft, DecimalNumber{5, 1}) : std::nullopt;
    std::optional<DecimalNumber> total = shaft;
    long double totalBinary = shaftBinary;
    for (WeightInput input :
         {WeightInput::Nock, WeightInput::Point, WeightInput::Fletching, WeightInput::Insert}) {
        const DecimalNumber& weight = spin(input).value();
        total = total ? addExact(*total, weight) : std::nullopt;
        totalBinary += toLongDouble(weight);
    }
    form_[kShaftWeightLabel].text = wholeGrains(rounded, shaftBinary + 0.5L) + " Gr.";
    const std::string totalGrains = wholeGrains(total, totalBinary);
    form_[kTotalWeightLabel].text = totalGrains + " Gr.";
    showPerPound(totalGrains);
}

// From the total as shown; a total in exponent form has no whole grains
// to divide, and shows no line.
void SpecsModel::showPerPound(const std::string& totalGrains)
{
    long long grains = 0;
    const char* end = totalGrains.data() + totalGrains.size();
    const auto [stop, failure] = std::from_chars(totalGrains.data(), end, grains);
    perPound_ = failure == std::errc() && stop == end ? grainsPerPound(grains, bowWeight_)
                                                      : GrainsPerPound{};
    ControlState& line = form_[kPerPoundLabel];
    line.text = perPound_.text();
    line.font = perPound_.belowMinimum ? kWarningRed : kCalculatorText;
}

FinishedArrow SpecsModel::finishedArrow() const
{
    FinishedArrow arrow;
    arrow.size = form_["Label4"].text;
    arrow.models = form_[kModelsText].text;
    for (std::size_t i = 0; i < kSpecFields.size(); ++i)
        arrow.fields[i] = form_[kSpecFields[i].control].text;
    for (std::size_t i = 0; i < kAllWeightInputs.size(); ++i)
        arrow.inputs[i] = form_[controlName(kAllWeightInputs[i])].text;
    arrow.shaftWeight = form_[kShaftWeightLabel].text;
    arrow.total = form_[kTotalWeightLabel].text;
    arrow.perPound = perPound_;
    return arrow;
}

DecimalSpin& SpecsModel::spin(WeightInput input)
{
    return spins_.at(std::size_t(input));
}

void SpecsModel::showInput(WeightInput input)
{
    form_[controlName(input)].text = spin(input).text();
}

void SpecsModel::inputChanged(WeightInput input, bool valueChanged)
{
    if (!found_)
        return;
    showInput(input);
    if (valueChanged) {
        computeFailed_ = true; // until the weights are shown for the new value
        try {
            computeWeights();
            computeFailed_ = false;
        } catch (const ConversionError& error) {
            messages_.error(error.what());
        } catch (const storage::StorageError& error) {
            messages_.error(error.what());
        }
    }
    bool inputsShown = true;
    for (WeightInput each : kAllWeightInputs) {
        const auto typed = spin(each).textValue();
        inputsShown = inputsShown && typed && compare(*typed, spin(each).value()) == 0;
    }
    showOutOfDate(computeFailed_ || !inputsShown);
}

void SpecsModel::showOutOfDate(bool outOfDate)
{
    outOfDate_ = outOfDate;
    ControlState& shaft = form_[kShaftWeightLabel];
    ControlState& total = form_[kTotalWeightLabel];
    shaft.font = outOfDate ? kDimmedColour : kShaftWeightColour;
    total.font = outOfDate ? kDimmedColour : kTotalWeightColour;
    ControlState& perPound = form_[kPerPoundLabel];
    perPound.font = outOfDate                ? kDimmedOnDark
                    : perPound_.belowMinimum ? kWarningRed
                                             : kCalculatorText;
    shaft.hint = total.hint = perPound.hint = outOfDate ? kOutOfDateHint : "";
}

void SpecsModel::typeInput(WeightInput input, std::string text)
{
    if (!found_)
        return;
    inputChanged(input, spin(input).type(std::move(text)));
}

void SpecsModel::finishInput(WeightInput input)
{
    if (!found_)
        return;
    inputChanged(input, spin(input).finish());
}

void SpecsModel::stepInput(WeightInput input, int direction)
{
    if (!found_)
        return;
    inputChanged(input, spin(input).step(direction));
}

void SpecsModel::close()
{
    if (!specs_.isOpen())
        return;
    specs_.table().indexCloseAll();
    specs_.close();
}

} // namespace qw::calculators
