#pragma once

#include <cstdint>
#include <vector>

namespace resgen {

// Windows file headers are little-endian whatever the machine, so every
// field is written a byte at a time.
using Bytes = std::vector<std::uint8_t>;

inline void PutU8(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

inline void PutU16(Bytes& out, std::uint32_t v) {
    PutU8(out, v);
    PutU8(out, v >> 8);
}

inline void PutU32(Bytes& out, std::uint32_t v) {
    PutU16(out, v);
    PutU16(out, v >> 16);
}

inline void PutI32(Bytes& out, std::int32_t v) {
    PutU32(out, static_cast<std::uint32_t>(v));
}

inline void PutZeros(Bytes& out, std::size_t count) {
    out.insert(out.end(), count, 0);
}

// Bitmap rows are padded to whole 32-bit words.
inline std::size_t RowStride(int width, int bitsPerPixel) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

}  // namespace resgen
