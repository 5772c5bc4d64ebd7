#pragma once

// What the outermost run of FindRec worked out, for the status line and the
// command-line tool.

#include <optional>

namespace qw::selection {

// nullopt where the run did not get that far.
struct RunSummary {
    bool ran = false; // the active page's work ran (entry gate passed)
    std::optional<int> chartWeight;
    std::optional<int> band;
    std::optional<int> record;
    bool valid = false;  // record lay in the page's range
    bool failed = false; // an error message ended the run
};

} // namespace qw::selection
