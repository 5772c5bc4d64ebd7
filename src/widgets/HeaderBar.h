#pragma once

#include <QLabel>
#include <QWidget>

namespace qw::widgets {

// A bar of column headings over a grid: one caption per column, each its
// own label (so its font colour can be set by name), on one background.
class HeaderBar : public QWidget {
    Q_OBJECT
public:
    HeaderBar(const QStringList& captions, const QList<int>& widths, const QColor& background,
              const QColor& text, QWidget* parent = nullptr);

    QLabel* heading(int column) const { return headings_.at(column); }
    int count() const { return int(headings_.size()); }

private:
    QList<QLabel*> headings_;
};

// A panel filled with a vertical colour gradient; plain colour when both ends match.
class GradientPanel : public QWidget {
    Q_OBJECT
public:
    GradientPanel(const QColor& top, const QColor& bottom, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor top_;
    QColor bottom_;
};

} // namespace qw::widgets
