#pragma once

// The four setup sheets (Hunting, Target, Kavel, Youth): each is a layout
// table of its items and positions plus a fill step that copies the main
// window's state into its fields; one composer turns any of them into a
// report page. A sheet owns its handle on SHOPINFO.DBF from creation and
// reads the shop record again before every printing.

#include "ReportPage.h"
#include "ShopInfo.h"

#include <selection/Recommendation.h>
#include <selection/Page.h>

#include <QDateTime>
#include <QString>

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class QPrinter;

namespace qw::reports {

// The values of the input block, in the order of the block's captions.
enum class SheetInput {
    BowWeight,
    ArrowLength,
    PointWeight,
    OverDraw,
    BowType,
    WheelType,
    Release,
    BraceHeight
};
inline constexpr std::size_t kSheetInputCount = 8;

// What the fill step sets: the input values and the shaft rows (size, spine,
// models, weight). A value with no text for the window's choice is empty.
struct SheetValues {
    std::array<std::string, kSheetInputCount> inputs;
    std::vector<std::array<std::string, 4>> rows;

    std::string& operator[](SheetInput input) { return inputs[std::size_t(input)]; }
    const std::string& operator[](SheetInput input) const { return inputs[std::size_t(input)]; }
};

struct InputSlot {
    SheetInput input;
    std::string_view caption; // "Peak Bow Weight:", ...
    bool rightColumn;
    double y;
};

// A heading over a run of shaft rows; rowY holds the top of each row.
struct ShaftBlock {
    std::string_view heading;
    double headingY, headingLeft, headingRight;
    std::vector<double> rowY;
};

struct SheetDesign {
    selection::Page page;
    std::string_view className; // "TReportForm", ...
    std::string_view jobTitle;  // empty: the job has no title
    double detailHeight;
    std::vector<InputSlot> inputs;
    std::vector<ShaftBlock> blocks;
    std::array<std::string_view, 4> columnHeadings;
    std::array<double, 4> columnHeadingX; // left edges
    double columnHeadingY;
    double ruleY, ruleX1, ruleX2; // under the column headings
    std::array<double, 4> cellCentres;
    double cellWidth;
    TextStyle cellStyle;
    double commentBoxY, commentBoxHeight, commentY;
    SheetValues (*fill)(const selection::ShownPage& shown); // QuickRep1BeforePrint
};

const SheetDesign& huntingSheetDesign();
const SheetDesign& targetSheetDesign();
const SheetDesign& kavelSheetDesign();
const SheetDesign& youthSheetDesign();
const SheetDesign& sheetDesign(selection::Page page);

// The page of a sheet for these values, this shop and this moment.
ReportPage composeSetupSheet(const SheetDesign& design, const SheetValues& values,
                             const ShopInfo& shop, const QDateTime& printed);

// The pieces every sheet of the family shares, added to a detail band: the
// shop header with the moment of printing and the rule under it; the setup
// in words under "Equipment Setup Variables", as the design's input block
// places it; and the shop's comment in its box.
void addShopHeader(std::vector<Item>& items, const ShopInfo& shop, const QDateTime& printed);
void addSetupBlock(std::vector<Item>& items, const SheetDesign& design, const SheetValues& values);
void addCommentBox(std::vector<Item>& items, const ShopInfo& shop, double boxY, double boxHeight,
                   double commentY);
// One line of text, top at y, its box as high as the font's line.
void addText(std::vector<Item>& items, double x, double y, double width, std::string text,
             TextStyle style, Align align);

// The input block's columns: captions end at the caption edge, values start
// at the value edge.
struct InputColumn {
    double captionEnd, valueStart, valueWidth;
};
inline constexpr double kInputCaptionWidth = 1.80;
inline constexpr InputColumn kLeftInputColumn{2.47, 2.53, 1.20};
inline constexpr InputColumn kRightInputColumn{5.50, 5.56, 1.40};

// The moment of printing: the system's short date, a blank, its long time.
std::string printedMoment(const QDateTime& moment);

// The file name a save dialog proposes for a page's sheet:
// "Hunting setup sheet 2026-12-08.pdf".
QString proposedPdfName(const SheetDesign& design, const QDate& day);

class SetupSheet {
public:
    SetupSheet(const SheetDesign& design, const std::filesystem::path& dataFolder);
    virtual ~SetupSheet() = default;
    SetupSheet(const SetupSheet&) = delete;
    SetupSheet& operator=(const SetupSheet&) = delete;

    const SheetDesign& design() const { return design_; }

    // Fills from the main window's state and the shop record as stored now.
    ReportPage compose(const selection::ShownPage& shown,
                       const QDateTime& printed = QDateTime::currentDateTime());
    // Straight to the default printer: no dialog, one copy, the job title.
    // NoPrinter when the system has no usable printer.
    PrintOutcome print(const selection::ShownPage& shown, QString* error = nullptr);
    // To the given printer.
    bool print(const selection::ShownPage& shown, QPrinter& printer, QString* error = nullptr);
    bool savePdf(const selection::ShownPage& shown, const QString& fileName,
                 QString* error = nullptr);

private:
    const SheetDesign& design_;
    ShopTable coInfoTbl_;
};

class TReportForm : public SetupSheet {
public:
    explicit TReportForm(const std::filesystem::path& dataFolder);
};
class TTargPrintForm : public SetupSheet {
public:
    explicit TTargPrintForm(const std::filesystem::path& dataFolder);
};
class TKavlRpt : public SetupSheet {
public:
    explicit TKavlRpt(const std::filesystem::path& dataFolder);
};
class TYouthRpt1 : public SetupSheet {
public:
    explicit TYouthRpt1(const std::filesystem::path& dataFolder);
};

} // namespace qw::reports
