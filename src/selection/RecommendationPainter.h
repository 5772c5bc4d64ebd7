#pragma once

// The one writer of a recommendation into the main window's form: the
// captions and enabled states of the result grid, the Hunting shading from
// the weight classes, the hints, the page key, and which setup inputs the
// page shows, enables or greys. It writes only what the run got as far as,
// so a run stopped by an error leaves the rest as the last one painted it.
// What it writes into the grids it also keeps as values (PaintedGrids), for
// everything that hands the page on.

#include "GridCells.h"
#include "Page.h"
#include "Recommendation.h"

#include <core/FormState.h>

#include <array>
#include <vector>

namespace qw::selection {

// The ground of a Hunting row of this weight class: light to dark greys,
// white for None.
Rgb weightClassFill(WeightClass weightClass);

// The four grids as painting has left them, as values: for each row of
// each page the row last painted there (an empty row where none has been;
// an unfinished row with the weight its cell kept) and how its cells stand.
class PaintedGrids {
public:
    PaintedGrids(); // the grids as designed, before any run

    // row is 1-based.
    const RecommendedRow& row(Page page, int row) const { return place(page, row).row; }
    const RowCells& cells(Page page, int row) const { return place(page, row).cells; }
    RecommendedRow& row(Page page, int row) { return place(page, row).row; }
    RowCells& cells(Page page, int row) { return place(page, row).cells; }

private:
    struct Place {
        RecommendedRow row;
        RowCells cells;
    };
    const Place& place(Page page, int row) const
    {
        return pages_[static_cast<std::size_t>(page)][static_cast<std::size_t>(row - 1)];
    }
    Place& place(Page page, int row)
    {
        return pages_[static_cast<std::size_t>(page)][static_cast<std::size_t>(row - 1)];
    }

    std::array<std::vector<Place>, 4> pages_;
};

// Paints into the form's grid cells and, alike, into painted.
void paintRecommendation(const Recommendation& recommendation, FormState& form, GridCells& grid,
                         PaintedGrids& painted);

} // namespace qw::selection
