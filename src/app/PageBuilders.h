#pragma once

// The pages of ShaftsNB: each page widget with its grid, legend and
// furniture (and, on Hunting, the colour key and the carbon panel), every
// control named as the engine names it.

#include "selection/Page.h"

#include <filesystem>

class QWidget;

namespace qw::app {

QWidget* buildChartPage(selection::Page page, const std::filesystem::path& dataFolder);

} // namespace qw::app
