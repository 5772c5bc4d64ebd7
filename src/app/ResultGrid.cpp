#include "ResultGrid.h"

#include "PageFurniture.h"
#include "widgets/CaptionButton.h"
#include "widgets/HeaderBar.h"

#include <array>

namespace qw::app {

using selection::CellKind;

namespace {

constexpr std::array<CellKind, 4> kKinds = {CellKind::Size, CellKind::Spine, CellKind::Model,
                                            CellKind::Weight};
const QList<int> kColumnWidths = {70, 60, 144, 86};
const QStringList kHeadings = {"Size", "Spine", "Models", "Weight"};

const QColor kHoverBlack(0, 0, 0);
const QColor kHoverWhite(255, 255, 255);
const QColor kTan(0xCC, 0xB7, 0x76);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kMaroon(0x80, 0x00, 0x00);

QString headingName(const QString& prefix, int column)
{
    static const std::array<const char*, 4> suffixes = {"SizeHdr", "SpineHdr", "ModelsHdr",
                                                        "WeightHdr"};
    return prefix + suffixes[column];
}

void buildHeader(QWidget* parent, const GridPlacement& placement)
{
    auto* bar =
        new widgets::HeaderBar(kHeadings, kColumnWidths, Qt::black, QColor(128, 128, 128), parent);
    bar->setObjectName(placement.headerPrefix + "HeaderBar");
    bar->setGeometry(placement.origin.x(), placement.origin.y(), kGridWidth, 20);
    for (int column = 0; column < bar->count(); ++column) {
        bar->heading(column)->setObjectName(headingName(placement.headerPrefix, column));
        bar->heading(column)->setAutoFillBackground(true);
    }
}

} // namespace

int buildResultGrid(QWidget* parent, selection::Page page, const GridPlacement& placement,
                    HoverRule hover)
{
    buildHeader(parent, placement);
    int y = placement.origin.y() + 20;
    for (int row = placement.firstRow; row <= placement.lastRow; ++row) {
        int x = placement.origin.x();
        for (int column = 0; column < 4; ++column) {
            auto* cell = new widgets::CaptionButton(parent);
            cell->setObjectName(
                QString::fromStdString(selection::cellName(page, kKinds[column], row)));
            cell->setAccessibleName(QStringLiteral("%1, row %2").arg(kHeadings[column]).arg(row));
            const HoverColours colours = hover(kKinds[column], row);
            cell->setHoverColours(colours.fill, colours.font);
            cell->setGeometry(x, y, kColumnWidths[column], placement.rowHeight);
            x += kColumnWidths[column];
        }
        y += placement.rowHeight;
    }
    return y;
}

HoverColours huntHover(CellKind kind, int row)
{
    if (kind == CellKind::Size)
        return {kHoverBlack, accentOf(selection::Page::Hunt)};
    if (row >= 10) // the carbon panel's rows
        return {kHoverBlack, kHoverWhite};
    if (kind == CellKind::Weight)
        return {kHoverBlack, accentOf(selection::Page::Hunt)};
    return {kTeal, kHoverWhite};
}

HoverColours targHover(CellKind kind, int)
{
    return kind == CellKind::Size ? HoverColours{kHoverBlack, accentOf(selection::Page::Targ)}
                                  : HoverColours{kHoverBlack, kTan};
}

HoverColours youthHover(CellKind kind, int)
{
    return kind == CellKind::Size ? HoverColours{kHoverBlack, accentOf(selection::Page::Targ)}
                                  : HoverColours{kHoverBlack, kHoverWhite};
}

HoverColours kavlHover(CellKind kind, int)
{
    return kind == CellKind::Size ? HoverColours{kHoverBlack, kTan}
                                  : HoverColours{kMaroon, kHoverWhite};
}

} // namespace qw::app
