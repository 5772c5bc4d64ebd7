#pragma once

#include <QTabWidget>

namespace qw::app {

class ShaftsNB : public QTabWidget {
    Q_OBJECT
public:
    explicit ShaftsNB(QWidget* parent = nullptr);
};

} // namespace qw::app
