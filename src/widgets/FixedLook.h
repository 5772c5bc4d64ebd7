#pragma once

// A window of fixed size keeps its own look whatever the desktop's theme:
// its font is given in points, so that a larger desktop font does not push
// captions out of their places, and wherever it forces a background it
// forces every text colour with it, so that no caption is drawn in the
// desktop's colours on the window's own background.

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

namespace qw::widgets {

// The font the windows are laid out for.
inline constexpr qreal kDesignPointSize = 9.0;
QFont designFont(qreal pointSize = kDesignPointSize, bool bold = false);

// Every colour role a control reads, for text of one colour on one
// background; entries are black on white. Disabled text is greyed, still
// legible on the background.
QPalette fixedPalette(const QColor& background, const QColor& text);

// Gives root (and, through inheritance, everything on it) the design font
// and a fixed palette. Call it before the children are made, so that fonts
// derived from a child's font start from the design font.
void fixLook(QWidget* root, const QColor& background, const QColor& text);

// WCAG contrast ratio of two colours, 1 to 21.
double contrastRatio(const QColor& first, const QColor& second);

} // namespace qw::widgets
