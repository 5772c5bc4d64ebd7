#pragma once

#include <QLabel>
#include <QUrl>

namespace qw::widgets {

// A hyperlink label: an underlined caption that opens its address (web page
// or mailto:) with the desktop's handler when clicked, or when Space or
// Enter is pressed on it; it takes the focus from the Tab key and shows it
// with a dotted frame in its own colour.
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
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void open();
    QUrl url_;
};

} // namespace qw::widgets
