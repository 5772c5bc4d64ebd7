#include "FixedTabWidget.h"

#include <QTabBar>

namespace qw::widgets {

namespace {

class FixedTabBar : public QTabBar {
public:
    FixedTabBar(QSize size, QWidget* parent) : QTabBar(parent), size_(size)
    {
        setAttribute(Qt::WA_Hover); // tabs light up under the mouse
        setExpanding(false);
    }

protected:
    QSize tabSizeHint(int) const override { return size_; }

private:
    QSize size_;
};

} // namespace

FixedTabWidget::FixedTabWidget(QSize tabSize, QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new FixedTabBar(tabSize, this));
}

} // namespace qw::widgets
