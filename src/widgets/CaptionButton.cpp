#include "CaptionButton.h"

#include <QEnterEvent>
#include <QPainter>
#include <QStyle>

namespace qw::widgets {

CaptionButton::CaptionButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void CaptionButton::setColour(QColor& member, const QColor& colour)
{
    if (member == colour)
        return;
    member = colour;
    update();
}

void CaptionButton::setFillColour(const QColor& colour)
{
    setColour(fill_, colour);
}
void CaptionButton::setBorderColour(const QColor& colour)
{
    setColour(border_, colour);
}
void CaptionButton::setFontColour(const QColor& colour)
{
    setColour(font_, colour);
}

void CaptionButton::setHoverColours(const QColor& fill, const QColor& font)
{
    setColour(hoverFill_, fill);
    setColour(hoverFont_, font);
}

void CaptionButton::setShowCaption(bool show)
{
    if (showCaption_ == show)
        return;
    showCaption_ = show;
    update();
}

// A grid cell keeps its colours when disabled (the grid shades by row, not
// by state) and lights up under the mouse whether or not it takes clicks:
// most cells never do. A command button that is off stays dark.
bool CaptionButton::showsHover() const
{
    return hovered_ && (isEnabled() || !dimWhenDisabled_);
}

QColor CaptionButton::paintedFill() const
{
    return showsHover() && hoverFill_.isValid() ? hoverFill_ : fill_;
}

void CaptionButton::setDimWhenDisabled(bool dim)
{
    if (dimWhenDisabled_ == dim)
        return;
    dimWhenDisabled_ = dim;
    update();
}

QColor CaptionButton::paintedFont() const
{
    if (!isEnabled() && dimWhenDisabled_) {
        // Halfway to the fill: still legible, plainly not available.
        const QColor fill = paintedFill();
        return QColor((font_.red() + fill.red()) / 2, (font_.green() + fill.green()) / 2,
                      (font_.blue() + fill.blue()) / 2);
    }
    return showsHover() && hoverFont_.isValid() ? hoverFont_ : font_;
}

QSize CaptionButton::sizeHint() const
{
    return fontMetrics().size(Qt::TextShowMnemonic, text()) + QSize(12, 8);
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), paintedFill());
    painter.setPen(border_);
    painter.drawRect(frame);
    if (!showCaption_ || text().isEmpty())
        return;
    painter.setPen(paintedFont());
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap;
    painter.drawText(rect().adjusted(3, 1, -3, -1), flags, text());
}

void CaptionButton::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CaptionButton::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CaptionButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QAbstractButton::changeEvent(event);
}

} // namespace qw::widgets
