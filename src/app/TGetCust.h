#pragma once

// The customer retrieval window: the record in name order in bound edits,
// its saved setup in words, the record navigator, Search, Return Data into
// the main window, the customer sheet printed or saved as PDF, and Close.
// Every answer comes from the CustomerRetrieval model; this window binds it
// to its widgets.

#include "FormBinder.h"
#include "customers/CustomerRetrieval.h"

#include <QDialog>

#include <filesystem>
#include <memory>

class QPlainTextEdit;

namespace qw::reports {
class TCustInfoRpt;
}

namespace qw::app {

class TGetCust : public QDialog {
    Q_OBJECT
public:
    // Opens the customer table in the data folder at the first record in
    // name order; Return Data goes into mainWindow. Messages go to messages;
    // Print and Save as PDF go through customerSheet.
    TGetCust(std::filesystem::path dataFolder, selection::SelectionModel& mainWindow,
             MessageSink& messages, reports::TCustInfoRpt& customerSheet,
             QWidget* parent = nullptr);
    ~TGetCust() override;

    // False when opening the table ended in a message: nothing to show,
    // the window is not to be shown.
    bool opened() const { return opened_; }
    const customers::CustomerRetrieval& retrieval() const { return *retrieval_; }

public slots:
    void Button1Click();      // Search
    void SpeedButton1Click(); // Print: the customer sheet, with a progress window
    void SavePdfBtnClick();   // Save as PDF: the customer sheet into a file
    void ReturnDataBtnClick();
    void ExitBtnClick();

protected:
    void reject() override; // the close box and Escape close as Close does

private:
    void buildWindow();
    void buildSummary();
    void buildEdits();
    void buildNavigator();
    void buildCommands();
    void connectControls();
    void showModel();
    QString proposedPdfName() const; // the customer sheet's, for the save dialog

    selection::SelectionModel& mainWindow_; // Return Data is applied to it
    std::unique_ptr<customers::CustomerRetrieval> retrieval_;
    MessageSink& messages_;
    reports::TCustInfoRpt& customerSheet_;
    std::unique_ptr<FormBinder> binder_;
    QPlainTextEdit* comments_ = nullptr;
    bool opened_ = false;
    bool closing_ = false;
};

} // namespace qw::app
