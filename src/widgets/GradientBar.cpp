#include "GradientBar.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace qw::widgets {

GradientBar::GradientBar(QWidget* parent) : QWidget(parent) {}

void GradientBar::setPosition(int position)
{
    position = std::clamp(position, 0, 100);
    if (position == position_)
        return;
    position_ = position;
    update();
}

void GradientBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), QColor(0x30, 0x30, 0x30));
    const int filled = frame.height() * position_ / 100;
    const QRect bar(frame.left(), frame.bottom() - filled + 1, frame.width(), filled);
    QLinearGradient gradient(frame.bottomLeft(), frame.topLeft());
    gradient.setColorAt(0.0, Qt::black);
    gradient.setColorAt(0.5, QColor(0xC0, 0xC0, 0xC0));
    gradient.setColorAt(1.0, QColor(0xCC, 0xB7, 0x76));
    painter.fillRect(bar, gradient);
    if (!isEnabled()) // a result that no longer matches the inputs
        painter.fillRect(rect(), QColor(0x80, 0x80, 0x80, 170));
    painter.setPen(Qt::black);
    painter.drawRect(frame);
}

} // namespace qw::widgets
