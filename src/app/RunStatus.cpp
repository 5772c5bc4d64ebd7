#include "RunStatus.h"

#include "selection/RunExplanation.h"

namespace qw::app {

QString runStatusText(const selection::SelectionModel& model)
{
    if (model.messageHeldBack())
        return QStringLiteral("Out of date: the entry is not finished, "
                              "so the shafts shown are for the earlier entries");
    const QString explanation =
        QString::fromStdString(selection::explainRun(model.lastRun(), model.activePage()));
    return model.gridOutOfDate() ? QStringLiteral("Out of date: ") + explanation : explanation;
}

} // namespace qw::app
