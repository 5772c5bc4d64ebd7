#pragma once

#include "selection/Pages.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <filesystem>

class QWidget;

namespace qw::app {

struct PageLook {
    selection::Page page;
    QColor accent;
    QColor caption;       // command captions and links on the dark page
    QColor background;    // behind the grid and the furniture
    QString bannerPrefix; // "hunt" -> hunt_01.png ...
    QString productUrl;
};

const PageLook& pageLook(selection::Page page);
// The page's accent colour, as the engine colours the page's buttons.
QColor accentOf(selection::Page page);

// The column at the right of every page: Print, Save Setup, Get Setup,
// Exit, the two larger buttons, the banner, the "2011" button and the
// support mail link. Names: <prefix>PrintBtn, <prefix>Banner, ...
void buildPageFurniture(QWidget* page, const PageLook& look);
// The free space of the command column under the "2011" button.
inline constexpr QRect kStaleNotePlace{372, 366, 220, 60};

// The model legend under a grid, one line per abbreviation, read from the
// legend file in the data folder. Named <prefix>LegendLbl.
void buildModelLegend(QWidget* page, selection::Page which, const std::filesystem::path& folder,
                      int top, int bottom);

} // namespace qw::app
