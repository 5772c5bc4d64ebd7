#pragma once

#include <QUrl>

#include <functional>

class QWidget;

namespace qw::widgets {

// Every web and mail address the program hands to the desktop goes through
// here, so that a test can see which address a click asked for without a
// browser or mail program starting.
class UrlOpener {
public:
    using Handler = std::function<bool(const QUrl&)>;
    // Opens the address; when the desktop cannot, tells the user so in a
    // message over the window of `asker` (the control that was clicked),
    // naming the address so that it can be copied. Returns whether it opened.
    static bool open(const QUrl& url, QWidget* asker);
    // Replaces the desktop's handler; an empty handler restores it.
    static void setHandler(Handler handler);
};

} // namespace qw::widgets
