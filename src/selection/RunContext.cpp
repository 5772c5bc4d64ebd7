#include "RunContext.h"

#include "GridRows.h"
#include "Pages.h"

namespace qw::selection {

namespace {

void emptyRows(RunContext& run, Page page)
{
    for (int row = 1; row <= pageInfo(page).rows; ++row)
        fillEmptyRow(run.grid, page, row);
}

} // namespace

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

int findBand(RunContext& run, ChartNumber chartWeight, const BandTable& bands,
             std::string bowInWords)
{
    const WeightRange covered = coveredWeights(bands);
    const int band = bandOf(bands, chartWeight);
    run.summary.chartWeight = chartWeight;
    run.summary.band = band;
    run.summary.bowInWords = std::move(bowInWords);
    run.summary.coveredWeights = ChartSpan{covered.lowest, covered.highest};
    return band;
}

bool goToChartRecord(RunContext& run, Page page, int band, ChartNumber arrowLength,
                     int lengthOffset)
{
    const PageInfo& info = pageInfo(page);
    const ChartNumber record = band + (arrowLength - lengthOffset);
    run.summary.record = record;
    run.summary.arrowLength = arrowLength;
    run.summary.coveredLengths = ChartSpan{ChartNumber{info.firstValidRecord} - band + lengthOffset,
                                           ChartNumber{info.lastValidRecord} - band + lengthOffset};
    run.summary.valid = false;
    if (record < info.firstValidRecord || record > info.lastValidRecord) {
        run.summary.outcome = ChartOutcome::OutsideChart;
        emptyRows(run, page);
        return false;
    }
    run.tables.openChart(page).go(static_cast<std::uint32_t>(record));
    run.summary.valid = true;
    run.summary.outcome = ChartOutcome::Shown;
    return true;
}

void showNoShafts(RunContext& run, Page page)
{
    run.summary.valid = false;
    run.summary.outcome = ChartOutcome::OutsideEveryBand;
    emptyRows(run, page);
}

} // namespace qw::selection
