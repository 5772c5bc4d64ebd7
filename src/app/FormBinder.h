#pragma once

// Shows the presentation model's FormState on the window's widgets, found
// once by objectName. While it writes a widget, widget events must not turn
// back into model calls (an entry reset by the engine would otherwise start
// a second run): handlers ask isApplying() first.

#include "selection/FormState.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class QWidget;

namespace qw::app {

class FormBinder {
public:
    FormBinder(selection::FormState& form, QWidget* root);

    void apply();
    bool isApplying() const { return applying_; }

    // Commands whose window is not part of the program yet stay disabled
    // whatever the design says.
    void keepDisabled(const QString& name) { unavailable_.insert(name); }

    // Controls of the FormState that no widget carries (should be empty).
    const QStringList& missingWidgets() const { return missing_; }

private:
    void applyOne(const QString& name, const selection::ControlState& state, QWidget* widget);

    selection::FormState& form_;
    std::vector<std::pair<const std::string*, QWidget*>> bindings_;
    QSet<QString> unavailable_;
    QStringList missing_;
    bool applying_ = false;
};

} // namespace qw::app
