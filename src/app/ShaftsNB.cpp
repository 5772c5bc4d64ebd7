#include "ShaftsNB.h"

#include "PageFurniture.h"
#include "selection/Pages.h"
#include "widgets/ShaftsTabBar.h"

namespace qw::app {

ShaftsNB::ShaftsNB(QWidget* parent) : QTabWidget(parent)
{
    setObjectName("ShaftsNB");
    QList<QColor> accents; // the tabs are the pages, in their order
    for (selection::Page page : selection::kAllPages)
        accents << accentOf(page);
    setTabBar(new widgets::ShaftsTabBar(accents, this));
}

} // namespace qw::app
