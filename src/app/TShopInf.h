#pragma once

// The Shop Information window: the shop's nine details in edits, "Save" and
// "Exit". It binds ShopInfModel, which edits the one record of SHOPINFO.DBF.

#include "FormBinder.h"
#include "customers/ShopInfModel.h"

#include <QDialog>

#include <filesystem>
#include <memory>

namespace qw {
class MessageSink;
}

namespace qw::app {

class TShopInf : public QDialog {
    Q_OBJECT
public:
    TShopInf(const std::filesystem::path& dataFolder, MessageSink& messages,
             QWidget* parent = nullptr);
    ~TShopInf() override;

    bool opened() const { return opened_; }
    // A line above the edits saying what the window is for (the first-run
    // offer); the window grows to hold it.
    void showIntroduction(const QString& text);
    const customers::ShopInfModel& model() const { return model_; }

public slots:
    void ShopInfSaveBtnClick();
    void ShopInfExitBtnClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();

    customers::ShopInfModel model_;
    std::unique_ptr<FormBinder> binder_;
    bool opened_ = false;
};

} // namespace qw::app
