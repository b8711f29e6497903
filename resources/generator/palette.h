#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

namespace resgen {

// An image reduced to 256 colours for the icon's 8-bit images. Index 0 is
// always black: a transparent pixel must carry black colour bits, so that
// the screen shows through unchanged where the mask lets it.
struct IndexedImage {
    std::array<QRgb, 256> palette{};
    std::vector<std::uint8_t> indices;  // row by row, top row first
};

// An 8-bit icon image is either opaque or transparent; half coverage decides.
inline bool IsOpaqueFor8Bit(QRgb pixel) {
    return qAlpha(pixel) >= 128;
}

// Chooses up to 255 colours from the image's opaque pixels (all of them
// when they fit, else by median cut, weighted by pixel count) and maps
// every opaque pixel to its nearest entry. Transparent pixels get index 0.
IndexedImage ReduceTo256Colours(const QImage& image);

}  // namespace resgen
