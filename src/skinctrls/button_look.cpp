#include "skinctrls/button_look.h"

namespace skinctrls {

void TbsButtonLook::CopyFrom(const skin::TbsDataSkinButtonControl& object, const TRect& skinRect) {
    Font.CopyFrom(object);
    ActiveFontColor = object.ActiveFontColor;
    DownFontColor = object.DownFontColor;
    DisabledFontColor = object.DisabledFontColor == object.FontColor ? kDisabledCaptionGray
                                                                     : object.DisabledFontColor;
    ActiveSkinRect = ToRect(object.ActiveSkinRect);
    if (ActiveSkinRect.IsEmpty()) ActiveSkinRect = skinRect;
    DownSkinRect = ToRect(object.DownSkinRect);
    if (DownSkinRect.IsEmpty()) DownSkinRect = ActiveSkinRect;
    DisabledSkinRect = ToRect(object.DisabledSkinRect);
}

graphics::TColor TbsButtonLook::CaptionColor(bool enabled, bool active, bool down) const {
    if (!enabled) return DisabledFontColor;
    if (active && down) return DownFontColor;
    if (active) return ActiveFontColor;
    return Font.Color;
}

}  // namespace skinctrls
