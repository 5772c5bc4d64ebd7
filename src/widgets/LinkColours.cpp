#include "LinkColours.h"

#include "LinkLabel.h"

#include <QEvent>

namespace qw::widgets {

LinkColours::LinkColours(LinkLabel* label)
    : QObject(label), label_(label), normal_(label->palette().color(QPalette::WindowText))
{
    label->installEventFilter(this);
}

void LinkColours::attach(LinkLabel* label)
{
    new LinkColours(label);
}

bool LinkColours::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == label_) {
        switch (event->type()) {
        case QEvent::Enter:
            normal_ = label_->palette().color(QPalette::WindowText);
            label_->setLinkColour(QColor::fromRgb(kHover));
            break;
        case QEvent::Leave:
            label_->setLinkColour(normal_);
            break;
        case QEvent::MouseButtonPress:
            label_->setLinkColour(QColor::fromRgb(kPressed));
            break;
        case QEvent::MouseButtonRelease:
            label_->setLinkColour(label_->underMouse() ? QColor::fromRgb(kHover) : normal_);
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qw::widgets
