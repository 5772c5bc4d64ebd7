#pragma once

// The trajectory reference window TTrajectory without its widgets: for a
// velocity, an arrow weight and a distance it reads the precomputed record
// of Newtraj.dbf and lays out the kill window on a yardage scale of 10
// pixels per yard around the target.

#include <core/FormState.h>
#include <core/MessageSink.h>
#include <storage/Table.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace qw::calculators {

struct TrajectorySetting {
    int velocity = 240; // ft/s, 180-300 step 20
    int weight = 450;   // grains, 350-650 step 50
    int distance = 40;  // yards, 20-60 step 10
};

struct SpinSpec {
    std::string_view control;
    int minimum;
    int maximum;
    int step;
};
inline constexpr SpinSpec kVelocitySpin{"VelocitySpin", 180, 300, 20};
inline constexpr SpinSpec kWeightSpin{"WeightSpin", 350, 650, 50};
inline constexpr SpinSpec kDistanceSpin{"DistanceSpin", 20, 60, 10};

// Whether the spin box's arrows can reach the value.
bool reachable(const SpinSpec& spin, int value);
std::uint32_t trajectoryRecord(const TrajectorySetting& setting);

// Client-area x coordinates of the scale.
struct TrajectoryLayout {
    int nearX = 0;   // Shape3
    int farX = 0;    // Shape2
    int barLeft = 0; // Shape4
    int barWidth = 0;
    int nearLabelX = 0; // HighLabel
    int farLabelX = 0;  // LowLabel
};
TrajectoryLayout trajectoryLayout(int distance, int nearest, int extreme);

// The figures the window shows for the record, as read (whole yards and
// feet per second, blanks trimmed).
struct TrajectoryFigures {
    std::string velocity; // VEL, ft/s (Label10)
    std::string nearest;  // LOW, the kill window's near end in yards (HighLabel)
    std::string extreme;  // HIGH, its far end in yards (LowLabel)
    std::string depth;    // extreme less nearest, in yards (Label8)
};

class TrajectoryModel {
public:
    // Opens Newtraj.dbf (a failure goes to messages) and shows the defaults.
    TrajectoryModel(std::filesystem::path dataFolder, MessageSink& messages);

    const FormState& form() const { return form_; }
    const TrajectorySetting& setting() const { return setting_; }
    const TrajectoryLayout& layout() const { return layout_; }
    // As last shown; a failed show() leaves what it had read by then.
    const TrajectoryFigures& figures() const { return figures_; }
    std::uint32_t record() const { return record_; }

    // A spin box's new text. Its arrows only ever give reachable values;
    // anything else is ignored (false).
    bool changeText(std::string_view control, const std::string& text);
    // Throws std::invalid_argument for a value the arrows cannot reach.
    void setSetting(const TrajectorySetting& setting);
    // Reads the record for the setting and lays the scale out; a failure
    // goes to messages. Returns whether it got through.
    bool show();

private:
    MessageSink& messages_;
    storage::Table table_;
    FormState form_;
    TrajectorySetting setting_;
    TrajectoryLayout layout_;
    TrajectoryFigures figures_;
    std::uint32_t record_ = 0;
};

} // namespace qw::calculators
