#include "Bands.h"

#include <array>

namespace qw::selection {

namespace {

// Five-pound bands up to a six-pound band, then six-pound bands: the shape
// shared by the compound columns of the hunting, target and Kavel charts.
const std::vector<WeightRange> kFromTwentyTwo = {{22, 26}, {27, 31}, {32, 36}, {37, 41}, {42, 46},
                                                 {47, 51}, {52, 56}, {57, 61}, {62, 66}, {67, 72},
                                                 {73, 78}, {79, 84}, {85, 90}, {91, 96}, {97, 102}};

std::vector<WeightRange> slice(const std::vector<WeightRange>& ranges, int from, int count)
{
    return {ranges.begin() + from, ranges.begin() + from + count};
}

} // namespace

int bandOf(const BandTable& table, long long chartWeight)
{
    for (std::size_t i = 0; i < table.ranges.size(); ++i)
        if (chartWeight >= table.ranges[i].lowest && chartWeight <= table.ranges[i].highest)
            return table.firstBand + static_cast<int>(i);
    return 0;
}

WeightRange coveredWeights(const BandTable& table)
{
    return {table.ranges.front().lowest, table.ranges.back().highest};
}

const BandTable& huntCompoundBands(int camIndex)
{
    static const BandTable hard{1, slice(kFromTwentyTwo, 2, 12)};   // 32-36 .. 91-96
    static const BandTable medium{1, slice(kFromTwentyTwo, 3, 12)}; // 37-41 .. 97-102
    return camIndex == 1 ? medium : hard;
}

const BandTable& huntRecurveBands()
{
    static const BandTable table{1,
                                 {{32, 36},
                                  {37, 41},
                                  {42, 46},
                                  {47, 51},
                                  {52, 56},
                                  {57, 61},
                                  {62, 66},
                                  {67, 72},
                                  {73, 78},
                                  {79, 84},
                                  {85, 90},
                                  {91, 95}}};
    return table;
}

const BandTable& huntLongbowBands()
{
    static const BandTable table{1,
                                 {{38, 43},
                                  {44, 49},
                                  {50, 55},
                                  {56, 61},
                                  {62, 67},
                                  {68, 73},
                                  {74, 79},
                                  {80, 85},
                                  {86, 91},
                                  {92, 97},
                                  {98, 103},
                                  {104, 109},
                                  {110, 115},
                                  {116, 121}}};
    return table;
}

const BandTable& targCompoundBands(int wheelIndex)
{
    static const std::vector<WeightRange> target = {{29, 35}, {36, 40}, {41, 45}, {46, 50},
                                                    {51, 55}, {56, 60}, {61, 65}, {66, 70},
                                                    {71, 76}, {77, 82}, {83, 88}};
    static const std::array<BandTable, 3> tables = {
        BandTable{3, slice(target, 0, 9)},  // single/hard cam: bands 3-11
        BandTable{2, slice(target, 0, 10)}, // medium cam: bands 2-11
        BandTable{1, target},               // soft cam: bands 1-11
    };
    return tables[wheelIndex >= 0 && wheelIndex <= 2 ? wheelIndex : 0];
}

const BandTable& targRecurveBands()
{
    static const BandTable table{1,
                                 {{17, 23},
                                  {24, 29},
                                  {30, 35},
                                  {36, 40},
                                  {41, 45},
                                  {46, 50},
                                  {51, 55},
                                  {56, 60},
                                  {61, 65},
                                  {66, 70},
                                  {71, 76}}};
    return table;
}

const BandTable& youthBands()
{
    static const BandTable table{1, {{16, 19}, {20, 23}, {24, 27}, {28, 31}, {32, 35}, {36, 40}}};
    return table;
}

const BandTable& kavlBands(int camIndex)
{
    static const BandTable hard{1, slice(kFromTwentyTwo, 0, 13)};   // 22-26 .. 85-90
    static const BandTable medium{1, slice(kFromTwentyTwo, 1, 13)}; // 27-31 .. 91-96
    return camIndex == 1 ? medium : hard;
}

int pointWeightAdjustment(const std::vector<PointWeightStep>& steps, int pointWeight)
{
    for (const PointWeightStep& step : steps)
        if (pointWeight >= step.lowest && pointWeight <= step.highest)
            return step.pounds;
    return 0;
}

const std::vector<PointWeightStep>& huntCompoundPointSteps()
{
    static const std::vector<PointWeightStep> steps = {{105, 125, 3}, {130, 155, 6}, {160, 185, 9}};
    return steps;
}

const std::vector<PointWeightStep>& huntRecurvePointSteps()
{
    static const std::vector<PointWeightStep> steps = {{65, 85, -3}, {115, 135, 3}, {140, 160, 6}};
    return steps;
}

const std::vector<PointWeightStep>& huntLongbowPointSteps()
{
    static const std::vector<PointWeightStep> steps = {{105, 125, 3}, {130, 150, 6}, {155, 160, 9}};
    return steps;
}

const std::vector<PointWeightStep>& targCompoundPointSteps()
{
    return huntLongbowPointSteps(); // the same steps: 105-125, 130-150, 155-160
}

int overdrawAdjustment(int overdrawIndex, long long chartWeight)
{
    static constexpr std::array<int, 6> pounds = {0, 1, 3, 6, 9, 12};
    if (chartWeight < 50 || chartWeight > 70)
        return 0;
    if (overdrawIndex < 0 || overdrawIndex >= static_cast<int>(pounds.size()))
        return 0;
    return pounds[overdrawIndex];
}

} // namespace qw::selection
