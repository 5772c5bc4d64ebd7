#include "PageBuilders.h"
#include "PageFurniture.h"
#include "ResultGrid.h"

#include <QPalette>
#include <QWidget>

namespace qw::app {

using selection::Page;

QWidget* newPageWidget(const char* sheetName)
{
    auto* page = new QWidget;
    page->setObjectName(sheetName);
    page->setAutoFillBackground(true);
    const Page which = sheetName == QStringLiteral("Hunt")    ? Page::Hunt
                       : sheetName == QStringLiteral("Targ")  ? Page::Targ
                       : sheetName == QStringLiteral("Youth") ? Page::Youth
                                                              : Page::Kavl;
    QPalette p = page->palette();
    p.setColor(QPalette::Window, pageLook(which).background);
    p.setColor(QPalette::WindowText, QColor(0xE8, 0xE8, 0xE0));
    page->setPalette(p);
    return page;
}

QWidget* buildTargPage(const std::filesystem::path& dataFolder)
{
    QWidget* page = newPageWidget("Targ");
    const int bottom = buildResultGrid(page, Page::Targ, {{6, 6}, 1, 13, 20, "T"}, targHover);
    buildModelLegend(page, Page::Targ, dataFolder, bottom + 10, 478);
    buildPageFurniture(page, pageLook(Page::Targ));
    return page;
}

QWidget* buildYouthPage(const std::filesystem::path& dataFolder)
{
    QWidget* page = newPageWidget("Youth");
    const int bottom = buildResultGrid(page, Page::Youth, {{6, 6}, 1, 8, 24, "Y"}, youthHover);
    buildModelLegend(page, Page::Youth, dataFolder, bottom + 10, 478);
    buildPageFurniture(page, pageLook(Page::Youth));
    return page;
}

QWidget* buildKavlPage(const std::filesystem::path& dataFolder)
{
    QWidget* page = newPageWidget("Kavl");
    const int bottom = buildResultGrid(page, Page::Kavl, {{6, 6}, 1, 6, 26, "K"}, kavlHover);
    buildModelLegend(page, Page::Kavl, dataFolder, bottom + 10, 478);
    buildPageFurniture(page, pageLook(Page::Kavl));
    return page;
}

} // namespace qw::app
