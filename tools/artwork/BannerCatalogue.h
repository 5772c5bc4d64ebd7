#pragma once

#include "ArrowGlyph.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

namespace qw::artwork {

// One shaft family as the page banners advertise it.
struct BannerProduct {
    QString name;        // "Ridgeline"
    QString material;    // "Carbon hunting shaft"
    QStringList slogans; // one per frame the product appears in
    QStringList spines;  // three spine sizes shown on the spine layout
    ArrowStyle::Shaft shaft = ArrowStyle::Shaft::Carbon;
    ArrowStyle::Point point = ArrowStyle::Point::Field;
};

// The frames of one page's banner: file names <prefix>_01.png upward.
struct BannerFamily {
    QString filePrefix; // "hunt", "targ", "youth", "kavl"
    QString brand;      // "NORVANE" or "KAVEL"
    QColor accent;      // the page's accent colour
    QColor brandText;   // text colour on an accent-filled tag
    int frameCount = 0;
    std::vector<BannerProduct> products;

    // The product a frame advertises: products are spread evenly over the frames.
    const BannerProduct& productForFrame(int frame) const;
};

// Our 2011 catalogue as the banners show it.
class BannerCatalogue {
public:
    static const std::vector<BannerFamily>& families();

private:
    static BannerFamily hunting();
    static BannerFamily target();
    static BannerFamily youth();
    static BannerFamily kavel();
};

} // namespace qw::artwork
