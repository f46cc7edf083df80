#pragma once
// The window's shape: the black pixels of the mask strips, each horizontal run of them one
// rectangle one row high, united with the always-solid mask area.
#include "skin/frame_strips.h"
#include "skin/mask_region.h"

namespace skin {

// One conversion holds at most this many runs; runs beyond it are left out of the shape.
inline constexpr int kMaxRegionRuns = 10001;

// The window region for the mask strips and the mapped mask area.
platform::HRGN MaskRegion(const TbsFrameStrips& maskStrips, const graphics::TRect& maskArea);

}  // namespace skin
