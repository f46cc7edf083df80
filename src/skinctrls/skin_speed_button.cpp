#include "skinctrls/skin_speed_button.h"

#include <map>

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "skinctrls/default_look.h"
#include "skinctrls/skin_control.h"

namespace skinctrls {

using graphics::TBitmap;
using namespace platform;

TbsSkinSpeedButton::TbsSkinSpeedButton(ui::TComponent* owner) : TbsGraphicSkinCustomControl(owner) {
    SetSkinDataName("toolbutton");
    // The button clicks by its own rules, not on every release.
    SetControlStyle(ControlStyle() & ~ui::TControlStyle(ui::csClickEvents));
    SetBounds(Left(), Top(), 25, 25);
}

namespace {

// Buttons by their repeat timer's id: the timer runs on the parent's window.
std::map<UINT_PTR, TbsSkinSpeedButton*>& RepeatTimers() {
    static std::map<UINT_PTR, TbsSkinSpeedButton*> timers;
    return timers;
}

UINT_PTR NextRepeatTimerId() {
    static UINT_PTR next = 0x5B00;
    return ++next;
}

}  // namespace

TbsSkinSpeedButton::~TbsSkinSpeedButton() {
    StopRepeat();
}

void TbsSkinSpeedButton::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = RepeatTimers().find(id);
    if (it != RepeatTimers().end()) it->second->RepeatTick();
}

void TbsSkinSpeedButton::StartRepeat() {
    StopRepeat();
    if (Parent() == nullptr || !Parent()->HandleAllocated()) return;
    repeatWindow_ = Parent()->Handle();
    repeatTimerId_ = NextRepeatTimerId();
    RepeatTimers()[repeatTimerId_] = this;
    repeatWaiting_ = true;
    repeatTimerInterval_ = kRepeatDelay;
    SetTimer(repeatWindow_, repeatTimerId_, UINT(kRepeatDelay), &TimerProc);
}

void TbsSkinSpeedButton::StopRepeat() {
    if (repeatTimerId_ == 0) return;
    KillTimer(repeatWindow_, repeatTimerId_);
    RepeatTimers().erase(repeatTimerId_);
    repeatTimerId_ = 0;
    repeatWindow_ = nullptr;
    repeatTimerInterval_ = 0;
}

void TbsSkinSpeedButton::RepeatTick() {
    if (repeatWaiting_) {
        // The first wait is over: from now on every tick clicks.
        repeatWaiting_ = false;
        repeatTimerInterval_ = repeatInterval_;
        SetTimer(repeatWindow_, repeatTimerId_, UINT(repeatInterval_), &TimerProc);
        return;
    }
    DoButtonClick();
}

void TbsSkinSpeedButton::SetFlat(bool value) {
    flat_ = value;
    transparent_ = value;
    // A transparent button lets the parent paint under it first.
    SetControlStyle(value ? ControlStyle() & ~ui::csOpaque : ControlStyle() | ui::csOpaque);
    Invalidate();
}

void TbsSkinSpeedButton::SetDown(bool value) {
    if (value == down_) return;
    down_ = value;
    Invalidate();
    if (!value || groupIndex_ == 0 || allowAllUp_ || Parent() == nullptr) return;
    // One button of a group is down: the others of the same parent go up.
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TbsSkinSpeedButton*>(Parent()->Controls(i));
        if (other != nullptr && other != this && other->groupIndex_ == groupIndex_)
            other->SetDown(false);
    }
}

