#include "BuildSheet.h"

#include <QPrinter>

namespace qw::reports {

using calculators::FinishedArrow;
using calculators::WeightInput;

namespace {

constexpr double kHeadingLeft = 1.53;
constexpr double kHeadingRight = 6.01;

// The window's text with its unit, or nothing where the window shows nothing.
std::string withUnit(const std::string& text, std::string_view unit)
{
    return text.empty() ? text : text + " " + std::string(unit);
}

const std::string& field(const FinishedArrow& arrow, std::string_view name)
{
    for (std::size_t i = 0; i < calculators::kSpecFields.size(); ++i)
        if (calculators::kSpecFields[i].field == name)
            return arrow.fields[i];
    throw std::out_of_range("no specification field " + std::string(name));
}

const std::string& input(const FinishedArrow& arrow, WeightInput which)
{
    return arrow.inputs[std::size_t(which)];
}

} // namespace

// The layout table, in inches from the left margin and the top of the
// detail band; captions and values stand in the input block's columns.
// clang-format off
const BuildSheetDesign& buildSheetDesign()
{
    using V = ArrowValue;
    static const BuildSheetDesign design{
        .jobTitle = "Arrow Build Sheet",
        .detailHeight = 9.10,
        .headings = {{"Shaft Specifications", 3.68}, {"Finished Arrow", 5.62}},
        .lines = {
            {V::Size, "Shaft Size:", false, 4.04},
            {V::Models, "Models:", false, 4.29},
            {V::ShaftType, "Shaft Type:", false, 4.54},
            {V::Spine, "Spine at 29\":", false, 4.79},
            {V::MaximumLength, "Maximum Length:", false, 5.04},
            {V::OutsideDiameter, "Outside Diameter:", true, 4.04},
            {V::InsideDiameter, "Inside Diameter:", true, 4.29},
            {V::WallThickness, "Wall Thickness:", true, 4.54},
            {V::GrainsPerInch, "Grains per Inch:", true, 4.79},
            {V::CutLength, "Cut Length:", false, 5.98},
            {V::PointWeight, "Point Weight:", false, 6.23},
            {V::InsertWeight, "NPX Insert Weight:", false, 6.48},
            {V::NockWeight, "Nock System Weight:", false, 6.73},
            {V::FletchingWeight, "Fletching Weight:", false, 6.98},
            {V::ShaftWeight, "Bare Shaft Weight:", true, 5.98},
            {V::FinishedWeight, "Finished Weight:", true, 6.23},
            // Alone on its line: the warning runs on into the right column.
            {V::GrainsPerPound, "Grains per Pound:", false, 7.48},
        },
        .ruleY = {3.56, 5.48},
        .ruleX1 = 1.03, .ruleX2 = 6.38,
        .commentBoxY = 8.33, .commentBoxHeight = 0.67, .commentY = 8.53};
    return design;
}
// clang-format on

std::string arrowValueText(const FinishedArrow& arrow, ArrowValue value)
{
    switch (value) {
    case ArrowValue::Size:
        return arrow.size;
    case ArrowValue::Models:
        return arrow.models;
    case ArrowValue::ShaftType:
        return field(arrow, "ARROWTYPE");
    case ArrowValue::Spine:
        return field(arrow, "SPINE");
    case ArrowValue::MaximumLength:
        return field(arrow, "LENGTH");
    case ArrowValue::OutsideDiameter:
        return field(arrow, "OD");
    case ArrowValue::InsideDiameter:
        return field(arrow, "ID");
    case ArrowValue::WallThickness:
        return field(arrow, "WALL");
    case ArrowValue::GrainsPerInch:
        return field(arrow, "GPI");
    case ArrowValue::CutLength:
        return withUnit(input(arrow, WeightInput::Length), "in");
    case ArrowValue::PointWeight:
        return withUnit(input(arrow, WeightInput::Point), "Gr.");
    case ArrowValue::InsertWeight:
        return withUnit(input(arrow, WeightInput::Insert), "Gr.");
    case ArrowValue::NockWeight:
        return withUnit(input(arrow, WeightInput::Nock), "Gr.");
    case ArrowValue::FletchingWeight:
        return withUnit(input(arrow, WeightInput::Fletching), "Gr.");
    case ArrowValue::ShaftWeight:
        return arrow.shaftWeight;
    case ArrowValue::FinishedWeight:
        return arrow.total;
    case ArrowValue::GrainsPerPound:
        return arrow.perPound.text();
    }
    return {};
}

ReportPage composeBuildSheet(const BuildSheetDesign& design, const BuildSheetValues& values,
                             const ShopInfo& shop, const QDateTime& printed)
{
    ReportPage page;
    page.title.height = 0.33;
    page.detail.height = design.detailHeight;
    std::vector<Item>& items = page.detail.items;
    addShopHeader(items, shop, printed);
    addSetupBlock(items, sheetDesign(values.page), values.setup);
    for (double y : design.ruleY)
        items.emplace_back(std::in_place_type<RuleItem>,
                           RuleItem{design.ruleX1, y, design.ruleX2, y, 1});
    for (const BuildHeading& heading : design.headings)
        addText(items, kHeadingLeft, heading.y, kHeadingRight - kHeadingLeft,
                std::string(heading.text), {12}, Align::Center);
    const TextStyle lineStyle{10, true};
    for (const BuildLine& line : design.lines) {
        const InputColumn& column = line.rightColumn ? kRightInputColumn : kLeftInputColumn;
        addText(items, column.captionEnd - kInputCaptionWidth, line.y, kInputCaptionWidth,
                std::string(line.caption), lineStyle, Align::Right);
        addText(items, column.valueStart, line.y, column.valueWidth,
                arrowValueText(values.arrow, line.value), lineStyle, Align::Left);
    }
    addCommentBox(items, shop, design.commentBoxY, design.commentBoxHeight, design.commentY);
    return page;
}

QString proposedBuildPdfName(const BuildSheetValues& values, const QDate& day)
{
    QString size = QString::fromStdString(values.arrow.size).simplified();
    for (QChar& c : size)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    size = size.simplified();
    return QStringLiteral("%1 build sheet %2.pdf")
        .arg(size.isEmpty() ? QStringLiteral("Arrow") : size, day.toString(Qt::ISODate));
}

BuildSheet::BuildSheet(std::filesystem::path dataFolder) : dataFolder_(std::move(dataFolder)) {}

ReportPage BuildSheet::compose(const BuildSheetValues& values, const QDateTime& printed) const
{
    ShopTable shop(dataFolder_);
    return composeBuildSheet(buildSheetDesign(), values, shop.read(), printed);
}

PrintOutcome BuildSheet::print(const BuildSheetValues& values, QString* error) const
{
    const QString title = QString::fromUtf8(buildSheetDesign().jobTitle);
    return printOnDefaultPrinter(compose(values), title, error);
}

bool BuildSheet::print(const BuildSheetValues& values, QPrinter& printer, QString* error) const
{
    const QString title = QString::fromUtf8(buildSheetDesign().jobTitle);
    return printPage(compose(values), printer, title, error);
}

bool BuildSheet::savePdf(const BuildSheetValues& values, const QString& fileName,
                         QString* error) const
{
    const QString title = QString::fromUtf8(buildSheetDesign().jobTitle);
    return writePdf(compose(values), fileName, title, error);
}

} // namespace qw::reports
