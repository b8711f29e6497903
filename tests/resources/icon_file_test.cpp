// The committed icon and About picture, read back as Windows reads them.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::string& name) {
    std::ifstream in(std::string(RESOURCES_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Out-of-range reads give 0 rather than undefined behaviour; the size checks fail first.
std::uint32_t Le(const Bytes& b, std::size_t at, int width) {
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = v << 8 | (at + i < b.size() ? b[at + i] : 0);
    return v;
}
std::uint32_t U16(const Bytes& b, std::size_t at) {
    return Le(b, at, 2);
}
std::uint32_t U32(const Bytes& b, std::size_t at) {
    return Le(b, at, 4);
}
std::size_t Stride(std::size_t width, std::size_t bits) {
    return (width * bits + 31) / 32 * 4;
}

struct IconEntry {
    std::uint32_t size;
    std::uint32_t bits;
};

// The order is part of the program's identity: the 8-bit images come first.
const IconEntry kIconEntries[] = {{32, 8}, {16, 8}, {128, 32}, {48, 32}, {32, 32}, {16, 32}};

class IconImage : public testing::TestWithParam<std::size_t> {};

TEST_P(IconImage, IsAnUncompressedDibWithItsMask) {
    const Bytes ico = ReadFile("Tessarin.ico");
    ASSERT_GE(ico.size(), 6u + 16u * 6u);
    const IconEntry want = kIconEntries[GetParam()];
    const std::size_t entry = 6 + 16 * GetParam();
    EXPECT_EQ(ico[entry], want.size);
    EXPECT_EQ(ico[entry + 1], want.size);
    EXPECT_EQ(ico[entry + 2], 0u);  // colour count
    EXPECT_EQ(ico[entry + 3], 0u);
    EXPECT_EQ(U16(ico, entry + 4), 1u);
    EXPECT_EQ(U16(ico, entry + 6), want.bits);

    const std::size_t bytes = U32(ico, entry + 8), at = U32(ico, entry + 12);
    const std::size_t palette = want.bits == 8 ? 256 * 4 : 0;
    const std::size_t colourBytes = Stride(want.size, want.bits) * want.size;
    const std::size_t maskStride = Stride(want.size, 1), maskBytes = maskStride * want.size;
    // Also rules out a PNG-compressed image, whose first bytes are not a 40-byte header.
    ASSERT_EQ(bytes, 40 + palette + colourBytes + maskBytes);
    ASSERT_LE(at + bytes, ico.size());
    EXPECT_EQ(U32(ico, at), 40u);
    EXPECT_EQ(U32(ico, at + 4), want.size);
    EXPECT_EQ(U32(ico, at + 8), 2 * want.size);  // colour bitmap and mask
    EXPECT_EQ(U16(ico, at + 12), 1u);
    EXPECT_EQ(U16(ico, at + 14), want.bits);
    EXPECT_EQ(U32(ico, at + 16), 0u);  // BI_RGB
    const std::uint32_t paletteUsed = U32(ico, at + 32);
    EXPECT_TRUE(paletteUsed == 0 || (want.bits == 8 && paletteUsed == 256)) << paletteUsed;

    const std::size_t colours = at + 40 + palette, mask = colours + colourBytes;
    int transparent = 0;
    for (std::size_t y = 0; y < want.size; ++y) {
        for (std::size_t x = 0; x < want.size; ++x) {
            const bool clear = ico[mask + y * maskStride + x / 8] & (0x80 >> (x % 8));
            transparent += clear;
            // Windows blends by alpha where it can and otherwise by the mask, so the two agree;
            // under a clear mask the colour bits are black, as the screen is XORed with them.
            if (want.bits == 32) {
                const std::uint32_t bgra = U32(ico, colours + y * Stride(want.size, 32) + 4 * x);
                EXPECT_EQ(clear, bgra >> 24 == 0) << "pixel " << x << "," << y;
                EXPECT_TRUE(!clear || bgra == 0) << "pixel " << x << "," << y;
            } else if (clear) {
                const std::size_t entryAt = at + 40 + 4 * ico[colours + y * Stride(want.size, 8) + x];
                EXPECT_EQ(U32(ico, entryAt) & 0xFFFFFF, 0u) << "pixel " << x << "," << y;
            }
        }
    }
    const int pixels = static_cast<int>(want.size * want.size);
    EXPECT_GT(transparent, 0);
    EXPECT_LT(transparent, pixels);
}

INSTANTIATE_TEST_SUITE_P(SixImages, IconImage, testing::Range<std::size_t>(0, 6), [](const auto& info) {
    const IconEntry e = kIconEntries[info.param];
    return std::to_string(info.param) + "_" + std::to_string(e.size) + "px_" + std::to_string(e.bits) + "bit";
});

struct BmpField {
    const char* name;
    std::size_t offset;
    int width;
    std::uint32_t value;
};

// 350 x 120 at 24 bits: rows of 1050 bytes padded to 1052.
const BmpField kAboutFields[] = {
    {"signature BM", 0, 2, 0x4D42},
    {"file size", 2, 4, 126294},
    {"reserved", 6, 4, 0},
    {"pixel offset", 10, 4, 54},
    {"info header size", 14, 4, 40},
    {"width", 18, 4, 350},
    {"height, positive for bottom-up", 22, 4, 120},
    {"planes", 26, 2, 1},
    {"bits per pixel", 28, 2, 24},
    {"compression BI_RGB", 30, 4, 0},
    {"image size", 34, 4, 126240},
};

TEST(AboutPicture, Headers) {
    const Bytes bmp = ReadFile("about.bmp");
    ASSERT_EQ(bmp.size(), 126294u);
    for (const BmpField& f : kAboutFields) EXPECT_EQ(Le(bmp, f.offset, f.width), f.value) << f.name;
}

}  // namespace
