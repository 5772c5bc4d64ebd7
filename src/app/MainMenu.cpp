#include "MainMenu.h"

#include <QMenu>
#include <QMenuBar>

namespace qw::app {

namespace {

// Captions go through QAction, where a lone "&" marks an accelerator; the
// menu captions have none, so they are used as they stand.
QAction* item(QMenu* menu, const char* objectName, const char* caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

} // namespace

MainMenu buildMainMenu(QMenuBar* bar)
{
    bar->setObjectName("MainMenu1");
    MainMenu menu{};
    QMenu* file = bar->addMenu("File");
    file->setObjectName("File1");
    menu.getSetup = item(file, "GetSetup1", "Get Setup");
    menu.saveSetup = item(file, "SaveSetup1", "Save Setup");
    menu.saveSheetAsPdf = item(file, "SaveSheetAsPdf1", "Save Sheet as PDF\u2026");
    file->addSeparator();
    menu.shopInformation = item(file, "ShopInformation1", "Shop Information");
    file->addSeparator();
    menu.exit = item(file, "Exit1", "Exit");

    QMenu* utilities = bar->addMenu("Utilities");
    utilities->setObjectName("Utilities1");
    menu.keCalculator = item(utilities, "KineticEnergy1", "Kinetic Energy/F.O.C. Calculator");
    menu.trajectory = item(utilities, "TrajectoryReference1", "Trajectory Reference");
    menu.tuningInformation = item(utilities, "Contents1", "Tuning Information");
    utilities->addSeparator();
    menu.exportCustomers = item(utilities, "ExportCustomerDatabase1", "Export Customer Database");
    // The same records as a workbook whose cells keep their kind (ZIP codes
    // and dates as text), beside the delimited text export.
    menu.exportSpreadsheet = item(utilities, "ExportSpreadsheet1", "Export to Spreadsheet\u2026");

    // A command on the bar itself, without a drop-down.
    menu.about = bar->addAction("About");
    menu.about->setObjectName("About1");
    return menu;
}

} // namespace qw::app
