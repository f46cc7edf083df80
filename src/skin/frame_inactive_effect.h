#pragma once
// The look of an inactive frame rendered from the active one, for skins that ask for it and
// have no inactive frame picture of their own.
#include "graphics/bitmap.h"
#include "skin/skin_types.h"

namespace skin {

// Applies the effect to every pixel of `bitmap`: brightness lifts each channel half way to
// white, darkness takes 30 % off, grayscale keeps the luminance, noise moves each pixel by up
// to 50 levels (a fixed pattern, so repaints look the same), split blur averages each pixel
// with its neighbours one pixel away, invert inverts.
void ApplyInactiveEffect(graphics::TBitmap& bitmap, TbsInactiveEffect effect);

}  // namespace skin
