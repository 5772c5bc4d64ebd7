#include "MainFormDesign.h"

#include "Pages.h"

#include <string>

namespace qw::selection {

namespace {

ControlState entry(std::string text, bool visible)
{
    ControlState state;
    state.kind = ControlKind::Entry;
    state.text = std::move(text);
    state.visible = visible;
    return state;
}

ControlState upDown(bool visible)
{
    ControlState state;
    state.kind = ControlKind::UpDown;
    state.visible = visible;
    return state;
}

ControlState radioGroup(std::string caption, std::vector<std::string> items, bool visible)
{
    ControlState state;
    state.kind = ControlKind::RadioGroup;
    state.text = std::move(caption);
    state.items = std::move(items);
    state.itemIndex = 0;
    state.visible = visible;
    return state;
}

ControlState label(std::string text, bool visible)
{
    ControlState state;
    state.kind = ControlKind::Label;
    state.text = std::move(text);
    state.visible = visible;
    return state;
}

ControlState commandButton(std::string caption, Rgb accent)
{
    ControlState state;
    state.kind = ControlKind::Button;
    state.text = std::move(caption);
    state.fill = kBlack;
    state.border = kBlack;
    state.font = accent;
    return state;
}

Rgb accentColour(Page page)
{
    return pageInfo(page).accent;
}

void addInputs(FormState& form)
{
    form.add("BowWeightSpin", entry("60", true));
    form.add("UpDown1", upDown(true));
    form.add("YouthBowWtSpin", entry("30", false));
    form.add("UpDown3", upDown(false));
    form.add("ArrowLengthSpin", entry("30", true));
    form.add("UpDown2", upDown(true));
    form.add("YouthArrowLenSpin", entry("25", false));
    form.add("UpDown5", upDown(false));
    form.add("PointWtSpin", entry("100", true));
    form.add("UpDown4", upDown(true));
    form.add("Label6", label("Point Weight", true));

    form.add("BowType", radioGroup("", {"Compound Bow", "Recurve Bow", "Modern Longbow"}, true));
    form.add("TargBowType", radioGroup("", {"Compound Bow", "Recurve Bow"}, false));
    form.add("HuntCamType", radioGroup("", {"Single or Hard Cam", "Medium Cam"}, true));
    form.add("WheelType", radioGroup("AMO fps",
                                     {"Single/Hard Cam over 230 ", "Medium Cam        211-230",
                                      "Soft Cam               under 211"},
                                     false));
    form.add("ReleaseType", radioGroup("", {"Mechanical Release", "Fingers Release"}, true));
    form.add("OverDraw", radioGroup("OverDraw", {"No", "1\"", "2\"", "3\"", "4\"", "5\""}, true));
    form.add("BraceHt", radioGroup("Brace Height", {"Over 6.5\"", "Under 6.5\""}, true));
}

void addPageControl(FormState& form)
{
    ControlState pages;
    pages.kind = ControlKind::PageControl;
    pages.itemIndex = static_cast<int>(Page::Hunt);
    for (Page page : kAllPages)
        pages.items.emplace_back(pageInfo(page).tabCaption);
    form.add("ShaftsNB", std::move(pages));
}

std::string sizeHint(Page page, int row)
{
    if (page == Page::Kavl)
        return "Kavel Arrow Size";
    if (page == Page::Hunt && row == 9)
        return "Click Details Button in Weight Column";
    return "Click for Weight Calculation and Specs";
}

ControlState cell(Page page, CellKind kind, int row)
{
    ControlState state;
    state.kind = ControlKind::Cell;
    state.fill = designRowFill(page, row);
    state.border = kGrey;
    state.font = kBlack;
    // Only size cells react to clicks; the hunting weight cells of rows 3-9
    // are enabled by a run when their row is a carbon row.
    state.enabled = kind == CellKind::Size;
    switch (kind) {
    case CellKind::Size:
        state.hint = sizeHint(page, row);
        break;
    case CellKind::Spine:
        state.hint = "Spine Value";
        break;
    case CellKind::Model:
        state.hint = page == Page::Kavl ? "Kavel Arrow Model" : "Standard Catagories";
        break;
    case CellKind::Weight:
        state.hint = "Bare Shaft Weight in Grains";
        break;
    }
    return state;
}

void addGrid(FormState& form, Page page)
{
    for (int row = 1; row <= pageInfo(page).rows; ++row)
        for (CellKind kind : {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight})
            form.add(cellName(page, kind, row), cell(page, kind, row));
}

ControlState heading(std::string text, Page page)
{
    ControlState state = label(std::move(text), true);
    state.fill = page == Page::Kavl ? accentColour(Page::Kavl) : kBlack;
    state.font = page == Page::Kavl ? kWhite : kGrey;
    return state;
}

void addHeadings(FormState& form, std::string_view prefix, Page page)
{
    const std::string p(prefix);
    form.add(p + "SizeHdr", heading("Size", page));
    form.add(p + "SpineHdr", heading("Spine", page));
    form.add(p + "ModelsHdr", heading("Models", page));
    form.add(p + "WeightHdr", heading("Weight", page));
}

// Command captions on a page's black buttons: the accent colour, except on
// the Kavel page, whose rust reads too dark on black (3.7:1); a lighter rust
// of the same hue reads at 6.4:1 on black and 5.0:1 on the page's brown.
Rgb commandCaptionColour(Page page)
{
    return page == Page::Kavl ? rgb(0xD0, 0x76, 0x53) : accentColour(page);
}

void addPageFurniture(FormState& form, Page page)
{
    const Rgb accent = commandCaptionColour(page);
    form.add(pageControlName(page, "PrintBtn"), commandButton("Print", accent));
    form.add(pageControlName(page, "SaveBtn"), commandButton("Save Setup", accent));
    form.add(pageControlName(page, "GetBtn"), commandButton("Get Setup", accent));
    form.add(pageControlName(page, "ExitBtn"), commandButton("Exit", accent));
    form.add(pageControlName(page, "ModelsBtn"), commandButton("2011 Shaft Models", accent));
    form.add(pageControlName(page, "KECalcBtn"),
             commandButton("Kinetic Energy && FOC Calculator", accent));
    addHeadings(form, std::string(1, pageInfo(page).prefix), page);
}

void addCarbonPanel(FormState& form)
{
    form.add("CAWTPanel", label("Carbon Shafts", false));
    form.add("CAWTCloseBtn", commandButton("Close", accentColour(Page::Hunt)));
    addHeadings(form, "CAWT", Page::Hunt);
}

void addHandOffTexts(FormState& form)
{
    form.add("TmpLbl", label("", false));
    form.add("TmpLbl2", label("", false));
    form.add("SpcLbl", label("", false));
    form.add("Mods", label("", false));
    for (int row = 1; row <= pageInfo(Page::Targ).rows; ++row)
        form.add(targetSpineLabelName(row), label("", false));
}

} // namespace

Rgb designRowFill(Page page, int row)
{
    switch (page) {
    case Page::Hunt:
        return kWhite;
    case Page::Kavl:
        return row % 2 == 1 ? kKavlOddRow : kKavlEvenRow;
    default:
        // Pairs alternate: rows 1-2 silver, 3-4 white, ...
        return ((row - 1) / 2) % 2 == 0 ? kSilver : kWhite;
    }
}

const std::vector<EntryRange>& entryRanges()
{
    static const std::vector<EntryRange> ranges = {
        {"BowWeightSpin", "UpDown1", 17, 124, 1},  {"YouthBowWtSpin", "UpDown3", 16, 40, 1},
        {"ArrowLengthSpin", "UpDown2", 23, 33, 1}, {"YouthArrowLenSpin", "UpDown5", 21, 27, 1},
        {"PointWtSpin", "UpDown4", 65, 160, 5},
    };
    return ranges;
}

void fillMainFormDesign(FormState& form)
{
    addInputs(form);
    addPageControl(form);
    for (Page page : kAllPages) {
        addGrid(form, page);
        addPageFurniture(form, page);
    }
    addCarbonPanel(form);
    addHandOffTexts(form);
}

FormState mainFormDesign()
{
    FormState form;
    fillMainFormDesign(form);
    return form;
}

const std::vector<std::string>& setupGroupItems(SetupGroup group)
{
    static const FormState design = mainFormDesign();
    return design[controlName(group)].items;
}

} // namespace qw::selection
