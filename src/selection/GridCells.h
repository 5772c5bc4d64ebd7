#pragma once

// Direct access to the cells of the four result grids. A run touches every
// cell of every grid; finding each by its name in the form would cost more
// than the chart and specification reads together.

#include "Pages.h"

#include <core/FormState.h>

#include <array>
#include <vector>

namespace qw::selection {

class GridCells {
public:
    // form must outlive this object; its controls never move (node-based map).
    explicit GridCells(FormState& form);

    ControlState& cell(Page page, CellKind kind, int row)
    {
        return *cells_[static_cast<std::size_t>(page)][static_cast<std::size_t>(row - 1)]
                      [static_cast<std::size_t>(kind)];
    }

private:
    using Row = std::array<ControlState*, 4>;
    std::array<std::vector<Row>, 4> cells_;
};

} // namespace qw::selection
