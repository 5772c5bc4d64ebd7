#include "FormBinder.h"

#include "widgets/CaptionButton.h"
#include "widgets/NumberEntry.h"
#include "widgets/RadioGroup.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace qw::app {

QColor toQColor(Rgb rgb)
{
    return QColor::fromRgb(QRgb(rgb) | 0xFF000000u);
}

namespace {

void setVisibility(QWidget* widget, bool visible)
{
    // The page-level visibility of a widget, not whether its page is shown.
    if (widget->isVisibleTo(widget->parentWidget()) != visible)
        widget->setVisible(visible);
}

void applyCell(widgets::CaptionButton* cell, const ControlState& state)
{
    const QString caption = QString::fromStdString(state.text);
    if (cell->text() != caption)
        cell->setText(caption);
    cell->setShowCaption(state.showCaption);
    cell->setFillColour(toQColor(state.fill));
    cell->setBorderColour(toQColor(state.border));
    cell->setFontColour(toQColor(state.font));
    const QString hint = QString::fromStdString(state.hint);
    if (cell->toolTip() != hint)
        cell->setToolTip(hint);
}

// An entry the user must fill in before the command can go on: a red frame
// on a pale red field, its text kept black whatever the desktop's colours,
// and the reason in its tooltip and accessible description.
void showFlag(QLineEdit* entry, bool flagged)
{
    static const char* const kFlagged = "qwFlagged";
    if (entry->property(kFlagged).toBool() == flagged)
        return;
    entry->setProperty(kFlagged, flagged);
    const QString reason = flagged ? QStringLiteral("Required: fill this in") : QString();
    entry->setStyleSheet(flagged ? QStringLiteral("QLineEdit { border: 2px solid #C00000; "
                                                  "background: #FFEDED; color: #000000; }")
                                 : QString());
    entry->setToolTip(reason);
    entry->setAccessibleDescription(reason);
}

void applyEntry(QLineEdit* entry, const ControlState& state)
{
    const QString text = QString::fromStdString(state.text);
    if (entry->text() != text)
        entry->setText(text);
    if (auto* number = qobject_cast<widgets::NumberEntry*>(entry))
        number->setFontColour(toQColor(state.font));
    showFlag(entry, state.flagged);
}

void applyRadioGroup(widgets::RadioGroup* group, const ControlState& state)
{
    group->setItemIndex(state.itemIndex);
    group->setFontColour(toQColor(state.font));
}

void applyLabel(QLabel* label, const ControlState& state)
{
    const QString text = QString::fromStdString(state.text);
    if (label->text() != text)
        label->setText(text);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, toQColor(state.font));
    if (label->autoFillBackground())
        p.setColor(QPalette::Window, toQColor(state.fill));
    if (p != label->palette())
        label->setPalette(p);
    // A model's hint on an output (why it is out of date); a tooltip the
    // window gave the label itself is left alone.
    const QString hint = QString::fromStdString(state.hint);
    if (label->toolTip() != hint && (!hint.isEmpty() || label->property("qwHint").toBool())) {
        label->setProperty("qwHint", true);
        label->setToolTip(hint);
        label->setAccessibleDescription(hint);
    }
}

} // namespace

FormBinder::FormBinder(const FormState& form, QWidget* root) : form_(form), root_(root)
{
    for (const auto& [name, state] : form.all()) {
        const QString objectName = QString::fromStdString(name);
        QWidget* widget =
            root->objectName() == objectName ? root : root->findChild<QWidget*>(objectName);
        if (widget)
            bindings_.push_back({objectName, &state, widget, std::nullopt});
        else
            missing_ << objectName;
    }
}

void FormBinder::apply()
{
    const bool outer = !applying_;
    applying_ = true;
    for (Binding& binding : bindings_) {
        const ControlState& state = *binding.state;
        const bool writtenOnlyHere = state.kind == ControlKind::Cell ||
                                     state.kind == ControlKind::Button ||
                                     state.kind == ControlKind::Label;
        if (writtenOnlyHere && binding.written == state)
            continue;
        applyOne(binding.name, state, binding.widget);
        if (writtenOnlyHere)
            binding.written = state;
    }
    if (outer)
        applying_ = false;
}

void FormBinder::applyOne(const QString& name, const ControlState& state, QWidget* widget)
{
    switch (state.kind) {
    case ControlKind::Cell:
    case ControlKind::Button:
        if (auto* button = qobject_cast<widgets::CaptionButton*>(widget))
            applyCell(button, state);
        break;
    case ControlKind::Entry:
        if (auto* entry = qobject_cast<QLineEdit*>(widget))
            applyEntry(entry, state);
        break;
    case ControlKind::RadioGroup:
        if (auto* group = qobject_cast<widgets::RadioGroup*>(widget))
            applyRadioGroup(group, state);
        break;
    case ControlKind::Label:
        if (auto* label = qobject_cast<QLabel*>(widget))
            applyLabel(label, state);
        break;
    case ControlKind::PageControl:
        if (auto* pages = qobject_cast<QTabWidget*>(widget);
            pages && pages->currentIndex() != state.itemIndex)
            pages->setCurrentIndex(state.itemIndex);
        return; // the page control itself is always shown and enabled
    case ControlKind::UpDown:
        break;
    }
    const bool enabled = state.enabled && !unavailable_.contains(name);
    if (widget->isEnabled() != enabled)
        widget->setEnabled(enabled);
    setVisibility(widget, state.visible);
}

void FormBinder::forwardTextChanges(const QString& name, std::function<void(std::string)> handler)
{
    auto* entry = require<QLineEdit>(name);
    QObject::connect(
        entry, &QLineEdit::textChanged, entry,
        [call = guarded(std::move(handler))](const QString& text) { call(text.toStdString()); });
}

void FormBinder::forwardTextEdits(const QString& name, std::function<void(std::string)> handler)
{
    auto* entry = require<QLineEdit>(name);
    QObject::connect(
        entry, &QLineEdit::textEdited, entry,
        [call = guarded(std::move(handler))](const QString& text) { call(text.toStdString()); });
}

void FormBinder::forwardItemClicks(const QString& name, std::function<void(int)> handler)
{
    auto* group = require<widgets::RadioGroup>(name);
    QObject::connect(group, &widgets::RadioGroup::itemClicked, group, guarded(std::move(handler)));
}

void FormBinder::forwardClicks(const QString& name, std::function<void()> handler)
{
    auto* button = require<QAbstractButton>(name);
    QObject::connect(button, &QAbstractButton::clicked, button, guarded(std::move(handler)));
}

void FormBinder::forwardPageChanges(const QString& name, std::function<void(int)> handler)
{
    auto* pages = require<QTabWidget>(name);
    QObject::connect(pages, &QTabWidget::currentChanged, pages,
                     [call = guarded(std::move(handler))](int index) {
                         if (index >= 0)
                             call(index);
                     });
}

} // namespace qw::app
