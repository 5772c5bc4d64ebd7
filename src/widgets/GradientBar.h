#pragma once

#include <QWidget>

namespace qw::widgets {

// A vertical bar from 0 to 100 that fills from the bottom in a gradient of
// black, silver and tan; greyed over while disabled.
class GradientBar : public QWidget {
    Q_OBJECT
public:
    explicit GradientBar(QWidget* parent = nullptr);
    int position() const { return position_; }
    void setPosition(int position); // held within 0-100

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int position_ = 0;
};

} // namespace qw::widgets
