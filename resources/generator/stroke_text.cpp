#include "resources/generator/stroke_text.h"

#include <QTransform>

namespace resgen {

namespace {

// One glyph in units of the cap height, baseline at y = 0, up negative.
double AddGlyph(QPainterPath& p, char c) {
    switch (c) {
        case 'W':
            p.moveTo(0.0, -1.0);
            p.lineTo(0.22, 0.0);
            p.lineTo(0.44, -0.78);
            p.lineTo(0.66, 0.0);
            p.lineTo(0.88, -1.0);
            return 1.0;
        case 'k':
            p.moveTo(0.0, -1.05);
            p.lineTo(0.0, 0.0);
            p.moveTo(0.5, -0.68);
            p.lineTo(0.02, -0.3);
            p.moveTo(0.17, -0.42);
            p.lineTo(0.52, 0.0);
            return 0.7;
        case '=':
            p.moveTo(0.1, -0.34);
            p.lineTo(0.7, -0.34);
            p.moveTo(0.1, -0.62);
            p.lineTo(0.7, -0.62);
            return 0.85;
        case '3':
            p.moveTo(0.16, -0.52);
            p.lineTo(0.27, -0.52);
            p.arcTo(QRectF(0.04, -0.98, 0.46, 0.46), -90.0, 245.0);
            p.moveTo(0.27, -0.52);
            p.arcTo(QRectF(0.02, -0.52, 0.5, 0.5), 90.0, -240.0);
            return 0.65;
        case 'z':
            p.moveTo(0.02, -0.66);
            p.lineTo(0.5, -0.66);
            p.lineTo(0.0, 0.0);
            p.lineTo(0.52, 0.0);
            return 0.68;
        case '2':
            p.moveTo(0.05, -0.78);
            p.arcTo(QRectF(0.04, -1.0, 0.48, 0.48), 160.0, -195.0);
            p.lineTo(0.03, 0.0);
            p.lineTo(0.55, 0.0);
            return 0.68;
        case '4':
            p.moveTo(0.42, 0.0);
            p.lineTo(0.42, -1.0);
            p.lineTo(0.0, -0.3);
            p.lineTo(0.6, -0.3);
            return 0.72;
        case ' ':
            return 0.3;
        default:
            return 0.0;
    }
}

}  // namespace

StrokedText StrokeText(std::string_view text, QPointF origin, double capHeight, double slant) {
    QPainterPath units;
    double x = 0.0;
    for (char c : text) {
        QPainterPath glyph;
        const double advance = AddGlyph(glyph, c);
        units.addPath(glyph.translated(x, 0.0));
        x += advance;
    }
    const QTransform place = QTransform(1, 0, -slant, 1, 0, 0) * QTransform::fromScale(capHeight, capHeight) *
                             QTransform::fromTranslate(origin.x(), origin.y());
    return {place.map(units), x * capHeight};
}

}  // namespace resgen
