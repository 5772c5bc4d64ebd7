#include "HelpDiagrams.h"

#include "ArrowGlyph.h"
#include "ArtFonts.h"

#include <QPainterPath>
#include <cmath>

namespace qw::artwork {

namespace {
const QColor ink(40, 40, 44);
const QColor paper(255, 255, 255);
const QColor accent(136, 191, 61);
const QColor warning(245, 123, 32);

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(paper);
    return image;
}

void dimensionLine(QPainter& painter, QPointF from, QPointF to)
{
    painter.setPen(QPen(ink, 1));
    painter.drawLine(from, to);
    // Small ticks at both ends, across the line.
    const bool horizontal = std::abs(to.y() - from.y()) < std::abs(to.x() - from.x());
    const QPointF tick = horizontal ? QPointF(0, 4) : QPointF(4, 0);
    painter.drawLine(from - tick, from + tick);
    painter.drawLine(to - tick, to + tick);
}
} // namespace

std::vector<HelpPicture> HelpDiagrams::renderAll() const
{
    return {
        {QStringLiteral("spine_test.png"), spineTest()},
        {QStringLiteral("foc_balance.png"), frontOfCentre()},
        {QStringLiteral("tear_clean.png"), paperTear(0, 0)},
        {QStringLiteral("tear_nock_high.png"), paperTear(0, -1)},
        {QStringLiteral("tear_nock_low.png"), paperTear(0, 1)},
        {QStringLiteral("tear_nock_left.png"), paperTear(-1, 0)},
        {QStringLiteral("tear_nock_right.png"), paperTear(1, 0)},
    };
}

void HelpDiagrams::paintLabel(QPainter& painter, const QRectF& box, const QString& text,
                              Qt::Alignment alignment, bool bold) const
{
    painter.setFont(ArtFonts::instance().sans(12, bold));
    painter.setPen(ink);
    painter.drawText(box, alignment | Qt::TextWordWrap, text);
}

QImage HelpDiagrams::spineTest() const
{
    QImage image = blank(480, 180);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double left = 60, right = 420, restY = 70, sag = 34;

    // The supports: two knife edges 28 inches apart.
    painter.setPen(QPen(ink, 1.2));
    painter.setBrush(QColor(200, 200, 204));
    for (double x : {left, right}) {
        QPainterPath edge;
        edge.moveTo(x, restY + 3);
        edge.lineTo(x - 12, restY + 34);
        edge.lineTo(x + 12, restY + 34);
        edge.closeSubpath();
        painter.drawPath(edge);
    }
    // The unloaded shaft, dashed, and the loaded shaft bowed under the weight.
    painter.setPen(QPen(QColor(150, 150, 156), 1, Qt::DashLine));
    painter.drawLine(QPointF(30, restY), QPointF(450, restY));
    QPainterPath bent;
    bent.moveTo(30, restY - 4);
    bent.cubicTo(140, restY + sag * 0.9, 340, restY + sag * 0.9, 450, restY - 4);
    painter.setPen(QPen(QColor(58, 60, 66), 5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bent);

    // The weight hangs from the middle of the span.
    const double middle = (left + right) / 2, loadedY = restY - 1 + sag * 0.675;
    painter.setPen(QPen(ink, 1));
    painter.drawLine(QPointF(middle, loadedY + 2), QPointF(middle, loadedY + 30));
    painter.setBrush(warning);
    painter.drawRoundedRect(QRectF(middle - 22, loadedY + 30, 44, 30), 4, 4);
    painter.setFont(ArtFonts::instance().sans(11, true));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(middle - 22, loadedY + 30, 44, 30), Qt::AlignCenter,
                     QStringLiteral("1.94 lb"));

    // The sag at the centre is the spine figure.
    dimensionLine(painter, QPointF(middle + 46, restY), QPointF(middle + 46, loadedY));
    paintLabel(painter, QRectF(middle + 54, restY - 44, 170, 36),
               QStringLiteral("sag at the centre\n= static spine"), Qt::AlignLeft, true);
    dimensionLine(painter, QPointF(left, 150), QPointF(right, 150));
    paintLabel(painter, QRectF(left, 154, right - left, 20),
               QStringLiteral("28 in between supports (shaft cut to 29 in)"), Qt::AlignHCenter);
    return image;
}

