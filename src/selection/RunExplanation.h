#pragma once

// The status line under the grid: what the last run worked out, in words.

#include "Page.h"
#include "RunSummary.h"

#include <string>

namespace qw::selection {

// e.g. "Chart weight 65 lb, band 7, chart position 14", or in plain words
// why no shaft is shown: the chart weight outside the chart's weights, the
// arrow length off the chart, an entry or a table that could not be read.
std::string explainRun(const RunSummary& run, Page page);

} // namespace qw::selection
