#include "StaleOverlay.h"

#include <QPainter>

namespace qw::app {

StaleOverlay::StaleOverlay(QWidget* page, QRect area) : QWidget(page)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(area);
    hide();
}

void StaleOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(20, 20, 20, kDimAlpha));
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    painter.setFont(bold);
    painter.setPen(QColor(255, 255, 255, 230));
    painter.drawText(rect().adjusted(12, 0, -12, 0), Qt::AlignCenter | Qt::TextWordWrap,
                     tr("Out of date: these shafts do not match the entries"));
}

} // namespace qw::app
