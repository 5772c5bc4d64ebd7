#include "CalculatorArt.h"

#include "ArrowGlyph.h"
#include "ArtFonts.h"
#include "FilmGrain.h"
#include "TargetFace.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace qw::artwork {

namespace {
const QColor ink(36, 38, 44);
const QColor green(136, 191, 61);
const QColor orange(245, 123, 32);
const QColor navy(22, 40, 84);

// A drafting dimension: extension lines down to the line, filled arrowheads
// at both ends, the letter in a disc at the middle and its caption either
// right of the far end or centred below the line.
void dimension(QPainter& painter, double x1, double x2, double y, double fromY,
               const QString& letter, const QString& caption, bool captionBelow,
               const QColor& colour)
{
    painter.save();
    painter.setPen(QPen(QColor(120, 124, 132), 1, Qt::DashLine));
    painter.drawLine(QPointF(x1, fromY), QPointF(x1, y + (fromY > y ? -5 : 5)));
    painter.drawLine(QPointF(x2, fromY), QPointF(x2, y + (fromY > y ? -5 : 5)));
    painter.setPen(QPen(colour, 1.6));
    painter.drawLine(QPointF(x1 + 6, y), QPointF(x2 - 6, y));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (const auto& [tip, direction] : {std::pair{x1, 1.0}, std::pair{x2, -1.0}}) {
        QPainterPath head;
        head.moveTo(tip, y);
        head.lineTo(tip + direction * 10, y - 4);
        head.lineTo(tip + direction * 10, y + 4);
        head.closeSubpath();
        painter.drawPath(head);
    }
    const QPointF middle((x1 + x2) / 2, y);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(middle.x() - 16, y - 12, 32, 24));
    painter.setBrush(colour);
    painter.drawEllipse(middle, 11, 11);
    painter.setPen(Qt::white);
    painter.setFont(ArtFonts::instance().sans(15, true));
    painter.drawText(QRectF(middle.x() - 11, y - 11, 22, 22), Qt::AlignCenter, letter);
    painter.setPen(ink);
    painter.setFont(ArtFonts::instance().sans(12, false));
    if (captionBelow)
        painter.drawText(QRectF(middle.x() - 150, y + 11, 300, 16), Qt::AlignCenter, caption);
    else
        painter.drawText(QRectF(x2 + 10, y - 9, 200, 18), Qt::AlignLeft | Qt::AlignVCenter,
                         caption);
    painter.restore();
}
} // namespace

QImage CalculatorArt::focDiagram() const
{
    QImage image(focWidth, focHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(196, 200, 206), 1));
    painter.drawRect(QRectF(0.5, 0.5, focWidth - 1, focHeight - 1));

    // The arrow: nock groove at the left, the shaft's end where the point's
    // shoulder sits, the point beyond it.
    const double nockX = 34, shaftEndX = 500, y = 68;
    ArrowStyle style;
    style.thickness = 7;
    style.fletchLength = 64;
    style.fletchHeight = 14;
    style.vane = green;
    style.cockVane = orange;
    style.wrap = QColor(236, 236, 230);
    style.nock = QColor(70, 72, 78);
    ArrowGlyph(style).paint(painter, QPointF(nockX - 8, y), QPointF(shaftEndX + 24, y));

    // The balance point, on a fulcrum, and the shaft's middle for comparison.
    const double balanceX = nockX + (shaftEndX - nockX) * 0.6;
    const double centreX = (nockX + shaftEndX) / 2;
    painter.setPen(QPen(QColor(150, 154, 160), 1, Qt::DotLine));
    painter.drawLine(QPointF(centreX, y - 16), QPointF(centreX, y + 16));
    painter.setFont(ArtFonts::instance().sans(11, false));
    painter.setPen(QColor(110, 114, 120));
    painter.drawText(QRectF(centreX - 40, y - 32, 80, 16), Qt::AlignCenter, QStringLiteral("L / 2"));
    painter.setPen(Qt::NoPen);
    painter.setBrush(orange);
    QPainterPath fulcrum;
    fulcrum.moveTo(balanceX, y + 5);
    fulcrum.lineTo(balanceX - 9, y + 22);
    fulcrum.lineTo(balanceX + 9, y + 22);
    fulcrum.closeSubpath();
    painter.drawPath(fulcrum);
    painter.setFont(ArtFonts::instance().sans(11, true));
    painter.setPen(orange.darker(130));
    painter.drawText(QRectF(balanceX + 14, y + 8, 120, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("balance point"));

    dimension(painter, nockX, balanceX, 26, y - 10, QStringLiteral("A"),
              QStringLiteral("balance, from the nock groove"), false, orange.darker(115));
    dimension(painter, nockX, shaftEndX, 112, y + 10, QStringLiteral("L"),
              QStringLiteral("arrow length: nock groove to end of shaft"), true, navy);
    return image;
}

QImage CalculatorArt::keTile() const
{
    // A 2/2 twill of 8-pixel tows, shaded along each tow, in a light warm grey;
    // 96 is a whole number of weave repeats, so the tile meets itself.
    QImage image(tileSize, tileSize, QImage::Format_RGB32);
    constexpr int tow = 8;
    for (int y = 0; y < tileSize; ++y)
        for (int x = 0; x < tileSize; ++x) {
            const int column = x / tow, row = y / tow;
            const bool warp = ((column + row) / 2) % 2 == 0;
            const double along = warp ? (y % tow + 0.5) / tow : (x % tow + 0.5) / tow;
            const double across = warp ? (x % tow + 0.5) / tow : (y % tow + 0.5) / tow;
            // Bright along the middle of the tow, darker at its edges and ends.
            const double shade = 0.55 * std::sin(across * M_PI) + 0.45 * std::sin(along * M_PI);
            const int base = warp ? 226 : 220;
            const int value = base + static_cast<int>(shade * 12) - 6;
            image.setPixel(x, y, qRgb(value, value - 1, value - 5));
        }
    return image;
}

