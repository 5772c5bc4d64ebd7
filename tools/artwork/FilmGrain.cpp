#include "FilmGrain.h"

#include <algorithm>
#include <random>

namespace qw::artwork {

void FilmGrain::apply(QImage& image) const
{
    std::mt19937 generator(seed_);
    const int span = 2 * amplitude_ + 1;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int delta =
                static_cast<int>(generator() % static_cast<unsigned>(span)) - amplitude_;
            const QRgb pixel = line[x];
            auto shift = [delta](int channel) { return std::clamp(channel + delta, 0, 255); };
            line[x] =
                qRgba(shift(qRed(pixel)), shift(qGreen(pixel)), shift(qBlue(pixel)), qAlpha(pixel));
        }
    }
}

} // namespace qw::artwork
