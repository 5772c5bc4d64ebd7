#include "LinkLabel.h"

#include "UrlOpener.h"

#include <QMouseEvent>

namespace qw::widgets {

LinkLabel::LinkLabel(const QString& caption, const QUrl& url, QWidget* parent)
    : QLabel(caption, parent), url_(url)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setToolTip(url.toString());
}

void LinkLabel::setLinkColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    emit activated(url_);
    UrlOpener::open(url_, this);
}

} // namespace qw::widgets
