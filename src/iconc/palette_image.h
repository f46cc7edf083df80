#pragma once
// Palette pictures for the 8-, 4- and 1-bit entries that old readers use. A pixel is shown when
// its alpha is at least half; hidden pixels take a black palette entry, which the AND-then-XOR
// drawing of such entries needs to leave the background untouched.
#include <array>
#include <cstdint>
#include <vector>

#include "iconc/rgba_image.h"

namespace iconc {

struct PaletteImage {
    int width = 0;
    int height = 0;
    int bits = 8;                                 // 8, 4 or 1
    std::vector<std::array<uint8_t, 3>> colours;  // red, green, blue; 1 << bits entries
    std::vector<uint8_t> indices;                 // one per pixel, rows top-down
    std::vector<bool> hidden;                     // one per pixel: the AND mask
};

bool IsShown(const uint8_t* rgba);

// 8 and 4 bits through libimagequant, 1 bit as black and white by luminance.
PaletteImage ReduceColours(const RgbaImage& image, int bits);

}  // namespace iconc
