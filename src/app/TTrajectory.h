#pragma once

// The trajectory reference window over TrajectoryModel, created fresh and
// opened modally:
//   TTrajectory(dataFolder, messages, this).exec();

#include "FormBinder.h"
#include "MessageBoxSink.h"
#include "calculators/TrajectoryModel.h"

#include <QDialog>

#include <filesystem>
#include <memory>

namespace qw::app {

class TTrajectory : public QDialog {
    Q_OBJECT
public:
    explicit TTrajectory(const std::filesystem::path& dataFolder, MessageSink* messages = nullptr,
                         QWidget* parent = nullptr);
    ~TTrajectory() override;

    const calculators::TrajectoryModel& model() const { return *model_; }

private:
    void buildInputs();
    void buildDrawing();
    void connectControls();
    void showModel();

    MessageBoxSink boxes_;
    std::unique_ptr<calculators::TrajectoryModel> model_;
    std::unique_ptr<FormBinder> binder_;
};

} // namespace qw::app
