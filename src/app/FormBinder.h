#pragma once

// Binds a window's widgets to its model's FormState, found once by
// objectName: apply() shows the state on the widgets, and the forward*
// calls turn widget events into model calls. While apply() writes a widget,
// that widget's events must not turn back into model calls (an entry reset
// by the model would otherwise start a second run), so every forwarded
// event is dropped while the binder is applying.

#include <core/FormState.h>

#include <QColor>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace qw::app {

// A model colour (0xRRGGBB) as the widgets take it, fully opaque.
QColor toQColor(Rgb rgb);

class FormBinder {
public:
    FormBinder(const FormState& form, QWidget* root);

    void apply();
    bool isApplying() const { return applying_; }

    // The named control under the root (or the root itself); a missing
    // control is a programming error and throws.
    template <typename T> T* require(const QString& name) const
    {
        T* found = find<T>(name);
        if (!found)
            throw std::logic_error(root_->objectName().toStdString() + " has no control " +
                                   name.toStdString());
        return found;
    }

    // Widget events forwarded to the model by control name. Entries report
    // every change of their text (typed, stepped or set by the program);
    // edits report only what the user typed.
    void forwardTextChanges(const QString& name, std::function<void(std::string)> handler);
    void forwardTextEdits(const QString& name, std::function<void(std::string)> handler);
    void forwardItemClicks(const QString& name, std::function<void(int)> handler);
    void forwardClicks(const QString& name, std::function<void()> handler);
    void forwardPageChanges(const QString& name, std::function<void(int)> handler);

    // Commands whose window is not part of the program yet stay disabled
    // whatever the model says.
    void keepDisabled(const QString& name)
    {
        unavailable_.insert(name);
        for (Binding& binding : bindings_)
            if (binding.name == name)
                binding.written.reset();
    }

    // Controls of the FormState that no widget carries (should be empty).
    const QStringList& missingWidgets() const { return missing_; }

private:
    template <typename T> T* find(const QString& name) const
    {
        if (root_->objectName() == name)
            if (auto* self = qobject_cast<T*>(root_))
                return self;
        return root_->template findChild<T*>(name);
    }
    void applyOne(const QString& name, const ControlState& state, QWidget* widget);
    // Calls handler unless the binder itself caused the event.
    template <typename... Args> auto guarded(std::function<void(Args...)> handler)
    {
        return [this, handler = std::move(handler)](Args... args) {
            if (!applying_)
                handler(std::move(args)...);
        };
    }

    const FormState& form_;
    QWidget* root_;
    struct Binding {
        QString name;
        const ControlState* state; // the form's controls never move
        QWidget* widget;
        // What the binder last wrote into a caption button or a label, which
        // nothing else writes: an unchanged one is not written again. Entries
        // and radio groups the user changes too, so they are always compared.
        std::optional<ControlState> written;
    };
    std::vector<Binding> bindings_;
    QSet<QString> unavailable_;
    QStringList missing_;
    bool applying_ = false;
};

} // namespace qw::app
