#pragma once
// The window shape of a masked control: the union of the horizontal runs of pure black pixels
// of its mask, one rectangle one pixel high per run.
#include <vector>

#include "graphics/bitmap.h"
#include "platform/gdi/wintypes.h"

namespace skinctrls {

// The runs of black (red + green + blue = 0) pixels, row by row, left to right.
std::vector<platform::RECT> BlackRuns(const graphics::TBitmap& mask);
// A region made of those runs (an empty region for a mask without black); null when the
// platform cannot make one.
platform::HRGN RegionFromMask(const graphics::TBitmap& mask);

}  // namespace skinctrls
