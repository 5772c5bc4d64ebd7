#include "SetupSheets.h"

#include <selection/Pages.h>
#include <selection/Recommendation.h>
#include <selection/SetupInputs.h>

#include <QLocale>
#include <QPrinter>

#include <initializer_list>

namespace qw::reports {

using selection::Page;
using selection::RecommendedRow;
using selection::SetupInputs;
using selection::ShownPage;
using selection::SetupEntry;
using selection::SetupGroup;

namespace {

constexpr double kHeaderLeft = 1.53;
constexpr double kHeaderRight = 6.01;
constexpr double kCommentLeft = 1.21;
constexpr double kCommentRight = 6.28;
constexpr double kCommentBoxX = 1.00;
constexpr double kCommentBoxWidth = 5.48;

constexpr std::string_view kJobTitle = "Arrow Shaft Size Selection Report";
constexpr std::string_view kNotApplicable = "N/A";

// The text for a choice group's selected item; empty when the index has no
// text on the sheet (or nothing is selected), so that no value of an
// earlier printing can show.
std::string pick(int index, std::initializer_list<std::string_view> words)
{
    if (index < 0 || std::size_t(index) >= words.size())
        return {};
    return std::string(words.begin()[index]);
}

std::string overDrawText(const SetupInputs& setup)
{
    return pick(setup.item(SetupGroup::OverDraw),
                {"None", "1 inch", "2 inches", "3 inches", "4 inches", "5 inches"});
}

std::string releaseText(const SetupInputs& setup)
{
    return pick(setup.item(SetupGroup::ReleaseType), {"Mechanical", "Fingers"});
}

std::string braceText(const SetupInputs& setup)
{
    return pick(setup.item(SetupGroup::BraceHt),
                {"More Than 6 1/2\"", "Less Than 6 1/2\""});
}

std::string entry(const SetupInputs& setup, SetupEntry which)
{
    return setup.text(which);
}

// The rows as the page shows them, one for each row of the page: an empty
// row prints blank.
std::vector<std::array<std::string, 4>> gridRows(const std::vector<RecommendedRow>& shown,
                                                 Page page)
{
    std::vector<std::array<std::string, 4>> rows(std::size_t(selection::pageInfo(page).rows));
    for (std::size_t row = 0; row < rows.size() && row < shown.size(); ++row)
        if (shown[row].kind != RecommendedRow::Kind::Empty)
            rows[row] = {shown[row].size, shown[row].spine, shown[row].model, shown[row].weight};
    return rows;
}

SheetValues fillHunting(const ShownPage& shown)
{
    const SetupInputs& setup = shown.setup;
    SheetValues values;
    values[SheetInput::BowWeight] = entry(setup, SetupEntry::BowWeight);
    values[SheetInput::ArrowLength] = entry(setup, SetupEntry::ArrowLength);
    values[SheetInput::PointWeight] = entry(setup, SetupEntry::PointWeight);
    values[SheetInput::OverDraw] = overDrawText(setup);
    values[SheetInput::BowType] =
        pick(setup.item(SetupGroup::BowType), {"Compound", "Recurve", "Longbow"});
    // The cam the Hunting page shows.
    values[SheetInput::WheelType] =
        pick(setup.item(SetupGroup::HuntCamType), {"Hard Cam", "Medium Cam"});
    values[SheetInput::Release] = releaseText(setup);
    values[SheetInput::BraceHeight] = braceText(setup);
    if (setup.item(SetupGroup::BowType) != 0)
        for (SheetInput input : {SheetInput::OverDraw, SheetInput::WheelType, SheetInput::Release,
                                 SheetInput::BraceHeight})
            values[input] = kNotApplicable;
    values.rows = gridRows(shown.rows, Page::Hunt);
    // The rows whose weight the chart details below the table.
    for (int row : {4, 5, 7, 8})
        if (values.rows[std::size_t(row - 1)][3] == "Details")
            values.rows[std::size_t(row - 1)][3] = "See Below";
    return values;
}

SheetValues fillTarget(const ShownPage& shown)
{
    const SetupInputs& setup = shown.setup;
    SheetValues values;
    values[SheetInput::BowWeight] = entry(setup, SetupEntry::BowWeight);
    values[SheetInput::ArrowLength] = entry(setup, SetupEntry::ArrowLength);
    values[SheetInput::PointWeight] = entry(setup, SetupEntry::PointWeight);
    values[SheetInput::OverDraw] = overDrawText(setup);
    values[SheetInput::BowType] =
        pick(setup.item(SetupGroup::TargBowType), {"Compound", "Recurve"});
    values[SheetInput::WheelType] = pick(setup.item(SetupGroup::WheelType),
                                         {"Hard Cam", "Soft/Energy Cam", "Round"});
    values[SheetInput::Release] = releaseText(setup);
    values[SheetInput::BraceHeight] = braceText(setup);
    if (setup.item(SetupGroup::TargBowType) == 1)
        for (SheetInput input : {SheetInput::OverDraw, SheetInput::WheelType, SheetInput::Release,
                                 SheetInput::BraceHeight, SheetInput::PointWeight})
            values[input] = kNotApplicable;
    values.rows = gridRows(shown.rows, Page::Targ);
    return values;
}

SheetValues fillKavel(const ShownPage& shown)
{
    const SetupInputs& setup = shown.setup;
    SheetValues values;
    values[SheetInput::BowWeight] = entry(setup, SetupEntry::BowWeight);
    values[SheetInput::ArrowLength] = entry(setup, SetupEntry::ArrowLength);
    // The selectors the Kavel page shows.
    values[SheetInput::BowType] =
        pick(setup.item(SetupGroup::TargBowType), {"Compound", "Recurve"});
    values[SheetInput::WheelType] =
        pick(setup.item(SetupGroup::HuntCamType), {"Hard Cam", "Medium Cam"});
    values.rows = gridRows(shown.rows, Page::Kavl);
    return values;
}

SheetValues fillYouth(const ShownPage& shown)
{
    const SetupInputs& setup = shown.setup;
    SheetValues values;
    values[SheetInput::BowWeight] = entry(setup, SetupEntry::YouthBowWeight);
    values[SheetInput::ArrowLength] = entry(setup, SetupEntry::YouthArrowLength);
    values.rows = gridRows(shown.rows, Page::Youth);
    return values;
}

// count row tops from first to last, evenly spaced.
std::vector<double> spaced(double first, double last, int count)
{
    std::vector<double> tops;
    for (int i = 0; i < count; ++i)
        tops.push_back(count == 1 ? first : first + (last - first) * i / (count - 1));
    return tops;
}

std::vector<InputSlot> eightInputs(double leftTop, double rightTop, double step)
{
    const std::array<std::pair<SheetInput, std::string_view>, 4> left = {{
        {SheetInput::BowWeight, "Peak Bow Weight:"},
        {SheetInput::ArrowLength, "Arrow Length:"},
        {SheetInput::PointWeight, "Point Weight:"},
        {SheetInput::OverDraw, "Over Draw:"},
    }};
    const std::array<std::pair<SheetInput, std::string_view>, 4> right = {{
        {SheetInput::BowType, "Bow Type:"},
        {SheetInput::WheelType, "Wheel Type:"},
        {SheetInput::Release, "Release:"},
        {SheetInput::BraceHeight, "Brace Height:"},
    }};
    std::vector<InputSlot> inputSlots;
    for (int i = 0; i < 4; ++i)
        inputSlots.push_back({left[i].first, left[i].second, false, leftTop + i * step});
    for (int i = 0; i < 4; ++i)
        inputSlots.push_back({right[i].first, right[i].second, true, rightTop + i * step});
    return inputSlots;
}

std::vector<double> concat(std::vector<double> a, std::initializer_list<double> b)
{
    a.insert(a.end(), b);
    return a;
}

const TextStyle kCellBold{11, true, false};
const TextStyle kCellPlain{10, false, false};

} // namespace

// The layout tables, in inches from the left margin and the top of the detail band.
// clang-format off
const SheetDesign& huntingSheetDesign()
{
    static const SheetDesign design{
        .page = Page::Hunt,
        .className = "TReportForm",
        .jobTitle = kJobTitle,
        .detailHeight = 9.57,
        .inputs = eightInputs(2.57, 2.57, 0.25),
        .blocks = {{"2011 Hunting Shafts", 3.68, 1.53, 6.01, spaced(4.29, 6.30, 9)},
                   {"Carbon Shafts", 6.80, 1.54, 6.02, spaced(7.04, 8.55, 7)}},
        .columnHeadings = {"Size", "Spine Value", "Models", "Weight"},
        .columnHeadingX = {2.02, 2.86, 4.10, 5.12},
        .columnHeadingY = 3.94,
        .ruleY = 4.12, .ruleX1 = 1.03, .ruleX2 = 6.38,
        .cellCentres = {2.17, 3.26, 4.33, 5.40},
        .cellWidth = 1.0,
        .cellStyle = kCellBold,
        .commentBoxY = 8.83, .commentBoxHeight = 0.68, .commentY = 9.03,
        .fill = fillHunting};
    return design;
}

const SheetDesign& targetSheetDesign()
{
    static const SheetDesign design{
        .page = Page::Targ,
        .className = "TTargPrintForm",
        .jobTitle = kJobTitle,
        .detailHeight = 9.10,
        .inputs = eightInputs(2.53, 2.47, 0.22),
        .blocks = {{"2011 Target Shafts", 3.65, 1.45, 5.93,
                    concat(spaced(4.28, 7.41, 12), {7.66})}},
        .columnHeadings = {"Size", "Spine Value", "Models", "Weight"},
        .columnHeadingX = {1.86, 2.85, 3.97, 5.05},
        .columnHeadingY = 3.94,
        .ruleY = 4.12, .ruleX1 = 1.18, .ruleX2 = 6.33,
        .cellCentres = {2.01, 3.22, 4.22, 5.33},
        .cellWidth = 1.0,
        .cellStyle = kCellBold,
        .commentBoxY = 8.33, .commentBoxHeight = 0.67, .commentY = 8.53,
        .fill = fillTarget};
    return design;
}

const SheetDesign& kavelSheetDesign()
{
    static const SheetDesign design{
        .page = Page::Kavl,
        .className = "TKavlRpt",
        .jobTitle = "",
        .detailHeight = 9.10,
        .inputs = {{SheetInput::BowWeight, "Peak Bow Weight:", false, 2.53},
                   {SheetInput::ArrowLength, "Arrow Length:", false, 2.76},
                   {SheetInput::BowType, "Bow Type:", true, 2.47},
                   {SheetInput::WheelType, "Wheel Type:", true, 2.69}},
        .blocks = {{"2011 Kavel Shafts", 3.08, 1.45, 5.93, spaced(4.06, 5.52, 6)}},
        .columnHeadings = {"Size", "Spine", "Models", "Weight"},
        .columnHeadingX = {1.53, 2.83, 4.11, 5.53},
        .columnHeadingY = 3.60,
        .ruleY = 3.79, .ruleX1 = 0.53, .ruleX2 = 6.99,
        .cellCentres = {1.72, 3.06, 4.33, 5.81},
        .cellWidth = 1.2,
        .cellStyle = kCellBold,
        .commentBoxY = 8.33, .commentBoxHeight = 0.67, .commentY = 8.53,
        .fill = fillKavel};
    return design;
}

const SheetDesign& youthSheetDesign()
{
    static const SheetDesign design{
        .page = Page::Youth,
        .className = "TYouthRpt1",
        .jobTitle = "",
        .detailHeight = 9.10,
        .inputs = {{SheetInput::BowWeight, "Peak Bow Weight:", false, 2.53},
                   {SheetInput::ArrowLength, "Arrow Length:", false, 2.76}},
        .blocks = {{"2011 Youth Shafts", 3.08, 1.45, 5.93, spaced(3.96, 5.71, 8)}},
        .columnHeadings = {"Size", "Spine Value", "Models", "Weight"},
        .columnHeadingX = {1.83, 2.78, 4.02, 5.04},
        .columnHeadingY = 3.60,
        .ruleY = 3.79, .ruleX1 = 0.53, .ruleX2 = 6.99,
        .cellCentres = {2.00, 3.17, 4.25, 5.34},
        .cellWidth = 0.84,
        .cellStyle = kCellPlain,
        .commentBoxY = 8.33, .commentBoxHeight = 0.67, .commentY = 8.53,
        .fill = fillYouth};
    return design;
}
// clang-format on

const SheetDesign& sheetDesign(Page page)
{
    switch (page) {
    case Page::Targ:
        return targetSheetDesign();
    case Page::Kavl:
        return kavelSheetDesign();
    case Page::Youth:
        return youthSheetDesign();
    case Page::Hunt:
        break;
    }
    return huntingSheetDesign();
}

std::string printedMoment(const QDateTime& moment)
{
    const QLocale locale = QLocale::system();
    return (locale.toString(moment.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
            locale.toString(moment.time(), QLocale::LongFormat))
        .toStdString();
}

QString proposedPdfName(const SheetDesign& design, const QDate& day)
{
    return QStringLiteral("%1 setup sheet %2.pdf")
        .arg(QString::fromUtf8(selection::pageInfo(design.page).tabCaption),
             day.toString(Qt::ISODate));
}

void addText(std::vector<Item>& items, double x, double y, double width, std::string text,
             TextStyle style, Align align)
{
    TextItem item;
    item.x = x;
    item.y = y;
    item.width = width;
    item.height = style.pointSize * 1.25 / 72.0;
    item.text = std::move(text);
    item.style = style;
    item.align = align;
    items.emplace_back(std::move(item));
}

namespace {

void addCentred(std::vector<Item>& items, double left, double right, double y, std::string text,
                TextStyle style)
{
    addText(items, left, y, right - left, std::move(text), style, Align::Center);
}

} // namespace

void addShopHeader(std::vector<Item>& items, const ShopInfo& shop, const QDateTime& printed)
{
    addCentred(items, kHeaderLeft, kHeaderRight, 0.67, shop.name, {14, true});
    addCentred(items, kHeaderLeft, kHeaderRight, 0.89, shop.addr1, {11});
    addCentred(items, kHeaderLeft, kHeaderRight, 1.07,
               shop.city + ", " + shop.state + " " + shop.zip, {11});
    addCentred(items, kHeaderLeft, kHeaderRight, 1.25,
               "Phone: " + shop.phone + "  FAX: " + shop.fax, {9});
    addCentred(items, kHeaderLeft, kHeaderRight, 1.42, printedMoment(printed), {10});
    items.emplace_back(std::in_place_type<RuleItem>, RuleItem{0.53, 1.79, 6.99, 1.79, 2});
}

void addSetupBlock(std::vector<Item>& items, const SheetDesign& design, const SheetValues& values)
{
    addCentred(items, kHeaderLeft, kHeaderRight, 2.13, "Equipment Setup Variables", {12});
    const TextStyle inputStyle{10, true};
    for (const InputSlot& slot : design.inputs) {
        const InputColumn& column = slot.rightColumn ? kRightInputColumn : kLeftInputColumn;
        addText(items, column.captionEnd - kInputCaptionWidth, slot.y, kInputCaptionWidth,
                std::string(slot.caption), inputStyle, Align::Right);
        addText(items, column.valueStart, slot.y, column.valueWidth, values[slot.input], inputStyle,
                Align::Left);
    }
}

void addCommentBox(std::vector<Item>& items, const ShopInfo& shop, double boxY, double boxHeight,
                   double commentY)
{
    items.emplace_back(std::in_place_type<RectItem>,
                       RectItem{kCommentBoxX, boxY, kCommentBoxWidth, boxHeight, 1});
    addCentred(items, kCommentLeft, kCommentRight, commentY, shop.comments, {10});
}

ReportPage composeSetupSheet(const SheetDesign& design, const SheetValues& values,
                             const ShopInfo& shop, const QDateTime& printed)
{
    ReportPage page;
    page.title.height = 0.33;
    page.detail.height = design.detailHeight;
    std::vector<Item>& items = page.detail.items;
    addShopHeader(items, shop, printed);
    addSetupBlock(items, design, values);

    // The shaft table.
    for (int column = 0; column < 4; ++column)
        addText(items, design.columnHeadingX[column], design.columnHeadingY, 1.0,
                std::string(design.columnHeadings[column]), {10}, Align::Left);
    items.emplace_back(std::in_place_type<RuleItem>,
                       RuleItem{design.ruleX1, design.ruleY, design.ruleX2, design.ruleY, 1});
    std::size_t row = 0;
    for (const ShaftBlock& block : design.blocks) {
        addCentred(items, block.headingLeft, block.headingRight, block.headingY,
                   std::string(block.heading), {12});
        for (double y : block.rowY) {
            for (int column = 0; column < 4; ++column) {
                const std::string cell = row < values.rows.size() ? values.rows[row][column] : "";
                addText(items, design.cellCentres[column] - design.cellWidth / 2, y,
                        design.cellWidth, cell, design.cellStyle, Align::Center);
            }
            ++row;
        }
    }

    addCommentBox(items, shop, design.commentBoxY, design.commentBoxHeight, design.commentY);
    return page;
}

SetupSheet::SetupSheet(const SheetDesign& design, const std::filesystem::path& dataFolder)
    : design_(design), coInfoTbl_(dataFolder)
{
}

ReportPage SetupSheet::compose(const ShownPage& shown, const QDateTime& printed)
{
    return composeSetupSheet(design_, design_.fill(shown), coInfoTbl_.read(), printed);
}

PrintOutcome SetupSheet::print(const ShownPage& shown, QString* error)
{
    return printOnDefaultPrinter(compose(shown), QString::fromUtf8(design_.jobTitle), error);
}

bool SetupSheet::print(const ShownPage& shown, QPrinter& printer, QString* error)
{
    return printPage(compose(shown), printer, QString::fromUtf8(design_.jobTitle), error);
}

bool SetupSheet::savePdf(const ShownPage& shown, const QString& fileName, QString* error)
{
    return writePdf(compose(shown), fileName, QString::fromUtf8(kJobTitle), error);
}

TReportForm::TReportForm(const std::filesystem::path& dataFolder)
    : SetupSheet(huntingSheetDesign(), dataFolder)
{
}

TTargPrintForm::TTargPrintForm(const std::filesystem::path& dataFolder)
    : SetupSheet(targetSheetDesign(), dataFolder)
{
}

TKavlRpt::TKavlRpt(const std::filesystem::path& dataFolder)
    : SetupSheet(kavelSheetDesign(), dataFolder)
{
}

TYouthRpt1::TYouthRpt1(const std::filesystem::path& dataFolder)
    : SetupSheet(youthSheetDesign(), dataFolder)
{
}

} // namespace qw::reports
