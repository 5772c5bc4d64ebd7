#include "CustomerSheet.h"


#include <QLocale>
#include <QPrinter>

#include <algorithm>

namespace qw::reports {

namespace {

using V = CustomerSheetValues;

constexpr std::string_view kTitle = "Customer Detail Report";
constexpr double kTitleLeft = 0.50;
constexpr double kTitleRight = 7.04;
constexpr double kFooterLeft = 2.00;
constexpr double kFooterRight = 5.51;
constexpr double kFooterFirstY = 0.05;
constexpr double kFooterLastY = 0.55;
constexpr double kPrintedCaptionX = 6.03;
constexpr double kPrintedDateX = 6.53;
constexpr double kPrintedY = 0.80;
constexpr double kPrintedRight = 7.50; // the right margin
constexpr double kCaptionWidth = 1.60;
constexpr double kValueWidth = 1.40;

const TextStyle kDetailStyle{12};
const TextStyle kFooterStyle{10};

double lineHeight(const TextStyle& style)
{
    return style.pointSize * 1.25 / 72.0;
}

TextItem textAt(double x, double y, double width, std::string text, const TextStyle& style,
                Align align)
{
    TextItem item;
    item.x = x;
    item.y = y;
    item.width = width;
    item.height = lineHeight(style);
    item.text = std::move(text);
    item.style = style;
    item.align = align;
    return item;
}

} // namespace

// The layout table, in inches from the left margin and the top of the detail band.
// clang-format off
const CustomerSheetDesign& customerSheetDesign()
{
    static const CustomerSheetDesign design{
        .lines = {
            {0.25, "For Customer:", Align::Left, 1.18, 2.30, &V::name},
            {0.42, "", Align::Left, 0, 2.30, &V::addr1},
            {0.59, "", Align::Left, 0, 2.30, &V::cityLine},
            {0.76, "", Align::Left, 0, 2.30, &V::country},
            {0.98, "", Align::Left, 0, 2.30, &V::countryCode},
            {2.08, "Bow Weight:", Align::Right, 1.92, 1.99, &V::bowWeight},
            {2.08, "Bow Type:", Align::Right, 3.96, 4.04, &V::bowType},
            {2.08, "", Align::Left, 0, 5.42, &V::chartName},
            {2.33, "Arrow Length:", Align::Right, 1.92, 1.99, &V::arrowLength},
            {2.33, "Wheel Type:", Align::Right, 3.96, 4.04, &V::wheelType},
            {2.58, "Draw Length:", Align::Right, 1.92, 1.99, nullptr},
            {2.58, "Release:", Align::Right, 3.96, 4.04, &V::release},
            {2.58, "Bow Length:", Align::Right, 6.31, 6.39, &V::braceHeight},
            {2.83, "Point Weight:", Align::Right, 1.92, 1.99, &V::pointWeight},
            {2.83, "String Type:", Align::Right, 3.96, 4.04, nullptr},
            {2.83, "Over Draw:", Align::Right, 6.32, 6.40, &V::overDraw},
        },
        .commentsCaptionX = 0.42, .commentsY = 4.33,
        .commentsX = 1.50, .commentsWidth = 4.49, .commentsHeight = 2.01,
        .writeOnLength = 1.10};
    return design;
}
// clang-format on

ReportPage composeCustomerSheet(const CustomerSheetValues& values, const ShopInfo& shop,
                                const QDate& printed)
{
    const CustomerSheetDesign& design = customerSheetDesign();
    ReportPage page;

    page.title.height = 0.51;
    page.title.items.emplace_back(textAt(kTitleLeft, 0.08, kTitleRight - kTitleLeft,
                                         std::string(kTitle), {14, true, true}, Align::Center));

    page.detail.height = 8.47;
    std::vector<Item>& detail = page.detail.items;
    for (const CustomerSlot& slot : design.lines) {
        if (!slot.caption.empty()) {
            const double left =
                slot.captionAlign == Align::Right ? slot.captionX - kCaptionWidth : slot.captionX;
            detail.emplace_back(textAt(left, slot.y, kCaptionWidth, std::string(slot.caption),
                                       kDetailStyle, slot.captionAlign));
        }
        if (slot.value) {
            detail.emplace_back(textAt(slot.valueX, slot.y, kValueWidth, values.*slot.value,
                                       kDetailStyle, Align::Left));
        } else {
            // Nothing on file for it: a line for the shop to write on.
            const double baseline = slot.y + 0.905273 * kDetailStyle.pointSize / 72.0;
            detail.emplace_back(std::in_place_type<RuleItem>,
                                RuleItem{slot.valueX, baseline + 0.03,
                                         slot.valueX + design.writeOnLength, baseline + 0.03, 0.5});
        }
    }
    detail.emplace_back(textAt(design.commentsCaptionX, design.commentsY, kCaptionWidth,
                               "Comments:", kDetailStyle, Align::Left));
    TextItem comments = textAt(design.commentsX, design.commentsY, design.commentsWidth,
                               values.comments, kDetailStyle, Align::Left);
    comments.height = design.commentsHeight;
    comments.wrap = true;
    detail.emplace_back(std::move(comments));

    page.footer.height = 1.00;
    const std::string footerLines[] = {shop.name, shop.addr1,
                                       shop.city + ", " + shop.state + "  " + shop.zip,
                                       "Phone:" + shop.phone + "  FAX:" + shop.fax};
    const double step = (kFooterLastY - kFooterFirstY) / 3;
    for (int i = 0; i < 4; ++i)
        page.footer.items.emplace_back(textAt(kFooterLeft, kFooterFirstY + step * i,
                                              kFooterRight - kFooterLeft, footerLines[i],
                                              kFooterStyle, Align::Center));
    // "Printed: " ends within a point and a half of the date's place, so the
    // date follows the caption as drawn, its blank included.
    const std::string printedCaption = "Printed: ";
    const double dateX =
        std::max(kPrintedDateX, kPrintedCaptionX + textWidth(printedCaption, kFooterStyle));
    page.footer.items.emplace_back(textAt(kPrintedCaptionX, kPrintedY, dateX - kPrintedCaptionX,
                                          printedCaption, kFooterStyle, Align::Left));
    page.footer.items.emplace_back(
        textAt(dateX, kPrintedY, kPrintedRight - dateX,
               QLocale::system().toString(printed, QLocale::ShortFormat).toStdString(),
               kFooterStyle, Align::Left));
    return page;
}

QString proposedCustomerPdfName(const std::string& customerName, const QDate& day)
{
    QString name = QString::fromStdString(customerName).simplified();
    for (QChar& c : name)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    name = name.simplified();
    if (name.isEmpty())
        name = QStringLiteral("Customer");
    return QStringLiteral("%1 customer sheet %2.pdf").arg(name, day.toString(Qt::ISODate));
}

TCustInfoRpt::TCustInfoRpt(const std::filesystem::path& dataFolder) : coInfoTbl_(dataFolder) {}

ReportPage TCustInfoRpt::compose(const CustomerSheetValues& values, const QDate& printed)
{
    return composeCustomerSheet(values, coInfoTbl_.read(), printed);
}

PrintOutcome TCustInfoRpt::print(const CustomerSheetValues& values, QString* error)
{
    return printOnDefaultPrinter(compose(values), QString(), error);
}

bool TCustInfoRpt::print(const CustomerSheetValues& values, QPrinter& printer, QString* error)
{
    return printPage(compose(values), printer, QString(), error);
}

bool TCustInfoRpt::savePdf(const CustomerSheetValues& values, const QString& fileName,
                           QString* error)
{
    return writePdf(compose(values), fileName, QString::fromUtf8(kTitle), error);
}

} // namespace qw::reports
