#pragma once

// The model guide: the guide picture of the page the user is on in a scroll
// box, a link to that family's page of the maker's web site, and "Close".
// Each activation shows what the page key selects (selection::ModelGuide).

#include "FormBinder.h"

#include <selection/ModelGuide.h>

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QScrollArea;

namespace qw::app {

class TAboutBox1 : public QDialog {
    Q_OBJECT
public:
    // The page key ("Hunt", "Targ", "Youth", "Kavl") is asked for on every
    // activation.
    explicit TAboutBox1(std::function<std::string()> pageKey, QWidget* parent = nullptr);
    // A fixed page key ("Hunt", "Targ", "Youth", "Kavl").
    explicit TAboutBox1(const QString& pageKey, QWidget* parent = nullptr);
    ~TAboutBox1() override;

    const selection::ModelGuide& guide() const { return guide_; }

public slots:
    void KECloseBtnClick();

protected:
    bool event(QEvent* event) override;

private:
    void buildWindow();
    void FormActivate();

    std::function<std::string()> pageKey_;
    selection::ModelGuide guide_;
    std::unique_ptr<FormBinder> binder_;
    QScrollArea* scrollBox_ = nullptr;
};

} // namespace qw::app
