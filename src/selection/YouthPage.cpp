#include "YouthPage.h"

#include "Bands.h"
#include "GridRows.h"

namespace qw::selection {

namespace {

constexpr Page kPage = Page::Youth;
constexpr int kRows = 8;

} // namespace

void YouthPage::run(RunContext& run)
{
    keepingFailure(run, [&run] { work(run); });
}

void YouthPage::work(RunContext& run)
{
    setControls(run);
    const int weight = run.wholeNumber("YouthBowWtSpin");
    run.summary.chartWeight = weight;
    run.tables.openChart(kPage);
    run.tables.openSpecs();
    const int band = findBand(run, weight, youthBands(), "a youth bow");
    const int length = run.wholeNumber("YouthArrowLenSpin");
    if (band == 0) {
        showNoShafts(run, kPage);
        return;
    }
    if (!goToChartRecord(run, kPage, band, length, 21))
        return;

    const DecimalNumber realLength = run.realNumber("YouthArrowLenSpin");
    for (int row = 1; row <= kRows; ++row)
        fillRow(run, row, realLength);
}

void YouthPage::setControls(RunContext& run)
{
    run.setText("TmpLbl2", "Youth");
    for (std::string_view group : {"BraceHt", "HuntCamType", "WheelType", "TargBowType", "BowType",
                                   "ReleaseType", "OverDraw"})
        run.enable(group, false);
    // The cam group takes the place of the wheel group, disabled.
    run.show("HuntCamType", true);
    run.show("WheelType", false);
    colourPageFurniture(run, kPage, kTargOrange);
    for (std::string_view name : {"BowWeightSpin", "UpDown1", "ArrowLengthSpin", "UpDown2"})
        run.show(name, false);
    for (std::string_view name : {"YouthBowWtSpin", "UpDown3", "YouthArrowLenSpin", "UpDown5"})
        run.show(name, true);
    run.enable("PointWtSpin", false);
    run.enable("UpDown4", false);
}

void YouthPage::fillRow(RunContext& run, int row, const DecimalNumber& length)
{
    const storage::Table& chart = run.tables.YouthTbl();
    const std::string number = std::to_string(row);
    const std::string size = trimBlanks(chart.getString("SH" + number + "SIZE"));
    if (size.empty()) {
        fillEmptyRow(run.grid, kPage, row);
        return;
    }
    setCaption(run.grid, kPage, CellKind::Size, row, size);
    const std::string model = trimBlanks(chart.getString("SH" + number + "MODL"));
    const auto spec = run.tables.findSpec(size + model, "TMODELS");
    if (!spec) {
        fillRowWithoutSpec(run.grid, kPage, row, size);
        return;
    }
    setCaption(run.grid, kPage, CellKind::Model, row, trimBlanks(spec->models));
    setCaption(run.grid, kPage, CellKind::Weight, row, singleModelWeight(spec->gpi, length));
    setCaption(run.grid, kPage, CellKind::Spine, row, spec->spine);
}

} // namespace qw::selection
