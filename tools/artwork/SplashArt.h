#pragma once

#include <QImage>
#include <QPainter>

namespace qw::artwork {

// The start-up and about picture: a dusk landscape with a braced recurve and a
// nocked hunting arrow, a target on its stand and the product name.
//
// The about window writes white bold text over this picture: four lines at the
// top, "Visit our WWW site:" at y 378, the web link at y 409 and the OK button
// at y 479. Those bands hold nothing but the sky gradient and a few faint
// stars, so the text stays readable.
class SplashArt {
public:
    static constexpr int width = 488;
    static constexpr int height = 600;

    QImage render() const;

private:
    void paintSky(QPainter& painter) const;
    void paintStars(QPainter& painter) const;
    void paintSun(QPainter& painter) const;
    void paintHills(QPainter& painter) const;
    void paintTarget(QPainter& painter) const;
    void paintBow(QPainter& painter) const;
    void paintArrow(QPainter& painter) const;
    void paintTitle(QPainter& painter) const;
    void paintBrands(QPainter& painter) const;
    void paintVignette(QPainter& painter) const;
};

} // namespace qw::artwork
