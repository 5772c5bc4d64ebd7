#pragma once

// The specifications window over SpecsModel, opened modally by a size-cell
// click on the shaft it handed on and the setup as it stands:
//   TSpecsFrm(dataFolder, model.handedOffShaft(), model.setup(), [this] { ModelsClick(); },
//             messages, this).exec();
// "2011 Shaft Models" calls openModelGuide (disabled when there is none);
// "Kinetic Energy && FOC Calculator" opens TKECalc2 modally over it.
// "Print Build Sheet" and "Save Build Sheet as PDF…" put the arrow as it
// stands on paper, with the page's setup in words as the main window had
// it when the shaft was clicked.

#include "FormBinder.h"
#include "MessageBoxSink.h"
#include "calculators/SpecsModel.h"
#include "reports/BuildSheet.h"
#include "selection/SetupInputs.h"
#include "selection/ShaftSelection.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <memory>

namespace qw::app {

class TSpecsFrm : public QDialog {
    Q_OBJECT
public:
    TSpecsFrm(const std::filesystem::path& dataFolder, selection::ShaftSelection shaft,
              const selection::SetupInputs& setup, std::function<void()> openModelGuide,
              MessageSink* messages = nullptr, QWidget* parent = nullptr);
    ~TSpecsFrm() override;

    const calculators::SpecsModel& model() const { return *model_; }

public slots:
    void KECalcBtnClick();
    void PrintBuildBtnClick();
    void SaveBuildPdfBtnClick();
    void CloseBtnClick();
    // Escape leaves the window as "Close" does.
    void reject() override;

private:
    void buildBand();
    void buildCalculator();
    void connectControls();
    void showModel();
    reports::BuildSheetValues buildSheetValues() const;
    MessageSink& messages();

    MessageBoxSink boxes_;
    MessageSink* messages_;
    std::function<void()> openModelGuide_;
    std::unique_ptr<calculators::SpecsModel> model_;
    reports::BuildSheet buildSheet_;
    reports::SheetValues setup_; // the page's setup in words, at the click
    std::unique_ptr<FormBinder> binder_;
};

} // namespace qw::app
