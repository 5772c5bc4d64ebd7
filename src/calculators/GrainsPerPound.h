#pragma once

// The finished arrow's weight against the bow: grains per pound of peak draw
// weight. Bow makers void the warranty below 5 gr/lb, where a shot stresses
// the limbs nearly as a dry fire does, so the specifications window and the
// build sheet say so in the line's own words.

#include <string>

namespace qw::calculators {

inline constexpr int kMinimumGrainsPerPound = 5;

struct GrainsPerPound {
    std::string value;         // "6.2": one decimal, cut; empty when not shown
    bool belowMinimum = false; // total < 5 x bow weight

    // "6.2 gr/lb", or "4.6 gr/lb: below the 5 gr/lb minimum most bow makers
    // require"; empty when not shown.
    std::string text() const;
};

// totalGrains: the whole grains the total shows. bowWeight: the page's bow
// weight entry as typed, before any chart adjustment; nothing is shown
// unless it is a whole number above zero.
GrainsPerPound grainsPerPound(long long totalGrains, const std::string& bowWeight);

} // namespace qw::calculators
