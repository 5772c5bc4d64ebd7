#pragma once

// The specifications window TSpecsFrm without its widgets: opened on the
// shaft the main window's size-cell click handed over (TmpLbl, SpcLbl,
// Mods, TmpLbl2 and the setup entries), it looks the shaft up in its own
// Specs.DBF, shows the record's fields and adds up the finished arrow's
// weight from five number inputs. Weights are worked out in exact decimal.
//
// A key that the specification table does not hold exactly leaves the
// window empty: it says so, shows no fields and computes nothing, rather
// than showing whatever shaft the seek stopped next to.
//
// Below the total, GrainsPerPoundLbl relates the finished weight to the
// bow weight of the main window's page, in red when the arrow is lighter
// than bow makers allow.

#include "DecimalSpin.h"
#include "GrainsPerPound.h"

#include <core/FormState.h>
#include <core/MessageSink.h>
#include <selection/Page.h>
#include <selection/ShaftSelection.h>
#include <selection/SpecsTable.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qw::calculators {

enum class WeightInput { Length, Point, Nock, Insert, Fletching };
inline constexpr std::array<WeightInput, 5> kAllWeightInputs = {
    WeightInput::Length, WeightInput::Point, WeightInput::Nock, WeightInput::Insert,
    WeightInput::Fletching};

// "FSpinEdit1" (length), "FSpinEdit3" (point), ...
std::string_view controlName(WeightInput input);

// The specification fields the window shows, in order, with their labels'
// names: ARROWTYPE -> "ArrowTypeText", ...
struct SpecField {
    std::string_view field;
    std::string_view control;
};
inline constexpr std::array<SpecField, 7> kSpecFields = {{
    {"ARROWTYPE", "ArrowTypeText"},
    {"LENGTH", "LengthText"},
    {"OD", "OdText"},
    {"ID", "IdText"},
    {"WALL", "WallText"},
    {"GPI", "GpiText"},
    {"SPINE", "SpineText"},
}};

// The calculator's text on its dark ground, and the warning red.
inline constexpr Rgb kCalculatorText = rgb(0xF0, 0xF0, 0xF0);
inline constexpr Rgb kWarningRed = rgb(255, 0, 0);

// The finished arrow as the window shows it, every text as shown: what the
// build sheet prints.
struct FinishedArrow {
    std::string size, models;
    std::array<std::string, kSpecFields.size()> fields;      // in the order of kSpecFields
    std::array<std::string, kAllWeightInputs.size()> inputs; // in the order of kAllWeightInputs
    std::string shaftWeight, total;                          // "286 Gr."
    GrainsPerPound perPound;
};

class SpecsModel {
public:
    // The shaft is the one the size-cell click handed over. Runs the opening steps at once: cut the
    // key, open the table and the index, seek, fill the inputs and labels, compute. Failures (a
    // table that cannot be opened, a field that is no number) go to messages and end the steps
    // there; the window opens all the same.
    SpecsModel(std::filesystem::path dataFolder, selection::ShaftSelection shaft,
               MessageSink& messages);

    const FormState& form() const { return form_; }
    // The specification key looked up: TmpLbl with its first blank and at
    // most 14 characters after it removed.
    const std::string& key() const { return key_; }
    // The table holds exactly that key.
    bool found() const { return found_; }
    // The page the shaft was clicked on.
    selection::Page page() const { return page_; }
    // The line under the total, as last computed.
    const GrainsPerPound& perPound() const { return perPound_; }
    FinishedArrow finishedArrow() const;

    // Input events. Each change of an input's value recomputes the weights
    // from the record already found, without a new lookup.
    void typeInput(WeightInput input, std::string text);
    void finishInput(WeightInput input);
    void stepInput(WeightInput input, int direction);

    // The shown weights no longer match the inputs: a box holds a text that
    // is not its value yet (a half-typed number, one outside the range,
    // until editing ends) or the last calculation failed. The outputs are
    // then dimmed, with the reason as their hint, until computed again.
    bool outOfDate() const { return outOfDate_; }

    // "Close": the index files and the table are closed.
    void close();
    bool isTableOpen() const { return specs_.isOpen(); }

    static std::string cutKey(std::string_view handOffKey);

private:
    void open();
    void showRecord();
    void showNotFound();
    void fillInputs();
    void computeWeights();
    void showPerPound(const std::string& totalGrains);
    DecimalNumber grainsPerInch();
    DecimalSpin& spin(WeightInput input);
    void showInput(WeightInput input);
    void inputChanged(WeightInput input, bool valueChanged);
    void showOutOfDate(bool outOfDate);

    selection::ShaftSelection shaft_;
    MessageSink& messages_;
    selection::SpecsTable specs_;
    FormState form_;
    std::array<DecimalSpin, 5> spins_;
    std::string key_;
    selection::Page page_ = selection::Page::Hunt;
    std::string bowWeight_; // the page's bow weight entry, as typed
    GrainsPerPound perPound_;
    bool found_ = false;
    bool outOfDate_ = false;
    bool computeFailed_ = false; // the last change's weights could not be worked out
};

} // namespace qw::calculators
