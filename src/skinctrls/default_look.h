#pragma once
// The plain look of skinned boxes without a skin object: a one-pixel frame and a fill that
// follow the pressed and hot states the way the plain buttons do.
#include "graphics/canvas.h"
#include "graphics/types.h"

namespace skinctrls {

inline constexpr graphics::TColor kPlainDownFrame = 0x800000;
inline constexpr graphics::TColor kPlainDownFill = 0xB59385;
inline constexpr graphics::TColor kPlainHotFill = 0xD2BDB6;

// Frames and fills `rect`: pressed ($800000 on $B59385), hot ($800000 on $D2BDB6), else the
// button-shadow frame on the button face.
void DrawPlainFace(graphics::TCanvas& canvas, const graphics::TRect& rect, bool down, bool hot);

// The platform's focus rectangle around `rect`: every other pixel of its edge inverted.
void DrawFocusFrame(graphics::TCanvas& canvas, const graphics::TRect& rect);

// The rect grown on its right and bottom edges.
inline graphics::TRect GrowRect(const graphics::TRect& r, int dx, int dy) {
    return graphics::Rect(r.left, r.top, r.right + dx, r.bottom + dy);
}

}  // namespace skinctrls
