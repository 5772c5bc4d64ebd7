#pragma once

#include <QWidget>

namespace qw::widgets {

// Lies over a page's grid and dims it while the grid no longer matches the
// entries (a conversion error, an emptied entry, a message held back while
// the user types), so stale shafts never pass for a recommendation. It lets
// the mouse through: it only tells, it does not block. The words that say
// why stand beside it, where they cover no caption.
class StaleOverlay : public QWidget {
    Q_OBJECT
public:
    explicit StaleOverlay(QWidget* page, QRect area);

    static constexpr int kDimAlpha = 150;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qw::widgets
