#include "SplashArt.h"

#include "ArrowGlyph.h"
#include "ArtFonts.h"
#include "FilmGrain.h"
#include "TaperedStroke.h"
#include "TargetFace.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <random>

namespace qw::artwork {

namespace {
constexpr double arrowY = 318.0; // the nocked arrow's line, just above the grip
constexpr double stringX = 64.5; // the braced string
constexpr double bowMiddle = 320.0;
constexpr double titleLeft = 116.0;
constexpr double titleRight = 470.0;

QPainterPath ridge(double base, double a1, double f1, double p1, double a2, double f2, double p2)
{
    QPainterPath path;
    path.moveTo(0, SplashArt::height);
    for (int x = 0; x <= SplashArt::width; x += 4)
        path.lineTo(x, base + a1 * std::sin(x / f1 + p1) + a2 * std::sin(x / f2 + p2));
    path.lineTo(SplashArt::width, SplashArt::height);
    path.closeSubpath();
    return path;
}

void addPine(QPainterPath& path, double x, double groundY, double height)
{
    // Three stacked tiers, each narrower than the one below.
    for (int tier = 0; tier < 3; ++tier) {
        const double bottom = groundY - height * tier * 0.28;
        const double top = bottom - height * 0.48;
        const double half = height * (0.30 - tier * 0.07);
        path.moveTo(x - half, bottom);
        path.lineTo(x, top);
        path.lineTo(x + half, bottom);
        path.closeSubpath();
    }
    path.addRect(QRectF(x - height * 0.03, groundY - 1, height * 0.06, height * 0.12));
}

QPainterPath limbCentreLine(double sign)
{
    // One limb from the riser out to its recurved tip; sign -1 is the upper limb.
    auto y = [sign](double offset) { return bowMiddle + sign * offset; };
    QPainterPath limb;
    limb.moveTo(93, y(50));
    limb.cubicTo(93, y(95), 67, y(118), stringX, y(152));
    limb.cubicTo(63, y(165), 68, y(172), 79, y(177));
    return limb;
}
} // namespace

QImage SplashArt::render() const
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintSky(painter);
    paintStars(painter);
    paintSun(painter);
    paintHills(painter);
    paintTarget(painter);
    paintBow(painter);
    paintArrow(painter);
    paintTitle(painter);
    paintBrands(painter);
    paintVignette(painter);
    painter.end();
    FilmGrain(2011, 3).apply(image);
    return image;
}

void SplashArt::paintSky(QPainter& painter) const
{
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0.00, QColor(7, 11, 31));
    sky.setColorAt(0.25, QColor(16, 24, 60));
    sky.setColorAt(0.50, QColor(38, 34, 82));
    sky.setColorAt(0.66, QColor(66, 44, 92));
    sky.setColorAt(0.76, QColor(116, 58, 92));
    sky.setColorAt(0.83, QColor(186, 92, 76));
    sky.setColorAt(0.88, QColor(232, 146, 70));
    sky.setColorAt(1.00, QColor(247, 196, 106));
    painter.fillRect(QRect(0, 0, width, height), sky);
}

void SplashArt::paintStars(QPainter& painter) const
{
    std::mt19937 generator(488600);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        const double x = generator() % width;
        const double y = generator() % 330;
        const double size = 0.35 + (generator() % 100) / 100.0 * 0.8;
        // Stars fade out as the sky warms towards the horizon.
        const int alpha = static_cast<int>((60 + generator() % 140) * (1.0 - y / 400.0));
        painter.setBrush(QColor(255, 250, 235, alpha));
        painter.drawEllipse(QPointF(x, y), size, size);
    }
}

void SplashArt::paintSun(QPainter& painter) const
{
    const QPointF centre(160, 522);
    QRadialGradient glow(centre, 250);
    glow.setColorAt(0.0, QColor(255, 214, 140, 150));
    glow.setColorAt(0.35, QColor(250, 160, 90, 60));
    glow.setColorAt(1.0, QColor(250, 160, 90, 0));
    painter.fillRect(QRect(0, 300, width, height - 300), glow);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 232, 170));
    painter.drawEllipse(centre, 27, 27);
}

