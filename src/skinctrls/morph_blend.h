#pragma once
// The blend between a button's normal and hot images while it morphs.
#include "graphics/bitmap.h"
#include "skin/skin_types.h"

namespace skinctrls {

// Blends two images of the same size by `factor` (0 = all `from`, 1 = all `to`) into `result`:
// a cross-fade, gradients that sweep the hot image in from one side, or slides and a push that
// move it in.
void BlendImages(graphics::TBitmap& result, const graphics::TBitmap& from,
                 const graphics::TBitmap& to, double factor, skin::TbsMorphKind kind);

}  // namespace skinctrls
