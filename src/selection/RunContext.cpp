#include "RunContext.h"

#include "Pages.h"

namespace qw::selection {

void showAdultEntries(RunContext& run)
{
    for (std::string_view name : {"BowWeightSpin", "UpDown1", "ArrowLengthSpin", "UpDown2"})
        run.show(name, true);
    for (std::string_view name : {"YouthBowWtSpin", "UpDown3", "YouthArrowLenSpin", "UpDown5"})
        run.show(name, false);
    run.enable("PointWtSpin", true);
    run.enable("UpDown4", true);
}

void colourPageFurniture(RunContext& run, Page page, Rgb colour)
{
    for (std::string_view suffix : {"ExitBtn", "GetBtn", "SaveBtn", "PrintBtn", "ModelsBtn",
                                    "KECalcBtn", "SizeHdr", "SpineHdr", "ModelsHdr", "WeightHdr"})
        run.font(pageControlName(page, suffix), colour);
}

bool goToChartRecord(RunContext& run, Page page, int record)
{
    const PageInfo& info = pageInfo(page);
    run.summary.valid = record >= info.firstValidRecord && record <= info.lastValidRecord;
    if (!run.summary.valid) {
        run.invalidSelection(page);
        return false;
    }
    run.tables.openChart(page).go(static_cast<std::uint32_t>(record));
    return true;
}

} // namespace qw::selection
