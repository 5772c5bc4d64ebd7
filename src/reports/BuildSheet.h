#pragma once

// The arrow build sheet: the one arrow a customer leaves the counter with,
// on a page of the setup-sheet family (page format, shop header, moment of
// printing, rule and comment box). Above, the setup in words as the page's
// setup sheet prints it; below, the shaft's specifications and the
// finished arrow from the specifications window, every text as the window
// shows it. Its layout is a table of lines rendered by the report engine.

#include "ReportPage.h"
#include "SetupSheets.h"

#include <calculators/SpecsModel.h>
#include <selection/Page.h>

#include <QDate>
#include <QDateTime>
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class QPrinter;

namespace qw::reports {

// What a line of the sheet prints, from the window's finished arrow.
enum class ArrowValue {
    Size,
    Models,
    ShaftType,
    Spine,
    MaximumLength,
    OutsideDiameter,
    InsideDiameter,
    WallThickness,
    GrainsPerInch,
    CutLength,
    PointWeight,
    InsertWeight,
    NockWeight,
    FletchingWeight,
    ShaftWeight,
    FinishedWeight,
    GrainsPerPound
};

// A caption and its value in one of the input block's two columns; y is the
// top of the line in inches from the top of the detail band.
struct BuildLine {
    ArrowValue value;
    std::string_view caption;
    bool rightColumn;
    double y;
};

// A heading centred over the page's middle column.
struct BuildHeading {
    std::string_view text;
    double y;
};

struct BuildSheetDesign {
    std::string_view jobTitle;
    double detailHeight;
    std::vector<BuildHeading> headings;
    std::vector<BuildLine> lines;
    std::vector<double> ruleY; // rules between the blocks, as wide as a shaft table's
    double ruleX1, ruleX2;
    double commentBoxY, commentBoxHeight, commentY;
};

const BuildSheetDesign& buildSheetDesign();

// The page the shaft was clicked on, its setup in words (the page's setup
// sheet's fill) and the window's finished arrow.
struct BuildSheetValues {
    selection::Page page = selection::Page::Hunt;
    SheetValues setup;
    calculators::FinishedArrow arrow;
};

// A line's value as printed: the window's text, lengths followed by " in"
// and the weights typed into the boxes by " Gr." as the window's own
// weights are; empty where the window shows nothing.
std::string arrowValueText(const calculators::FinishedArrow& arrow, ArrowValue value);

ReportPage composeBuildSheet(const BuildSheetDesign& design, const BuildSheetValues& values,
                             const ShopInfo& shop, const QDateTime& printed);

// "1912 build sheet 2026-12-09.pdf"
QString proposedBuildPdfName(const BuildSheetValues& values, const QDate& day);

// Opens SHOPINFO.DBF for every sheet it makes, so that a shop table that
// cannot be read is reported by the command that prints (StorageError).
class BuildSheet {
public:
    explicit BuildSheet(std::filesystem::path dataFolder);

    ReportPage compose(const BuildSheetValues& values,
                       const QDateTime& printed = QDateTime::currentDateTime()) const;
    // Straight to the default printer: no dialog, one copy.
    PrintOutcome print(const BuildSheetValues& values, QString* error = nullptr) const;
    bool print(const BuildSheetValues& values, QPrinter& printer, QString* error = nullptr) const;
    bool savePdf(const BuildSheetValues& values, const QString& fileName,
                 QString* error = nullptr) const;

private:
    std::filesystem::path dataFolder_;
};

} // namespace qw::reports
