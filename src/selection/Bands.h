#pragma once

// The weight bands of the charts and the chart-weight adjustments that the
// pages share. A band is the chart column a chart weight falls in, from 1;
// 0 when it falls in none.

#include <vector>

namespace qw::selection {

struct WeightRange {
    int lowest;  // inclusive
    int highest; // inclusive
};

struct BandTable {
    int firstBand; // band number of ranges[0]
    std::vector<WeightRange> ranges;
};

// Any chart weight of a run, however far outside the bands.
int bandOf(const BandTable& table, long long chartWeight);
// The lowest and the highest chart weight the table's bands cover.
WeightRange coveredWeights(const BandTable& table);

const BandTable& huntCompoundBands(int camIndex); // 0 hard, 1 medium
const BandTable& huntRecurveBands();
const BandTable& huntLongbowBands();
const BandTable& targCompoundBands(int wheelIndex); // 0 hard, 1 medium, 2 soft
const BandTable& targRecurveBands();
const BandTable& youthBands();
const BandTable& kavlBands(int camIndex); // 0 hard cam and recurve, 1 medium

// Points heavier or lighter than the chart's 100 grains change the chart
// weight by the first matching range's amount (no match: no change).
struct PointWeightStep {
    int lowest;
    int highest;
    int pounds;
};
int pointWeightAdjustment(const std::vector<PointWeightStep>& steps, int pointWeight);

const std::vector<PointWeightStep>& huntCompoundPointSteps();
const std::vector<PointWeightStep>& huntRecurvePointSteps();
const std::vector<PointWeightStep>& huntLongbowPointSteps();
const std::vector<PointWeightStep>& targCompoundPointSteps();

// Overdraw only counts for chart weights from 50 to 70 pounds.
int overdrawAdjustment(int overdrawIndex, long long chartWeight);

} // namespace qw::selection
