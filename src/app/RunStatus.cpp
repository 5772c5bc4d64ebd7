#include "RunStatus.h"

#include "selection/RunExplanation.h"

namespace qw::app {

QString runStatusText(const selection::SelectionModel& model)
{
    return QString::fromStdString(selection::explainRun(model.lastRun(), model.activePage()));
}

} // namespace qw::app
