// The icon encoder, checked against an independent decoder.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>

#include "resources/generator/ico_writer.h"
#include "resources/generator/palette.h"

namespace {

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

}  // namespace
