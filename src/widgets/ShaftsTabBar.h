#pragma once

#include <QColor>
#include <QList>
#include <QTabBar>

namespace qw::widgets {

// The tabs of a page control: fixed 115 x 35 tabs in bold; the tab under
// the mouse lights up in its page's accent colour. Sized in code rather than by a style sheet,
// which would cost a style sheet engine at start-up and stop the pages' colours reaching their
// labels.
class ShaftsTabBar : public QTabBar {
    Q_OBJECT
public:
    // accents: one colour for each tab, in the order of the tabs.
    explicit ShaftsTabBar(QList<QColor> accents, QWidget* parent = nullptr);

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QColor> accents_;
};

} // namespace qw::widgets
