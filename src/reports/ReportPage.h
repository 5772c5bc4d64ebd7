#pragma once

// The report engine: one page of items placed in inches, in bands on a US
// Letter portrait page with 0.5 in margins, drawn with QPainter onto a PDF
// file or a printer. Positions are measured from the left margin (x) and
// from the top of the item's band (y).

#include <QString>

#include <string>
#include <variant>
#include <vector>

class QPainter;
class QPrinter;

namespace qw::reports {

enum class Align { Left, Center, Right };

struct TextStyle {
    double pointSize = 10;
    bool bold = false;
    bool underline = false;
    QString family = QStringLiteral("Arial");
};

// Text in a box. A single-line box draws its text on one line, top-aligned,
// whatever its width; a wrapping box breaks at word boundaries (a word wider
// than the box where it reaches the edge) and draws only the lines that end
// above its bottom edge, the last of them ending in "…" when text is left out.
struct TextItem {
    double x = 0, y = 0, width = 0, height = 0;
    std::string text; // UTF-8
    TextStyle style;
    Align align = Align::Left;
    bool wrap = false;
};

// A horizontal or slanted line from (x1, y1) to (x2, y2); pen width in points.
struct RuleItem {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double penWidth = 1;
};

struct RectItem {
    double x = 0, y = 0, width = 0, height = 0;
    double penWidth = 1;
};

using Item = std::variant<TextItem, RuleItem, RectItem>;

struct Band {
    double height = 0; // inches
    std::vector<Item> items;
};

// The title band sits at the top margin, the detail band right below it, and
// the page footer band ends at the bottom margin.
struct ReportPage {
    Band title;
    Band detail;
    Band footer;
};

inline constexpr double kPageWidth = 8.5;
inline constexpr double kPageHeight = 11.0;
inline constexpr double kMargin = 0.5;

// The width of text in the style, in inches, as the page draws it.
double textWidth(const std::string& text, const TextStyle& style);

// Draws the page with the painter's origin at the top-left margin corner and
// dotsPerInch device units to the inch.
void renderPage(QPainter& painter, double dotsPerInch, const ReportPage& page);

// Writes the page as a one-page US Letter PDF. False with a message when the
// file cannot be written.
bool writePdf(const ReportPage& page, const QString& fileName, const QString& title,
              QString* error = nullptr);

// Sets up the printer for the page (Letter portrait, 0.5 in margins, one
// copy, the job title) and prints it. False with a message when the printer
// cannot be opened.
bool printPage(const ReportPage& page, QPrinter& printer, const QString& jobTitle,
               QString* error = nullptr);

enum class PrintOutcome { Printed, NoPrinter, Failed };

inline constexpr const char* kNoPrinterMessage = "No printer is set up.";

// Straight to the system's default printer, no dialog. NoPrinter, with
// kNoPrinterMessage, when the system has no usable printer.
PrintOutcome printOnDefaultPrinter(const ReportPage& page, const QString& jobTitle,
                                   QString* error = nullptr);

} // namespace qw::reports
