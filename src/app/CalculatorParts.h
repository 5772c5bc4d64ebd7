#pragma once

// Pieces the calculator windows share: the pictures they show (all of them
// optional: a picture that is not there leaves its place empty), a decimal
// number box with its step arrows and a page with a tiled background.

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QStringList>
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

} // namespace qw::app
