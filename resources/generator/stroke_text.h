#pragma once

#include <QPainterPath>
#include <QPointF>
#include <string_view>

namespace resgen {

// A few characters drawn as centre lines, to be stroked with round caps.
// The pictures draw their labels this way instead of with a font, so that
// their pixels do not depend on which fonts a machine has.
struct StrokedText {
    QPainterPath path;
    double advance;  // pixels from the origin to where the next character goes
};

// Supports 'W', 'k', 'z', '=', '2', '3', '4' and ' '. The origin is the left end of the
// baseline; slant 0.2 gives the italic of a variable name.
StrokedText StrokeText(std::string_view text, QPointF origin, double capHeight, double slant);

}  // namespace resgen
