#pragma once

class QWidget;

namespace qw::app {

inline constexpr int kInputColumnWidth = 182;

// The left column of the main window: the three number boxes with their
// arrows (the youth entries share the adult ones' places), the radio groups
// (BowType/TargBowType and HuntCamType/WheelType sharing places), and the
// web link at the bottom. Texts, items and ranges come from the window's
// design; every control carries the name the engine gives it.
QWidget* buildInputColumn(QWidget* parent);

} // namespace qw::app
