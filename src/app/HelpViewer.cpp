#include "HelpViewer.h"

#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace qw::app {

HelpViewer::HelpViewer(const QUrl& home, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this))
{
    setObjectName("HelpViewer");
    setWindowTitle("Tuning Information");
    resize(720, 600);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(true);

    auto* tools = new QToolBar(this);
    QAction* back = tools->addAction("Back", browser_, &QTextBrowser::backward);
    back->setObjectName("HelpBack");
    QAction* forward = tools->addAction("Forward", browser_, &QTextBrowser::forward);
    forward->setObjectName("HelpForward");
    QAction* homeAction = tools->addAction("Home", browser_, &QTextBrowser::home);
    homeAction->setObjectName("HelpHome");
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tools);
    layout->addWidget(browser_);
    browser_->setSource(home);
}

void HelpViewer::showTopic(const QUrl& topic)
{
    if (browser_->source() != topic)
        browser_->setSource(topic);
    show();
    raise();
    activateWindow();
}

} // namespace qw::app
