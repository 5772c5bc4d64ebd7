#pragma once

#include <QColor>
#include <QObject>

namespace qw::widgets {

class LinkLabel;

// Gives a hyperlink label its pointer colours: the normal colour, blue
// while the pointer is over it and red while the button is held on it.
class LinkColours : public QObject {
    Q_OBJECT
public:
    static constexpr QRgb kHover = 0xFF0000FF;
    static constexpr QRgb kPressed = 0xFFFF0000;

    // Parented to the label; the label's current text colour is the normal one.
    static void attach(LinkLabel* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit LinkColours(LinkLabel* label);
    LinkLabel* label_;
    QColor normal_;
};

} // namespace qw::widgets
