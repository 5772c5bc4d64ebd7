#include "ReportPage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextLayout>

namespace qw::reports {

namespace {

QFont fontOf(const TextStyle& style)
{
    QFont font(style.family);
    font.setPointSizeF(style.pointSize);
    font.setBold(style.bold);
    font.setUnderline(style.underline);
    font.setKerning(true);
    return font;
}

Qt::Alignment horizontal(Align align)
{
    switch (align) {
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

QPageLayout letterLayout()
{
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                       QMarginsF(kMargin, kMargin, kMargin, kMargin), QPageLayout::Inch);
}

class BandPainter {
public:
    BandPainter(QPainter& painter, double dotsPerInch, double top)
        : painter_(painter), dpi_(dotsPerInch), top_(top)
    {
    }

    void operator()(const TextItem& item) const
    {
        if (item.text.empty())
            return;
        const QString text = QString::fromStdString(item.text);
        const QFont font = fontOf(item.style);
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        const QRectF box(item.x * dpi_, (top_ + item.y) * dpi_, item.width * dpi_,
                         item.height * dpi_);
        if (!item.wrap) {
            painter_.drawText(
                box,
                int(horizontal(item.align) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip),
                text);
            return;
        }
        // Whole lines only: a line that would cross the bottom edge, and
        // every line after it, is left out.
        // Line ends typed into a memo break the line there.
        QString lines = text;
        lines.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
        lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
        lines.replace(QLatin1Char('\r'), QChar::LineSeparator);
        QTextLayout layout(lines, font, painter_.device());
        QTextOption option(horizontal(item.align));
        // A word wider than the box is broken where it reaches the edge.
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        double lineTop = 0;
        int fitting = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(box.width());
            line.setPosition(QPointF(0, lineTop));
            lineTop += line.height();
            if (lineTop <= box.height() + 0.5)
                ++fitting;
        }
        layout.endLayout();
        const bool cut = fitting < layout.lineCount();
        for (int i = 0; i < fitting - (cut ? 1 : 0); ++i)
            layout.lineAt(i).draw(&painter_, box.topLeft());
        if (cut && fitting > 0)
            drawCutLine(layout, fitting - 1, box, item.align);
    }

    void operator()(const RuleItem& item) const
    {
        painter_.setPen(pen(item.penWidth));
        painter_.drawLine(QPointF(item.x1 * dpi_, (top_ + item.y1) * dpi_),
                          QPointF(item.x2 * dpi_, (top_ + item.y2) * dpi_));
    }

    void operator()(const RectItem& item) const
    {
        painter_.setPen(pen(item.penWidth));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(
            QRectF(item.x * dpi_, (top_ + item.y) * dpi_, item.width * dpi_, item.height * dpi_));
    }

private:
    // The last line a box has room for when text follows it: as much of the
    // line as fits with "…" after it, so the reader sees text is missing.
    void drawCutLine(const QTextLayout& layout, int index, const QRectF& box, Align align) const
    {
        const QTextLine line = layout.lineAt(index);
        QString text = layout.text().mid(line.textStart(), line.textLength());
        const QFontMetricsF metrics(layout.font(), painter_.device());
        const QString ellipsis(QChar(0x2026));
        const auto trimmed = [](QString t) {
            while (!t.isEmpty() && (t.back().isSpace() || t.back() == QChar::LineSeparator))
                t.chop(1);
            return t;
        };
        text = trimmed(text);
        while (!text.isEmpty() && metrics.horizontalAdvance(text + ellipsis) > box.width())
            text = trimmed(text.chopped(1));
        text += ellipsis;
        const double width = metrics.horizontalAdvance(text);
        double x = box.left();
        if (align == Align::Center)
            x += (box.width() - width) / 2;
        else if (align == Align::Right)
            x += box.width() - width;
        painter_.drawText(QPointF(x, box.top() + line.y() + line.ascent()), text);
    }

    QPen pen(double points) const
    {
        QPen pen(Qt::black);
        pen.setWidthF(points * dpi_ / 72.0);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }

    QPainter& painter_;
    double dpi_;
    double top_;
};

void renderBand(QPainter& painter, double dotsPerInch, double top, const Band& band)
{
    const BandPainter draw(painter, dotsPerInch, top);
    for (const Item& item : band.items)
        std::visit(draw, item);
}

} // namespace

double textWidth(const std::string& text, const TextStyle& style)
{
    // Measured at the resolution the PDF is written in.
    constexpr int kDotsPerInch = 1200;
    QImage device(1, 1, QImage::Format_Mono);
    device.setDotsPerMeterX(qRound(kDotsPerInch / 0.0254));
    device.setDotsPerMeterY(qRound(kDotsPerInch / 0.0254));
    const QFontMetricsF metrics(fontOf(style), &device);
    return metrics.horizontalAdvance(QString::fromStdString(text)) / kDotsPerInch;
}

void renderPage(QPainter& painter, double dotsPerInch, const ReportPage& page)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double contentHeight = kPageHeight - 2 * kMargin;
    renderBand(painter, dotsPerInch, 0, page.title);
    renderBand(painter, dotsPerInch, page.title.height, page.detail);
    renderBand(painter, dotsPerInch, contentHeight - page.footer.height, page.footer);
    painter.restore();
}

bool writePdf(const ReportPage& page, const QString& fileName, const QString& title, QString* error)
{
    QPdfWriter writer(fileName);
    writer.setPageLayout(letterLayout());
    writer.setResolution(1200);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Quiverwise"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("Cannot write %1").arg(fileName);
        return false;
    }
    renderPage(painter, writer.resolution(), page);
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("Cannot write %1").arg(fileName);
        return false;
    }
    return true;
}

bool printPage(const ReportPage& page, QPrinter& printer, const QString& jobTitle, QString* error)
{
    printer.setFullPage(false);
    printer.setPageLayout(letterLayout());
    printer.setCopyCount(1);
    printer.setDocName(jobTitle);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = QStringLiteral("The printer %1 cannot be opened").arg(printer.printerName());
        return false;
    }
    renderPage(painter, printer.resolution(), page);
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("The sheet could not be sent to the printer %1")
                         .arg(printer.printerName());
        return false;
    }
    return true;
}

PrintOutcome printOnDefaultPrinter(const ReportPage& page, const QString& jobTitle, QString* error)
{
    const QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (target.isNull()) {
        if (error)
            *error = QString::fromUtf8(kNoPrinterMessage);
        return PrintOutcome::NoPrinter;
    }
    QPrinter printer(target, QPrinter::HighResolution);
    return printPage(page, printer, jobTitle, error) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace qw::reports
