#pragma once
// What the push button and the tool button take from a button skin object beyond its geometry:
// the caption font, the caption colour of each state and the rects of the state images.
#include "skin/skin_controls.h"
#include "skinctrls/skin_font.h"
#include "skinctrls/skin_image.h"

namespace skinctrls {

// A skin whose disabled caption colour equals the normal one would show no difference, so the
// disabled caption is drawn gray then.
inline constexpr graphics::TColor kDisabledCaptionGray = graphics::clGray;

struct TbsButtonLook {
    TbsSkinFont Font;
    graphics::TColor ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    // An empty hot rect falls back to the normal image, an empty down rect to the hot one.
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;

    // `skinRect` is the normal image's rect.
    void CopyFrom(const skin::TbsDataSkinButtonControl& object, const TRect& skinRect);
    // The caption colour of an enabled or disabled button, hot (`active`) and pressed.
    graphics::TColor CaptionColor(bool enabled, bool active, bool down) const;
};

}  // namespace skinctrls
