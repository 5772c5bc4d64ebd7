#include "KineticEnergyModel.h"

#include <core/ConversionError.h>

#include <cmath>
#include <cstdio>

namespace qw::calculators {

namespace {

// The divisor of v^2 w is kept as a single-precision constant; 450240 is
// exact in single precision, the point is that the quotient is worked in
// extended precision and only then stored as a double.
constexpr float kEnergyDivisor = 450240.0f;
// grains x ft/s per slug-ft/s: 7000 grains per pound x 32.174 ft/s^2.
constexpr long long kMomentumDivisor = 225218;

constexpr Rgb kGreyText = rgb(0xC0, 0xC0, 0xC0);
constexpr Rgb kDimmedText = rgb(0x76, 0x76, 0x76);
constexpr const char* kOutOfDateHint = "Out of date: press Calculate for the new figures";

// Two texts stand for the same figure ("30" and "30.0"); a text that is no
// number matches only itself.
bool sameFigure(const std::string& a, const std::string& b)
{
    try {
        return compare(parseRealNumber(a), parseRealNumber(b)) == 0;
    } catch (const ConversionError&) {
        return a == b;
    }
}

bool sameInputs(const std::optional<std::pair<std::string, std::string>>& calculated,
                const std::string& first, const std::string& second)
{
    return !calculated ||
           (sameFigure(calculated->first, first) && sameFigure(calculated->second, second));
}

const char* const kButtons[] = {"KECalculateBtn", "KECloseBtn", "FOCCalculateBtn", "FOCCloseBtn"};

ControlState control(ControlKind kind, std::string text)
{
    ControlState state;
    state.kind = kind;
    state.text = std::move(text);
    return state;
}

ControlState greyOnBlack(std::string text)
{
    ControlState state = control(ControlKind::Button, std::move(text));
    state.fill = kBlack;
    state.border = kBlack;
    state.font = kGreyText;
    return state;
}

int positiveWholeNumber(const std::string& text)
{
    const int value = parseWholeNumber(text);
    if (value <= 0)
        throw CalculationNotice(kZeroIsInvalid);
    return value;
}

// Rounded half up to hundredths in whole numbers, so nothing is lost to
// binary fractions: hundredths = floor((200 w v + divisor) / (2 divisor)).
std::string momentumText(long long grains, long long feetPerSecond)
{
    const long long hundredths =
        (200 * grains * feetPerSecond + kMomentumDivisor) / (2 * kMomentumDivisor);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld.%02lld", hundredths / 100, hundredths % 100);
    return buffer;
}

float singleValue(const std::string& text)
{
    const long double value = toLongDouble(parseRealNumber(text));
    const float single = static_cast<float>(value);
    if (std::isinf(single))
        throw CalculationError(kOverflow);
    return single;
}

} // namespace

std::string_view pictureSetFor(int wholeFootPounds)
{
    if (wholeFootPounds < 25)
        return "SmallImg";
    if (wholeFootPounds <= 40)
        return "MediumImg";
    if (wholeFootPounds <= 64)
        return "BigImg";
    if (wholeFootPounds <= 200)
        return "ToughImg";
    return "Tanks";
}

EnergyResult kineticEnergy(const std::string& grainWeightText, const std::string& velocityText)
{
    const int velocity = positiveWholeNumber(velocityText);
    const int grains = positiveWholeNumber(grainWeightText);
    const double v = velocity;
    const double w = grains;
    const double quotient =
        static_cast<double>(static_cast<long double>(v) * v * w / kEnergyDivisor);
    const double energy = static_cast<double>(static_cast<long double>(quotient) + 0.005L);

    EnergyResult result;
    result.energy = cutAfterDecimals(generalText(energy), 2);
    const int whole = std::atoi(result.energy.substr(0, result.energy.find('.')).c_str());
    result.bar = whole > 100 ? 100 : whole;
    result.pictures = std::string(pictureSetFor(whole));
    result.momentum = momentumText(grains, velocity);
    return result;
}

// Worked as the window always has: the two lengths in single precision, the
// arithmetic in extended precision, the percentage stored in single
// precision and its text cut after one decimal, so 25.6 and 16.0 show 12.4.
std::string frontOfCentre(const std::string& lengthText, const std::string& balanceText)
{
    const float length = singleValue(lengthText);
    const float balance = singleValue(balanceText);
    if (length == 0)
        throw CalculationError(balance == 0 ? kInvalidOperation : kDivisionByZero);
    const long double percent =
        (static_cast<long double>(balance) - static_cast<long double>(length) / 2) * 100 /
        static_cast<long double>(length);
    const float stored = static_cast<float>(percent);
    if (std::isinf(stored))
        throw CalculationError(kOverflow);
    return cutAfterDecimals(generalText(stored), 1) + "%";
}

KineticEnergyModel::KineticEnergyModel(MessageSink& messages)
    : messages_(messages),
      length_(std::nullopt, DecimalNumber{1, 1}, 1, parseRealNumber(std::string(kStartFocLength))),
      balance_(std::nullopt, DecimalNumber{25, 2}, 1,
               parseRealNumber(std::string(kStartFocBalance)))
{
    form_.add("PageControl1", [] {
        ControlState pages = control(ControlKind::PageControl, "");
        pages.itemIndex = 0;
        return pages;
    }());
    const std::string weight(kStartGrainWeight);
    const std::string velocity(kStartVelocity);
    form_.add("GrainWt", control(ControlKind::Entry, weight));
    form_.add("Velocity", control(ControlKind::Entry, velocity));
    const EnergyResult defaults = kineticEnergy(weight, velocity);
    energyInputs_ = {weight, velocity};
    form_.add("Label6", control(ControlKind::Label, defaults.energy));
    form_.add("MomentumLbl", control(ControlKind::Label, defaults.momentum));
    form_.add("FSpinLenEdit", control(ControlKind::Entry, length_.text()));
    form_.add("FSpinBalEdit", control(ControlKind::Entry, balance_.text()));
    form_.add("Label9", control(ControlKind::Label, ""));
    form_.add("KECalculateBtn", greyOnBlack("Calculate"));
    form_.add("KECloseBtn", greyOnBlack("Close"));
    form_.add("FOCCalculateBtn", greyOnBlack("Calculate"));
    form_.add("FOCCloseBtn", greyOnBlack("Close"));
}

void KineticEnergyModel::activate()
{
    for (const char* button : kButtons)
        form_[button].font = kTargOrange;
    focus_ = "GrainWt";
}

DecimalSpin* KineticEnergyModel::decimalSpin(std::string_view control)
{
    if (control == "FSpinLenEdit")
        return &length_;
    if (control == "FSpinBalEdit")
        return &balance_;
    return nullptr;
}

void KineticEnergyModel::showDecimal(std::string_view control)
{
    form_[control].text = decimalSpin(control)->text();
}

void KineticEnergyModel::changeText(std::string_view control, std::string text)
{
    if (DecimalSpin* spin = decimalSpin(control))
        spin->type(text);
    form_[control].text = std::move(text);
    showOutOfDate();
}

void KineticEnergyModel::stepDecimal(std::string_view control, int direction)
{
    decimalSpin(control)->step(direction);
    showDecimal(control);
    showOutOfDate();
}

void KineticEnergyModel::showOutOfDate()
{
    energyOutOfDate_ = !sameInputs(energyInputs_, form_["GrainWt"].text, form_["Velocity"].text);
    focOutOfDate_ = !sameInputs(focInputs_, form_["FSpinLenEdit"].text, form_["FSpinBalEdit"].text);
    const std::pair<const char*, bool> outputs[] = {
        {"Label6", energyOutOfDate_}, {"MomentumLbl", energyOutOfDate_}, {"Label9", focOutOfDate_}};
    for (const auto& [name, outOfDate] : outputs) {
        form_[name].font = outOfDate ? kDimmedText : kBlack;
        form_[name].hint = outOfDate ? kOutOfDateHint : "";
    }
}

void KineticEnergyModel::calculateEnergy()
{
    try {
        const EnergyResult result = kineticEnergy(form_["GrainWt"].text, form_["Velocity"].text);
        form_["Label6"].text = result.energy;
        form_["MomentumLbl"].text = result.momentum;
        bar_ = result.bar;
        pictures_ = result.pictures;
        animating_ = true;
        energyInputs_ = {form_["GrainWt"].text, form_["Velocity"].text};
        showOutOfDate();
    } catch (const CalculationNotice& notice) {
        messages_.information(notice.what(), 0);
    } catch (const ConversionError& error) {
        messages_.error(error.what());
    }
    focus_ = "GrainWt";
}

void KineticEnergyModel::calculateFoc()
{
    try {
        form_["Label9"].text =
            frontOfCentre(form_["FSpinLenEdit"].text, form_["FSpinBalEdit"].text);
        focInputs_ = {form_["FSpinLenEdit"].text, form_["FSpinBalEdit"].text};
        showOutOfDate();
        focus_ = "FSpinLenEdit";
    } catch (const CalculationError& error) {
        messages_.error(error.what());
    } catch (const ConversionError& error) {
        messages_.error(error.what());
    }
}

} // namespace qw::calculators
