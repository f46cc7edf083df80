#pragma once
// The small pictures of the file dialogs' tool buttons, kept among the program's bitmap
// resources under the names "BS_BACK", "BS_UP", "BS_NEWFOLDER" and "BS_LVSTYLE": 16 x 16
// pictures whose white ground shows as transparent.
#include <string>

#include "graphics/bitmap.h"

namespace skinctrls {

inline constexpr int kDialogGlyphSize = 16;
inline constexpr graphics::TColor kDialogGlyphGround = 0xFFFFFF;

// Draws the named picture into `glyph`; false (and `glyph` untouched) for an unknown name.
bool LoadDialogGlyph(const std::string& resourceName, graphics::TBitmap& glyph);

}  // namespace skinctrls
