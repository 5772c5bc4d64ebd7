#pragma once

#include <QImage>
#include <QString>

namespace qw::artwork {

// The program's icon for the desktop: a five-colour target face on a dark
// rounded tile with a green-fletched arrow in the gold. One drawing, given
// both as an SVG document and as square PNG images, so that the sizes the
// desktop picks look alike.
class AppIcon {
public:
    // The icon in the 256 × 256 user space of the SVG document.
    QString svg() const;
    QImage render(int size) const;
};

} // namespace qw::artwork
