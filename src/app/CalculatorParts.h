#pragma once

// Pieces the calculator windows share: the pictures they show (all of them
// optional: a picture that is not there leaves its place empty), a decimal
// number box with its step arrows, the hunting-usage bar and a page with a
// tiled background.

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>

class QLabel;

namespace qw::app {

inline const QString kKePictureFolder = QStringLiteral(":/artwork/ke");
inline const QString kKeTile = QStringLiteral(":/artwork/tiles/ke_tile.png");
inline const QString kFocTile = QStringLiteral(":/artwork/tiles/foc_tile.png");
inline const QString kFocDiagram = QStringLiteral(":/artwork/foc_diagram.png");
inline const QString kTrajectoryBanner = QStringLiteral(":/artwork/trajectory_banner.png");
inline const QString kTargetPicture = QStringLiteral(":/artwork/target.png");
inline constexpr int kKePictureIntervalMs = 3000;

// The frames of a picture set, <folder>/<set>_1.png, <set>_2.png, ... in
// the order of their numbers (a set that is not there has none).
QStringList pictureFrames(const QString& folder, const QString& set);

// A label showing the picture scaled into its place, or nothing.
QLabel* pictureLabel(QWidget* parent, const QString& name, const QString& file, QRect geometry);

// A number box named `name` with up and down arrows named name + "Up" and
// name + "Down" beside it, stepped by the Up and Down keys in the box too;
// the model decides what a step does.
void decimalInput(QWidget* parent, const QString& name, QRect geometry);

// A page filled with a tiled picture, or with the fallback colour.
QWidget* tiledPage(const QString& name, const QString& tile, const QColor& fallback);

// Pages whose tabs all have one fixed size (a style sheet would do it too,
// at the price of a style sheet engine for the whole window).
class FixedTabWidget : public QTabWidget {
    Q_OBJECT
public:
    FixedTabWidget(QSize tabSize, QWidget* parent = nullptr);
};

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

} // namespace qw::app
