#include "GridCells.h"

namespace qw::selection {

GridCells::GridCells(FormState& form)
{
    for (Page page : kAllPages) {
        auto& rows = cells_[static_cast<std::size_t>(page)];
        for (int row = 1; row <= pageInfo(page).rows; ++row) {
            Row cells{};
            for (CellKind kind :
                 {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight})
                cells[static_cast<std::size_t>(kind)] = &form[cellName(page, kind, row)];
            rows.push_back(cells);
        }
    }
}

} // namespace qw::selection
