#pragma once
// The skinned controls blend their morphing images as the skin engine's caption objects and
// menus do.
#include "skin/morph_blend.h"

namespace skinctrls {

using skin::BlendImages;

}  // namespace skinctrls
