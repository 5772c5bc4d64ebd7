#pragma once

#include <QImage>

namespace qw::artwork {

// Pictures of the calculator windows: the front-of-centre diagram, the two
// seamless background tiles of the kinetic energy window's pages, and the
// trajectory window's banner and target.
class CalculatorArt {
public:
    static constexpr int focWidth = 560;
    static constexpr int focHeight = 150;
    static constexpr int tileSize = 96;
    static constexpr int bannerWidth = 634;
    static constexpr int bannerHeight = 143;
    static constexpr int targetWidth = 96;
    static constexpr int targetHeight = 118;

    // An arrow with its whole length L and the balance distance A from the
    // nock groove marked by dimension lines.
    QImage focDiagram() const;
    // Fine carbon weave for the kinetic energy page.
    QImage keTile() const;
    // Drafting paper for the front-of-centre page.
    QImage focTile() const;
    QImage trajectoryBanner() const;
    // A target butt on its stand, on a transparent ground.
    QImage target() const;
};

} // namespace qw::artwork
