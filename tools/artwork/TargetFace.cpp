#include "TargetFace.h"

#include <QColor>
#include <algorithm>
#include <array>

namespace qw::artwork {

namespace {
QColor dimmed(const QColor& colour, double dim)
{
    const double keep = 1.0 - dim;
    return QColor::fromRgbF(colour.redF() * keep, colour.greenF() * keep, colour.blueF() * keep);
}
} // namespace

void TargetFace::paint(QPainter& painter, double dim) const
{
    // Outer colour of each scoring zone, two rings per colour.
    const std::array<QColor, 5> zones = {QColor(246, 246, 240), QColor(28, 28, 30),
                                         QColor(0, 150, 214), QColor(232, 52, 48),
                                         QColor(255, 226, 40)};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double ringWidth = radius_ / 10.0;
    for (int ring = 0; ring < 10; ++ring) {
        const QColor fill = dimmed(zones[ring / 2], dim);
        // Ring lines are black on the light zones and light on the black zone.
        const QColor line = dimmed(ring / 2 == 1 ? QColor(200, 200, 200) : QColor(30, 30, 30), dim);
        painter.setPen(QPen(line, std::max(0.4, ringWidth * 0.06)));
        painter.setBrush(fill);
        const double r = radius_ - ring * ringWidth;
        painter.drawEllipse(centre_, r, r);
    }
    painter.setPen(QPen(dimmed(QColor(30, 30, 30), dim), std::max(0.3, ringWidth * 0.05)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre_, ringWidth * 0.5, ringWidth * 0.5); // the X ring
    painter.restore();
}

} // namespace qw::artwork