QImage CalculatorArt::focTile() const
{
    // Drafting paper: a fine grid every 8 pixels and a stronger line every 48.
    QImage image(tileSize, tileSize, QImage::Format_RGB32);
    image.fill(QColor(242, 244, 238));
    for (int y = 0; y < tileSize; ++y)
        for (int x = 0; x < tileSize; ++x) {
            const bool major = x % 48 == 0 || y % 48 == 0;
            const bool minor = x % 8 == 0 || y % 8 == 0;
            if (major)
                image.setPixel(x, y, qRgb(196, 212, 218));
            else if (minor)
                image.setPixel(x, y, qRgb(222, 230, 230));
        }
    return image;
}

QImage CalculatorArt::trajectoryBanner() const
{
    QImage image(bannerWidth, bannerHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient sky(0, 0, 0, bannerHeight);
    sky.setColorAt(0, QColor(16, 26, 48));
    sky.setColorAt(1, QColor(4, 6, 12));
    painter.fillRect(image.rect(), sky);
    QRadialGradient glow(QPointF(470, 70), 260);
    glow.setColorAt(0, QColor(245, 123, 32, 54));
    glow.setColorAt(1, QColor(245, 123, 32, 0));
    painter.fillRect(image.rect(), glow);

    // Line of sight, the 4-inch band round it and the arrow's path through it.
    const double left = 250, right = 596, sightY = 78;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(136, 191, 61, 46));
    painter.drawRect(QRectF(left, sightY - 12, right - left, 24));
    painter.setPen(QPen(QColor(200, 204, 212, 150), 1, Qt::DashLine));
    painter.drawLine(QPointF(left, sightY), QPointF(right, sightY));
    QPainterPath flight;
    flight.moveTo(left, sightY + 10);
    flight.quadTo((left + right) / 2 - 20, sightY - 52, right - 24, sightY + 8);
    painter.setPen(QPen(QColor(245, 123, 32), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(flight);
    // The window: where the path is inside the band.
    painter.setPen(QPen(QColor(136, 191, 61), 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(318, 116), QPointF(566, 116));
    painter.setPen(QPen(QColor(136, 191, 61), 1.2));
    for (double x : {318.0, 566.0})
        painter.drawLine(QPointF(x, 110), QPointF(x, 122));
    // Yardage ticks.
    painter.setFont(ArtFonts::instance().sans(9, false));
    for (int yards = 0; yards <= 60; yards += 10) {
        const double x = left + (right - 24 - left) * yards / 60.0;
        painter.setPen(QPen(QColor(150, 156, 168), 1));
        painter.drawLine(QPointF(x, 128), QPointF(x, 133));
        painter.drawText(QRectF(x - 15, 131, 30, 11), Qt::AlignCenter,
                         yards ? QString::number(yards) : QStringLiteral("yd"));
    }
    TargetFace(QPointF(right - 20, sightY), 17).paint(painter, 0.0);

    const ArtFonts& fonts = ArtFonts::instance();
    const QFont tag = fonts.withSpacing(fonts.sans(10, true), 1.8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(245, 123, 32));
    painter.drawRoundedRect(QRectF(22, 20, 80, 16), 2, 2);
    painter.setPen(QColor(20, 8, 0));
    painter.setFont(tag);
    painter.drawText(QRectF(22, 20, 80, 16), Qt::AlignCenter, QStringLiteral("NORVANE"));
    painter.setPen(QColor(244, 244, 240));
    painter.setFont(fonts.display(30));
    painter.drawText(QRectF(20, 40, 260, 36), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Trajectory"));
    painter.setFont(fonts.withSpacing(fonts.sans(12, true), 2.4));
    painter.setPen(QColor(245, 123, 32).lighter(120));
    painter.drawText(QRectF(22, 76, 240, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("REFERENCE"));
    painter.setFont(fonts.sans(11, false));
    painter.setPen(QColor(170, 176, 188));
    painter.drawText(QRectF(22, 100, 230, 32), Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("Where your arrow stays within\n4 inches of the line of sight"));
    painter.end();
    FilmGrain(634, 2).apply(image);
    return image;
}

QImage CalculatorArt::target() const
{
    QImage image(targetWidth, targetHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor wood(112, 78, 44);
    // Shadow on the ground, then the back leg, the butt and the front legs.
    QRadialGradient shadow(QPointF(48, 110), 40);
    shadow.setColorAt(0, QColor(0, 0, 0, 90));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawEllipse(QPointF(48, 110), 44, 6);
    painter.setPen(QPen(wood.darker(140), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(48, 60), QPointF(60, 109));
    QLinearGradient straw(0, 4, 0, 84);
    straw.setColorAt(0, QColor(226, 196, 120));
    straw.setColorAt(1, QColor(184, 148, 80));
    painter.setPen(QPen(QColor(120, 92, 44), 1));
    painter.setBrush(straw);
    painter.drawRoundedRect(QRectF(8, 4, 80, 80), 5, 5);
    painter.setPen(QPen(QColor(160, 126, 64, 150), 1));
    for (int y = 10; y < 84; y += 6)
        painter.drawLine(QPointF(11, y + (y % 4)), QPointF(85, y - (y % 4)));
    TargetFace(QPointF(48, 44), 33).paint(painter, 0.0);
    painter.setPen(QPen(wood, 4.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(26, 80), QPointF(16, 110));
    painter.drawLine(QPointF(70, 80), QPointF(80, 110));
    return image;
}

} // namespace qw::artwork
