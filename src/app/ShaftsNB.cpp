#include "ShaftsNB.h"

#include "PageFurniture.h"

#include <QStyleOptionTab>
#include <QStylePainter>

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

// Every tab as the style draws it; the tab under the mouse (unless it is
// the current one) lights up in its page's accent colour.
void ShaftsTabBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    const int current = currentIndex();
    auto drawTab = [&](int index) {
        QStyleOptionTab option;
        initStyleOption(&option, index);
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        if (index != current && (option.state & QStyle::State_MouseOver)) {
            QColor glow = accentOf(static_cast<selection::Page>(index));
            glow.setAlpha(90);
            painter.fillRect(option.rect.adjusted(2, 2, -2, 0), glow);
        }
        painter.drawControl(QStyle::CE_TabBarTabLabel, option);
    };
    for (int index = 0; index < count(); ++index)
        if (index != current)
            drawTab(index);
    if (current >= 0)
        drawTab(current); // the current tab overlaps its neighbours
}

ShaftsNB::ShaftsNB(QWidget* parent) : QTabWidget(parent)
{
    setObjectName("ShaftsNB");
    setTabBar(new ShaftsTabBar(this));
}

} // namespace qw::app
