#pragma once

#include <QLabel>
#include <QUrl>

namespace qw::widgets {

// A hyperlink label: an underlined caption that opens its address (web page
// or mailto:) with the desktop's handler when clicked.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& caption, const QUrl& url, QWidget* parent = nullptr);

    QUrl url() const { return url_; }
    void setLinkColour(const QColor& colour);

signals:
    void activated(const QUrl& url);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QUrl url_;
};

} // namespace qw::widgets
