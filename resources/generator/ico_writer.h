#pragma once

#include <QImage>
#include <vector>

#include "resources/generator/le_bytes.h"

namespace resgen {

struct IconImage {
    QImage image;      // square, with alpha
    int bitsPerPixel;  // 8 (256-colour palette) or 32 (BGRA)
};

// One .ico file holding the images in the given order, each stored as an
// uncompressed DIB: BITMAPINFOHEADER, palette (8-bit only), the colour
// bitmap and the 1-bit AND mask, both bottom-up. Mask bit 1 = transparent:
// alpha 0 in the 32-bit images, less than half coverage in the 8-bit ones.
Bytes EncodeIcon(const std::vector<IconImage>& images);

}  // namespace resgen
