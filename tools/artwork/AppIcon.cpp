#include "AppIcon.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <vector>

namespace qw::artwork {

namespace {

constexpr double kSpace = 256.0; // the drawing's own units

// Each shape of the icon, back to front, in the drawing's units.
struct Circle {
    double cx, cy, r;
    QColor fill;
};
struct Polygon {
    std::vector<QPointF> points;
    QColor fill;
};

const QColor kTile(34, 38, 36);
const QColor kHunting(136, 191, 61); // the hunting page's accent

std::vector<Circle> rings()
{
    const std::array<QColor, 5> zones = {QColor(246, 246, 240), QColor(28, 28, 30),
                                         QColor(0, 150, 214), QColor(232, 52, 48),
                                         QColor(255, 226, 40)};
    std::vector<Circle> out;
    const double outer = 96.0;
    for (int zone = 0; zone < 5; ++zone)
        out.push_back({128.0, 136.0, outer - zone * outer / 5.0, zones[std::size_t(zone)]});
    return out;
}

// The arrow from the upper right into the gold: shaft, point, three vanes.
std::vector<Polygon> arrow()
{
    const QColor shaft(60, 60, 62);
    const QColor nock(240, 240, 240);
    return {
        {{{128, 132}, {214, 46}, {222, 54}, {136, 140}}, shaft},
        {{{128, 136}, {140, 120}, {144, 124}}, QColor(200, 200, 204)},
        {{{200, 58}, {222, 22}, {236, 22}, {212, 62}}, kHunting},
        {{{204, 66}, {236, 44}, {236, 58}, {210, 72}}, kHunting},
        {{{212, 54}, {230, 30}, {236, 36}, {216, 58}}, nock},
        {{{216, 44}, {228, 32}, {236, 40}, {224, 52}}, nock},
    };
}

QString colour(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

} // namespace

QString AppIcon::svg() const
{
    QString out = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
        "viewBox=\"0 0 256 256\">\n"
        "  <title>Quiverwise</title>\n");
    out += QStringLiteral("  <rect x=\"8\" y=\"8\" width=\"240\" height=\"240\" rx=\"36\" "
                          "fill=\"%1\"/>\n")
               .arg(colour(kTile));
    for (const Circle& c : rings())
        out += QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\" "
                              "stroke=\"#1e1e1e\" stroke-width=\"1.5\"/>\n")
                   .arg(c.cx)
                   .arg(c.cy)
                   .arg(c.r)
                   .arg(colour(c.fill));
    for (const Polygon& p : arrow()) {
        QStringList points;
        for (const QPointF& point : p.points)
            points << QStringLiteral("%1,%2").arg(point.x()).arg(point.y());
        out += QStringLiteral("  <polygon points=\"%1\" fill=\"%2\"/>\n")
                   .arg(points.join(QLatin1Char(' ')), colour(p.fill));
    }
    out += QStringLiteral("</svg>\n");
    return out;
}

QImage AppIcon::render(int size) const
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(size / kSpace, size / kSpace);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kTile);
    painter.drawRoundedRect(QRectF(8, 8, 240, 240), 36, 36);
    painter.setPen(QPen(QColor(30, 30, 30), 1.5));
    for (const Circle& c : rings()) {
        painter.setBrush(c.fill);
        painter.drawEllipse(QPointF(c.cx, c.cy), c.r, c.r);
    }
    painter.setPen(Qt::NoPen);
    for (const Polygon& p : arrow()) {
        painter.setBrush(p.fill);
        painter.drawPolygon(p.points.data(), int(p.points.size()));
    }
    painter.end();
    return image;
}

} // namespace qw::artwork
