#pragma once

// The trajectory reference figures: a point-mass arrow under gravity and
// quadratic aerodynamic drag, sighted in at the target distance, and the
// stretch around that distance where it stays within 4 inches of the line
// of sight. The model and its constants are stated in data/README.md.

#include <cstdint>
#include <vector>

namespace qw::databuild {

struct TrajectoryCase {
    int ratedVelocity = 0; // fps, the bow's speed with a 350-grain arrow
    int distance = 0;      // yards, where the sight is set
    int arrowWeight = 0;   // grains
};

struct TrajectoryFigures {
    int arrowVelocity = 0; // fps at launch for this arrow weight, rounded
    int nearYards = 0;     // the arrow is 4 inches high here
    int farYards = 0;      // the arrow is 4 inches low here
};

class TrajectoryModel {
public:
    static constexpr double kGravity = 32.174;         // ft/s^2
    static constexpr double kAirDensity = 0.0765;      // lb/ft^3, sea level, 15 C
    static constexpr double kDragCoefficient = 2.0;    // on the shaft's cross-section
    static constexpr double kReferenceDiameter = 0.30; // in
    static constexpr double kSightHeight = 3.5;    // in, line of sight above the arrow at launch
    static constexpr double kWindow = 4.0;         // in, either side of the line of sight
    static constexpr double kTimeStep = 0.0005;    // s, fourth-order Runge-Kutta
    static constexpr double kRatingWeight = 350.0; // grains
    static constexpr double kVelocityExponent = 0.425; // v ~ (350 / w)^0.425

    // Launch speed of an arrow of the given weight from a bow rated at ratedVelocity.
    static double launchVelocity(double ratedVelocity, double arrowWeight);
    static TrajectoryFigures compute(const TrajectoryCase& input);

    // The 245 combinations in the table's record order: weight outermost,
    // then velocity, then distance.
    static std::vector<TrajectoryCase> tableCases();
    static std::uint32_t recordNumber(const TrajectoryCase& input);
};

} // namespace qw::databuild