void SplashArt::paintHills(QPainter& painter) const
{
    painter.setPen(Qt::NoPen);
    QLinearGradient far(0, 490, 0, 560);
    far.setColorAt(0.0, QColor(84, 46, 78));
    far.setColorAt(1.0, QColor(42, 24, 48));
    painter.setBrush(far);
    painter.drawPath(ridge(512, 10, 53, 0.4, 6, 21, 1.3));

    QPainterPath near = ridge(546, 12, 71, 2.0, 5, 29, 0.2);
    const double pines[][2] = {{14, 46},  {30, 36},  {44, 52},  {60, 30},
                               {330, 26}, {452, 44}, {468, 56}, {482, 38}};
    for (const auto& pine : pines) {
        const double x = pine[0];
        const double ground = 546 + 12 * std::sin(x / 71 + 2.0) + 5 * std::sin(x / 29 + 0.2) + 4;
        addPine(near, x, ground, pine[1]);
    }
    near.setFillRule(Qt::WindingFill);
    painter.setBrush(QColor(14, 9, 20));
    painter.drawPath(near.simplified());
}

void SplashArt::paintTarget(QPainter& painter) const
{
    const QPointF face(402, 494);
    const double ground = 546 + 12 * std::sin(402 / 71.0 + 2.0) + 5 * std::sin(402 / 29.0 + 0.2);
    // Stand legs, silhouetted like the hills behind them.
    painter.setPen(QPen(QColor(14, 9, 20), 3.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(392, face.y()), QPointF(382, ground + 6));
    painter.drawLine(QPointF(412, face.y()), QPointF(424, ground + 6));
    painter.drawLine(QPointF(404, face.y()), QPointF(414, ground + 2));

    // The face is turned towards the archer, so it is seen at an angle.
    painter.save();
    painter.translate(face);
    painter.scale(0.52, 1.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 20, 28));
    painter.drawEllipse(QPointF(5, 0), 33, 33); // the straw boss behind the face
    TargetFace(QPointF(0, 0), 29).paint(painter, 0.28);
    painter.restore();

    ArrowStyle stuck;
    stuck.thickness = 2.2;
    stuck.fletchLength = 12;
    stuck.fletchHeight = 3.6;
    stuck.vane = QColor(136, 191, 61);
    stuck.cockVane = QColor(230, 226, 214);
    ArrowGlyph arrow(stuck);
    arrow.paint(painter, QPointF(352, 484), QPointF(401, 492));
    arrow.paint(painter, QPointF(356, 506), QPointF(403, 497));
}

void SplashArt::paintBow(QPainter& painter) const
{
    // Limbs: laminated bronze, thick at the riser and fine at the tips.
    QLinearGradient laminate(50, 0, 100, 0);
    laminate.setColorAt(0.0, QColor(116, 74, 36));
    laminate.setColorAt(0.45, QColor(214, 172, 104));
    laminate.setColorAt(1.0, QColor(98, 60, 30));
    painter.setPen(QPen(QColor(40, 24, 12), 0.8));
    painter.setBrush(laminate);
    const TaperedStroke limbShape(11.0, 3.2);
    painter.drawPath(limbShape.outline(limbCentreLine(-1)));
    painter.drawPath(limbShape.outline(limbCentreLine(1)));

    // The string touches the recurves and runs straight between them.
    painter.setPen(QPen(QColor(236, 230, 214), 1.4));
    painter.drawLine(QPointF(stringX, bowMiddle - 152), QPointF(stringX, bowMiddle + 152));
    painter.setPen(QPen(QColor(136, 191, 61), 2.4)); // the nocking point
    painter.drawLine(QPointF(stringX - 2.5, arrowY - 4.5), QPointF(stringX + 2.5, arrowY - 4.5));

    QPainterPath riser;
    riser.moveTo(98, bowMiddle - 62);
    riser.cubicTo(104, bowMiddle - 20, 104, bowMiddle + 20, 98, bowMiddle + 62);
    riser.lineTo(86, bowMiddle + 62);
    riser.cubicTo(86, bowMiddle + 40, 74, bowMiddle + 30, 74, bowMiddle + 10); // the grip
    riser.lineTo(74, bowMiddle + 2);
    riser.lineTo(84, bowMiddle); // the arrow shelf
    riser.lineTo(86, bowMiddle - 8);
    riser.cubicTo(86, bowMiddle - 30, 88, bowMiddle - 50, 86, bowMiddle - 62);
    riser.closeSubpath();
    QLinearGradient wood(72, 0, 104, 0);
    wood.setColorAt(0.0, QColor(52, 30, 18));
    wood.setColorAt(0.5, QColor(128, 76, 42));
    wood.setColorAt(1.0, QColor(44, 24, 14));
    painter.setPen(QPen(QColor(24, 14, 8), 0.8));
    painter.setBrush(wood);
    painter.drawPath(riser);
}

