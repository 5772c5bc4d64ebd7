#pragma once

#include "RunContext.h"

namespace qw::selection {

// The Hunting page's part of a run: chart weight by bow type, bands, the
// record of HUNTCHRT.DBF, the row shading by chart position and the sixteen
// rows with their carbon and two-model rules.
class HuntPage {
public:
    static void run(RunContext& run);

private:
    struct ChartPosition {
        int chartWeight;
        int band;
        int record;
    };
    static void setControls(RunContext& run);
    static ChartPosition compound(RunContext& run, int bowWeight, int pointWeight, int length);
    static ChartPosition recurve(RunContext& run, int bowWeight, int pointWeight, int length);
    static ChartPosition longbow(RunContext& run, int bowWeight, int pointWeight, int length);
    static void disableCompoundGroups(RunContext& run);
    static void setFrameColours(RunContext& run);
    static void shadeRows(RunContext& run, int record);
    static void fillRow(RunContext& run, int row, const DecimalNumber& length);
};

} // namespace qw::selection
