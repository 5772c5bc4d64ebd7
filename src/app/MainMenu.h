#pragma once

class QAction;
class QMenuBar;

namespace qw::app {

// The actions of MainMenu1, for the window to connect. No item has a
// keyboard shortcut.
struct MainMenu {
    QAction* getSetup;
    QAction* saveSetup;
    QAction* saveSheetAsPdf;
    QAction* shopInformation;
    QAction* exit;
    QAction* keCalculator;
    QAction* trajectory;
    QAction* tuningInformation;
    QAction* exportCustomers;
    QAction* exportSpreadsheet;
    QAction* about;
};

MainMenu buildMainMenu(QMenuBar* bar);

} // namespace qw::app
