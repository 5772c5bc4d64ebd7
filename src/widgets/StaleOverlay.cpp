#include "StaleOverlay.h"

#include <QPainter>

namespace qw::widgets {

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
}

} // namespace qw::widgets
