#include "InputPrompt.h"

#include <QInputDialog>

namespace qw::app {

namespace {
InputPrompt::Handler& handler()
{
    static InputPrompt::Handler current;
    return current;
}
} // namespace

std::optional<QString> InputPrompt::ask(QWidget* parent, const QString& title,
                                        const QString& prompt, const QString& defaultText)
{
    if (handler())
        return handler()(title, prompt, defaultText);
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

void InputPrompt::setHandler(Handler replacement)
{
    handler() = std::move(replacement);
}

} // namespace qw::app
