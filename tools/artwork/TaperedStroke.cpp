#include "TaperedStroke.h"

#include <QLineF>
#include <QPolygonF>
#include <cmath>

namespace qw::artwork {

QPainterPath TaperedStroke::outline(const QPainterPath& centreLine) const
{
    QPolygonF left;
    QPolygonF right;
    for (int i = 0; i <= samples_; ++i) {
        const double t = static_cast<double>(i) / samples_;
        const QPointF point = centreLine.pointAtPercent(t);
        const double angle = centreLine.angleAtPercent(t) * M_PI / 180.0;
        // Qt's angles run counter-clockwise with y pointing down the screen.
        const QPointF normal(-std::sin(angle), -std::cos(angle));
        const double half = (startWidth_ + (endWidth_ - startWidth_) * t) / 2.0;
        left << point + normal * half;
        right.prepend(point - normal * half);
    }
    QPainterPath path;
    path.addPolygon(left + right);
    path.closeSubpath();
    return path;
}

} // namespace qw::artwork
