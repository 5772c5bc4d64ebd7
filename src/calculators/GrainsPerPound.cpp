#include "GrainsPerPound.h"

#include <core/ConversionError.h>
#include <core/NumberText.h>

#include <cstdlib>

namespace qw::calculators {

std::string GrainsPerPound::text() const
{
    if (value.empty())
        return {};
    std::string line = value + " gr/lb";
    if (belowMinimum)
        line += ": below the " + std::to_string(kMinimumGrainsPerPound) +
                " gr/lb minimum most bow makers require";
    return line;
}

GrainsPerPound grainsPerPound(long long totalGrains, const std::string& bowWeight)
{
    int pounds = 0;
    try {
        pounds = parseWholeNumber(bowWeight);
    } catch (const ConversionError&) {
        return {};
    }
    if (pounds <= 0)
        return {};
    // Tenths of a grain per pound, cut toward zero like the program's other
    // results; whole numbers throughout, so 5.0 is never 4.9999.
    const long long tenths = totalGrains * 10 / pounds;
    const long long magnitude = std::llabs(tenths);
    GrainsPerPound result;
    result.value = (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
                   std::to_string(magnitude % 10);
    result.belowMinimum = totalGrains < static_cast<long long>(kMinimumGrainsPerPound) * pounds;
    return result;
}

} // namespace qw::calculators
