#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace qw::app {

// The program's help viewer: the shipped help pages in a browser with
// back, forward and home, opened at a topic.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    HelpViewer(const QUrl& home, QWidget* parent = nullptr);

    void showTopic(const QUrl& topic);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace qw::app
