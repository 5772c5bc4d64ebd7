#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>

namespace qw::artwork {

// How one drawn arrow looks. Sizes are in pixels of the target image.
struct ArrowStyle {
    enum class Point { Field, Broadhead };
    enum class Shaft { Carbon, Aluminium };

    Shaft shaft = Shaft::Carbon;
    Point point = Point::Field;
    QColor vane = QColor(136, 191, 61);      // the two hen vanes
    QColor cockVane = QColor(240, 240, 240); // the odd-coloured index vane
    QColor wrap;                             // crest wrap; invalid means none
    QColor nock = QColor(240, 240, 240);
    double thickness = 4.0;
    double fletchLength = 34.0;
    double fletchHeight = 8.0;
};

// A side view of an arrow, nock to point: shaft with a rounded highlight,
// nock with its throat, fletching in profile, crest wrap and a field point
// or a three-blade broadhead.
class ArrowGlyph {
public:
    explicit ArrowGlyph(ArrowStyle style) : style_(std::move(style)) {}

    void paint(QPainter& painter, QPointF nockEnd, QPointF pointEnd) const;

private:
    void paintShaft(QPainter& painter, double length) const;
    void paintNock(QPainter& painter) const;
    void paintFletching(QPainter& painter) const;
    void paintWrap(QPainter& painter) const;
    void paintFieldPoint(QPainter& painter, double length) const;
    void paintBroadhead(QPainter& painter, double length) const;

    ArrowStyle style_;
};

} // namespace qw::artwork
