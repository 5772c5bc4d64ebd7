#pragma once

#include "RunContext.h"

#include <optional>

namespace qw::selection {

// The Hunting page's part of a run: chart weight by bow type, bands, the
// record of HUNTCHRT.DBF, the row shading by chart position and the sixteen
// rows with their carbon and two-model rules.
class HuntPage {
public:
    static void run(RunContext& run);

private:
    static void work(RunContext& run);
    static void setControls(RunContext& run);
    // Each works out the chart weight of its bow type and returns its band.
    static int compound(RunContext& run, int bowWeight, int pointWeight);
    static int recurve(RunContext& run, int bowWeight, int pointWeight);
    static int longbow(RunContext& run, int bowWeight, int pointWeight);
    static void disableCompoundGroups(RunContext& run);
    static void setFrameColours(RunContext& run);
    // White throughout when no chart record is shown.
    static void shadeRows(RunContext& run, std::optional<ChartNumber> record);
    static void fillRow(RunContext& run, int row, const DecimalNumber& length);
};

} // namespace qw::selection
