#include "KavlPage.h"

#include "Bands.h"
#include "GridRows.h"

namespace qw::selection {

namespace {

constexpr Page kPage = Page::Kavl;
constexpr int kRows = 6;

} // namespace

void KavlPage::run(RunContext& run)
{
    keepingFailure(run, [&run] { work(run); });
}

void KavlPage::work(RunContext& run)
{
    setControls(run);
    ChartNumber weight = run.wholeNumber("BowWeightSpin");
    run.tables.openChart(kPage);
    run.tables.openSpecs();
    int band = 0;
    if (run.item("TargBowType") != 1) {
        weight += 5 * ChartNumber{run.item("ReleaseType")};
        if (run.item("BraceHt") == 1)
            weight += 5;
        if (run.wholeNumber("PointWtSpin") > 100)
            weight += 3;
        const int cam = run.item("HuntCamType");
        band = findBand(run, weight, kavlBands(cam),
                        cam == 1 ? "a compound bow with a medium cam"
                                 : "a compound bow with a hard cam");
    } else {
        for (std::string_view group : {"HuntCamType", "ReleaseType", "OverDraw", "BraceHt"})
            run.enable(group, false);
        // Recurve bows use the hard cam column.
        band = findBand(run, weight, kavlBands(0), "a recurve bow");
    }
    const int length = run.wholeNumber("ArrowLengthSpin");
    if (band == 0) {
        showNoShafts(run, kPage);
        return;
    }
    if (!goToChartRecord(run, kPage, band, length, 23))
        return;

    const DecimalNumber realLength = run.realNumber("ArrowLengthSpin");
    for (int row = 1; row <= kRows; ++row)
        fillRow(run, row, realLength);
}

void KavlPage::setControls(RunContext& run)
{
    run.setText("TmpLbl2", "Kavl");
    run.show("HuntCamType", true);
    run.show("BowType", false);
    run.show("TargBowType", true);
    run.enable("TargBowType", true);
    run.enable("BraceHt", true);
    run.show("WheelType", false);
    run.enable("WheelType", false);
    showAdultEntries(run);
    run.enable("OverDraw", true);
}

void KavlPage::fillRow(RunContext& run, int row, const DecimalNumber& length)
{
    const storage::Table& chart = run.tables.KavlTbl();
    const std::string number = std::to_string(row);
    const std::string model = trimBlanks(chart.getString("SH" + number + "MODEL"));
    if (model.empty()) {
        fillEmptyRow(run.grid, kPage, row);
        return;
    }
    const std::string size = trimBlanks(chart.getString("SH" + number + "SIZE"));
    setCaption(run.grid, kPage, CellKind::Size, row, size);
    const auto spec = run.tables.findSpec(size + model, "HMODELS");
    if (!spec) {
        fillRowWithoutSpec(run.grid, kPage, row, size);
        return;
    }
    setCaption(run.grid, kPage, CellKind::Model, row, trimBlanks(spec->models));
    setCaption(run.grid, kPage, CellKind::Weight, row, singleModelWeight(spec->gpi, length));
    setCaption(run.grid, kPage, CellKind::Spine, row, spec->spine);
}

} // namespace qw::selection
