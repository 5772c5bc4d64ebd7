#pragma once

// The Customer Information window: the setup in words at the top, the
// customer's details below, "Save Record" and "Close". It binds
// CustInfoModel, which composes and stores the record.

#include "FormBinder.h"
#include "customers/CustInfoModel.h"
#include "selection/SetupInputs.h"

#include <QDialog>

#include <filesystem>
#include <memory>
#include <string>

class QPlainTextEdit;

namespace qw {
class MessageSink;
} // namespace qw

namespace qw::app {

class TCustInfo : public QDialog {
    Q_OBJECT
public:
    // Opens the model over the setup and the key of the page it was worked
    // on; when the table cannot be opened the message has gone out and
    // opened() is false (the caller does not show the window).
    TCustInfo(const std::filesystem::path& dataFolder, const selection::SetupInputs& setup,
              const std::string& pageKey, MessageSink& messages, QWidget* parent = nullptr);
    ~TCustInfo() override;

    bool opened() const { return opened_; }
    const customers::CustInfoModel& model() const { return model_; }

public slots:
    void PostBtnClick();
    void ExitBtnClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void bindEdits();

    customers::CustInfoModel model_;
    std::unique_ptr<FormBinder> binder_;
    QPlainTextEdit* comments_ = nullptr;
    bool opened_ = false;
};

} // namespace qw::app
