#pragma once

#include <QImage>

#include "resources/generator/le_bytes.h"

namespace resgen {

// A Windows .bmp: 14-byte file header, 40-byte BITMAPINFOHEADER, then 24-bit
// BGR rows, bottom row first, each padded to whole 32-bit words. Alpha is
// dropped; the picture is meant to be opaque.
Bytes EncodeBmp24(const QImage& image);

}  // namespace resgen
