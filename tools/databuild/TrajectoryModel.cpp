#include "TrajectoryModel.h"

#include <cmath>
#include <numbers>

namespace qw::databuild {

namespace {

constexpr double kInchesPerFoot = 12.0;
constexpr double kFeetPerYard = 3.0;
constexpr double kGrainsPerPound = 7000.0;

struct State {
    double x, y, vx, vy; // ft, ft, ft/s, ft/s; the line of sight is y = 0
};

struct Derivative {
    double dx, dy, dvx, dvy;
};

// Drag deceleration per unit speed squared, 1/ft.
double dragFactor(double arrowWeight)
{
    const double diameter = TrajectoryModel::kReferenceDiameter / kInchesPerFoot;
    const double area = std::numbers::pi / 4.0 * diameter * diameter;
    const double mass = arrowWeight / kGrainsPerPound;
    return TrajectoryModel::kAirDensity * TrajectoryModel::kDragCoefficient * area / (2.0 * mass);
}

Derivative slope(const State& s, double drag)
{
    const double speed = std::hypot(s.vx, s.vy);
    return {s.vx, s.vy, -drag * speed * s.vx, -drag * speed * s.vy - TrajectoryModel::kGravity};
}

State advance(const State& s, const Derivative& d, double h)
{
    return {s.x + d.dx * h, s.y + d.dy * h, s.vx + d.dvx * h, s.vy + d.dvy * h};
}

State rungeKuttaStep(const State& s, double drag, double h)
{
    const Derivative k1 = slope(s, drag);
    const Derivative k2 = slope(advance(s, k1, h / 2), drag);
    const Derivative k3 = slope(advance(s, k2, h / 2), drag);
    const Derivative k4 = slope(advance(s, k3, h), drag);
    return {s.x + h / 6 * (k1.dx + 2 * k2.dx + 2 * k3.dx + k4.dx),
            s.y + h / 6 * (k1.dy + 2 * k2.dy + 2 * k3.dy + k4.dy),
            s.vx + h / 6 * (k1.dvx + 2 * k2.dvx + 2 * k3.dvx + k4.dvx),
            s.vy + h / 6 * (k1.dvy + 2 * k2.dvy + 2 * k3.dvy + k4.dvy)};
}

// The flight as (x, y) points from launch until the arrow is past maxX.
std::vector<State> fly(double speed, double angle, double drag, double maxX)
{
    std::vector<State> path;
    State s{0.0, -TrajectoryModel::kSightHeight / kInchesPerFoot, speed * std::cos(angle),
            speed * std::sin(angle)};
    path.push_back(s);
    while (s.x < maxX && s.vx > 0.0) {
        s = rungeKuttaStep(s, drag, TrajectoryModel::kTimeStep);
        path.push_back(s);
    }
    return path;
}

double heightAt(const std::vector<State>& path, double x)
{
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (path[i].x >= x) {
            const State& a = path[i - 1];
            const State& b = path[i];
            return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
        }
    }
    return path.back().y;
}

// The launch angle at which the arrow crosses the line of sight at the
// sighted distance. The height there is nearly linear in the angle, so the
// secant method settles in a few flights.
double sightInAngle(double speed, double drag, double distanceFeet)
{
    const auto heightAtTarget = [&](double angle) {
        return heightAt(fly(speed, angle, drag, distanceFeet + 1.0), distanceFeet);
    };
    double a0 = 0.0;
    double a1 = 0.05;
    double y0 = heightAtTarget(a0);
    double y1 = heightAtTarget(a1);
    for (int i = 0; i < 30 && std::abs(y1) > 1e-9 && y1 != y0; ++i) {
        const double a2 = a1 - y1 * (a1 - a0) / (y1 - y0);
        a0 = a1;
        y0 = y1;
        a1 = a2;
        y1 = heightAtTarget(a1);
    }
    return a1;
}

double crossing(const State& a, const State& b, double level)
{
    return a.x + (b.x - a.x) * (level - a.y) / (b.y - a.y);
}

// Nearest x before the sighted distance from which the arrow stays within
// the window (0 when it never leaves it on the way out).
double nearEnd(const std::vector<State>& path, double distanceFeet, double window)
{
    double near = 0.0;
    for (std::size_t i = 1; i < path.size() && path[i].x <= distanceFeet; ++i) {
        if (path[i - 1].y > window && path[i].y <= window)
            near = crossing(path[i - 1], path[i], window);
    }
    return near;
}

double farEnd(const std::vector<State>& path, double distanceFeet, double window)
{
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (path[i].x > distanceFeet && path[i - 1].y >= -window && path[i].y < -window)
            return crossing(path[i - 1], path[i], -window);
    }
    return path.back().x;
}

} // namespace

double TrajectoryModel::launchVelocity(double ratedVelocity, double arrowWeight)
{
    return ratedVelocity * std::pow(kRatingWeight / arrowWeight, kVelocityExponent);
}

TrajectoryFigures TrajectoryModel::compute(const TrajectoryCase& input)
{
    const double speed = launchVelocity(input.ratedVelocity, input.arrowWeight);
    const double drag = dragFactor(input.arrowWeight);
    const double distanceFeet = input.distance * kFeetPerYard;
    const double angle = sightInAngle(speed, drag, distanceFeet);
    // Far enough for the slowest arrow to drop out of the window.
    const auto path = fly(speed, angle, drag, distanceFeet + 300.0);
    const double window = kWindow / kInchesPerFoot;
    TrajectoryFigures figures;
    figures.arrowVelocity = static_cast<int>(std::lround(speed));
    figures.nearYards =
        static_cast<int>(std::lround(nearEnd(path, distanceFeet, window) / kFeetPerYard));
    figures.farYards =
        static_cast<int>(std::lround(farEnd(path, distanceFeet, window) / kFeetPerYard));
    return figures;
}

std::vector<TrajectoryCase> TrajectoryModel::tableCases()
{
    std::vector<TrajectoryCase> cases;
    for (int weight = 350; weight <= 650; weight += 50)
        for (int velocity = 180; velocity <= 300; velocity += 20)
            for (int distance = 20; distance <= 60; distance += 10)
                cases.push_back({velocity, distance, weight});
    return cases;
}

std::uint32_t TrajectoryModel::recordNumber(const TrajectoryCase& input)
{
    return static_cast<std::uint32_t>((input.ratedVelocity - 180) / 20 * 5 +
                                      (input.distance - 20) / 10 + 1 +
                                      (input.arrowWeight - 350) / 50 * 35);
}

} // namespace qw::databuild