void TbsSkinSpeedButton::BindSkinObject() {
    TbsGraphicSkinCustomControl::BindSkinObject();
    const auto* object = SkinObjectAs<skin::TbsDataSkinButtonControl>();
    if (object == nullptr) return;
    look_.CopyFrom(*object, skinLayout_.SkinRect);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TbsSkinSpeedButton::SelectFont(graphics::TCanvas& canvas, bool active, bool down) {
    if (index_ == -1) {
        canvas.Font().CopyFrom(&DefaultFont());
        if (!Enabled()) canvas.Font().SetColor(graphics::clBtnShadow);
        return;
    }
    look_.Font.Select(canvas.Font(), DefaultFont(), UseSkinFont(), SkinData());
    canvas.Font().SetColor(Enabled() && !useSkinFontColor_
                               ? DefaultFont().Color()
                               : look_.CaptionColor(Enabled(), active, down));
}

void TbsSkinSpeedButton::DrawContent(graphics::TCanvas& canvas, const TRect& rect, bool active,
                                     bool down) {
    SelectFont(canvas, active, down);
    const int frame = GlyphFrameNumber(active, down, Enabled(), numGlyphs_);
    DrawGlyphAndCaption(canvas, rect, margin_, active && down, frame, numGlyphs_, glyph_,
                        showCaption_ ? Caption() : std::string(), layout_, spacing_);
}

void TbsSkinSpeedButton::RenderState(TBitmap& bitmap, const TRect& rect, bool active, bool down) {
    const TBitmap* picture = SkinPicture();
    if (picture == nullptr) return;
    const int w = Width();
    const int h = Height();
    TRect captionRect = ActualClientRect();
    if (useSkinSize_ || skinLayout_.LayoutMode == TbsSkinLayoutMode::NinePart) {
        skinLayout_.Compose(bitmap, *picture, rect, w, h);
    } else {
        ComposeStretchedImage(bitmap, w, h, *picture, rect, skinLayout_.Geometry.ClRect);
        captionRect = GrowRect(skinLayout_.Geometry.ClRect, w - rect.Width(), h - rect.Height());
    }
    if (bitmap.IsEmpty()) return;
    DrawContent(bitmap.Canvas(), captionRect, active, down);
}

void TbsSkinSpeedButton::PaintOnto(graphics::TCanvas& canvas) {
    BindSkinObject();
    const int w = Width();
    const int h = Height();
    if (w < 1 || h < 1) return;
    const bool down = DownLook();
    const bool hot = mouseIn_ && Enabled();
    TBitmap image;
    if (index_ == -1) {
        if (transparent_ && !down && !hot) {
            DrawContent(canvas, ClientRect(), false, false);
            return;
        }
        image.SetWidth(w);
        image.SetHeight(h);
        DrawPlainFace(image.Canvas(), ClientRect(), down, hot);
        DrawContent(image.Canvas(), ClientRect(), hot || down, down);
    } else if (down) {
        RenderState(image, look_.DownSkinRect, true, true);
    } else if (hot) {
        RenderState(image, look_.ActiveSkinRect, true, false);
    } else if (transparent_) {
        // Flat and idle: the parent's pixels stay, only glyph and caption are drawn.
        int width = w;
        int height = h;
        ComputeSkinSize(width, height);
        DrawContent(canvas, ActualClientRect(), false, false);
        return;
    } else {
        const TRect state = !Enabled() && !look_.DisabledSkinRect.IsEmpty() ? look_.DisabledSkinRect
                                                                            : skinLayout_.SkinRect;
        RenderState(image, state, false, false);
    }
    if (image.IsEmpty()) return;
    canvas.Changing();
    BitBlt(canvas.Handle(), 0, 0, image.Width(), image.Height(), image.Canvas().Handle(), 0, 0,
           SRCCOPY);
    canvas.Changed();
}

void TbsSkinSpeedButton::Paint() {
    PaintOnto(Canvas());
}

// ---------------------------------------------------------------------------------------------
// Pointer

void TbsSkinSpeedButton::MouseEnter() {
    if (!Enabled()) return;
    mouseIn_ = true;
    if (groupIndex_ == 0 || !down_) Invalidate();
    if (down_ && repeatMode_ && groupIndex_ == 0 && mouseHeld_) StartRepeat();
}

void TbsSkinSpeedButton::MouseLeave() {
    if (!mouseIn_) return;
    mouseIn_ = false;
    if (groupIndex_ == 0 || !down_) Invalidate();
    if (down_ && repeatMode_ && groupIndex_ == 0) StopRepeat();
}

void TbsSkinSpeedButton::EnabledChanged() {
    StopRepeat();
    mouseIn_ = false;
    TbsGraphicSkinCustomControl::EnabledChanged();
    Invalidate();
}

void TbsSkinSpeedButton::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    TbsGraphicSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != ui::TMouseButton::mbLeft || !Enabled()) return;
    mouseHeld_ = true;
    if (!down_) {
        mouseIn_ = true;
        SetDown(true);
        wasDownAtPress_ = false;
        if (groupIndex_ != 0)
            DoButtonClick();
        else if (repeatMode_)
            StartRepeat();
    } else if (groupIndex_ != 0) {
        wasDownAtPress_ = true;
    }
}

void TbsSkinSpeedButton::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (button != ui::TMouseButton::mbLeft || !mouseHeld_) {
        TbsGraphicSkinCustomControl::MouseUp(button, shift, x, y);
        return;
    }
    mouseHeld_ = false;
    StopRepeat();
    const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (groupIndex_ == 0) {
        const bool wasDown = down_;
        if (!inside) mouseIn_ = false;
        SetDown(false);
        if (wasDown && inside) DoButtonClick();
    } else if (down_ && allowAllUp_ && wasDownAtPress_ && inside) {
        SetDown(false);
        DoButtonClick();
    }
    TbsGraphicSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinSpeedButton::DoButtonClick() {
    if (OnClick) OnClick(this);
}

}  // namespace skinctrls
