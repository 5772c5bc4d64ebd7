#pragma once

// Writing the cells of a result grid row, the same on every page.

#include "ChartTables.h"
#include "FormState.h"
#include "GridCells.h"
#include "NumberText.h"
#include "Pages.h"

#include <string>

namespace qw::selection {

ControlState& gridCell(GridCells& grid, Page page, CellKind kind, int row);
void setCaption(GridCells& grid, Page page, CellKind kind, int row, std::string caption);

// A column without a shaft: captions hidden and cleared; the size cell
// disabled when disableSize.
void fillEmptyRow(GridCells& grid, Page page, int row, bool disableSize = true);

// A shaft the chart lists but the specification table does not hold: the
// size stays visible so the salesperson sees what the chart names, the
// other cells are cleared rather than showing some other shaft's data, and
// the size cell is disabled because there are no specs to open.
void fillRowWithoutSpec(GridCells& grid, Page page, int row, const std::string& size);

// The weight cell caption from a GPI text holding one number. A negative
// arrow length (possible on the pages without the entry gate, where it is
// always off the chart) gives no weight: the caption stays empty rather
// than show a shaft weighing less than nothing.
std::string singleModelWeight(const std::string& gpiText, const DecimalNumber& length);
// Two models in one cell: characters 1-4 and 6-9 of the GPI text are the
// grains per inch of each; the caption is "<first>,<second>".
std::string twoModelWeights(const std::string& gpiText, const DecimalNumber& length);

} // namespace qw::selection
