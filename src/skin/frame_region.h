#pragma once
// The window's shape: the black pixels of the mask strips, each horizontal run of them one
// rectangle one row high, united with the always-solid mask area.
#include <vector>

#include "graphics/bitmap.h"
#include "skin/frame_strips.h"

namespace skin {

// One conversion holds at most this many runs; runs beyond it are left out of the shape.
inline constexpr int kMaxRegionRuns = 10001;

// The runs of black pixels (red + green + blue = 0) of a bitmap, row by row, moved by
// `offset`; at most kMaxRegionRuns of them.
std::vector<platform::RECT> BlackRuns(graphics::TBitmap& bitmap, graphics::TPoint offset);

// A region made of rectangles (null for none).
platform::HRGN RegionFromRects(const std::vector<platform::RECT>& rects);

// The window region for the mask strips and the mapped mask area.
platform::HRGN MaskRegion(const TbsFrameStrips& maskStrips, const graphics::TRect& maskArea);

}  // namespace skin
