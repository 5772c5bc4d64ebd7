#include "ShaftsNB.h"

namespace qw::app {

ShaftsTabBar::ShaftsTabBar(QWidget* parent) : QTabBar(parent)
{
    setAttribute(Qt::WA_Hover); // hot tracking
    setDrawBase(false);
    setExpanding(false);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

QSize ShaftsTabBar::tabSizeHint(int) const
{
    return {115, 35};
}

ShaftsNB::ShaftsNB(QWidget* parent) : QTabWidget(parent)
{
    setObjectName("ShaftsNB");
    setTabBar(new ShaftsTabBar(this));
}

} // namespace qw::app
