#pragma once

// The one writer of a recommendation into the main window's form: the
// captions and enabled states of the result grid, the Hunting shading from
// the weight classes, the hints, the page key, and which setup inputs the
// page shows, enables or greys. It writes only what the run got as far as,
// so a run stopped by an error leaves the rest as the last one painted it.

#include "GridCells.h"
#include "Recommendation.h"
#include <core/FormState.h>

namespace qw::selection {

void paintRecommendation(const Recommendation& recommendation, FormState& form, GridCells& grid);

} // namespace qw::selection
