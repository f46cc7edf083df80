#pragma once
// One entry of an icon file decoded to pixels, checked against the file's bounds on the way.
#include <cstdint>
#include <string>
#include <vector>

#include "iconc/icon_directory.h"
#include "iconc/rgba_image.h"

namespace iconc {

struct DecodedEntry {
    bool png = false;
    int bits = 0;
    // For PNG and 32-bit entries that carry alpha: the pixels with their alpha, and drawing
    // blends them. Otherwise the colour (alpha 255) and the AND mask, drawn AND then XOR.
    bool usesAlpha = false;
    RgbaImage colour;
    std::vector<bool> mask;  // one per pixel, rows top-down; empty for PNG entries
};

// Raises EIconError with the problem ("entry 3: ...") when the entry is damaged.
DecodedEntry DecodeEntry(const uint8_t* file, size_t size, const DirectoryRecord& record,
                         int index);

// The picture a viewer shows: alpha kept, or the mask as alpha (hidden pixels transparent).
RgbaImage VisiblePicture(const DecodedEntry& entry);

}  // namespace iconc
