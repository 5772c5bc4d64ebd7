#pragma once

#include <QSize>
#include <QTabWidget>

namespace qw::widgets {

// Pages whose tabs all have one fixed size (a style sheet would do it too,
// at the price of a style sheet engine for the whole window).
class FixedTabWidget : public QTabWidget {
    Q_OBJECT
public:
    FixedTabWidget(QSize tabSize, QWidget* parent = nullptr);
};

} // namespace qw::widgets
