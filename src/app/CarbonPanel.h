#pragma once

class QWidget;

namespace qw::app {

// CAWTPanel: the hunting rows 10 to 16 (carbon shafts) in a framed panel
// over the lower part of the hunting grid, hidden until a "Details" weight
// cell is clicked; its "Close" button is CAWTCloseBtn.
void buildCarbonPanel(QWidget* huntPage);

} // namespace qw::app
