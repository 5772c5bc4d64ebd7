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

#include <filesystem>
#include <memory>

class QLabel;
class QTabWidget;

namespace qw::storage {
class Table;
}

namespace qw::app {

class TArrowSel : public QMainWindow {
    Q_OBJECT
public:
    // dataFolder holds the tables and legend files (the program's folder in
    // the product); messages default to message boxes.
    explicit TArrowSel(std::filesystem::path dataFolder, selection::MessageSink* messages = nullptr,
                       QWidget* parent = nullptr);
    ~TArrowSel() override;

    selection::SelectionModel& model() { return *model_; }
    const FormBinder& binder() const { return *binder_; }
    // True when the first run at creation reported an error (a table that
    // cannot be opened): start-up must not go on.
    bool creationFailed() const { return creationErrors_ > 0; }
    HelpViewer* helpViewer() const { return helpViewer_; }

public slots:
    void SpeedButton3Click(); // Get Setup
    void ExitBtn1Click();
    void Contents1Click();      // Tuning Information
    void HWtBtn9Click(int row); // a carbon row's "Details"
    void loseCarbonBtn();       // the carbon panel's Close

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildMenu();
    void connectInputs();
    void connectGrids();
    void connectCommands();
    void disableUnavailableCommands();
    void showModel();
    void TSzBtnClick(selection::Page page, int row);

    std::filesystem::path dataFolder_;
    MessageBoxSink boxes_;
    std::unique_ptr<CountingSink> messages_;
    std::unique_ptr<selection::SelectionModel> model_;
    std::unique_ptr<storage::Table> preCustDB_;
    std::unique_ptr<FormBinder> binder_;
    QTabWidget* pages_ = nullptr;
    QLabel* status_ = nullptr;
    QPointer<HelpViewer> helpViewer_;
    int creationErrors_ = 0;
};

} // namespace qw::app
