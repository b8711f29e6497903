#include "resources/generator/bmp_writer.h"

namespace resgen {

namespace {

constexpr std::uint32_t kHeadersSize = 14 + 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

}  // namespace

Bytes EncodeBmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const std::size_t stride = RowStride(image.width(), 24);
    const auto pixelBytes = static_cast<std::uint32_t>(stride * static_cast<std::size_t>(image.height()));

    Bytes out;
    out.reserve(kHeadersSize + pixelBytes);
    PutU8(out, 'B');
    PutU8(out, 'M');
    PutU32(out, kHeadersSize + pixelBytes);
    PutU32(out, 0);  // two reserved words
    PutU32(out, kHeadersSize);

    PutU32(out, 40);
    PutI32(out, image.width());
    PutI32(out, image.height());  // positive: bottom-up
    PutU16(out, 1);
    PutU16(out, 24);
    PutU32(out, 0);  // BI_RGB
    PutU32(out, pixelBytes);
    PutI32(out, kPixelsPerMetre);
    PutI32(out, kPixelsPerMetre);
    PutU32(out, 0);
    PutU32(out, 0);

    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            PutU8(out, static_cast<std::uint32_t>(qBlue(p)));
            PutU8(out, static_cast<std::uint32_t>(qGreen(p)));
            PutU8(out, static_cast<std::uint32_t>(qRed(p)));
        }
        PutZeros(out, stride - 3 * static_cast<std::size_t>(image.width()));
    }
    return out;
}

}  // namespace resgen
