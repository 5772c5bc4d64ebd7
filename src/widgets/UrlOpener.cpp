#include "UrlOpener.h"

#include <QDesktopServices>

namespace qw::widgets {

namespace {
UrlOpener::Handler& handler()
{
    static UrlOpener::Handler current;
    return current;
}
} // namespace

bool UrlOpener::open(const QUrl& url)
{
    if (handler())
        return handler()(url);
    return QDesktopServices::openUrl(url);
}

void UrlOpener::setHandler(Handler replacement)
{
    handler() = std::move(replacement);
}

} // namespace qw::widgets