QImage HelpDiagrams::frontOfCentre() const
{
    QImage image = blank(480, 140);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double nockX = 20, pointX = 460, y = 52;
    ArrowStyle style;
    style.thickness = 6;
    style.fletchLength = 60;
    style.fletchHeight = 13;
    style.vane = accent;
    style.cockVane = warning;
    style.nock = QColor(90, 90, 96);
    ArrowGlyph(style).paint(painter, QPointF(nockX, y), QPointF(pointX, y));

    const double centreX = (nockX + pointX) / 2, balanceX = centreX + 48;
    painter.setPen(QPen(ink, 1, Qt::DashLine));
    painter.drawLine(QPointF(centreX, y - 26), QPointF(centreX, y + 26));
    painter.setPen(QPen(warning, 2));
    painter.drawLine(QPointF(balanceX, y - 26), QPointF(balanceX, y + 26));
    // A finger balancing the arrow at its balance point.
    painter.setBrush(warning);
    painter.setPen(Qt::NoPen);
    QPainterPath fulcrum;
    fulcrum.moveTo(balanceX, y + 5);
    fulcrum.lineTo(balanceX - 8, y + 20);
    fulcrum.lineTo(balanceX + 8, y + 20);
    fulcrum.closeSubpath();
    painter.drawPath(fulcrum);

    paintLabel(painter, QRectF(centreX - 110, y - 46, 104, 18), QStringLiteral("centre (L / 2)"),
               Qt::AlignRight);
    paintLabel(painter, QRectF(balanceX + 6, y - 46, 120, 18), QStringLiteral("balance point"),
               Qt::AlignLeft, true);
    dimensionLine(painter, QPointF(centreX, y + 34), QPointF(balanceX, y + 34));
    paintLabel(painter, QRectF(centreX - 60, y + 40, 168, 18), QStringLiteral("FOC distance"),
               Qt::AlignHCenter);
    dimensionLine(painter, QPointF(nockX + 2, 112), QPointF(pointX - 24, 112));
    paintLabel(painter, QRectF(nockX, 118, 240, 18),
               QStringLiteral("L: nock throat to end of shaft"), Qt::AlignLeft);
    return image;
}

QImage HelpDiagrams::paperTear(int dx, int dy) const
{
    QImage image = blank(tearSize, tearSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(150, 140, 120), 1));
    painter.setBrush(QColor(246, 238, 218));
    painter.drawRect(QRectF(4.5, 4.5, tearSize - 9, tearSize - 9));

    const QPointF hole(tearSize / 2.0 - dx * 14, tearSize / 2.0 - dy * 14);
    const QPointF fletch = hole + QPointF(dx * 30, dy * 30);
    // The torn channel from the point hole to where the fletching went through.
    if (dx != 0 || dy != 0) {
        painter.setPen(QPen(QColor(70, 62, 50), 5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(hole, fletch);
    }
    // Three vane slits at 120 degrees around the fletching's passage.
    painter.setPen(QPen(QColor(70, 62, 50), 2, Qt::SolidLine, Qt::RoundCap));
    for (int vane = 0; vane < 3; ++vane) {
        const double angle = (-90 + vane * 120) * M_PI / 180.0;
        const QPointF reach(std::cos(angle) * 13, std::sin(angle) * 13);
        painter.drawLine(fletch + reach * 0.35, fletch + reach);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 34, 26));
    painter.drawEllipse(hole, 5.5, 5.5);
    return image;
}

} // namespace qw::artwork
