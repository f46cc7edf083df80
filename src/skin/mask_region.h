#pragma once
// A window shape taken from a mask: the horizontal runs of its pure black pixels, each one
// rectangle one pixel high.
#include <cstddef>
#include <limits>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/types.h"
#include "platform/gdi/wintypes.h"

namespace skin {

inline constexpr size_t kAllRuns = std::numeric_limits<size_t>::max();

// The runs of black (red + green + blue = 0) pixels of `mask`, row by row, left to right, moved
// by `offset`; at most `maxRuns` of them, the later ones left out.
std::vector<platform::RECT> BlackRuns(const graphics::TBitmap& mask, graphics::TPoint offset = {},
                                      size_t maxRuns = kAllRuns);

// A region made of rectangles (an empty region for none); null when the platform cannot make
// one. The caller owns the region.
platform::HRGN RegionFromRects(const std::vector<platform::RECT>& rects);

// The region of all the black runs of `mask`.
platform::HRGN RegionFromMask(const graphics::TBitmap& mask);

}  // namespace skin
