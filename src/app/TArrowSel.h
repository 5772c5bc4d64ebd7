#pragma once

// The main window: the setup inputs on the left, the four chart pages in
// ShaftsNB on the right, the menu bar MainMenu1. It binds the presentation
// model to its widgets and turns widget events into model calls; every
// answer comes from the model.

#include "FormBinder.h"
#include "HelpViewer.h"
#include "MessageBoxSink.h"
#include "selection/SelectionModel.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <filesystem>
#include <memory>

class QLabel;
class QTabWidget;

class QTimer;

namespace qw::customers {
class SavedSetups;
}

namespace qw::reports {
struct PrintedSheets;
class SetupSheet;
} // namespace qw::reports

namespace qw::widgets {
class StaleOverlay;
}

namespace qw::app {

class TArrowSel : public QMainWindow {
    Q_OBJECT
public:
    // dataFolder holds the tables and legend files (the program's folder in
    // the product); messages default to message boxes.
    explicit TArrowSel(std::filesystem::path dataFolder, MessageSink* messages = nullptr,
                       QWidget* parent = nullptr);
    ~TArrowSel() override;

    selection::SelectionModel& model() { return *model_; }
    const FormBinder& binder() const { return *binder_; }
    // How long typing must pause before a held-back message shows.
    static constexpr int kTypingPauseMs = 800;
    // True when the first run at creation reported an error (a table that
    // cannot be opened): start-up must not go on.
    bool creationFailed() const { return creationErrors_ > 0; }
    HelpViewer* helpViewer() const { return helpViewer_; }

public slots:
    void SpeedButton3Click(); // Get Setup
    void HSaveBtnClick();     // Save Setup
    void HPrintBtnClick();    // each page's Print: its setup sheet to the default printer
    void TPrintBtnClick();
    void KavlPrintBtnClick();
    void SpeedButton9Click();   // Youth
    void SaveSheetAsPdfClick(); // the current page's setup sheet into a PDF file
    void ShopInformation1Click();
    // On the first start in a folder whose shop record is empty: the Shop
    // Information window, once, saying what it is for. True when offered.
    bool offerShopInformation();
    void ExportCustomerDatabase1Click();
    void ExportSpreadsheetClick(); // the customer table into an .xlsx file the user names
    void ExitBtn1Click();
    void ModelsClick(); // "2011" and "2011 Shaft Models"
    void About1Click();
    void KECalcBtnClick();
    void TrajectoryClick();     // "Trajectory Reference"
    void Contents1Click();      // Tuning Information
    void HWtBtn9Click(int row); // a carbon row's "Details"
    void loseCarbonBtn();       // the carbon panel's Close

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void buildMenu();
    void connectInputs();
    void connectGrids();
    void connectCommands();
    void createSheets();
    void showLeftoverJournal();
    reports::SetupSheet* sheetToPrint(selection::Page page);
    void printSheet(selection::Page page);
    void showModel();
    void showStatus();
    void showTableNotices();
    void TSzBtnClick(selection::Page page, int row);
    void watchTyping(const QString& entry);

    std::filesystem::path dataFolder_;
    MessageBoxSink boxes_;
    std::unique_ptr<CountingSink> messages_;
    std::unique_ptr<selection::SelectionModel> model_;
    std::unique_ptr<customers::SavedSetups> savedSetups_;
    std::unique_ptr<reports::PrintedSheets> sheets_;
    std::unique_ptr<FormBinder> binder_;
    QTabWidget* pages_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* typingPause_ = nullptr;
    std::array<widgets::StaleOverlay*, 4> staleOverlays_{}; // one over each page's grid
    std::array<QLabel*, 4> staleNotes_{};                   // and the words beside it
    QPointer<HelpViewer> helpViewer_;
    int creationErrors_ = 0;
};

} // namespace qw::app
