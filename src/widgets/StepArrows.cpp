#include "StepArrows.h"

#include "StepArrowsAccessible.h"

#include <QAccessible>

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace qw::widgets {

namespace {
// One notch of an ordinary mouse wheel, in the units of QWheelEvent::angleDelta.
constexpr int kWheelNotch = 120;

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("qw::widgets::StepArrows") && object->isWidgetType())
        return new StepArrowsAccessible(static_cast<StepArrows*>(object));
    return nullptr;
}
} // namespace

QString StepArrowsAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
        return arrows()->entry()->accessibleName();
    if (kind == QAccessible::Value)
        return arrows()->entry()->text();
    return QAccessibleWidget::text(kind);
}

QStringList StepArrowsAccessible::actionNames() const
{
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
}

void StepArrowsAccessible::doAction(const QString& action)
{
    if (action == increaseAction())
        arrows()->stepOnce(+1);
    else if (action == decreaseAction())
        arrows()->stepOnce(-1);
    else
        QAccessibleWidget::doAction(action);
}

void installStepArrowsAccessible()
{
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(installed);
}

StepArrows::StepArrows(QLineEdit* entry, const QString& upName, const QString& downName,
                       QWidget* parent)
    : QWidget(parent), entry_(entry), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    installStepArrowsAccessible();
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
    up_->setObjectName(upName);
    down_->setObjectName(downName);
    entry_->installEventFilter(this);
}

void StepArrows::stepOnce(int direction)
{
    QToolButton* arrow = direction > 0 ? up_ : down_;
    if (arrow->isEnabled())
        arrow->click();
}

bool StepArrows::acceptsInput() const
{
    return isEnabled() && entry_->isEnabled() && !entry_->isReadOnly();
}

// A step can open a message (the engine reports a setup outside the chart).
// The message box then takes the mouse release, so a held arrow would keep
// repeating behind it, stepping to the end of the range and stacking up
// messages. Any modal window blocking ours therefore lets the arrows go.
bool StepArrows::event(QEvent* event)
{
    if (event->type() == QEvent::WindowBlocked)
        for (auto* button : {up_, down_})
            button->setDown(false); // also stops the button's repeat timer
    return QWidget::event(event);
}

bool StepArrows::wheel(QWheelEvent* event)
{
    if (!acceptsInput())
        return false;
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / kWheelNotch;
    wheelRemainder_ %= kWheelNotch;
    for (int i = 0; i < std::abs(notches); ++i)
        stepOnce(notches > 0 ? +1 : -1);
    event->accept();
    return true;
}

void StepArrows::wheelEvent(QWheelEvent* event)
{
    if (!wheel(event))
        QWidget::wheelEvent(event);
}

bool StepArrows::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != entry_)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Wheel)
        return wheel(static_cast<QWheelEvent*>(event));
    if (event->type() == QEvent::KeyPress && acceptsInput()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            stepOnce(key->key() == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return false;
}

} // namespace qw::widgets
