#pragma once
// The icon reader's choice among the images of an ICO file.
#include <cstdint>

#include "graphics/types.h"

namespace graphics {

#pragma pack(push, 1)
struct IconEntry {
    uint8_t width;
    uint8_t height;
    uint16_t colors;  // the colour-count byte plus 256 x the reserved byte
    uint16_t planes;
    uint16_t bitCount;
    uint32_t bytesInImage;
    uint32_t imageOffset;
};
#pragma pack(pop)

// Entry 0 first; a later entry wins when its colour value (0 = unlimited) is within the
// device's limit and at least the best one's, and its size is, on each axis, at least as close
// to `wanted` without being a larger image at the same distance.
int ChooseIconEntry(const IconEntry* entries, int count, TPoint wanted, int64_t colorLimit);

}  // namespace graphics
