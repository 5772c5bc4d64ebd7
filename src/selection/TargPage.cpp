#include "TargPage.h"

#include "Bands.h"
#include "GridRows.h"
#include "MainFormDesign.h"

namespace qw::selection {

namespace {

constexpr Page kPage = Page::Targ;
constexpr int kRows = 13;

enum class StarCut { None, Compound, Recurve };

// Columns 1-4 may hold "<compound size>*<recurve size>".
std::string cutStar(const std::string& size, StarCut cut)
{
    const auto star = size.find('*');
    if (cut == StarCut::None || star == std::string::npos)
        return size;
    return trimBlanks(cut == StarCut::Compound ? size.substr(0, star) : size.substr(star + 1));
}

TargPage::Entry readColumn(const storage::Table& chart, int column, StarCut cut)
{
    const std::string number = std::to_string(column);
    return {cutStar(trimBlanks(chart.getString("SH" + number + "SIZE")), cut),
            trimBlanks(chart.getString("SH" + number + "SPINE"))};
}

// Entries first..first+count-1 from columns starting at firstColumn; the
// first cutEntries entries take the star cut.
void take(TargPage::ShaftList& list, const storage::Table& chart, int firstEntry, int firstColumn,
          int count, StarCut cut, int cutEntries)
{
    for (int i = 0; i < count; ++i) {
        const int entry = firstEntry + i;
        list[entry - 1] =
            readColumn(chart, firstColumn + i, entry <= cutEntries ? cut : StarCut::None);
    }
}

std::string compoundInWords(int wheel)
{
    switch (wheel) {
    case 1:
        return "a compound bow with a medium cam";
    case 2:
        return "a compound bow with a soft cam";
    default:
        return "a compound bow with a single or hard cam";
    }
}

} // namespace

bool TargPage::shortArrow(int length, int record)
{
    return (length == 23 && record == 8) || (length <= 24 && record == 9) ||
           (length <= 25 && (record == 10 || record == 11)) ||
           (length <= 26 && record >= 12 && record <= 14);
}

TargPage::ListCase TargPage::listCase(bool compound, bool shortArrowFlag, int record)
{
    if (!compound)
        return shortArrowFlag ? ListCase::E : ListCase::F;
    if (shortArrowFlag)
        return ListCase::C;
    if (record == 15)
        return ListCase::A;
    if (record == 16)
        return ListCase::B;
    return ListCase::D;
}

void TargPage::run(RunContext& run)
{
    keepingFailure(run, [&run] { work(run); });
}

void TargPage::work(RunContext& run)
{
    setControls(run);
    run.tables.openChart(kPage);
    run.tables.openSpecs();
    const int bowWeight = run.wholeNumber("BowWeightSpin");
    const int pointWeight = run.wholeNumber("PointWtSpin");
    const int length = run.wholeNumber("ArrowLengthSpin");

    const bool compound = run.item("TargBowType") != 1;
    int band = 0;
    if (compound) {
        const int wheel = run.item("WheelType");
        band = findBand(run, compoundWeight(run, bowWeight, pointWeight), targCompoundBands(wheel),
                        compoundInWords(wheel));
    } else {
        setRecurveControls(run);
        band = findBand(run, bowWeight, targRecurveBands(), "a recurve bow");
    }
    if (band == 0) {
        showNoShafts(run, kPage);
        return;
    }

    if (!goToChartRecord(run, kPage, band, length, 23))
        return;
    // On the chart, the record is one of the page's few.
    const int record = static_cast<int>(*run.summary.record);
    const ShaftList list =
        buildList(run.tables.TargTbl(), listCase(compound, shortArrow(length, record), record));
    const DecimalNumber arrowLength = run.realNumber("ArrowLengthSpin");
    for (int row = 1; row <= kRows; ++row)
        fillRow(run, row, list[row - 1], arrowLength);
}

void TargPage::setControls(RunContext& run)
{
    run.setText("TmpLbl2", "Targ");
    run.show("HuntCamType", false);
    run.show("BowType", false);
    for (std::string_view group : {"TargBowType", "WheelType"}) {
        run.show(group, true);
        run.enable(group, true);
    }
    colourPageFurniture(run, kPage, kTargOrange);
    showAdultEntries(run);
}

ChartNumber TargPage::compoundWeight(RunContext& run, int bowWeight, int pointWeight)
{
    run.enable("BraceHt", true);
    ChartNumber weight = bowWeight;
    if (run.item("BraceHt") == 1)
        weight += 5;
    weight += pointWeightAdjustment(targCompoundPointSteps(), pointWeight);
    weight += 5 * ChartNumber{run.item("ReleaseType")};
    weight += overdrawAdjustment(run.item("OverDraw"), weight);
    return weight;
}

void TargPage::setRecurveControls(RunContext& run)
{
    for (std::string_view name : {"BraceHt", "WheelType", "ReleaseType", "OverDraw", "UpDown4"})
        run.enable(name, false);
    run.font("PointWtSpin", kGrey);
}

TargPage::ShaftList TargPage::buildList(const storage::Table& chart, ListCase listCase)
{
    ShaftList list{};
    switch (listCase) {
    case ListCase::A: // column 2 left out
        take(list, chart, 1, 1, 1, StarCut::Compound, 1);
        take(list, chart, 2, 3, 11, StarCut::None, 0);
        break;
    case ListCase::B:
        take(list, chart, 1, 2, 11, StarCut::None, 0);
        break;
    case ListCase::C:
        take(list, chart, 1, 4, 11, StarCut::Compound, 1);
        break;
    case ListCase::D:
        take(list, chart, 1, 1, 13, StarCut::Compound, 4);
        break;
    case ListCase::E:
        take(list, chart, 1, 4, 11, StarCut::Recurve, 1);
        break;
    case ListCase::F:
        take(list, chart, 1, 1, 13, StarCut::Recurve, 4);
        break;
    }
    return list;
}

void TargPage::fillRow(RunContext& run, int row, const Entry& entry, const DecimalNumber& length)
{
    if (entry.size.empty()) {
        // Row 1's size cell stays enabled even without a shaft.
        fillEmptyRow(run.grid, kPage, row, row != 1);
        return;
    }
    const auto spec = run.tables.findSpec(entry.size + entry.spine, "TMODELS");
    run.setText(targetSpineLabelName(row), entry.spine);
    if (!spec) {
        fillRowWithoutSpec(run.grid, kPage, row, entry.size);
        return;
    }
    setCaption(run.grid, kPage, CellKind::Size, row, entry.size);
    const std::string models = trimBlanks(spec->models);
    setCaption(run.grid, kPage, CellKind::Model, row, models);
    setCaption(run.grid, kPage, CellKind::Spine, row, spec->spine);
    // Only rows 7 to 13 carry the two-model cell.
    setCaption(run.grid, kPage, CellKind::Weight, row,
               row >= 7 && models == "Z4,52" ? twoModelWeights(spec->gpi, length)
                                             : singleModelWeight(spec->gpi, length));
}

} // namespace qw::selection
