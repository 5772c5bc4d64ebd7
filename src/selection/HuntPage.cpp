#include "HuntPage.h"

#include "Bands.h"
#include "GridRows.h"
#include "MainFormDesign.h"

#include <array>
#include <optional>

namespace qw::selection {

namespace {

constexpr Page kPage = Page::Hunt;
constexpr int kRows = 16;

constexpr Rgb kLight = rgb(219, 217, 217);
constexpr Rgb kMid = rgb(174, 170, 170);
constexpr Rgb kDark = rgb(148, 144, 143);

struct Shade {
    Rgb fill;
    std::optional<Rgb> border;
};
using RowShades = std::array<std::optional<Shade>, 4>; // rows 1-4

const Shade kDarkShade{kDark, std::nullopt};
const Shade kMidSilver{kMid, kSilver};
const Shade kDarkGrey{kDark, kGrey};
const Shade kLightShade{kLight, std::nullopt};
const Shade kLightGrey{kLight, kGrey};

// The grey of rows 1 to 4 tells the weight class of the aluminium shafts
// that the chart position lists there.
RowShades shadesFor(ChartNumber record)
{
    if (record >= 1 && record <= 6)
        return {std::nullopt, kDarkShade, std::nullopt, std::nullopt};
    switch (record) {
    case 7:
        return {kDarkShade, std::nullopt, std::nullopt, std::nullopt};
    case 8:
        return {std::nullopt, kMidSilver, kDarkShade, std::nullopt};
    case 9:
        return {std::nullopt, kDarkShade, std::nullopt, std::nullopt};
    case 10:
        return {std::nullopt, kMidSilver, kDarkGrey, kDarkShade};
    case 11:
        return {kMidSilver, kMidSilver, kDarkGrey, kDarkShade};
    case 12:
        return {kLightShade, kMidSilver, kMidSilver, kDarkShade};
    case 13:
    case 14:
        return {kLightGrey, kLightGrey, kMidSilver, kDarkShade};
    case 15:
        return {kMidSilver, kDarkShade, std::nullopt, std::nullopt};
    case 16:
    case 17:
    case 18:
        return {kMidSilver, kDarkShade, kDarkShade, std::nullopt};
    default:
        return {};
    }
}

void shadeRow(GridCells& grid, int row, Rgb fill, std::optional<Rgb> border)
{
    for (CellKind kind : {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight}) {
        ControlState& cell = gridCell(grid, kPage, kind, row);
        cell.fill = fill;
        if (border)
            cell.border = *border;
    }
}

struct RowRule {
    bool sizeUpToFirstBlank;
    bool carbonAllowed;
    bool twoModelsAllowed;
    bool weightCellForCarbon; // rows 3-9: the weight cell opens the carbon panel
};

RowRule ruleFor(int row)
{
    if (row == 1)
        return {false, false, true, false};
    if (row == 2)
        return {true, false, true, false};
    if (row <= 4)
        return {true, true, true, true};
    if (row <= 6)
        return {true, true, false, true};
    if (row <= 9)
        return {false, true, false, true};
    if (row == 10)
        return {false, true, false, false};
    return {false, false, false, false};
}

std::string field(const storage::Table& table, const char* kind, int column)
{
    return table.getString("SH" + std::to_string(column) + kind);
}

void fillCarbonRow(GridCells& grid, int row, const std::string& size, const RowRule& rule)
{
    ControlState& sizeCell = gridCell(grid, kPage, CellKind::Size, row);
    sizeCell.text = size;
    sizeCell.enabled = false;
    setCaption(grid, kPage, CellKind::Model, row, "Carbon");
    setCaption(grid, kPage, CellKind::Spine, row, "0." + size);
    ControlState& weightCell = gridCell(grid, kPage, CellKind::Weight, row);
    weightCell.text = "Details";
    if (rule.weightCellForCarbon)
        weightCell.enabled = true;
}

} // namespace

void HuntPage::run(RunContext& run)
{
    keepingFailure(run, [&run] { work(run); });
}

void HuntPage::work(RunContext& run)
{
    setControls(run);
    const int bowWeight = run.wholeNumber("BowWeightSpin");
    const int pointWeight = run.wholeNumber("PointWtSpin");
    const int length = run.wholeNumber("ArrowLengthSpin");

    int band = 0;
    int lengthOffset = 23;
    switch (run.item("BowType")) {
    case 1:
        band = recurve(run, bowWeight, pointWeight);
        break;
    case 2:
        band = longbow(run, bowWeight, pointWeight);
        // Longbow arrows are two inches longer for the same chart position.
        lengthOffset = 25;
        break;
    default:
        band = compound(run, bowWeight, pointWeight);
        break;
    }

    run.tables.openChart(kPage);
    run.tables.openSpecs();
    setFrameColours(run);
    const bool onChart = band != 0 && goToChartRecord(run, kPage, band, length, lengthOffset);
    if (band == 0)
        showNoShafts(run, kPage);
    // No weight class is marked where no chart row is used.
    shadeRows(run, onChart ? run.summary.record : std::nullopt);
    for (int row = 3; row <= 9; ++row)
        gridCell(run.grid, kPage, CellKind::Weight, row).enabled = false;
    if (!onChart)
        return;
    const DecimalNumber arrowLength = run.realNumber("ArrowLengthSpin");
    for (int row = 1; row <= kRows; ++row)
        fillRow(run, row, arrowLength);
}

void HuntPage::setControls(RunContext& run)
{
    run.show("BowType", true);
    run.enable("BowType", true);
    run.show("BraceHt", true);
    run.show("HuntCamType", true);
    run.show("WheelType", false);
    run.show("TargBowType", false);
    showAdultEntries(run);
    run.setText("TmpLbl2", "Hunt");
}

int HuntPage::compound(RunContext& run, int bowWeight, int pointWeight)
{
    run.show("BraceHt", true);
    run.show("HuntCamType", true);
    for (std::string_view group : {"HuntCamType", "ReleaseType", "BraceHt", "OverDraw"}) {
        run.enable(group, true);
        run.font(group, kBlack);
    }
    ChartNumber weight = bowWeight;
    if (run.item("BraceHt") == 1)
        weight += 5;
    if (run.item("ReleaseType") == 1)
        weight += 5;
    weight += pointWeightAdjustment(huntCompoundPointSteps(), pointWeight);
    weight += overdrawAdjustment(run.item("OverDraw"), weight);
    const int cam = run.item("HuntCamType");
    return findBand(run, weight, huntCompoundBands(cam),
                    cam == 1 ? "a compound bow with a medium cam"
                             : "a compound bow with a hard cam");
}

void HuntPage::disableCompoundGroups(RunContext& run)
{
    for (std::string_view group : {"HuntCamType", "ReleaseType", "BraceHt", "OverDraw"})
        run.enable(group, false);
}

int HuntPage::recurve(RunContext& run, int bowWeight, int pointWeight)
{
    disableCompoundGroups(run);
    const ChartNumber weight =
        ChartNumber{bowWeight} + pointWeightAdjustment(huntRecurvePointSteps(), pointWeight);
    return findBand(run, weight, huntRecurveBands(), "a recurve bow");
}

int HuntPage::longbow(RunContext& run, int bowWeight, int pointWeight)
{
    disableCompoundGroups(run);
    const ChartNumber weight =
        ChartNumber{bowWeight} + pointWeightAdjustment(huntLongbowPointSteps(), pointWeight);
    return findBand(run, weight, huntLongbowBands(), "a modern longbow");
}

void HuntPage::setFrameColours(RunContext& run)
{
    colourPageFurniture(run, kPage, kHuntGreen);
    for (std::string_view heading :
         {"CAWTSizeHdr", "CAWTSpineHdr", "CAWTModelsHdr", "CAWTWeightHdr"})
        run.font(heading, kHuntGreen);
    for (std::string_view name : {"PointWtSpin", "Label6", "BraceHt"})
        run.font(name, kBlack);
    for (int row = 1; row <= 4; ++row)
        for (CellKind kind : {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight})
            gridCell(run.grid, kPage, kind, row).font = kBlack;
}

void HuntPage::shadeRows(RunContext& run, std::optional<ChartNumber> record)
{
    for (int row = 1; row <= kRows; ++row)
        shadeRow(run.grid, row, kWhite, std::nullopt);
    if (!record)
        return;
    shadeRow(run.grid, 1, kLight, kGrey);
    const RowShades shades = shadesFor(*record);
    for (int row = 1; row <= 4; ++row)
        if (const auto& shade = shades[row - 1])
            shadeRow(run.grid, row, shade->fill, shade->border);
}

void HuntPage::fillRow(RunContext& run, int row, const DecimalNumber& length)
{
    const storage::Table& chart = run.tables.HuntTbl();
    const std::string sizeText = trimBlanks(field(chart, "SIZE", row));
    if (sizeText.empty()) {
        fillEmptyRow(run.grid, kPage, row);
        return;
    }
    const RowRule rule = ruleFor(row);
    const std::string size = rule.sizeUpToFirstBlank ? upToFirstBlank(sizeText) : sizeText;
    const std::string spine = trimBlanks(field(chart, "SPINE", row));
    if (rule.carbonAllowed && spine == "caw") {
        fillCarbonRow(run.grid, row, size, rule);
        return;
    }
    const auto spec = run.tables.findSpec(size + spine, "HMODELS");
    if (!spec) {
        fillRowWithoutSpec(run.grid, kPage, row, size);
        return;
    }
    setCaption(run.grid, kPage, CellKind::Size, row, size);
    setCaption(run.grid, kPage, CellKind::Spine, row, spec->spine);
    const std::string models = trimBlanks(spec->models);
    setCaption(run.grid, kPage, CellKind::Model, row, models);
    setCaption(run.grid, kPage, CellKind::Weight, row,
               rule.twoModelsAllowed && models == "QK,52" ? twoModelWeights(spec->gpi, length)
                                                          : singleModelWeight(spec->gpi, length));
    if (rule.weightCellForCarbon)
        gridCell(run.grid, kPage, CellKind::Weight, row).enabled = false;
}

} // namespace qw::selection
