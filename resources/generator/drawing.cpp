#include "resources/generator/drawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <utility>

#include "resources/generator/gear_geometry.h"
#include "resources/generator/stroke_text.h"

namespace resgen {

namespace {

const QColor kSteelLight(0xC9, 0xD6, 0xE3);
const QColor kSteelDark(0x5B, 0x74, 0x8E);
const QColor kSteelEdge(0x22, 0x33, 0x47);
const QColor kCaliperLight(0xFF, 0xC2, 0x4D);
const QColor kCaliperDark(0xEE, 0x8A, 0x10);
const QColor kCaliperEdge(0x8A, 0x40, 0x00);
const QColor kConstruction(0x2F, 0x55, 0x8A);
const QColor kInk(0x1B, 0x26, 0x33);

// The icon's layout at one size, in pixels of that size.
struct IconLayout {
    Gear gear;
    int span;  // teeth between the jaws
    QPointF centre;
    double boreRadius;
    double hubRadius;  // 0: no hub ring
    double gearPen;    // 0: no outline
    QRectF beam;
    double jawWidth;  // where the jaw meets the beam
    double jawTip;    // width at the tip
    double jawBelow;  // how far the jaw reaches below the contact point
    double caliperPen;
    int ticks;      // scale marks on the beam
    bool snapJaws;  // jaw faces on the pixel grid, so that narrow jaws stay sharp
};

// One layout per size, kept compact so that the sizes read side by side.
// clang-format off
IconLayout LayoutFor(int size) {
    // Small sizes: fewer teeth, thicker than standard and with a short
    // dedendum, so that each tooth keeps two solid pixels.
    if (size <= 16) {
        return {.gear = {.teeth = 8, .module = 1.3, .addendum = 1.15, .dedendum = 0.9, .thickness = 1.25},
                .span = 2, .centre = {8.0, 9.0}, .boreRadius = 1.5, .hubRadius = 0.0, .gearPen = 1.0,
                .beam = {1.0, 0.0, 14.0, 2.0}, .jawWidth = 2.0, .jawTip = 2.0, .jawBelow = 0.8,
                .caliperPen = 0.0, .ticks = 0, .snapJaws = true};
    }
    if (size <= 32) {
        return {.gear = {.teeth = 10, .module = 2.2, .dedendum = 1.1, .thickness = 1.05},
                .span = 2, .centre = {16.0, 19.0}, .boreRadius = 2.6, .hubRadius = 0.0, .gearPen = 1.0,
                .beam = {1.5, 1.5, 29.0, 4.0}, .jawWidth = 4.0, .jawTip = 2.0, .jawBelow = 1.0,
                .caliperPen = 1.0, .ticks = 0, .snapJaws = true};
    }
    if (size <= 48) {
        return {.gear = {.teeth = 12, .module = 2.75, .dedendum = 1.2},
                .span = 2, .centre = {24.0, 28.5}, .boreRadius = 3.5, .hubRadius = 0.0, .gearPen = 1.2,
                .beam = {1.5, 2.5, 45.0, 6.0}, .jawWidth = 5.5, .jawTip = 2.5, .jawBelow = 1.5,
                .caliperPen = 1.0, .ticks = 5, .snapJaws = true};
    }
    const double s = size / 128.0;
    return {.gear = {.teeth = 14, .module = 6.25 * s},
            .span = 2, .centre = {64.0 * s, 75.0 * s}, .boreRadius = 9.0 * s, .hubRadius = 17.0 * s,
            .gearPen = 2.5 * s, .beam = {4 * s, 6 * s, 120 * s, 13 * s}, .jawWidth = 12.0 * s, .jawTip = 4.0 * s,
            .jawBelow = 3.0 * s, .caliperPen = 2.5 * s, .ticks = 11, .snapJaws = false};
}
// clang-format on

QPen Outline(const QColor& colour, double width) {
    return width > 0 ? QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen);
}

QLinearGradient TwoTone(QPointF from, QPointF to, const QColor& light, const QColor& dark) {
    QLinearGradient g(from, to);
    g.setColorAt(0.0, light);
    g.setColorAt(1.0, dark);
    return g;
}

// One jaw: its inner face is the vertical line x = face, straight down to
// the contact point and a little beyond; the outer face tapers to the tip.
// `outward` is -1 for the left jaw, +1 for the right one.
QPainterPath Jaw(double face, double outward, double top, double bottom, double width, double tip) {
    QPainterPath jaw;
    jaw.moveTo(face, top);
    jaw.lineTo(face, bottom);
    jaw.lineTo(face + outward * tip, bottom);
    jaw.lineTo(face + outward * width, top + (bottom - top) * 0.35);
    jaw.lineTo(face + outward * width, top);
    jaw.closeSubpath();
    return jaw;
}

void DrawIconGear(QPainter& p, const IconLayout& l) {
    QPainterPath bore;
    bore.addEllipse(l.centre, l.boreRadius, l.boreRadius);
    const double ra = l.gear.TipRadius();
    p.setPen(Outline(kSteelEdge, l.gearPen));
    p.setBrush(TwoTone(l.centre - QPointF(ra, ra), l.centre + QPointF(ra, ra), kSteelLight, kSteelDark));
    p.drawPath(GearOutline(l.gear, l.centre, l.span).subtracted(bore));
    if (l.hubRadius > 0) {
        p.setPen(Outline(kSteelEdge, l.gearPen * 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(l.centre, l.hubRadius, l.hubRadius);
    }
}

void DrawIconCaliper(QPainter& p, const IconLayout& l) {
    double half = HalfSpan(l.gear, l.span);
    if (l.snapJaws) {
        // A one-pixel outline is sharp on half pixels, a bare fill on whole ones.
        const double grid = l.caliperPen > 0 ? 0.5 : 0.0;
        half = std::round(half - grid) + grid;
    }
    const double top = l.beam.top() + 0.5;  // the jaws grow out of the beam, without a seam
    const double bottom = l.centre.y() - l.gear.BaseRadius() + l.jawBelow;

    QPainterPath caliper;
    caliper.addRect(l.beam);
    caliper = caliper.united(Jaw(l.centre.x() - half, -1, top, bottom, l.jawWidth, l.jawTip));
    caliper = caliper.united(Jaw(l.centre.x() + half, +1, top, bottom, l.jawWidth, l.jawTip));
    p.setPen(l.caliperPen > 0 ? QPen(kCaliperEdge, l.caliperPen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin)
                              : QPen(Qt::NoPen));
    p.setBrush(TwoTone({0, l.beam.top()}, {0, bottom}, kCaliperLight, kCaliperDark));
    p.drawPath(caliper);

    p.setPen(QPen(kCaliperEdge, l.snapJaws ? 1.0 : l.caliperPen * 0.7, Qt::SolidLine, Qt::FlatCap));
    const double step = (l.beam.width() - 2 * l.jawWidth) / (l.ticks + 1);
    for (int i = 1; i <= l.ticks; ++i) {
        double x = l.beam.left() + l.jawWidth + step * i;
        if (l.snapJaws) x = std::floor(x) + 0.5;
        const double length = (i % 5 == 0 ? 0.6 : 0.35) * l.beam.height();
        p.drawLine(QPointF(x, l.beam.top()), QPointF(x, l.beam.top() + length));
    }
}

// The About picture's parts, drawn back to front.
struct AboutScene {
    static constexpr int kWidth = 350, kHeight = 120, kSpan = 3;
    Gear gear{.teeth = 24, .module = 16.0};  // z 24 at 20 degrees: the span count k is 3
    QPointF centre{175.0, 252.0};            // below the picture: only the top of the gear shows
    double half = HalfSpan(gear, kSpan);
    double contact = centre.y() - gear.BaseRadius();
    double dimensionY = 30.5;
};

void DrawPaper(QPainter& p, const AboutScene& s) {
    p.fillRect(QRect(0, 0, s.kWidth, s.kHeight),
               TwoTone({0, 0}, {0, s.kHeight}, QColor(0xFB, 0xFC, 0xFE), QColor(0xE3, 0xEA, 0xF2)));
    // Faint squared paper, as on a drawing sheet.
    p.setPen(QPen(QColor(0xE0, 0xE7, 0xEF), 1.0));
    for (int x = 5; x < s.kWidth; x += 10) p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, s.kHeight));
    for (int y = 5; y < s.kHeight; y += 10) p.drawLine(QPointF(0, y + 0.5), QPointF(s.kWidth, y + 0.5));
}

void DrawAboutGear(QPainter& p, const AboutScene& s) {
    p.setPen(Outline(kSteelEdge, 1.2));
    p.setBrush(TwoTone({0, s.centre.y() - s.gear.TipRadius()}, {0, s.kHeight}, kSteelLight, kSteelDark));
    p.drawPath(GearOutline(s.gear, s.centre, s.kSpan));

    // The base circle, and on top its tangent: the common normal of the two measured flanks.
    const double rb = s.gear.BaseRadius();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kConstruction, 1.0, Qt::DashLine));
    p.drawEllipse(s.centre, rb, rb);
    p.setPen(QPen(kConstruction, 1.0, Qt::DashDotLine));
    p.drawLine(QPointF(s.centre.x() - s.half - 30, s.contact), QPointF(s.centre.x() + s.half + 30, s.contact));
}

