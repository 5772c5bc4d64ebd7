#pragma once

#include <QPainter>
#include <QPointF>

namespace qw::artwork {

// A ten-ring target face (white, black, blue, red, gold from the outside in),
// optionally dimmed so that it sits in a dusk scene.
class TargetFace {
public:
    TargetFace(QPointF centre, double radius) : centre_(centre), radius_(radius) {}

    // dim: 0 paints the face as printed, 1 paints it black.
    void paint(QPainter& painter, double dim = 0.0) const;

private:
    QPointF centre_;
    double radius_;
};

} // namespace qw::artwork
