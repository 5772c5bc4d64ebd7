#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace qw::app {

// The prompt box that asks for one line of text. Every prompt of the
// program goes through here, so that a test can answer it in place of the
// user.
class InputPrompt {
public:
    // title, prompt, default text; the answer, or nullopt for Cancel.
    using Handler =
        std::function<std::optional<QString>(const QString&, const QString&, const QString&)>;
    static std::optional<QString> ask(QWidget* parent, const QString& title, const QString& prompt,
                                      const QString& defaultText = {});
    // Replaces the prompt box; an empty handler restores it.
    static void setHandler(Handler handler);
};

} // namespace qw::app
