#pragma once

#include "selection/Pages.h"

#include <QColor>
#include <QPoint>
#include <QString>

class QWidget;

namespace qw::app {

// Hover colours of one cell: background and text while the mouse is over it.
struct HoverColours {
    QColor fill;
    QColor font;
};

// Which hover colours a page gives a cell of a row.
using HoverRule = HoverColours (*)(selection::CellKind kind, int row);

struct GridPlacement {
    QPoint origin;    // top left of the header bar, in the parent
    int firstRow = 1; // 1-based, inclusive
    int lastRow = 1;
    int rowHeight = 22;
    QString headerPrefix; // "H", "CAWT", ...: the headings are <prefix>SizeHdr ...
};

inline constexpr int kGridWidth = 360;
// The left part of a page: the grid, the carbon panel and the legend.
inline constexpr int kGridAreaWidth = kGridWidth + 8;

// Builds a header bar and rows of four caption cells, each named as the
// engine names it; returns the y just below the last row.
int buildResultGrid(QWidget* parent, selection::Page page, const GridPlacement& placement,
                    HoverRule hover);

HoverColours huntHover(selection::CellKind kind, int row);
HoverColours targHover(selection::CellKind kind, int row);
HoverColours youthHover(selection::CellKind kind, int row);
HoverColours kavlHover(selection::CellKind kind, int row);

} // namespace qw::app
