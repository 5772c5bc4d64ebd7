#pragma once

#include <QPainterPath>

namespace qw::artwork {

// Turns a centre line into a filled outline whose width changes linearly from
// one end to the other: bow limbs are thick at the riser and thin at the tips.
class TaperedStroke {
public:
    TaperedStroke(double startWidth, double endWidth, int samples = 64)
        : startWidth_(startWidth), endWidth_(endWidth), samples_(samples)
    {
    }

    QPainterPath outline(const QPainterPath& centreLine) const;

private:
    double startWidth_;
    double endWidth_;
    int samples_;
};

} // namespace qw::artwork
