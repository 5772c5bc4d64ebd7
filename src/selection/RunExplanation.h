#pragma once

// The status line under the grid: what the last run worked out, in words.

#include "Page.h"
#include "RunSummary.h"

#include <string>

namespace qw::selection {

// e.g. "Chart weight 65 lb, band 7, chart position 14", or why no chart
// position is shown.
std::string explainRun(const RunSummary& run, Page page);

} // namespace qw::selection
