#include "ui/common/readable_colours.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr double kReadable = 4.5;

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
    return 0.2126 * Linear(colour.redF()) + 0.7152 * Linear(colour.greenF()) + 0.0722 * Linear(colour.blueF());
}

}  // namespace

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Where black reads better than white, black labels reach 4.58 : 1 at the
// least; the light themes and Windows' High Contrast White are such faces.
bool LightFace(const QColor& face) {
    return Contrast(Qt::black, face) >= Contrast(Qt::white, face);
}

QColor ShadeReadableOn(const QColor& colour, const QColor& face) {
    if (LightFace(face)) return colour;
    // Lighter by levels of 255, hue and saturation kept, up to white, which
    // reads on a face that is not light.
    const QColor hsl = colour.toHsl();
    QColor shade = hsl;
    for (int lightness = hsl.lightness(); lightness < 255 && Contrast(shade, face) < kReadable; ++lightness) {
        shade = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness + 1);
    }
    return shade.toRgb();
}

}  // namespace ui
