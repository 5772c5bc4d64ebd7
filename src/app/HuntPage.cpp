#include "CarbonPanel.h"
#include "PageBuilders.h"
#include "PageFurniture.h"
#include "ResultGrid.h"

#include <QLabel>

#include <array>

namespace qw::app {

using selection::Page;

namespace {

struct Swatch {
    QColor colour;
    const char* text;
};

// Top of the colour key: just under row 9 of the hunting grid.
constexpr int kKeyTop = 232;

void buildColourKey(QWidget* page)
{
    static const std::array<Swatch, 4> swatches = {{
        {QColor(0xC0, 0xC0, 0xC0), "= Lightest and fastest."},
        {QColor(0x93, 0x93, 0x93), "= Medium weight offering good speed and durability."},
        {QColor(0x5F, 0x5F, 0x5F), "= Heavier weights for excellent durability and penetration."},
        {QColor(0xFF, 0xFF, 0xFF), "= Aluminum/carbon and carbon."},
    }};
    auto* title = new QLabel("Color Designation for Aluminum Arrows", page);
    title->setObjectName("HColorKeyLbl");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setGeometry(6, kKeyTop, 360, 16);
    int y = kKeyTop + 18;
    for (std::size_t i = 0; i < swatches.size(); ++i) {
        auto* box = new QLabel(page);
        box->setObjectName(QString("HColorSwatch%1").arg(i + 1));
        box->setAutoFillBackground(true);
        QPalette fill = box->palette();
        fill.setColor(QPalette::Window, swatches[i].colour);
        box->setPalette(fill);
        box->setFrameShape(QFrame::Box);
        box->setGeometry(8, y + 2, 22, 11);
        auto* text = new QLabel(swatches[i].text, page);
        text->setObjectName(QString("HColorText%1").arg(i + 1));
        QFont small = text->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        text->setFont(small);
        text->setGeometry(36, y, 332, 15);
        y += 16;
    }
}

} // namespace

QWidget* buildHuntPage(const std::filesystem::path& dataFolder)
{
    QWidget* page = newPageWidget("Hunt");
    buildResultGrid(page, Page::Hunt, {{6, 6}, 1, 9, 22, "H"}, huntHover);
    buildColourKey(page);
    buildModelLegend(page, Page::Hunt, dataFolder, kKeyTop + 90, 478);
    buildPageFurniture(page, pageLook(Page::Hunt));
    buildCarbonPanel(page);
    return page;
}

} // namespace qw::app
