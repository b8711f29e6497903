#include "resources/generator/ico_writer.h"

#include <stdexcept>

#include "resources/generator/palette.h"

namespace resgen {

namespace {

constexpr std::size_t kDirHeaderSize = 6;
constexpr std::size_t kDirEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;

void PutInfoHeader(Bytes& out, int size, int bitsPerPixel, std::size_t bitmapBytes) {
    PutU32(out, kInfoHeaderSize);
    PutI32(out, size);
    PutI32(out, 2 * size);  // colour bitmap and mask stacked
    PutU16(out, 1);         // planes
    PutU16(out, static_cast<std::uint32_t>(bitsPerPixel));
    PutU32(out, 0);  // BI_RGB
    PutU32(out, static_cast<std::uint32_t>(bitmapBytes));
    PutI32(out, 0);  // pixels per metre, unused by icons
    PutI32(out, 0);
    PutU32(out, 0);  // colours used: 0 = all 2^bits
    PutU32(out, 0);
}

// Rows of 1-bit flags, bottom row first, most significant bit leftmost.
void PutMask(Bytes& out, const QImage& image, bool (*transparent)(QRgb)) {
    const std::size_t stride = RowStride(image.width(), 1);
    for (int y = image.height() - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < image.width(); ++x) {
            if (transparent(image.pixel(x, y))) row[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

Bytes EncodeDib8(const QImage& image) {
    const int size = image.width();
    const IndexedImage indexed = ReduceTo256Colours(image);
    const std::size_t stride = RowStride(size, 8);
    const std::size_t bitmapBytes = (stride + RowStride(size, 1)) * static_cast<std::size_t>(size);

    Bytes out;
    PutInfoHeader(out, size, 8, bitmapBytes);
    for (QRgb c : indexed.palette) {
        PutU8(out, static_cast<std::uint32_t>(qBlue(c)));
        PutU8(out, static_cast<std::uint32_t>(qGreen(c)));
        PutU8(out, static_cast<std::uint32_t>(qRed(c)));
        PutU8(out, 0);
    }
    for (int y = size - 1; y >= 0; --y) {
        const auto row = indexed.indices.begin() + static_cast<std::ptrdiff_t>(y) * size;
        out.insert(out.end(), row, row + size);
        PutZeros(out, stride - static_cast<std::size_t>(size));
    }
    PutMask(out, image, [](QRgb p) { return !IsOpaqueFor8Bit(p); });
    return out;
}

Bytes EncodeDib32(const QImage& image) {
    const int size = image.width();
    const std::size_t bitmapBytes = (RowStride(size, 32) + RowStride(size, 1)) * static_cast<std::size_t>(size);

    Bytes out;
    PutInfoHeader(out, size, 32, bitmapBytes);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            // A clear pixel is all zero, so that a screen without alpha blending, which
            // XORs the colour bits under the mask, leaves it untouched.
            const QRgb p = qAlpha(image.pixel(x, y)) == 0 ? 0 : image.pixel(x, y);
            PutU8(out, static_cast<std::uint32_t>(qBlue(p)));
            PutU8(out, static_cast<std::uint32_t>(qGreen(p)));
            PutU8(out, static_cast<std::uint32_t>(qRed(p)));
            PutU8(out, static_cast<std::uint32_t>(qAlpha(p)));
        }
    }
    PutMask(out, image, [](QRgb p) { return qAlpha(p) == 0; });
    return out;
}

}  // namespace

Bytes EncodeIcon(const std::vector<IconImage>& images) {
    std::vector<Bytes> dibs;
    for (const IconImage& icon : images) {
        // Non-premultiplied: the file stores plain colour beside alpha.
        const QImage image = icon.image.convertToFormat(QImage::Format_ARGB32);
        if (image.width() != image.height() || image.width() < 1 || image.width() > 255) {
            throw std::invalid_argument("icon images must be square, 1 to 255 pixels");
        }
        if (icon.bitsPerPixel == 8) {
            dibs.push_back(EncodeDib8(image));
        } else if (icon.bitsPerPixel == 32) {
            dibs.push_back(EncodeDib32(image));
        } else {
            throw std::invalid_argument("icon images are 8 or 32 bits per pixel");
        }
    }

    Bytes out;
    PutU16(out, 0);  // reserved
    PutU16(out, 1);  // icon, not cursor
    PutU16(out, static_cast<std::uint32_t>(images.size()));
    std::size_t offset = kDirHeaderSize + kDirEntrySize * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].image.width();
        PutU8(out, static_cast<std::uint32_t>(size));
        PutU8(out, static_cast<std::uint32_t>(size));
        PutU8(out, 0);  // colour count: 0 for 256 colours and for true colour
        PutU8(out, 0);
        PutU16(out, 1);
        PutU16(out, static_cast<std::uint32_t>(images[i].bitsPerPixel));
        PutU32(out, static_cast<std::uint32_t>(dibs[i].size()));
        PutU32(out, static_cast<std::uint32_t>(offset));
        offset += dibs[i].size();
    }
    for (const Bytes& dib : dibs) out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

}  // namespace resgen
