#pragma once

// The kinetic energy and FOC window TKECalc2 without its widgets. The first
// page classes an arrow's kinetic energy by the game it suits and shows its
// momentum beside it; the second gives the arrow's front-of-centre balance.
// Nothing is calculated until "Calculate" is pressed.

#include "DecimalSpin.h"

#include <core/FormState.h>
#include <core/MessageSink.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace qw::calculators {

// The figures the window opens with.
inline constexpr std::string_view kStartGrainWeight = "400";
inline constexpr std::string_view kStartVelocity = "200";
inline constexpr std::string_view kStartFocLength = "30.0";
inline constexpr std::string_view kStartFocBalance = "15.0";

// The two calculations on their own, as the window and the command-line
// tool use them.
struct EnergyResult {
    std::string energy;   // "35.54": foot-pounds, cut after two decimals
    int bar = 0;          // whole foot-pounds, at most 100
    std::string pictures; // SmallImg, MediumImg, BigImg, ToughImg or Tanks
    std::string momentum; // "0.36": slug-feet per second, rounded to two decimals
};

// Velocity is read first: with both zero the message comes once. Throws
// ConversionError for a text that is no whole number and
// CalculationNotice for a zero or negative figure.
EnergyResult kineticEnergy(const std::string& grainWeightText, const std::string& velocityText);
// The picture set for whole foot-pounds.
std::string_view pictureSetFor(int wholeFootPounds);

// "12.4%"; throws CalculationError for a zero length.
std::string frontOfCentre(const std::string& lengthText, const std::string& balanceText);

// A notice that ends the calculation: shown as an information box.
class CalculationNotice : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// A floating point failure: shown as an error box.
class CalculationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kZeroIsInvalid = "Zero is invalid, please enter a whole number.";
inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kOverflow = "Floating point overflow";

class KineticEnergyModel {
public:
    // Ranges of the two whole-number boxes (their arrows step by 10).
    static constexpr int kWholeMinimum = 0;
    static constexpr int kWholeMaximum = 9999;
    static constexpr int kWholeStep = 10;
    static constexpr int kWholeMaxLength = 4;

    explicit KineticEnergyModel(MessageSink& messages);

    const FormState& form() const { return form_; }
    // The control that should hold the input focus now.
    const std::string& focus() const { return focus_; }
    int barPosition() const { return bar_; }
    const std::string& pictureSet() const { return pictures_; }
    bool animating() const { return animating_; }

    // Each time the window becomes active: the buttons' text turns orange
    // and GrainWt takes the focus.
    void activate();
    // Texts of GrainWt, Velocity (typed or stepped) and of the FOC boxes.
    void changeText(std::string_view control, std::string text);
    void stepDecimal(std::string_view control, int direction);

    // The user choosing a page of PageControl1.
    void changePage(int page) { form_["PageControl1"].itemIndex = page; }

    void calculateEnergy(); // "Calculate" on the first page
    void calculateFoc();    // "Calculate" on the second page

    // A page's shown result no longer matches its inputs (they were changed
    // since it was calculated): the result, the momentum beside the energy
    // and the bar are dimmed, with the reason as their hint, until
    // "Calculate" is pressed again.
    bool energyOutOfDate() const { return energyOutOfDate_; }
    bool focOutOfDate() const { return focOutOfDate_; }

private:
    DecimalSpin* decimalSpin(std::string_view control);
    void showDecimal(std::string_view control);
    void showOutOfDate();

    MessageSink& messages_;
    FormState form_;
    DecimalSpin length_;
    DecimalSpin balance_;
    std::string focus_ = "GrainWt";
    int bar_ = 35;
    std::string pictures_ = "MediumImg";
    bool animating_ = false;
    // The inputs each shown result was calculated from (none: no result yet).
    std::optional<std::pair<std::string, std::string>> energyInputs_;
    std::optional<std::pair<std::string, std::string>> focInputs_;
    bool energyOutOfDate_ = false;
    bool focOutOfDate_ = false;
};

} // namespace qw::calculators
