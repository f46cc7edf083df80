#pragma once
// Facts about the BMP layout that the bitmap reader and writer share.
#include <cstdint>

namespace graphics::bmp {

inline constexpr uint16_t kSignature = 0x4D42;  // "BM"
inline constexpr uint32_t kCoreHeaderSize = 12;
inline constexpr uint32_t kInfoHeaderSize = 40;
// Headers beyond the largest Windows version (124 bytes) do not exist in practice.
inline constexpr uint32_t kMaxHeaderSize = 124;
// The limit that keeps a hostile file from exhausting memory: at most 256 MiB of pixels in
// the bitmap that holds the image (its sides are bounded only by what the raster makes).
inline constexpr int64_t kMaxImageBytes = int64_t(256) << 20;

// Bytes in one row, padded to 32 bits.
constexpr int64_t LineLength(int64_t width, int64_t bits) {
    return ((width * bits + 31) & ~int64_t(31)) / 8;
}

// The colour-table length a depth implies when the file says 0.
constexpr uint32_t DefaultColorCount(uint32_t bits) {
    return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
}

}  // namespace graphics::bmp
