#pragma once

#include <QImage>
#include <cstdint>

namespace qw::artwork {

// A fine, fixed-seed luminance grain that keeps large gradients from banding
// and gives the flat sky a printed texture. The same seed gives the same grain
// on every machine (the raw Mersenne Twister sequence is fully specified).
class FilmGrain {
public:
    FilmGrain(std::uint32_t seed, int amplitude) : seed_(seed), amplitude_(amplitude) {}

    void apply(QImage& image) const;

private:
    std::uint32_t seed_;
    int amplitude_;
};

} // namespace qw::artwork
