#pragma once

#include <QPainterPath>
#include <QPointF>

namespace resgen {

// An external involute spur gear as the pictures draw it. Angles on the
// picture are measured clockwise from straight up, so that "up" is where
// the span is measured.
struct Gear {
    int teeth;
    double module;                // pixels
    double pressureAngle = 20.0;  // degrees
    double addendum = 1.0;        // in modules
    double dedendum = 1.25;
    double thickness = 1.0;  // tooth thickness on the pitch circle, in half pitches

    double PitchRadius() const { return module * teeth / 2; }
    double BaseRadius() const;
    double TipRadius() const { return PitchRadius() + addendum * module; }
    double RootRadius() const { return PitchRadius() - dedendum * module; }
    // Half the angle a tooth covers on the base circle.
    double HalfBaseAngle() const;
};

// The outline of the gear, with the teeth turned so that the span of
// `span` teeth lies symmetric about straight up: a tooth on top for an odd
// span, a gap for an even one.
QPainterPath GearOutline(const Gear& gear, QPointF centre, int span);

// Half the span measurement Wk over `span` teeth, placed as GearOutline
// places them. The common normal of the two measured flanks is the tangent
// to the base circle on top, so the jaws touch the flanks at
// centre + (-HalfSpan, -BaseRadius) and centre + (+HalfSpan, -BaseRadius).
double HalfSpan(const Gear& gear, int span);

}  // namespace resgen
