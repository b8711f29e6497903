// The generator's geometry and encoders, checked against independent results.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <cmath>
#include <set>

#include "resources/generator/gear_geometry.h"
#include "resources/generator/ico_writer.h"
#include "resources/generator/palette.h"

namespace {

struct SpanCase {
    const char* name;
    int teeth, span;
    double wk;  // the calculator's result for module 1, 20 degrees, no shift
};

const SpanCase kSpans[] = {
    {"reference gear", 20, 3, 7.6604},
    {"z 9", 9, 2, 4.5542},
    {"z 27", 27, 4, 10.7106},
    {"z 45", 45, 6, 16.867},
};

// The jaws are drawn where the calculator says: 2 x HalfSpan is Wk.
TEST(GearGeometry, HalfSpanIsHalfTheBaseTangentLength) {
    for (const SpanCase& c : kSpans) {
        EXPECT_NEAR(2 * resgen::HalfSpan({.teeth = c.teeth, .module = 1.0}, c.span), c.wk, 5e-5) << c.name;
    }
}

// The drawn outline meets the jaw faces at the contact points: a hair inside
// each face is steel, a hair outside is air. Covers the About gear and the
// icon gears, whose teeth are thicker than standard.
TEST(GearGeometry, JawFacesTouchTheDrawnFlanks) {
    const struct {
        const char* name;
        resgen::Gear gear;
        int span;
    } cases[] = {
        {"about picture", {.teeth = 24, .module = 16.0}, 3},
        {"icon 128", {.teeth = 14, .module = 6.25}, 2},
        {"icon 48", {.teeth = 12, .module = 2.75, .dedendum = 1.2}, 2},
        {"icon 16, thick teeth", {.teeth = 8, .module = 1.3, .addendum = 1.15, .dedendum = 0.9, .thickness = 1.25}, 2},
    };
    for (const auto& c : cases) {
        const QPainterPath outline = resgen::GearOutline(c.gear, {0, 0}, c.span);
        const double half = resgen::HalfSpan(c.gear, c.span), y = -c.gear.BaseRadius();
        const double hair = 0.02 * c.gear.module;
        for (double side : {-1.0, 1.0}) {
            EXPECT_TRUE(outline.contains(QPointF(side * (half - hair), y))) << c.name << " side " << side;
            EXPECT_FALSE(outline.contains(QPointF(side * (half + hair), y))) << c.name << " side " << side;
        }
    }
}

QImage TestPattern(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // Distinct, asymmetric colours expose swapped channels and flipped rows;
            // the left quarter is see-through, with a partly transparent column.
            const int alpha = x < size / 4 ? 0 : x == size / 4 ? 100 : 255;
            image.setPixel(x, y, qRgba(x * 255 / size, y * 255 / size, (x * y) % 256, alpha));
        }
    }
    return image;
}

// Qt's own .ico reader serves as an independent decoder. It premultiplies, so
// pixels are compared premultiplied.
QImage Decode(const resgen::Bytes& ico, int index) {
    QByteArray data(reinterpret_cast<const char*>(ico.data()), static_cast<qsizetype>(ico.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "ico");
    reader.jumpToImage(index);
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(IconWriter, ImagesDecodeToTheirPixels) {
    for (int size : {16, 32, 48}) {
        const QImage pattern = TestPattern(size);
        const resgen::Bytes ico = resgen::EncodeIcon({{pattern, 8}, {pattern, 32}});

        const QImage trueColour = Decode(ico, 1);
        ASSERT_EQ(trueColour.size(), pattern.size()) << size;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                ASSERT_EQ(trueColour.pixel(x, y), qPremultiply(pattern.pixel(x, y)))
                    << size << " px at " << x << "," << y;
            }
        }

        const resgen::IndexedImage indexed = resgen::ReduceTo256Colours(pattern);
        const QImage paletted = Decode(ico, 0);
        ASSERT_EQ(paletted.size(), pattern.size()) << size;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb want = resgen::IsOpaqueFor8Bit(pattern.pixel(x, y))
                                      ? indexed.palette[indexed.indices[static_cast<std::size_t>(y * size + x)]]
                                      : qRgba(0, 0, 0, 0);
                ASSERT_EQ(paletted.pixel(x, y), want) << size << " px at " << x << "," << y;
            }
        }
    }
}

// Few colours are kept exactly; many are cut to 255 plus black, each pixel near its own.
TEST(Palette, KeepsColoursThatFitAndApproximatesTheRest) {
    for (int size : {8, 32, 64}) {
        const QImage pattern = TestPattern(size);
        const resgen::IndexedImage indexed = resgen::ReduceTo256Colours(pattern);
        EXPECT_EQ(indexed.palette[0], qRgb(0, 0, 0));
        std::set<QRgb> distinct;
        int worst = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb p = pattern.pixel(x, y), got = indexed.palette[indexed.indices[y * size + x]];
                if (!resgen::IsOpaqueFor8Bit(p)) {
                    EXPECT_EQ(indexed.indices[y * size + x], 0) << x << "," << y;
                    continue;
                }
                distinct.insert(p & 0xFFFFFF);
                worst = std::max({worst, std::abs(qRed(p) - qRed(got)), std::abs(qGreen(p) - qGreen(got)),
                                  std::abs(qBlue(p) - qBlue(got))});
            }
        }
        EXPECT_EQ(worst == 0, distinct.size() <= 255) << size << ": worst channel error " << worst;
        EXPECT_LE(worst, 40) << size;
    }
}

}  // namespace
