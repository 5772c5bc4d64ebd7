#pragma once

#include "selection/SelectionModel.h"

#include <QString>

namespace qw::app {

// The status line under the grid: how the last run found its answer.
QString runStatusText(const selection::SelectionModel& model);

} // namespace qw::app
