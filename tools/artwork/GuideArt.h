#pragma once

#include "GuideCatalogue.h"

#include <QImage>
#include <QPainter>

namespace qw::artwork {

// A model guide page: a catalogue sheet with one card per model family,
// each with its shaft drawn in section to scale, its sizes, its GPI, spine
// and length ranges and its legend text.
class GuideArt {
public:
    explicit GuideArt(const GuidePage& page) : page_(page) {}

    QImage render() const;

private:
    void paintHeader(QPainter& painter) const;
    void paintCard(QPainter& painter, const QRectF& box, const GuideFamily& family) const;
    void paintSection(QPainter& painter, const QRectF& box, const GuideFamily& family) const;
    void paintFooter(QPainter& painter, const QRectF& box) const;

    const GuidePage& page_;
};

} // namespace qw::artwork
