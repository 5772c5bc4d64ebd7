#include "RecommendationPainter.h"

#include "MainFormDesign.h"
#include "Pages.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace qw::selection {

Rgb weightClassFill(WeightClass weightClass)
{
    switch (weightClass) {
    case WeightClass::Light:
        return rgb(219, 217, 217);
    case WeightClass::Mid:
        return rgb(174, 170, 170);
    case WeightClass::Dark:
        return rgb(148, 144, 143);
    case WeightClass::None:
        break;
    }
    return kWhite;
}

namespace {

constexpr CellKind kKinds[] = {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight};
using Names = std::initializer_list<std::string_view>;

class Painter {
public:
    Painter(const Recommendation& recommendation, FormState& form, GridCells& grid,
            PaintedGrids& painted)
        : result_(recommendation), page_(recommendation.page), form_(form), grid_(grid),
          painted_(painted)
    {
    }

    void paint();

private:
    void show(Names names, bool visible)
    {
        for (std::string_view name : names)
            form_[name].visible = visible;
    }
    void enable(Names names, bool enabled)
    {
        for (std::string_view name : names)
            form_[name].enabled = enabled;
    }
    void font(Names names, Rgb colour)
    {
        for (std::string_view name : names)
            form_[name].font = colour;
    }
    ControlState& cell(CellKind kind, int row) { return grid_.cell(page_, kind, row); }

    void resetSharedControls();
    void resetGrids();
    void pageControls();
    void bowControls();
    void showAdultEntries();
    void colourPageFurniture(Rgb colour);
    void huntingFrame();
    void row(int number, const RecommendedRow& row);

