#pragma once

#include <QTabBar>
#include <QTabWidget>

namespace qw::app {

// The page control: fixed 115 x 35 tabs in bold that light up under the
// mouse. Sized in code rather than by a style sheet, which would cost a
// style sheet engine at start-up and stop the pages' colours reaching
// their labels.
class ShaftsTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit ShaftsTabBar(QWidget* parent = nullptr);

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void paintEvent(QPaintEvent* event) override;
};

class ShaftsNB : public QTabWidget {
    Q_OBJECT
public:
    explicit ShaftsNB(QWidget* parent = nullptr);
};

} // namespace qw::app
