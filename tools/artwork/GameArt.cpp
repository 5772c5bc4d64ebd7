#include "GameArt.h"

#include "FilmGrain.h"
#include "TaperedStroke.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>
#include <array>
#include <cmath>
#include <random>

namespace qw::artwork {

namespace {

constexpr double groundY = 124;

QPointF polar(double degrees, double length)
{
    const double radians = degrees * M_PI / 180.0;
    return {std::cos(radians) * length, std::sin(radians) * length};
}

QPainterPath ellipse(QPointF centre, double rx, double ry, double degrees = 0)
{
    QPainterPath path;
    path.addEllipse(QPointF(0, 0), rx, ry);
    QTransform transform;
    transform.translate(centre.x(), centre.y());
    transform.rotate(degrees);
    return transform.map(path);
}

// A smooth centre line through the points (Catmull-Rom as cubic Beziers).
QPainterPath smooth(const std::vector<QPointF>& points)
{
    QPainterPath path(points.front());
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const QPointF p0 = points[i == 0 ? 0 : i - 1];
        const QPointF p1 = points[i];
        const QPointF p2 = points[i + 1];
        const QPointF p3 = points[i + 2 < points.size() ? i + 2 : i + 1];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    return path;
}

QPainterPath limb(const std::vector<QPointF>& points, double startWidth, double endWidth)
{
    const QPainterPath outline = TaperedStroke(startWidth, endWidth, 48).outline(smooth(points));
    // Round the thin end so that hooves and tines do not end in a cut.
    QPainterPath cap;
    cap.addEllipse(points.back(), endWidth / 2, endWidth / 2);
    return outline.united(cap);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

struct Palette {
    QColor zenith;
    QColor horizon;
    QColor sun;
    QPointF sunCentre;
    double sunRadius;
    QColor dark; // ground and silhouettes
};

Palette palette(GameArt::Light light)
{
    switch (light) {
    case GameArt::Light::Dawn:
        return {QColor(44, 62, 112), QColor(246, 184, 120), QColor(255, 232, 176),
                QPointF(38, 96), 13, QColor(26, 24, 34)};
    case GameArt::Light::Day:
        return {QColor(70, 132, 196), QColor(214, 232, 238), QColor(255, 252, 232),
                QPointF(118, 30), 9, QColor(34, 44, 30)};
    case GameArt::Light::Dusk:
        break;
    }
    return {QColor(58, 30, 76), QColor(252, 128, 58), QColor(255, 214, 120), QPointF(108, 100),
            18, QColor(28, 14, 22)};
}

// Body plan of a four-legged animal, in units where a deer's body is 100 long.
struct Build {
    double length, height, depth, hump;
    double neck, neckWidth;
    double head, headDepth;
    double leg, ear, tail;
    enum class Crown { None, Deer, Elk, Moose, Horns, RoundEars } crown;
    bool beard;
    bool shortNeck;
};

Build build(GameArt::Species species)
{
    using C = Build::Crown;
    switch (species) {
    case GameArt::Species::Deer:
        return {100, 96, 42, 0, 46, 22, 30, 15, 7, 14, 12, C::Deer, false, false};
    case GameArt::Species::Doe:
        return {96, 92, 40, 0, 46, 19, 29, 14, 6.5, 17, 12, C::None, false, false};
    case GameArt::Species::Elk:
        return {112, 112, 52, 5, 50, 30, 38, 18, 9, 14, 7, C::Elk, false, false};
    case GameArt::Species::Moose:
        return {118, 138, 60, 16, 36, 34, 50, 21, 10, 16, 5, C::Moose, true, false};
    case GameArt::Species::BlackBear:
        return {100, 78, 46, 4, 20, 36, 30, 23, 15, 0, 4, C::RoundEars, false, true};
    case GameArt::Species::Grizzly:
        return {112, 90, 54, 16, 20, 42, 34, 26, 17, 0, 4, C::RoundEars, false, true};
    case GameArt::Species::Bison:
        return {112, 104, 62, 24, 18, 50, 34, 30, 12, 7, 20, C::Horns, true, true};
    default:
        break;
    }
    return {};
}

} // namespace

const std::vector<GameArt::Set>& GameArt::sets()
{
    using S = Species;
    using P = Pose;
    using L = Light;
    static const std::vector<Set> all = {
        {QStringLiteral("SmallImg"),
         0.40,
         Land::Meadow,
         {{S::Rabbit, P::Alert, L::Dawn, false},
          {S::Rabbit, P::Grazing, L::Day, true},
          {S::Turkey, P::Alert, L::Dusk, false}}},
        {QStringLiteral("MediumImg"),
         0.56,
         Land::Woodland,
         {{S::Deer, P::Alert, L::Dawn, false},
          {S::Doe, P::Grazing, L::Day, true},
          {S::Deer, P::Grazing, L::Dusk, false}}},
        {QStringLiteral("BigImg"),
         0.68,
         Land::Mountains,
         {{S::Elk, P::Calling, L::Dawn, false},
          {S::Elk, P::Grazing, L::Day, true},
          {S::BlackBear, P::Alert, L::Dusk, false}}},
        {QStringLiteral("ToughImg"),
         0.78,
         Land::Lake,
         {{S::Moose, P::Alert, L::Dawn, false},
          {S::Moose, P::Grazing, L::Day, true},
          {S::Grizzly, P::Alert, L::Dusk, false}}},
        {QStringLiteral("Tanks"),
         0.88,
         Land::Prairie,
         {{S::Bison, P::Alert, L::Dawn, false},
          {S::Bison, P::Grazing, L::Day, true},
          {S::Bison, P::Alert, L::Dusk, true}}},
    };
    return all;
}

std::vector<QPainterPath> GameArt::animal(Species species, Pose pose) const
{
    std::vector<QPainterPath> parts;
    if (species == Species::Rabbit) {
        const bool up = pose != Pose::Grazing;
        parts.push_back(ellipse({18, -16}, 17, 16));                 // haunch
        parts.push_back(ellipse({33, up ? -25.0 : -20.0}, 21, 14, up ? -28 : -8)); // body
        parts.push_back(ellipse({22, -3}, 15, 3.6));                 // hind foot
        parts.push_back(ellipse({2, -19}, 5.5, 5));                  // tail
        const QPointF head = up ? QPointF(51, -43) : QPointF(57, -17);
        parts.push_back(ellipse(head, 11, 8.5, up ? 18 : 35));
        parts.push_back(ellipse(head + QPointF(7, up ? 3 : 5), 5, 4.5, 30));
        const QPointF earRoot = head + QPointF(-3, -6);
        if (up) {
            parts.push_back(limb({earRoot, earRoot + QPointF(-3, -16), earRoot + QPointF(-8, -30)},
                                 6.5, 3.5));
            parts.push_back(limb({earRoot + QPointF(3, 0), earRoot + QPointF(4, -15),
                                  earRoot + QPointF(2, -29)},
                                 6, 3.5));
        } else {
            parts.push_back(limb({earRoot, earRoot + QPointF(-9, -10), earRoot + QPointF(-20, -19)},
                                 6.5, 3.5));
        }
        parts.push_back(limb({{up ? 45.0 : 48.0, up ? -22.0 : -12.0}, {up ? 47.0 : 52.0, 0.0}}, 5.5, 3.5));
        return parts;
    }
    if (species == Species::Turkey) {
        const bool strut = pose != Pose::Grazing;
        if (strut) {
            // The fan, spread upright behind the body, with a scalloped rim.
            const QPointF hub(24, -50);
            QPainterPath fan(hub);
            fan.arcTo(QRectF(hub.x() - 40, hub.y() - 40, 80, 80), 55, 150);
            fan.closeSubpath();
            parts.push_back(fan);
            for (int feather = 0; feather <= 10; ++feather)
                parts.push_back(ellipse(hub + polar(-(55 + feather * 15.0), 40), 5, 5));
        } else {
            parts.push_back(limb({{22, -40}, {6, -36}, {-6, -30}}, 16, 8));
        }
        parts.push_back(ellipse({40, -38}, 24, strut ? 21 : 17, strut ? -10 : -5));
        const QPointF neckBase(56, -46);
        const QPointF head = strut ? QPointF(64, -72) : QPointF(74, -16);
        parts.push_back(
            limb({neckBase, strut ? QPointF(62, -60) : QPointF(68, -30), head}, 11, 5));
        parts.push_back(ellipse(head, 6, 5));
        parts.push_back(limb({head, head + QPointF(strut ? 9 : 5, strut ? 2 : 6)}, 3.5, 1.2));
        if (strut)
            parts.push_back(limb({{60, -44}, {62, -36}, {60, -28}}, 3, 1.4)); // beard
        parts.push_back(limb({{36, -22}, {35, -10}, {33, 0}}, 4.5, 2.5));
        parts.push_back(limb({{44, -22}, {46, -10}, {48, 0}}, 4.5, 2.5));
        parts.push_back(limb({{26, -1}, {40, 0}}, 2.2, 2));
        parts.push_back(limb({{42, -1}, {55, 0}}, 2.2, 2));
        return parts;
    }

    const Build b = build(species);
    const double L = b.length, H = b.height, D = b.depth;
    const double bellyY = -(H - D);
    // Torso: one smooth outline from the tail round the back, chest and belly.
    const std::vector<QPointF> torso = {
        {0.02 * L, -(H - 0.14 * D)},        {0.16 * L, -H + 0.02 * D},
        {0.48 * L, -H + 0.07 * D - b.hump * 0.45}, {(0.78 - b.hump * 0.002) * L, -H - b.hump},
        {0.97 * L, -(H - 0.3 * D) - b.hump * 0.5}, {1.02 * L, -(H - 0.8 * D)},
        {0.8 * L, bellyY - 0.02 * D},      {0.5 * L, bellyY + 0.03 * D},
        {0.27 * L, bellyY - 0.12 * D},      {0.07 * L, -(H - 0.88 * D)},
        {-0.03 * L, -(H - 0.45 * D)}};
    QPainterPath body(torso.front());
    for (std::size_t i = 0; i < torso.size(); ++i) {
        const std::size_t n = torso.size();
        const QPointF p0 = torso[(i + n - 1) % n], p1 = torso[i], p2 = torso[(i + 1) % n],
                      p3 = torso[(i + 2) % n];
        body.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    parts.push_back(body);

    // Legs: near and far pair, hind legs with the hock bent back.
    const bool grazing = pose == Pose::Grazing;
    const double legSpan = -bellyY;
    auto hind = [&](double dx, double stride) {
        parts.push_back(limb({{L * 0.13 + dx, -(H - D * 0.45)},
                              {L * 0.19 + dx, bellyY + legSpan * 0.12},
                              {L * 0.07 + dx + stride * 0.5, -legSpan * 0.36},
                              {L * 0.1 + dx + stride, 0}},
                             b.leg * 3.2, b.leg * 0.8));
    };
    auto front = [&](double dx, double stride) {
        parts.push_back(limb({{L * 0.84 + dx, -(H - D * 0.5)},
                              {L * 0.86 + dx + stride * 0.3, -legSpan * 0.45},
                              {L * 0.86 + dx + stride, 0}},
                             b.leg * 2.4, b.leg * 0.85));
    };
    hind(L * 0.08, grazing ? -4 : 3);
    hind(0, grazing ? 4 : -2);
    front(-L * 0.08, grazing ? 8 : -3);
    front(0, grazing ? -2 : 5);

    // Tail.
    const QPointF rump(L * 0.0, -(H - D * 0.2));
    if (b.tail > 0)
        parts.push_back(limb({rump, rump + QPointF(-b.tail * 0.35, b.tail * 0.5),
                              rump + QPointF(-b.tail * 0.45, b.tail)},
                             b.tail * 0.45, b.tail * 0.3));

    // Neck and head.
    const QPointF withers(L * 0.86, -(H - D * 0.3) - b.hump * 0.3);
    QPointF base;
    QPointF bend;
    double headAngle = 0;
    if (b.shortNeck) {
        base = grazing ? QPointF(L + b.neck * 0.7, -b.head * 0.85)
                       : QPointF(L + b.neck * 0.9, -(H - D * 0.45));
        bend = (withers + base) / 2;
        headAngle = grazing ? 66 : (species == Species::Bison ? 50 : 16);
    } else if (grazing) {
        base = QPointF(L + b.neck * 0.5, -b.head * 0.92);
        bend = QPointF(L + b.neck * 0.3, -(H - D * 0.75));
        headAngle = 80;
    } else if (pose == Pose::Calling) {
        base = withers + QPointF(b.neck * 0.78, -b.neck * 0.6);
        bend = (withers + base) / 2 + QPointF(-2, 2);
        headAngle = -38;
    } else {
        base = withers + QPointF(b.neck * 0.45, -b.neck * 0.9);
        bend = (withers + base) / 2 + QPointF(3, -2);
        headAngle = 30;
    }
    parts.push_back(limb({withers + QPointF(-D * 0.1, D * 0.15), bend, base}, b.neckWidth * 1.25,
                         b.neckWidth * 0.72));
    const QPointF dir = polar(headAngle, 1);
    const QPointF up(dir.y(), -dir.x());
    auto local = [&](double u, double v) { return base + dir * u + up * v; };
    // The skull tapers from the poll to the muzzle.
    parts.push_back(limb({local(0, 0), local(b.head * 0.55, -b.headDepth * 0.04),
                          local(b.head, -b.headDepth * 0.12)},
                         b.headDepth, b.headDepth * (b.crown == Build::Crown::RoundEars ? 0.42 : 0.55)));
    parts.push_back(ellipse(local(b.head * 0.1, 0), b.headDepth * 0.52, b.headDepth * 0.52));

    switch (b.crown) {
    case Build::Crown::RoundEars:
        parts.push_back(ellipse(local(-b.head * 0.02, b.headDepth * 0.5), b.headDepth * 0.2,
                                b.headDepth * 0.2));
        break;
    case Build::Crown::Horns:
        parts.push_back(limb({local(b.head * 0.05, b.headDepth * 0.4),
                              local(-b.head * 0.05, b.headDepth * 0.75),
                              local(b.head * 0.12, b.headDepth * 0.95)},
                             6, 2));
        break;
    default:
        if (b.ear > 0)
            parts.push_back(limb({local(-b.head * 0.02, b.headDepth * 0.3),
                                  local(-b.ear * 0.55, b.headDepth * 0.3 + b.ear * 0.55),
                                  local(-b.ear * 0.75, b.headDepth * 0.3 + b.ear * 0.75)},
                                 b.ear * 0.42, b.ear * 0.16));
        break;
    }
    // Antlers in the head's frame: u along the face, v up from it.
    auto tine = [&](std::vector<std::pair<double, double>> uv, double w0, double w1) {
        std::vector<QPointF> points;
        for (const auto& [u, v] : uv)
            points.push_back(local(u, v));
        parts.push_back(limb(points, w0, w1));
    };
    const double r = b.headDepth * 0.4;
    switch (b.crown) {
    case Build::Crown::Deer:
        tine({{0, r}, {-9, r + 12}, {-2, r + 24}, {12, r + 28}, {22, r + 24}}, 4, 1.6);
        tine({{-6, r + 8}, {-1, r + 16}}, 2.8, 1.2);
        tine({{-4, r + 20}, {0, r + 34}}, 3, 1.2);
        tine({{6, r + 26}, {11, r + 39}}, 2.8, 1.2);
        tine({{15, r + 27}, {20, r + 36}}, 2.4, 1.1);
        break;
    case Build::Crown::Elk:
        tine({{0, r}, {-14, r + 20}, {-32, r + 44}, {-46, r + 58}, {-52, r + 68}}, 5.5, 2);
        tine({{-3, r + 5}, {8, r + 10}, {16, r + 9}}, 3.5, 1.4);
        tine({{-8, r + 13}, {2, r + 20}, {8, r + 21}}, 3.2, 1.3);
        tine({{-24, r + 33}, {-14, r + 44}, {-10, r + 50}}, 3, 1.2);
        tine({{-36, r + 48}, {-28, r + 60}, {-26, r + 66}}, 2.8, 1.1);
        tine({{-45, r + 58}, {-40, r + 68}}, 2.4, 1.1);
        break;
    case Build::Crown::Moose: {
        tine({{-2, r}, {-10, r + 8}, {-18, r + 12}}, 6, 5);
        QPainterPath palm;
        const std::vector<std::pair<double, double>> rim = {
            {-14, r + 8},  {-22, r + 30}, {-20, r + 34}, {-28, r + 34}, {-30, r + 40},
            {-36, r + 36}, {-40, r + 42}, {-45, r + 35}, {-50, r + 38}, {-52, r + 30},
            {-58, r + 28}, {-54, r + 20}, {-44, r + 14}, {-30, r + 9}};
        palm.moveTo(local(rim.front().first, rim.front().second));
        for (std::size_t i = 1; i < rim.size(); ++i)
            palm.lineTo(local(rim[i].first, rim[i].second));
        palm.closeSubpath();
        parts.push_back(palm);
        tine({{-12, r + 8}, {-4, r + 14}, {2, r + 15}}, 4, 1.6); // brow point
        break;
    }
    default:
        break;
    }
    if (b.beard) {
        if (species == Species::Bison)
            parts.push_back(ellipse(local(b.head * 0.38, -b.headDepth * 0.62), b.head * 0.26,
                                    b.headDepth * 0.34, headAngle + 80));
        else
            parts.push_back(limb({local(b.head * 0.12, -b.headDepth * 0.45),
                                  local(b.head * 0.05, -b.headDepth * 1.0)},
                                 5, 2.4));
    }
    return parts;
}

QImage GameArt::render(const Set& set, const Frame& frame) const
{
    QImage image(size, size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const Palette colours = palette(frame.light);

    // Sky with the sun's glow.
    QLinearGradient sky(0, 0, 0, 112);
    sky.setColorAt(0, colours.zenith);
    sky.setColorAt(1, colours.horizon);
    painter.fillRect(image.rect(), sky);
    QRadialGradient glow(colours.sunCentre, colours.sunRadius * 5);
    QColor halo = colours.sun;
    halo.setAlpha(150);
    glow.setColorAt(0, halo);
    halo.setAlpha(0);
    glow.setColorAt(1, halo);
    painter.fillRect(image.rect(), glow);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.sun);
    painter.drawEllipse(colours.sunCentre, colours.sunRadius, colours.sunRadius);

    // Thin bands of cloud, lit from below at dawn and dusk.
    QColor cloud = frame.light == Light::Day ? QColor(255, 255, 255, 120)
                                             : mix(colours.horizon, colours.zenith, 0.45);
    if (frame.light != Light::Day)
        cloud.setAlpha(170);
    painter.setBrush(cloud);
    const int seed = static_cast<int>(set.land) * 7 + static_cast<int>(frame.light);
    std::mt19937 random(static_cast<unsigned>(seed + 11));
    for (int i = 0; i < 3; ++i) {
        const double x = 10 + (random() % 120), y = 20 + i * 17 + (random() % 8);
        painter.drawRoundedRect(QRectF(x - 24, y, 48 + (random() % 30), 4.5), 2.2, 2.2);
    }

    const QColor far = mix(colours.horizon, colours.dark, 0.38);
    const QColor near = mix(colours.horizon, colours.dark, 0.66);
    auto ridge = [&](double baseY, double amplitude, double waves, double phase,
                     const QColor& colour) {
        QPainterPath path(QPointF(0, size));
        for (int x = 0; x <= size; x += 3)
            path.lineTo(x, baseY + amplitude * std::sin(x / double(size) * waves * M_PI + phase) +
                               amplitude * 0.4 * std::sin(x / 17.0 + phase * 2));
        path.lineTo(size, size);
        path.closeSubpath();
        painter.setBrush(colour);
        painter.drawPath(path);
    };
    auto conifer = [&](double x, double baseY, double height, const QColor& colour) {
        QPainterPath tree;
        tree.moveTo(x, baseY - height);
        for (int tier = 1; tier <= 4; ++tier) {
            const double y = baseY - height + height * tier / 4.2;
            const double half = height * 0.12 * tier;
            tree.lineTo(x + half, y);
            tree.lineTo(x + half * 0.4, y);
        }
        tree.lineTo(x + height * 0.05, baseY);
        tree.lineTo(x - height * 0.05, baseY);
        for (int tier = 4; tier >= 1; --tier) {
            const double y = baseY - height + height * tier / 4.2;
            const double half = height * 0.12 * tier;
            tree.lineTo(x - half * 0.4, y);
            tree.lineTo(x - half, y);
        }
        tree.closeSubpath();
        painter.setBrush(colour);
        painter.drawPath(tree);
    };

    switch (set.land) {
    case Land::Meadow:
        ridge(100, 5, 2.2, 0.6, far);
        ridge(110, 4, 3.1, 2.0, near);
        break;
    case Land::Woodland:
        ridge(102, 3, 1.6, 0.4, far);
        for (int i = 0; i < 15; ++i)
            conifer(4 + i * 10 + (random() % 5), 110, 16 + (random() % 14), near);
        break;
    case Land::Mountains: {
        QPainterPath peaks(QPointF(0, size));
        const double tops[][2] = {{0, 88}, {22, 66}, {40, 84}, {64, 54}, {90, 82},
                                  {112, 62}, {134, 80}, {150, 72}};
        for (const auto& top : tops)
            peaks.lineTo(top[0], top[1]);
        peaks.lineTo(size, size);
        peaks.closeSubpath();
        painter.setBrush(far);
        painter.drawPath(peaks);
        // Snow on the highest summits, in the sky's light.
        painter.setBrush(mix(colours.horizon, QColor(255, 255, 255), 0.55));
        for (const auto& top : {std::array<double, 2>{64, 54}, std::array<double, 2>{112, 62},
                                std::array<double, 2>{22, 66}}) {
            QPainterPath cap;
            cap.moveTo(top[0], top[1]);
            cap.lineTo(top[0] + 7, top[1] + 8);
            cap.lineTo(top[0] + 2, top[1] + 6);
            cap.lineTo(top[0] - 3, top[1] + 9);
            cap.lineTo(top[0] - 6, top[1] + 7);
            cap.closeSubpath();
            painter.drawPath(cap);
        }
        ridge(106, 4, 2.4, 1.1, near);
        for (int i = 0; i < 6; ++i)
            conifer(8 + i * 27 + (random() % 9), 114, 12 + (random() % 8), colours.dark);
        break;
    }
    case Land::Lake: {
        ridge(96, 3, 1.8, 2.4, far);
        for (int i = 0; i < 18; ++i)
            conifer(2 + i * 8.5 + (random() % 4), 102, 10 + (random() % 9), near);
        QLinearGradient water(0, 102, 0, groundY);
        water.setColorAt(0, mix(colours.horizon, colours.zenith, 0.2));
        water.setColorAt(1, mix(colours.zenith, colours.dark, 0.3));
        painter.setBrush(water);
        painter.drawRect(QRectF(0, 102, size, groundY - 100));
        painter.setPen(QPen(mix(colours.sun, colours.horizon, 0.3), 1));
        for (int i = 0; i < 7; ++i) {
            const double y = 105 + i * 2.6;
            const double half = 14 - i * 1.5;
            painter.drawLine(QPointF(colours.sunCentre.x() - half, y),
                             QPointF(colours.sunCentre.x() + half, y));
        }
        painter.setPen(Qt::NoPen);
        break;
    }
    case Land::Prairie:
        ridge(104, 1.5, 1.2, 0.3, far);
        ridge(112, 2, 1.7, 1.6, near);
        break;
    }

    // The near ground, with grass along its edge.
    QPainterPath ground(QPointF(0, size));
    for (int x = 0; x <= size; x += 5)
        ground.lineTo(x, groundY + 1.5 * std::sin(x / 23.0 + seed));
    ground.lineTo(size, size);
    ground.closeSubpath();
    painter.setBrush(colours.dark);
    painter.drawPath(ground);
    painter.setPen(QPen(colours.dark, 1.1, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 60; ++i) {
        const double x = (random() % 1500) / 10.0;
        const double y = groundY + 1.5 * std::sin(x / 23.0 + seed) + 1;
        const double h = 3 + (random() % 60) / 10.0;
        const double lean = ((random() % 40) - 20) / 10.0;
        painter.drawLine(QPointF(x, y), QPointF(x + lean, y - h));
    }
    painter.setPen(Qt::NoPen);

    // The animal, scaled to the set and standing on the ground line.
    const std::vector<QPainterPath> parts = animal(frame.species, frame.pose);
    QRectF bounds;
    for (const QPainterPath& part : parts)
        bounds = bounds.united(part.boundingRect());
    double scale = set.scale * size / bounds.width();
    scale = std::min(scale, 96.0 / -bounds.top());
    QTransform place;
    const double centreX = size / 2.0 + (frame.facingLeft ? 4 : -4);
    place.translate(centreX, groundY + 2);
    place.scale(frame.facingLeft ? -scale : scale, scale);
    place.translate(-bounds.center().x(), 0);
    painter.setBrush(colours.dark);
    for (const QPainterPath& part : parts)
        painter.drawPath(place.map(part));

    // A hairline keeps the picture's edge crisp on the tiled page.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 110), 1));
    painter.drawRect(QRectF(0.5, 0.5, size - 1, size - 1));
    painter.end();
    FilmGrain(static_cast<std::uint32_t>(2011 + seed), 2).apply(image);
    return image;
}

} // namespace qw::artwork
