#pragma once

#include <QUrl>

#include <functional>

namespace qw::widgets {

// Every web and mail address the program hands to the desktop goes through
// here, so that a test can see which address a click asked for without a
// browser or mail program starting.
class UrlOpener {
public:
    using Handler = std::function<bool(const QUrl&)>;
    static bool open(const QUrl& url);
    // Replaces the desktop's handler; an empty handler restores it.
    static void setHandler(Handler handler);
};

} // namespace qw::widgets
