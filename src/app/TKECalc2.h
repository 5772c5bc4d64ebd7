#pragma once

// The kinetic energy and FOC window: two pages over KineticEnergyModel.
// Opened modally and fresh each time:
//   TKECalc2(messages, this).exec();

#include "FormBinder.h"
#include "MessageBoxSink.h"
#include "calculators/KineticEnergyModel.h"

#include <QDialog>

#include <memory>

namespace qw::widgets {
class GradientBar;
class PictureAnimator;
} // namespace qw::widgets

namespace qw::app {

class TKECalc2 : public QDialog {
    Q_OBJECT
public:
    // Messages default to message boxes over this window.
    explicit TKECalc2(MessageSink* messages = nullptr, QWidget* parent = nullptr);
    ~TKECalc2() override;

    const calculators::KineticEnergyModel& model() const { return *model_; }
    widgets::PictureAnimator* animator() const { return animator_; }

protected:
    bool event(QEvent* event) override;

private:
    void buildEnergyPage(QWidget* page);
    void buildFocPage(QWidget* page);
    void connectControls();
    void showModel();
    void showPictures();
    void takeFocus();

    MessageBoxSink boxes_;
    std::unique_ptr<calculators::KineticEnergyModel> model_;
    std::unique_ptr<FormBinder> binder_;
    widgets::GradientBar* bar_ = nullptr;
    QWidget* animatorPage_ = nullptr;
    widgets::PictureAnimator* animator_ = nullptr; // replaced when the set changes
    QString shownSet_;
};

} // namespace qw::app
