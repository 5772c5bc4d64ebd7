#include "CarbonPanel.h"
#include "PageBuilders.h"
#include "PageFurniture.h"
#include "ResultGrid.h"
#include "widgets/FixedLook.h"

#include <QLabel>

#include <array>
#include <stdexcept>

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

// Where each page's grid stands: the hunting page shows rows 1 to 9 (the
// carbon panel holds the rest), the others their whole grid.
struct PageLayout {
    int lastRowOnPage;
    int rowHeight;
    const char* headerPrefix;
    HoverRule hover;
};

PageLayout layoutOf(Page page)
{
    switch (page) {
    case Page::Hunt:
        return {9, 22, "H", huntHover};
    case Page::Targ:
        return {13, 20, "T", targHover};
    case Page::Youth:
        return {8, 24, "Y", youthHover};
    case Page::Kavl:
        return {6, 26, "K", kavlHover};
    }
    throw std::logic_error("unknown page");
}

QWidget* newPageWidget(Page which)
{
    auto* page = new QWidget;
    page->setFont(widgets::designFont()); // before the children derive their fonts from it
    page->setObjectName(QString::fromUtf8(selection::pageInfo(which).key.data(),
                                          qsizetype(selection::pageInfo(which).key.size())));
    page->setAutoFillBackground(true);
    QPalette p = page->palette();
    p.setColor(QPalette::Window, pageLook(which).background);
    p.setColor(QPalette::WindowText, QColor(0xE8, 0xE8, 0xE0));
    page->setPalette(p);
    return page;
}

} // namespace

QWidget* buildChartPage(Page which, const std::filesystem::path& dataFolder)
{
    QWidget* page = newPageWidget(which);
    const PageLayout layout = layoutOf(which);
    const int gridBottom = buildResultGrid(
        page, which, {{6, 6}, 1, layout.lastRowOnPage, layout.rowHeight, layout.headerPrefix},
        layout.hover);
    int legendTop = gridBottom + 10;
    if (which == Page::Hunt) {
        buildColourKey(page);
        legendTop = kKeyTop + 90;
    }
    buildModelLegend(page, which, dataFolder, legendTop, 468);
    buildPageFurniture(page, pageLook(which));
    if (which == Page::Hunt)
        buildCarbonPanel(page);
    return page;
}

} // namespace qw::app
