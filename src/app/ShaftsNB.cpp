#include "ShaftsNB.h"

#include "PageFurniture.h"

#include <widgets/ShaftsTabBar.h>

namespace qw::app {

ShaftsNB::ShaftsNB(QWidget* parent) : QTabWidget(parent)
{
    setObjectName("ShaftsNB");
    setTabBar(new widgets::ShaftsTabBar(
        {accentOf(selection::Page::Hunt), accentOf(selection::Page::Targ),
         accentOf(selection::Page::Youth), accentOf(selection::Page::Kavl)},
        this));
}

} // namespace qw::app
