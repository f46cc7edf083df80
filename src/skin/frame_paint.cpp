// The frame's painting: the strips cut from the frame picture with the caption objects on
// them, the plain frame without a skin, the client background and the window's shape.
#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "skin/frame_inactive_effect.h"
#include "skin/frame_region.h"
#include "skin/frame_strips.h"
#include "skin/picture_pieces.h"
#include "skin/skin_frame.h"

namespace skin {

using namespace platform;

const TbsSkinPicture* TbsSkinFrame::CurrentFramePicture() const {
    if (!formActive_ && !skinData_->InactiveFramePicture().Empty())
        return &skinData_->InactiveFramePicture();
    return &skinData_->FramePicture();
}

void TbsSkinFrame::PaintFrame(HDC dc) {
    if (!SkinActive()) {
        PaintDefaultFrame(dc);
        return;
    }
    // A window below its minimum size is left alone until it grows.
    if (WindowBounds().Width() < MinimumWidth() || WindowBounds().Height() < MinimumHeight())
        return;
    const TbsSkinFormInfo& info = skinData_->FormInfo();
    const TbsFrameGeometry g = Geometry();
    PlaceCaptionObjects(objects_, g, info);

    const TbsSkinPicture* picture = CurrentFramePicture();
    TbsStripSource source;
    source.Dc = const_cast<TbsSkinPicture*>(picture)->Bitmap().Canvas().Handle();
    source.Width = picture->Width();
    source.Height = picture->Height();
    source.Inner = info.ClRect;
    source.TopStretch = info.TopStretch;
    source.BottomStretch = info.BottomStretch;
    source.LeftStretch = info.LeftStretch;
    source.RightStretch = info.RightStretch;
    TbsFrameStrips strips = BuildFrameStrips(source, info, g);
    if (!formActive_ && skinData_->InactiveFramePicture().Empty() &&
        info.AutoRenderingInActiveImage) {
        for (TbsFrameStrip* strip : {&strips.Top, &strips.Bottom, &strips.Left, &strips.Right})
            if (strip->Bitmap) ApplyInactiveEffect(*strip->Bitmap, info.InActiveEffect);
    }

    for (const auto& object : objects_) {
        if (!object->Visible) continue;
        const bool below = object->ObjectRect.top >= g.Client.top;
        TbsFrameStrip& strip = below ? strips.Bottom : strips.Top;
        if (!strip.Bitmap) continue;
        DrawObject(*object, strip.Bitmap->Canvas().Handle(), {-strip.At.x, -strip.At.y}, true);
    }

    SaveDC(dc);
    ExcludeClipRect(dc, g.Client.left, g.Client.top, g.Client.right, g.Client.bottom);
    DrawFrameStrips(dc, strips);
    RestoreDC(dc, -1);
}

void TbsSkinFrame::PaintDefaultFrame(HDC dc) {
    const TbsFrameInsets insets = Insets();
    const int w = WindowBounds().Width();
    const int h = WindowBounds().Height();
    if (insets.Top == 0 && insets.Left == 0) return;
    SaveDC(dc);
    ExcludeClipRect(dc, insets.Left, insets.Top, w - insets.Right, h - insets.Bottom);
    RECT all{0, 0, w, h};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &all, GetSysColorBrush(COLOR_3DDKSHADOW));
    RECT bar{insets.Left, kDefaultBorder, w - insets.Right, insets.Top - 1};
    FillRect(dc, &bar, GetSysColorBrush(formActive_ ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    const std::string text = CaptionText();
    if (!text.empty()) {
        graphics::TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Font().CopyFrom(formActive_ ? &defCaptionFont_ : &defInActiveCaptionFont_);
        canvas.Font().SetColor(graphics::TColor(int32_t(
            0xFF000000u | uint32_t(formActive_ ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT))));
        canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
        const graphics::TRect rect{bar.left + 4, bar.top, bar.right - 4, bar.bottom};
        canvas.TextRect(rect, rect.left, rect.top + (rect.Height() - canvas.TextHeight(text)) / 2,
                        text);
        canvas.SetHandle(nullptr);
    }
    RestoreDC(dc, -1);
}

void TbsSkinFrame::PaintClientBackground(HDC dc) {
    const int cw = ClientSize().x;
    const int ch = ClientSize().y;
    const TbsSkinFormInfo& info = skinData_->FormInfo();
    const TbsSkinPicture* picture = &skinData_->FramePicture();
    TRect tile = info.ClRect;
    if (const TbsSkinPicture* bg = skinData_->ActivePicture(info.BGPictureIndex)) {
        picture = bg;
        tile = {0, 0, bg->Width(), bg->Height()};
    }
    if (tile.IsEmpty() || picture->Empty()) {
        RECT all{0, 0, cw, ch};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    HDC src = const_cast<TbsSkinPicture*>(picture)->Bitmap().Canvas().Handle();
    FillByStretchType(dc, graphics::Rect(0, 0, cw, ch), src, ToRect(tile), info.StretchEffect,
                      info.StretchType);
}

void TbsSkinFrame::WMEraseBkgnd(ui::TMessage& m) {
    if (!SkinActive() || m.WParam == 0) {
        CallPrevious(m);
        return;
    }
    PaintClientBackground(reinterpret_cast<HDC>(m.WParam));
    m.Result = 1;
}

void TbsSkinFrame::RepaintFrame() {
    HWND window = FormWindow();
    if (window == nullptr || !IsWindowVisible(window)) return;
    HDC dc = GetWindowDC(window);
    if (dc == nullptr) return;
    PaintFrame(dc);
    ReleaseDC(window, dc);
}

void TbsSkinFrame::RedrawObject(TbsActiveSkinObject& object) {
    if (!object.IsButton()) {
        RepaintFrame();
        return;
    }
    HWND window = FormWindow();
    if (window == nullptr || !IsWindowVisible(window) || !SkinActive()) return;
    if (WindowBounds().Width() < MinimumWidth() || WindowBounds().Height() < MinimumHeight())
        return;
    HDC dc = GetWindowDC(window);
    if (dc == nullptr) return;
    DrawObject(object, dc, {0, 0}, false);
    ReleaseDC(window, dc);
}

void TbsSkinFrame::DrawObject(TbsActiveSkinObject& object, HDC dc, graphics::TPoint offset,
                              bool fullRedraw) {
    object.Draw(dc, offset, fullRedraw);
    if (!OnPaintEvent || !object.Visible) return;
    graphics::TRect place = object.ObjectRect;
    place.left += offset.x;
    place.right += offset.x;
    place.top += offset.y;
    place.bottom += offset.y;
    OnPaintEvent(object.IDName(), dc, place);
}

void TbsSkinFrame::UpdateRegion() {
    HWND window = FormWindow();
    if (window == nullptr || form_->BorderStyle() == ui::TFormBorderStyle::bsNone) return;
    if (!SkinActive() || skinData_->FrameMask().Empty()) {
        if (region_ != nullptr) SetWindowRgn(window, nullptr, TRUE);
        region_ = nullptr;
        return;
    }
    const TbsSkinFormInfo& info = skinData_->FormInfo();
    const TbsFrameGeometry g = Geometry();
    TbsSkinPicture& mask = const_cast<TbsSkinPicture&>(skinData_->FrameMask());
    TbsStripSource source;
    source.Dc = mask.Bitmap().Canvas().Handle();
    source.Width = mask.Width();
    source.Height = mask.Height();
    source.Inner = info.MaskRectArea;
    // The mask's edge pieces are always tiled.
    const TbsFrameStrips strips = BuildFrameStrips(source, info, g);
    HRGN region = MaskRegion(strips, g.MaskArea);
    // The window owns the region from here on and frees the one it had.
    SetWindowRgn(window, region, TRUE);
    region_ = region;
}

}  // namespace skin
