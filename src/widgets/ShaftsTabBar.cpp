#include "ShaftsTabBar.h"

#include <QStyleOptionTab>
#include <QStylePainter>

#include <utility>

namespace qw::widgets {

ShaftsTabBar::ShaftsTabBar(QList<QColor> accents, QWidget* parent)
    : QTabBar(parent), accents_(std::move(accents))
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
        if (index != current && index < accents_.size() &&
            (option.state & QStyle::State_MouseOver)) {
            QColor glow = accents_[index];
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

} // namespace qw::widgets
