#pragma once
// The blend between an object's normal and hot images while it morphs: caption buttons,
// menu rows and skinned buttons all turn from one look into the other this way.
#include "graphics/bitmap.h"
#include "skin/skin_types.h"

namespace skin {

// Blends two images of the same size by `factor` (0 = all `from`, 1 = all `to`) into `result`:
// a cross-fade, gradients that sweep the hot image in from one side (from the middle out for
// mkGradient), or slides and a push that move it in.
void BlendImages(graphics::TBitmap& result, const graphics::TBitmap& from,
                 const graphics::TBitmap& to, double factor, TbsMorphKind kind);

}  // namespace skin
