#include "TrajectoryModel.h"

#include <core/ConversionError.h>
#include <core/NumberText.h>
#include <core/Text.h>
#include <storage/ProgramFiles.h>

#include <stdexcept>

namespace qw::calculators {

namespace {

constexpr int kPixelsPerYard = 10;
constexpr int kNearAtDistance = 391; // near marker when the nearest range is the distance
constexpr int kFarAtDistance = 496;  // far marker when the extreme range is the distance
constexpr int kNearmost = 191;       // the scale's left end
constexpr int kLabelOffset = 9;
constexpr Rgb kRed = rgb(255, 0, 0);
constexpr Rgb kNavy = rgb(0, 0, 128);

ControlState control(ControlKind kind, std::string text)
{
    ControlState state;
    state.kind = kind;
    state.text = std::move(text);
    return state;
}

void requireReachable(const SpinSpec& spin, int value)
{
    if (!reachable(spin, value))
        throw std::invalid_argument(std::string(spin.control) + " cannot show " +
                                    std::to_string(value));
}

} // namespace

bool reachable(const SpinSpec& spin, int value)
{
    return value >= spin.minimum && value <= spin.maximum &&
           (value - spin.minimum) % spin.step == 0;
}

std::uint32_t trajectoryRecord(const TrajectorySetting& setting)
{
    return std::uint32_t((setting.velocity - 180) / 20 * 5 + (setting.distance - 10) / 10 +
                         (setting.weight - 350) / 50 * 35);
}

TrajectoryLayout trajectoryLayout(int distance, int nearest, int extreme)
{
    TrajectoryLayout layout;
    layout.nearX = kNearAtDistance - (distance - nearest) * kPixelsPerYard;
    if (layout.nearX <= kNearmost)
        layout.nearX = kNearmost;
    layout.farX = (extreme - distance) * kPixelsPerYard + kFarAtDistance;
    layout.barLeft = layout.nearX;
    layout.barWidth = layout.farX - layout.nearX + 2;
    layout.nearLabelX = layout.nearX - kLabelOffset;
    layout.farLabelX = layout.farX - kLabelOffset;
    return layout;
}

TrajectoryModel::TrajectoryModel(std::filesystem::path dataFolder, MessageSink& messages)
    : messages_(messages), table_(std::move(dataFolder))
{
    for (const SpinSpec* spin : {&kVelocitySpin, &kWeightSpin, &kDistanceSpin})
        form_.add(std::string(spin->control), control(ControlKind::Entry, ""));
    for (const char* label : {"Label10", "HighLabel", "LowLabel", "Label8", "Label17"})
        form_.add(label, control(ControlKind::Label, ""));
    form_["VelocitySpin"].text = std::to_string(setting_.velocity);
    form_["WeightSpin"].text = std::to_string(setting_.weight);
    form_["DistanceSpin"].text = std::to_string(setting_.distance);
    form_["Label17"].text = form_["DistanceSpin"].text;
    form_["Label17"].font = kRed;
    form_["Label8"].font = kNavy;
    form_["Label10"].font = kNavy;
    try {
        table_.open(storage::files::kTrajectory, storage::OpenMode::ReadOnly);
    } catch (const storage::StorageError& error) {
        messages_.error(error.what());
        return;
    }
    show();
}

bool TrajectoryModel::changeText(std::string_view control, const std::string& text)
{
    TrajectorySetting setting = setting_;
    try {
        const int value = parseWholeNumber(text);
        if (control == kVelocitySpin.control)
            setting.velocity = value;
        else if (control == kWeightSpin.control)
            setting.weight = value;
        else
            setting.distance = value;
        setSetting(setting);
    } catch (const std::exception&) {
        return false; // not a value of the box: the figures stay
    }
    return show();
}

void TrajectoryModel::setSetting(const TrajectorySetting& setting)
{
    requireReachable(kVelocitySpin, setting.velocity);
    requireReachable(kWeightSpin, setting.weight);
    requireReachable(kDistanceSpin, setting.distance);
    setting_ = setting;
    form_["VelocitySpin"].text = std::to_string(setting.velocity);
    form_["WeightSpin"].text = std::to_string(setting.weight);
    form_["DistanceSpin"].text = std::to_string(setting.distance);
}

bool TrajectoryModel::show()
{
    try {
        record_ = trajectoryRecord(setting_);
        table_.go(record_);
        const std::string velocity = trimBlanks(table_.getString("VEL"));
        const std::string low = trimBlanks(table_.getString("LOW"));
        const std::string high = trimBlanks(table_.getString("HIGH"));
        form_["Label10"].text = figures_.velocity = velocity;
        form_["HighLabel"].text = figures_.nearest = low;
        form_["LowLabel"].text = figures_.extreme = high;
        const int nearest = parseWholeNumber(low);
        const int extreme = parseWholeNumber(high);
        form_["Label8"].text = figures_.depth = std::to_string(extreme - nearest);
        form_["Label17"].text = form_["DistanceSpin"].text;
        layout_ = trajectoryLayout(setting_.distance, nearest, extreme);
        return true;
    } catch (const ConversionError& error) {
        messages_.error(error.what());
    } catch (const storage::StorageError& error) {
        messages_.error(error.what());
    }
    return false;
}

} // namespace qw::calculators