    const Recommendation& result_;
    Page page_;
    FormState& form_;
    GridCells& grid_;
    PaintedGrids& painted_;
};

void Painter::paint()
{
    if (result_.gatePassed) {
        resetSharedControls();
        resetGrids();
    }
    if (!result_.pageWorked)
        return;
    pageControls();
    if (result_.bowRulesRead)
        bowControls();
    if (page_ == Page::Hunt && result_.chartReached)
        huntingFrame();
    int number = 0;
    for (const RecommendedRow& recommended : result_.rows)
        row(++number, recommended);
}

void Painter::resetSharedControls()
{
    font(
        {"Label6", "WheelType", "ReleaseType", "OverDraw", "BraceHt", "PointWtSpin", "HuntCamType"},
        kBlack);
    enable({"WheelType", "ReleaseType", "HuntCamType", "OverDraw", "UpDown4"}, true);
}

void Painter::resetGrids()
{
    for (Page page : kAllPages) {
        for (int row = 1; row <= pageInfo(page).rows; ++row) {
            for (CellKind kind : kKinds)
                grid_.cell(page, kind, row).showCaption = true;
            ControlState& size = grid_.cell(page, CellKind::Size, row);
            size.enabled = true;
            RowCells& cells = painted_.cells(page, row);
            cells.captionsShown = true;
            cells.sizeEnabled = true;
            if (!(page == Page::Hunt && row == 9))
                size.hint = "Click for Weight Calculation";
        }
    }
    for (int row = 1; row <= pageInfo(Page::Targ).rows; ++row)
        grid_.cell(Page::Targ, CellKind::Spine, row).visible = true;
}

void Painter::showAdultEntries()
{
    show({"BowWeightSpin", "UpDown1", "ArrowLengthSpin", "UpDown2"}, true);
    show({"YouthBowWtSpin", "UpDown3", "YouthArrowLenSpin", "UpDown5"}, false);
    enable({"PointWtSpin", "UpDown4"}, true);
}

void Painter::colourPageFurniture(Rgb colour)
{
    for (std::string_view suffix : {"ExitBtn", "GetBtn", "SaveBtn", "PrintBtn", "ModelsBtn",
                                    "KECalcBtn", "SizeHdr", "SpineHdr", "ModelsHdr", "WeightHdr"})
        form_[pageControlName(page_, suffix)].font = colour;
}

// What the page shows of the setup inputs, whatever the bow.
void Painter::pageControls()
{
    form_["TmpLbl2"].text = std::string(pageInfo(page_).key);
    switch (page_) {
    case Page::Hunt:
        show({"BowType", "BraceHt", "HuntCamType"}, true);
        enable({"BowType"}, true);
        show({"WheelType", "TargBowType"}, false);
        showAdultEntries();
        break;
    case Page::Targ:
        show({"HuntCamType", "BowType"}, false);
        show({"TargBowType", "WheelType"}, true);
        enable({"TargBowType", "WheelType"}, true);
        colourPageFurniture(kTargOrange);
        showAdultEntries();
        break;
    case Page::Youth:
        // Only the youth entries take part; the cam group stands in for the
        // wheel group, disabled.
        enable({"BraceHt", "HuntCamType", "WheelType", "TargBowType", "BowType", "ReleaseType",
                "OverDraw"},
               false);
        show({"HuntCamType"}, true);
        show({"WheelType"}, false);
        colourPageFurniture(kTargOrange);
        show({"BowWeightSpin", "UpDown1", "ArrowLengthSpin", "UpDown2"}, false);
        show({"YouthBowWtSpin", "UpDown3", "YouthArrowLenSpin", "UpDown5"}, true);
        enable({"PointWtSpin", "UpDown4"}, false);
        break;
    case Page::Kavl:
        show({"HuntCamType", "TargBowType"}, true);
        show({"BowType"}, false);
        enable({"TargBowType", "BraceHt"}, true);
        show({"WheelType"}, false);
        enable({"WheelType"}, false);
        showAdultEntries();
        enable({"OverDraw"}, true);
        break;
    }
}

// The inputs the bow's rules use are enabled, the others disabled or greyed.
void Painter::bowControls()
{
    const bool compound = result_.compoundBow;
    switch (page_) {
    case Page::Hunt:
        if (compound) {
            show({"BraceHt", "HuntCamType"}, true);
            enable({"HuntCamType", "ReleaseType", "BraceHt", "OverDraw"}, true);
            font({"HuntCamType", "ReleaseType", "BraceHt", "OverDraw"}, kBlack);
        } else {
            enable({"HuntCamType", "ReleaseType", "BraceHt", "OverDraw"}, false);
        }
        break;
    case Page::Targ:
        if (compound) {
            enable({"BraceHt"}, true);
        } else {
            enable({"BraceHt", "WheelType", "ReleaseType", "OverDraw", "UpDown4"}, false);
            font({"PointWtSpin"}, kGrey);
        }
        break;
    case Page::Kavl:
        if (!compound)
            enable({"HuntCamType", "ReleaseType", "OverDraw", "BraceHt"}, false);
        break;
    case Page::Youth:
        break;
    }
}

// Headings and fonts in the Hunting green, and the rows shaded by the
// weight class of the shafts the chart record lists there.
void Painter::huntingFrame()
{
    colourPageFurniture(kHuntGreen);
    font({"CAWTSizeHdr", "CAWTSpineHdr", "CAWTModelsHdr", "CAWTWeightHdr"}, kHuntGreen);
    font({"PointWtSpin", "Label6", "BraceHt"}, kBlack);
    for (int row = 1; row <= pageInfo(Page::Hunt).rows; ++row) {
        const RowShade shade = row <= 4 ? result_.shades[std::size_t(row - 1)] : RowShade{};
        const Rgb fill = weightClassFill(shade.weightClass);
        for (CellKind kind : kKinds) {
            ControlState& state = cell(kind, row);
            if (row <= 4)
                state.font = kBlack;
            state.fill = fill;
            if (shade.edge != ShadeEdge::Unchanged)
                state.border = shade.edge == ShadeEdge::Silver ? kSilver : kGrey;
        }
        painted_.cells(page_, row).fill = fill;
    }
    for (int row = 3; row <= 9; ++row) {
        cell(CellKind::Weight, row).enabled = false;
        painted_.cells(page_, row).weightEnabled = false;
    }
}

void Painter::row(int number, const RecommendedRow& row)
{
    using Kind = RecommendedRow::Kind;
    ControlState& size = cell(CellKind::Size, number);
    RecommendedRow& shown = painted_.row(page_, number);
    RowCells& cells = painted_.cells(page_, number);
    // An unfinished row's weight cell keeps the text it had.
    std::string keptWeight = std::move(shown.weight);
    shown = row;
    if (row.kind == Kind::Empty) {
        for (CellKind kind : kKinds) {
            cell(kind, number).showCaption = false;
            cell(kind, number).text.clear();
        }
        cells.captionsShown = false;
        if (!row.sizeStaysEnabled)
            size.enabled = cells.sizeEnabled = false;
        return;
    }
    if (page_ == Page::Targ)
        form_[targetSpineLabelName(number)].text = row.keySuffix;
    size.text = row.size;
    cell(CellKind::Spine, number).text = row.spine;
    cell(CellKind::Model, number).text = row.model;
    if (row.kind != Kind::Unfinished)
        cell(CellKind::Weight, number).text = row.weight;
    else
        shown.weight = std::move(keptWeight);
    if (row.kind == Kind::WithoutSpec || row.kind == Kind::Carbon)
        size.enabled = cells.sizeEnabled = false;
    if (row.weightOpensCarbonPanel)
        cell(CellKind::Weight, number).enabled = cells.weightEnabled = true;
}

} // namespace

PaintedGrids::PaintedGrids()
{
    for (Page page : kAllPages) {
        auto& places = pages_[static_cast<std::size_t>(page)];
        places.resize(static_cast<std::size_t>(pageInfo(page).rows));
        for (int row = 1; row <= pageInfo(page).rows; ++row)
            places[std::size_t(row - 1)].cells.fill = designRowFill(page, row);
    }
}

void paintRecommendation(const Recommendation& recommendation, FormState& form, GridCells& grid,
                         PaintedGrids& painted)
{
    Painter(recommendation, form, grid, painted).paint();
}

} // namespace qw::selection
