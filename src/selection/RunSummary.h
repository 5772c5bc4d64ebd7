#pragma once

// What the outermost run of FindRec worked out, for the status line and the
// command-line tool.

#include <optional>
#include <string>

namespace qw::selection {

// Chart weights, arrow lengths and chart positions are worked out in 64
// bits: an entry may hold any whole number of the 32-bit range, and the
// page's adjustments and length offsets must not wrap it round into a band
// or onto the chart.
using ChartNumber = long long;

// How far the run got with the chart of its page.
enum class ChartOutcome {
    NotReached,       // skipped by the entry gate, or stopped by an error first
    OutsideEveryBand, // the chart weight is in no band: no shaft is recommended
    OutsideChart,     // the arrow length put the chart position off the chart
    Shown,            // the chart position is shown
};

// Inclusive range, in pounds or inches.
struct ChartSpan {
    ChartNumber lowest;
    ChartNumber highest;
};

// nullopt where the run did not get that far.
struct RunSummary {
    bool ran = false; // the active page's work ran (entry gate passed)
    std::optional<ChartNumber> chartWeight;
    std::optional<int> band;
    std::optional<ChartNumber> record;
    bool valid = false;  // record lay in the page's range and was shown
    bool failed = false; // an error message ended the run
    // The run is the invalid-selection step's second: the page's bow weight
    // entry was reset to its default before it.
    bool bowWeightReset = false;
    ChartOutcome outcome = ChartOutcome::NotReached;
    // The bow and cam the bands were chosen for, in words ("a compound bow
    // with a hard cam"), and the chart weights those bands cover.
    std::string bowInWords;
    std::optional<ChartSpan> coveredWeights;
    // The arrow length the chart position came from, and the lengths that
    // would have put the run's band on the chart.
    std::optional<ChartNumber> arrowLength;
    std::optional<ChartSpan> coveredLengths;
    std::string failure; // the message of the error that ended the run, when known
};

} // namespace qw::selection
