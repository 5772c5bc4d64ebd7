#include "UpDown.h"

#include <QAccessibleWidget>
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

class UpDownAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit UpDownAccessible(UpDown* arrows) : QAccessibleWidget(arrows, QAccessible::SpinBox) {}

    // The arrows are the mouse's part of the control, not controls of their own.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return arrows()->entry()->accessibleName();
        if (kind == QAccessible::Value)
            return arrows()->entry()->text();
        return QAccessibleWidget::text(kind);
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return arrows()->position(); }
    void setCurrentValue(const QVariant& value) override
    {
        arrows()->entry()->setText(
            QString::number(std::clamp(value.toInt(), arrows()->minimum(), arrows()->maximum())));
    }
    QVariant maximumValue() const override { return arrows()->maximum(); }
    QVariant minimumValue() const override { return arrows()->minimum(); }
    QVariant minimumStepSize() const override { return arrows()->step(); }

    QStringList actionNames() const override
    {
        return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == increaseAction())
            arrows()->stepUp();
        else if (action == decreaseAction())
            arrows()->stepDown();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    UpDown* arrows() const { return static_cast<UpDown*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("qw::widgets::UpDown") && object->isWidgetType())
        return new UpDownAccessible(static_cast<UpDown*>(object));
    return nullptr;
}
} // namespace

UpDown::UpDown(QLineEdit* entry, int minimum, int maximum, int step, QWidget* parent)
    : QWidget(parent), entry_(entry), up_(new QToolButton(this)), down_(new QToolButton(this)),
      minimum_(minimum), maximum_(maximum), step_(step), position_(minimum)
{
    static const bool accessible = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(accessible);
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
