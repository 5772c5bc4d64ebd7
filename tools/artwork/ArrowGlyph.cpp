#include "ArrowGlyph.h"

#include <QLineF>
#include <QLinearGradient>
#include <QPainterPath>

namespace qw::artwork {

namespace {
// Across-the-shaft shading that makes a flat strip read as a round tube.
QLinearGradient tubeGradient(double halfWidth, const QColor& dark, const QColor& mid,
                             const QColor& light)
{
    QLinearGradient gradient(0, -halfWidth, 0, halfWidth);
    gradient.setColorAt(0.0, mid);
    gradient.setColorAt(0.3, light);
    gradient.setColorAt(0.55, mid);
    gradient.setColorAt(1.0, dark);
    return gradient;
}

QPainterPath vaneProfile(double rear, double length, double height, double side)
{
    // A parabolic vane: tall near the rear, sweeping down into the shaft.
    QPainterPath path;
    path.moveTo(rear, 0);
    path.lineTo(rear + length * 0.06, side * height * 0.92);
    path.cubicTo(rear + length * 0.30, side * height * 1.04, rear + length * 0.70,
                 side * height * 0.55, rear + length, 0);
    path.closeSubpath();
    return path;
}
} // namespace

void ArrowGlyph::paint(QPainter& painter, QPointF nockEnd, QPointF pointEnd) const
{
    const QLineF axis(nockEnd, pointEnd);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(nockEnd);
    painter.rotate(-axis.angle());
    const double length = axis.length();
    paintShaft(painter, length);
    paintWrap(painter);
    paintFletching(painter);
    paintNock(painter);
    if (style_.point == ArrowStyle::Point::Broadhead)
        paintBroadhead(painter, length);
    else
        paintFieldPoint(painter, length);
    painter.restore();
}

void ArrowGlyph::paintShaft(QPainter& painter, double length) const
{
    const double half = style_.thickness / 2;
    const bool carbon = style_.shaft == ArrowStyle::Shaft::Carbon;
    const QColor dark = carbon ? QColor(18, 18, 20) : QColor(96, 100, 108);
    const QColor mid = carbon ? QColor(58, 60, 66) : QColor(170, 176, 186);
    const QColor light = carbon ? QColor(150, 154, 162) : QColor(244, 246, 250);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tubeGradient(half, dark, mid, light));
    const double shaftEnd = length - style_.thickness * 3.2;
    painter.drawRect(
        QRectF(style_.thickness * 1.6, -half, shaftEnd - style_.thickness * 1.6, style_.thickness));
}

void ArrowGlyph::paintNock(QPainter& painter) const
{
    const double t = style_.thickness;
    QPainterPath nock;
    nock.moveTo(t * 1.8, -t * 0.5);
    nock.lineTo(t * 0.6, -t * 0.72);
    nock.quadTo(0, -t * 0.72, 0, -t * 0.45);
    nock.lineTo(t * 0.55, 0); // the throat the string sits in
    nock.lineTo(0, t * 0.45);
    nock.quadTo(0, t * 0.72, t * 0.6, t * 0.72);
    nock.lineTo(t * 1.8, t * 0.5);
    nock.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        tubeGradient(t * 0.72, style_.nock.darker(170), style_.nock, style_.nock.lighter(130)));
    painter.drawPath(nock);
}

void ArrowGlyph::paintFletching(QPainter& painter) const
{
    const double rear = style_.thickness * 2.6;
    const double length = style_.fletchLength;
    const double height = style_.fletchHeight;
    painter.setPen(QPen(style_.vane.darker(160), 0.6));
    // The lower vane is one of the hens seen at an angle, so it is shorter.
    QColor lower = style_.vane.darker(130);
    painter.setBrush(lower);
    painter.drawPath(vaneProfile(rear, length, height * 0.7, 1.0));
    painter.setBrush(style_.vane);
    painter.drawPath(vaneProfile(rear, length, height, -1.0));
    // The cock vane lies towards the viewer: a thin strip along the shaft.
    painter.setPen(Qt::NoPen);
    painter.setBrush(style_.cockVane);
    painter.drawRoundedRect(
        QRectF(rear + 1, -style_.thickness * 0.22, length - 2, style_.thickness * 0.44), 1, 1);
}

void ArrowGlyph::paintWrap(QPainter& painter) const
{
    if (!style_.wrap.isValid())
        return;
    const double t = style_.thickness;
    const double start = t * 1.8;
    const double length = style_.fletchLength * 1.45;
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        tubeGradient(t / 2, style_.wrap.darker(180), style_.wrap, style_.wrap.lighter(140)));
    painter.drawRect(QRectF(start, -t / 2, length, t));
    // Two thin crest bands just ahead of the wrap.
    painter.setBrush(style_.wrap.lighter(120));
    painter.drawRect(QRectF(start + length + t * 0.8, -t / 2, t * 0.5, t));
    painter.drawRect(QRectF(start + length + t * 1.8, -t / 2, t * 0.25, t));
}

void ArrowGlyph::paintFieldPoint(QPainter& painter, double length) const
{
    const double t = style_.thickness;
    const double base = length - t * 3.4;
    QPainterPath point;
    point.moveTo(base, -t * 0.56);
    point.lineTo(length - t * 1.6, -t * 0.56);
    point.quadTo(length - t * 0.3, -t * 0.5, length, 0);
    point.quadTo(length - t * 0.3, t * 0.5, length - t * 1.6, t * 0.56);
    point.lineTo(base, t * 0.56);
    point.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        tubeGradient(t * 0.56, QColor(90, 90, 96), QColor(190, 192, 198), QColor(250, 250, 252)));
    painter.drawPath(point);
}

void ArrowGlyph::paintBroadhead(QPainter& painter, double length) const
{
    const double t = style_.thickness;
    const double ferrule = length - t * 7.0;
    // Ferrule, then the upper blade in profile and the lower one foreshortened.
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        tubeGradient(t * 0.6, QColor(70, 70, 76), QColor(160, 162, 168), QColor(235, 236, 240)));
    QPainterPath body;
    body.moveTo(ferrule - t * 0.4, -t * 0.6);
    body.lineTo(length - t * 1.2, -t * 0.3);
    body.lineTo(length, 0);
    body.lineTo(length - t * 1.2, t * 0.3);
    body.lineTo(ferrule - t * 0.4, t * 0.6);
    body.closeSubpath();
    painter.drawPath(body);

    QPainterPath upper;
    upper.moveTo(ferrule + t * 0.4, 0);
    upper.lineTo(ferrule + t * 0.9, -t * 2.3);
    upper.lineTo(length - t * 0.3, 0);
    upper.closeSubpath();
    QPainterPath lower;
    lower.moveTo(ferrule + t * 0.8, 0);
    lower.lineTo(ferrule + t * 1.2, t * 1.5);
    lower.lineTo(length - t * 0.5, 0);
    lower.closeSubpath();
    QLinearGradient steel(0, -t * 2.3, 0, t * 1.5);
    steel.setColorAt(0.0, QColor(250, 250, 252));
    steel.setColorAt(0.5, QColor(176, 180, 188));
    steel.setColorAt(1.0, QColor(110, 112, 120));
    painter.setBrush(steel);
    painter.setPen(QPen(QColor(60, 60, 66), 0.5));
    painter.drawPath(lower);
    painter.drawPath(upper);
}

} // namespace qw::artwork
