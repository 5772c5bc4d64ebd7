#include "UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace qw::widgets {

namespace {
// One notch of an ordinary mouse wheel, in the units of QWheelEvent::angleDelta.
constexpr int kWheelNotch = 120;
} // namespace

UpDown::UpDown(QLineEdit* entry, int minimum, int maximum, int step, QWidget* parent)
    : QWidget(parent), entry_(entry), up_(new QToolButton(this)), down_(new QToolButton(this)),
      minimum_(minimum), maximum_(maximum), step_(step), position_(minimum)
{
    position_ = startingPosition();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (auto* button : {up_, down_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setObjectName("up");
    down_->setObjectName("down");
    connect(up_, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::stepDown);
    entry_->installEventFilter(this);
}

int UpDown::startingPosition() const
{
    bool ok = false;
    const int typed = entry_->text().trimmed().toInt(&ok);
    return std::clamp(ok ? typed : position_, minimum_, maximum_);
}

void UpDown::stepBy(int direction)
{
    const int from = startingPosition();
    const int to = std::clamp(from + direction * step_, minimum_, maximum_);
    position_ = to;
    const QString text = QString::number(to);
    if (text != entry_->text())
        entry_->setText(text);
}

// A step can open a message (the engine reports a setup outside the chart).
// The message box then takes the mouse release, so a held arrow would keep
// repeating behind it, stepping to the end of the range and stacking up
// messages. Any modal window blocking ours therefore lets the arrows go.
void UpDown::releaseArrows()
{
    for (auto* button : {up_, down_})
        button->setDown(false); // also stops the button's repeat timer
}

bool UpDown::event(QEvent* event)
{
    if (event->type() == QEvent::WindowBlocked)
        releaseArrows();
    return QWidget::event(event);
}

bool UpDown::acceptsInput() const
{
    return isEnabled() && entry_->isEnabled() && !entry_->isReadOnly();
}

bool UpDown::wheel(QWheelEvent* event)
{
    if (!acceptsInput())
        return false;
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / kWheelNotch;
    wheelRemainder_ %= kWheelNotch;
    for (int i = 0; i < std::abs(notches); ++i)
        stepBy(notches > 0 ? +1 : -1);
    event->accept();
    return true;
}

void UpDown::wheelEvent(QWheelEvent* event)
{
    if (!wheel(event))
        QWidget::wheelEvent(event);
}

bool UpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != entry_)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Wheel)
        return wheel(static_cast<QWheelEvent*>(event));
    if (event->type() == QEvent::KeyPress && acceptsInput()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (key->key() == Qt::Key_Up) {
            stepUp();
            return true;
        }
        if (key->key() == Qt::Key_Down) {
            stepDown();
            return true;
        }
    }
    return false;
}

} // namespace qw::widgets
