#include "UpDown.h"

#include "StepArrowsAccessible.h"

#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace qw::widgets {

namespace {

// The arrows as a screen reader finds them, with the entry's number as the
// value and the range and step the arrows keep to.
class UpDownAccessible : public StepArrowsAccessible, public QAccessibleValueInterface {
public:
    explicit UpDownAccessible(UpDown* arrows) : StepArrowsAccessible(arrows) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return StepArrowsAccessible::interface_cast(type);
    }
    QVariant currentValue() const override { return upDown()->position(); }
    void setCurrentValue(const QVariant& value) override
    {
        upDown()->entry()->setText(
            QString::number(std::clamp(value.toInt(), upDown()->minimum(), upDown()->maximum())));
    }
    QVariant maximumValue() const override { return upDown()->maximum(); }
    QVariant minimumValue() const override { return upDown()->minimum(); }
    QVariant minimumStepSize() const override { return upDown()->step(); }

private:
    UpDown* upDown() const { return static_cast<UpDown*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("qw::widgets::UpDown") && object->isWidgetType())
        return new UpDownAccessible(static_cast<UpDown*>(object));
    return nullptr;
}
} // namespace

UpDown::UpDown(QLineEdit* entry, int minimum, int maximum, int step, QWidget* parent)
    : StepArrows(entry, QStringLiteral("up"), QStringLiteral("down"), parent), minimum_(minimum),
      maximum_(maximum), step_(step), position_(minimum)
{
    static const bool accessible = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(accessible);
    position_ = startingPosition();
    connect(upButton(), &QToolButton::clicked, this, &UpDown::stepUp);
    connect(downButton(), &QToolButton::clicked, this, &UpDown::stepDown);
}

int UpDown::startingPosition() const
{
    bool ok = false;
    const int typed = entry()->text().trimmed().toInt(&ok);
    return std::clamp(ok ? typed : position_, minimum_, maximum_);
}

void UpDown::stepBy(int direction)
{
    const int from = startingPosition();
    const int to = std::clamp(from + direction * step_, minimum_, maximum_);
    position_ = to;
    const QString text = QString::number(to);
    if (text != entry()->text())
        entry()->setText(text);
}

} // namespace qw::widgets
