#include "UrlOpener.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QWidget>

namespace qw::widgets {

namespace {

UrlOpener::Handler& handler()
{
    static UrlOpener::Handler current;
    return current;
}

QString failureText(const QUrl& url)
{
    if (url.scheme() == QLatin1String("mailto"))
        return QStringLiteral("No e-mail program could be started for:\n%1").arg(url.path());
    return QStringLiteral("This address could not be opened:\n%1").arg(url.toString());
}

void reportFailure(const QUrl& url, QWidget* asker)
{
    QWidget* window = asker ? asker->window() : nullptr;
    QMessageBox message(QMessageBox::Warning, window ? window->windowTitle() : QString(),
                        failureText(url), QMessageBox::Ok, window);
    message.setTextInteractionFlags(Qt::TextSelectableByMouse);
    message.exec();
}

} // namespace

bool UrlOpener::open(const QUrl& url, QWidget* asker)
{
    const bool opened = handler() ? handler()(url) : QDesktopServices::openUrl(url);
    if (!opened)
        reportFailure(url, asker);
    return opened;
}

void UrlOpener::setHandler(Handler replacement)
{
    handler() = std::move(replacement);
}

} // namespace qw::widgets
