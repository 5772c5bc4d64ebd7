#pragma once

#include "StepArrows.h"

#include <QAccessibleWidget>

namespace qw::widgets {

// What a screen reader finds for step arrows: one spin button, named after
// its entry, with the entry's text as its value and increase and decrease
// actions; the two arrows are the mouse's part of it, not controls of
// their own.
class StepArrowsAccessible : public QAccessibleWidget {
public:
    explicit StepArrowsAccessible(StepArrows* arrows)
        : QAccessibleWidget(arrows, QAccessible::SpinBox)
    {
    }

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

protected:
    StepArrows* arrows() const { return static_cast<StepArrows*>(widget()); }
};

// Installs, once, the factory that gives StepArrows and the classes made
// from it their accessible interfaces.
void installStepArrowsAccessible();

} // namespace qw::widgets
