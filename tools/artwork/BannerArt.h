#pragma once

#include "BannerCatalogue.h"

#include <QImage>
#include <QPainter>

namespace qw::artwork {

// One frame of a page's animated banner: a product advert on black in the
// page's accent colour. Consecutive frames change layout, and every product
// gets its own frames, so the banner visibly moves on each 20-second step.
class BannerArt {
public:
    static constexpr int width = 220;
    static constexpr int height = 120;
    static constexpr int layoutCount = 6;

    explicit BannerArt(const BannerFamily& family) : family_(family) {}

    QImage render(int frame) const; // frame from 0

private:
    struct Frame {
        const BannerProduct& product;
        QString slogan;
        int layout;
    };

    void paintBackdrop(QPainter& painter, const Frame& frame) const;
    void paintHero(QPainter& painter, const Frame& frame) const;
    void paintDiagonal(QPainter& painter, const Frame& frame) const;
    void paintCloseUp(QPainter& painter, const Frame& frame) const;
    void paintTarget(QPainter& painter, const Frame& frame) const;
    void paintSpines(QPainter& painter, const Frame& frame) const;
    void paintQuiver(QPainter& painter, const Frame& frame) const;

    // Shared furniture of the layouts.
    void paintBrandTag(QPainter& painter, QPointF topLeft) const;
    void paintName(QPainter& painter, const QRectF& box, const QString& name,
                   Qt::Alignment alignment) const;
    void paintSlogan(QPainter& painter, const QRectF& box, const QString& slogan,
                     Qt::Alignment alignment) const;
    void paintCaption(QPainter& painter, const QRectF& box, const QString& text,
                      Qt::Alignment alignment) const;
    ArrowStyle arrowStyle(const BannerProduct& product, double thickness) const;

    const BannerFamily& family_;
};

} // namespace qw::artwork