void SplashArt::paintArrow(QPainter& painter) const
{
    ArrowStyle style;
    style.shaft = ArrowStyle::Shaft::Carbon;
    style.point = ArrowStyle::Point::Broadhead;
    style.thickness = 5.0;
    style.fletchLength = 46;
    style.fletchHeight = 11;
    style.vane = QColor(136, 191, 61);
    style.cockVane = QColor(245, 123, 32);
    style.wrap = QColor(236, 232, 220);
    ArrowGlyph(style).paint(painter, QPointF(stringX, arrowY), QPointF(462, arrowY));
}

void SplashArt::paintTitle(QPainter& painter) const
{
    const ArtFonts& fonts = ArtFonts::instance();
    QFont titleFont = fonts.display(60);
    const double wanted = titleRight - titleLeft;
    const double natural = QFontMetricsF(titleFont).horizontalAdvance(QStringLiteral("QUIVERWISE"));
    titleFont.setPixelSize(static_cast<int>(60 * wanted / natural));

    QPainterPath title;
    title.addText(QPointF(titleLeft, 246), titleFont, QStringLiteral("QUIVERWISE"));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(title.translated(2, 3));
    QLinearGradient gold(0, 200, 0, 248);
    gold.setColorAt(0.0, QColor(255, 250, 232));
    gold.setColorAt(0.55, QColor(250, 214, 140));
    gold.setColorAt(1.0, QColor(222, 150, 60));
    painter.setBrush(gold);
    painter.setPen(QPen(QColor(70, 36, 14), 0.8));
    painter.drawPath(title);

    painter.setPen(QColor(170, 184, 220));
    painter.setFont(fonts.withSpacing(fonts.sans(12, true), 3.6));
    painter.drawText(QPointF(titleLeft + 2, 186), QStringLiteral("ARROW SHAFT SELECTION"));

    QFont seasonFont = fonts.serifItalic(38);
    const QString season = QStringLiteral("2011 Season");
    const double seasonWidth = QFontMetricsF(seasonFont).horizontalAdvance(season);
    QPainterPath seasonPath;
    seasonPath.addText(QPointF(titleRight - seasonWidth, 292), seasonFont, season);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 100));
    painter.drawPath(seasonPath.translated(1.5, 2));
    QLinearGradient ember(0, 262, 0, 294);
    ember.setColorAt(0.0, QColor(255, 200, 130));
    ember.setColorAt(1.0, QColor(245, 123, 32));
    painter.setBrush(ember);
    painter.drawPath(seasonPath);
}

void SplashArt::paintBrands(QPainter& painter) const
{
    const ArtFonts& fonts = ArtFonts::instance();
    const QFont font = fonts.withSpacing(fonts.sans(13, true), 5.0);
    const QString brands = QStringLiteral("NORVANE  \u00B7  KAVEL");
    const double textWidth = QFontMetricsF(font).horizontalAdvance(brands);
    painter.setFont(font);
    painter.setPen(QColor(216, 206, 190, 210));
    painter.drawText(QPointF((width - textWidth) / 2 + 2.5, 584), brands);
}

void SplashArt::paintVignette(QPainter& painter) const
{
    QRadialGradient vignette(QPointF(width / 2.0, height * 0.45), height * 0.72);
    vignette.setColorAt(0.0, QColor(0, 0, 0, 0));
    vignette.setColorAt(0.75, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 90));
    painter.fillRect(QRect(0, 0, width, height), vignette);
}

} // namespace qw::artwork
