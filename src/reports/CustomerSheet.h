#pragma once

// The customer sheet ("Customer Detail Report"): one saved customer record
// as the retrieval window shows it, with the saved setup in words, the
// customer's comments, and the shop's details at the foot of the page. Like
// the setup sheets it is a layout table plus a fill step, and it holds its
// own handle on SHOPINFO.DBF, read again before every printing.

#include "ReportPage.h"
#include "SetupSheets.h"
#include "ShopInfo.h"

#include <QDate>
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qw::reports {

// What the fill step copies from the retrieval window.
struct CustomerSheetValues {
    std::string name;     // the name box
    std::string addr1;    // the first address box (the second is never printed)
    std::string cityLine; // city + ", " + state + two blanks + ZIP
    std::string country;
    std::string countryCode;
    std::string bowWeight; // the summary's texts: "62#", "29\"", ...
    std::string arrowLength;
    std::string pointWeight;
    std::string bowType;
    std::string wheelType;
    std::string release;
    std::string braceHeight; // printed beside "Bow Length:"
    std::string overDraw;
    std::string chartName; // "Hunting Shafts", ...
    std::string comments;
};

// One line of the customer block: a caption placed by its left or right
// edge and a value by its left edge, in inches from the left margin and
// the top of the detail band. A null value prints a line to write on.
struct CustomerSlot {
    double y;
    std::string_view caption;
    Align captionAlign;
    double captionX;
    double valueX;
    std::string CustomerSheetValues::*value;
};

struct CustomerSheetDesign {
    std::vector<CustomerSlot> lines;
    double commentsCaptionX, commentsY;
    double commentsX, commentsWidth, commentsHeight;
    double writeOnLength; // the line beside a caption with no value
};

const CustomerSheetDesign& customerSheetDesign();

ReportPage composeCustomerSheet(const CustomerSheetValues& values, const ShopInfo& shop,
                                const QDate& printed);

// "Smith John customer sheet 2026-12-08.pdf"; characters a file name
// cannot carry become blanks.
QString proposedCustomerPdfName(const std::string& customerName, const QDate& day);

class TCustInfoRpt {
public:
    explicit TCustInfoRpt(const std::filesystem::path& dataFolder);

    ReportPage compose(const CustomerSheetValues& values,
                       const QDate& printed = QDate::currentDate());
    // Straight to the default printer, no dialog, one copy, no job title.
    PrintOutcome print(const CustomerSheetValues& values, QString* error = nullptr);
    bool print(const CustomerSheetValues& values, QPrinter& printer, QString* error = nullptr);
    bool savePdf(const CustomerSheetValues& values, const QString& fileName,
                 QString* error = nullptr);

private:
    ShopTable coInfoTbl_;
};

} // namespace qw::reports
