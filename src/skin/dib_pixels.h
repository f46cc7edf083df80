#pragma once
// A bitmap's pixels as plain memory: top-down rows of 32 bits each (blue, green, red, unused),
// the layout every per-pixel pass over skin pictures works on.
#include <cstdint>
#include <vector>

#include "graphics/bitmap.h"
#include "platform/gdi/wintypes.h"

namespace skin {

// The header that describes `width` x `height` top-down 32-bit rows.
platform::BITMAPINFO TopDown32(int width, int height);

// The first `width` x `height` pixels of `bitmap` in that layout. The bitmap itself is read
// through a shared copy and never changed. `rowsRead` (when given) receives how many rows the
// platform filled; the rest stay 0.
std::vector<uint32_t> ReadTopDown32(const graphics::TBitmap& bitmap, int width, int height,
                                    int* rowsRead = nullptr);

}  // namespace skin
