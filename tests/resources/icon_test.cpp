// The icon: the encoder checked against an independent decoder, and the
// committed file read back as Windows reads it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

using resgen::Bytes;

// Little-endian; out-of-range reads give 0 rather than undefined behaviour, the size checks fail first.
std::uint32_t Le(const Bytes& b, std::size_t at, int width) {
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = v << 8 | (at + i < b.size() ? b[at + i] : 0);
    return v;
}
std::size_t Stride(std::size_t width, std::size_t bits) {
    return (width * bits + 31) / 32 * 4;
}

struct Image {
    std::uint32_t size, bits;
};

// Each image an uncompressed DIB with its mask, as Windows reads it.
void ExpectWindowsIcon(const Bytes& ico, const std::vector<Image>& images) {
    ASSERT_EQ(Le(ico, 4, 2), images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto [size, bits] = images[i];
        SCOPED_TRACE(testing::Message() << "image " << i);
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(Le(ico, entry, 4), size | size << 8);    // width, height, colour count 0, reserved
        EXPECT_EQ(Le(ico, entry + 4, 4), 1 | bits << 16);  // planes, bits

        const std::size_t bytes = Le(ico, entry + 8, 4), at = Le(ico, entry + 12, 4);
        const std::size_t palette = bits == 8 ? 256 * 4 : 0, colourBytes = Stride(size, bits) * size;
        const std::size_t maskStride = Stride(size, 1);
        // Also rules out a PNG-compressed image, whose first bytes are not a 40-byte header.
        ASSERT_EQ(bytes, 40 + palette + colourBytes + maskStride * size);
        ASSERT_LE(at + bytes, ico.size());
        // Header size, width, height of colour bitmap and mask, planes and bits, BI_RGB.
        const std::uint32_t header[] = {40, size, 2 * size, 1 | bits << 16, 0};
        for (int i = 0; i < 5; ++i) EXPECT_EQ(Le(ico, at + 4 * i, 4), header[i]) << "header field " << i;
        const std::uint32_t paletteUsed = Le(ico, at + 32, 4);
        EXPECT_TRUE(paletteUsed == 0 || (bits == 8 && paletteUsed == 256)) << paletteUsed;

        const std::size_t colours = at + 40 + palette, mask = colours + colourBytes;
        std::uint32_t transparent = 0;
        for (std::size_t y = 0; y < size; ++y) {
            for (std::size_t x = 0; x < size; ++x) {
                const bool clear = ico[mask + y * maskStride + x / 8] & (0x80 >> (x % 8));
                transparent += clear;
                // Windows blends by alpha where it can and otherwise by the mask, so the two agree;
                // under a clear mask the colour bits are black, as the screen is XORed with them.
                const std::uint32_t colour = bits == 32
                                                 ? Le(ico, colours + y * Stride(size, 32) + 4 * x, 4)
                                                 : Le(ico, at + 40 + 4 * ico[colours + y * Stride(size, 8) + x], 3);
                EXPECT_TRUE(bits == 8 || clear == (colour >> 24 == 0)) << "pixel " << x << "," << y;
                EXPECT_TRUE(!clear || colour == 0) << "pixel " << x << "," << y;
            }
        }
        EXPECT_TRUE(transparent > 0 && transparent < size * size) << transparent << " pixels clear";
    }
}

// Qt's own .ico reader serves as an independent decoder. It premultiplies, so
// pixels are compared premultiplied.
QImage Decode(const Bytes& ico, int index) {
    QByteArray data(reinterpret_cast<const char*>(ico.data()), static_cast<qsizetype>(ico.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "ico");
    reader.jumpToImage(index);
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(Icon, EncodedImagesAsWindowsAndQtReadThem) {
    for (int size : {16, 32, 48}) {
        const QImage pattern = TestPattern(size);
        const Bytes ico = resgen::EncodeIcon({{pattern, 8}, {pattern, 32}});
        ExpectWindowsIcon(ico, {{std::uint32_t(size), 8}, {std::uint32_t(size), 32}});
        const resgen::IndexedImage indexed = resgen::ReduceTo256Colours(pattern);
        const QImage trueColour = Decode(ico, 1), paletted = Decode(ico, 0);
        ASSERT_EQ(trueColour.size(), pattern.size()) << size;
        ASSERT_EQ(paletted.size(), pattern.size()) << size;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                ASSERT_EQ(trueColour.pixel(x, y), qPremultiply(pattern.pixel(x, y)))
                    << size << " px at " << x << "," << y;
                const QRgb want = resgen::IsOpaqueFor8Bit(pattern.pixel(x, y))
                                      ? indexed.palette[indexed.indices[static_cast<std::size_t>(y * size + x)]]
                                      : qRgba(0, 0, 0, 0);
                ASSERT_EQ(paletted.pixel(x, y), want) << size << " px at " << x << "," << y;
            }
        }
    }
}

// The committed file: the order of its images is part of the program's
// identity, the 8-bit images first.
TEST(Icon, CommittedFileAsWindowsReadsIt) {
    std::ifstream in(RESOURCES_DIR "/Tessarin.ico", std::ios::binary);
    ExpectWindowsIcon(Bytes{std::istreambuf_iterator<char>(in), {}},
                      {{32, 8}, {16, 8}, {128, 32}, {48, 32}, {32, 32}, {16, 32}});
}

}  // namespace
