#include "resources/generator/gear_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace resgen {

namespace {

constexpr double kPi = std::numbers::pi;

double Radians(double degrees) {
    return degrees * kPi / 180.0;
}
double Involute(double angle) {
    return std::tan(angle) - angle;
}

// Coordinates on a 1/256-pixel grid, so that the last bits of the maths
// library never reach the rasteriser.
QPointF Polar(QPointF centre, double radius, double angle) {
    auto snap = [](double v) { return std::round(v * 256.0) / 256.0; };
    return {snap(centre.x() + radius * std::sin(angle)), snap(centre.y() - radius * std::cos(angle))};
}

}  // namespace

double Gear::BaseRadius() const {
    return PitchRadius() * std::cos(Radians(pressureAngle));
}

double Gear::HalfBaseAngle() const {
    return thickness * kPi / (2.0 * teeth) + Involute(Radians(pressureAngle));
}

QPainterPath GearOutline(const Gear& gear, QPointF centre, int span) {
    const double pitchAngle = 2.0 * kPi / gear.teeth;
    const double first = -(span - 1) * pitchAngle / 2.0;
    const double rb = gear.BaseRadius(), ra = gear.TipRadius(), rf = gear.RootRadius();
    const double halfBase = gear.HalfBaseAngle();
    constexpr int kFlankSteps = 10, kArcSteps = 6;

    // Half the angle the tooth covers at radius r: the involute narrows it above the base circle.
    auto halfAngle = [&](double r) { return r <= rb ? halfBase : halfBase - Involute(std::acos(rb / r)); };
    // Flank radii from the root up: radial below the base circle, involute above it.
    std::vector<double> radii;
    if (rf < rb) radii.push_back(rf);
    const double flankStart = std::max(rf, rb);
    for (int i = 0; i <= kFlankSteps; ++i) radii.push_back(flankStart + (ra - flankStart) * i / kFlankSteps);

    std::vector<QPointF> points;
    for (int tooth = 0; tooth < gear.teeth; ++tooth) {
        const double mid = first + tooth * pitchAngle;
        for (double r : radii) points.push_back(Polar(centre, r, mid - halfAngle(r)));
        const double tipHalf = halfAngle(ra);
        for (int i = 1; i < kArcSteps; ++i) {
            points.push_back(Polar(centre, ra, mid - tipHalf + 2 * tipHalf * i / kArcSteps));
        }
        for (auto r = radii.rbegin(); r != radii.rend(); ++r) points.push_back(Polar(centre, *r, mid + halfAngle(*r)));
        const double gapStart = mid + halfBase, gapEnd = mid + pitchAngle - halfBase;
        for (int i = 1; i < kArcSteps; ++i) {
            points.push_back(Polar(centre, rf, gapStart + (gapEnd - gapStart) * i / kArcSteps));
        }
    }

    QPainterPath path;
    path.moveTo(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(points[i]);
    path.closeSubpath();
    return path;
}

double HalfSpan(const Gear& gear, int span) {
    // A flank leaving the base circle at angle a crosses the top tangent at x = rb * a.
    return gear.BaseRadius() * ((span - 1) * kPi / gear.teeth + gear.HalfBaseAngle());
}

}  // namespace resgen