void DrawAboutJaws(QPainter& p, const AboutScene& s) {
    const double left = s.centre.x() - s.half, right = s.centre.x() + s.half;
    const double bottom = s.contact + 6.0;
    p.setPen(QPen(kCaliperEdge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(TwoTone({0, 0}, {0, bottom}, kCaliperLight, kCaliperDark));
    p.drawPath(Jaw(left, -1, -1.0, bottom, 10.0, 3.0).united(Jaw(right, +1, -1.0, bottom, 10.0, 3.0)));
    p.setPen(Qt::NoPen);
    p.setBrush(kConstruction);
    p.drawEllipse(QPointF(left, s.contact), 2.0, 2.0);
    p.drawEllipse(QPointF(right, s.contact), 2.0, 2.0);
}

void DrawDimension(QPainter& p, const AboutScene& s) {
    const double left = s.centre.x() - s.half, right = s.centre.x() + s.half, y = s.dimensionY;
    p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(left + 1, y), QPointF(right - 1, y));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (const auto& [tip, inward] : {std::pair{left, 1.0}, std::pair{right, -1.0}}) {
        const QPointF head[] = {{tip, y}, {tip + inward * 9, y - 3.2}, {tip + inward * 9, y + 3.2}};
        p.drawPolygon(head, 3);
    }

    const StrokedText w = StrokeText("W", {}, 14.0, 0.2);
    const StrokedText k = StrokeText("k", {}, 9.0, 0.2);
    const double labelLeft = s.centre.x() - (w.advance + k.advance) / 2;
    p.setBrush(Qt::NoBrush);
    p.setPen(Outline(kInk, 1.6));
    p.drawPath(w.path.translated(labelLeft, y - 5));
    p.setPen(Outline(kInk, 1.3));
    p.drawPath(k.path.translated(labelLeft + w.advance, y - 2));
}

// The gear's data either side: variable in italics, value upright.
void DrawEquations(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(Outline(kInk, 1.6));
    auto equation = [&](const char* variable, const char* value, QPointF at) {
        const StrokedText v = StrokeText(variable, at, 14.0, 0.2);
        p.drawPath(v.path);
        p.drawPath(StrokeText(value, at + QPointF(v.advance, 0), 14.0, 0.0).path);
    };
    equation("z", " = 24", {30, 34});
    equation("k", " = 3", {272, 34});
}

}  // namespace

QImage DrawIcon(int size) {
    const IconLayout layout = LayoutFor(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawIconGear(p, layout);
    DrawIconCaliper(p, layout);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage DrawAboutPicture() {
    const AboutScene scene;
    QImage image(scene.kWidth, scene.kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawPaper(p, scene);
    DrawAboutGear(p, scene);
    DrawAboutJaws(p, scene);
    DrawDimension(p, scene);
    DrawEquations(p);
    p.end();
    return image;
}

}  // namespace resgen
