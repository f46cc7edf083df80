#include "skinctrls/skin_scroll_bar.h"

#include <algorithm>
#include <cmath>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using namespace platform;
using graphics::TBitmap;

namespace {

constexpr int kButtonSize = 17;
constexpr int kMinThumb = 16;
constexpr int kRepeatDelay = 500;
constexpr int kRepeatInterval = 50;
constexpr graphics::TColor kPressedFrame = 0x800000;
constexpr graphics::TColor kPressedFill = 0xB59385;
constexpr graphics::TColor kHotFill = 0xD2BDB6;

// Rounds to the nearest integer, ties to the even one.
int RoundEven(double value) {
    return int(std::nearbyint(value));
}

TRect Moved(TRect r, int dx, int dy) {
    return graphics::Rect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
}

}  // namespace

TbsSkinScrollBar::TbsSkinScrollBar(ui::TComponent* owner) : TbsSkinCustomControl(owner) {
    SetSkinDataName("hscrollbar");
    SetTabStop(false);
    SetBounds(Left(), Top(), 200, 19);
    SetDefaultHeight(19);
}

TbsSkinScrollBar::~TbsSkinScrollBar() {
    StopTimer();
}

// ---- values ----

int TbsSkinScrollBar::MaxPosition() const {
    int hi = pageSize_ > 0 ? max_ - pageSize_ + 1 : max_;
    return std::max(hi, min_);
}

void TbsSkinScrollBar::SetPosition(int value) {
    value = std::clamp(value, min_, MaxPosition());
    if (value == position_) return;
    position_ = value;
    Invalidate();
    if (OnChange) OnChange(this);
}

void TbsSkinScrollBar::SetMin(int value) {
    min_ = value;
    SetPosition(position_);
    Invalidate();
}

void TbsSkinScrollBar::SetMax(int value) {
    max_ = value;
    SetPosition(position_);
    Invalidate();
}

void TbsSkinScrollBar::SetPageSize(int value) {
    if (max_ - min_ + 1 < value + position_) return;
    pageSize_ = value;
    Invalidate();
}

void TbsSkinScrollBar::SetRange(int min, int max, int pageSize, int position) {
    min_ = min;
    max_ = max;
    pageSize_ = pageSize;
    int old = position_;
    position_ = std::clamp(position, min_, MaxPosition());
    Invalidate();
    if (position_ != old && OnChange) OnChange(this);
}

void TbsSkinScrollBar::SetKind(TScrollBarKind value) {
    if (value == kind_) return;
    kind_ = value;
    if (ComponentState() & ui::csDesigning) {
        SetSkinDataName(value == TScrollBarKind::sbHorizontal ? "hscrollbar" : "vscrollbar");
        SetBounds(Left(), Top(), Height(), Width());
    }
    Invalidate();
}

void TbsSkinScrollBar::SetBoth(bool value) {
    if (value == both_) return;
    both_ = value;
    if (value) {
        normalSkinDataName_ = SkinDataName();
        SetSkinDataName(bothSkinDataName_);
    } else {
        SetSkinDataName(normalSkinDataName_);
    }
    if (SkinData() != nullptr) ApplySkinChange();
    Invalidate();
}

// ---- binding and geometry ----

void TbsSkinScrollBar::BindSkinObject() {
    TbsSkinCustomControl::BindSkinObject();
    const auto* o = dynamic_cast<const skin::TbsDataSkinScrollBarControl*>(SkinObject());
    if (o == nullptr) return;
    skinTrack_ = ToRect(o->TrackArea);
    upButtonRect_ = ToRect(o->UpButtonRect);
    activeUpButtonRect_ = ToRect(o->ActiveUpButtonRect);
    downUpButtonRect_ = ToRect(o->DownUpButtonRect);
    if (downUpButtonRect_.IsEmpty()) downUpButtonRect_ = activeUpButtonRect_;
    downButtonRect_ = ToRect(o->DownButtonRect);
    activeDownButtonRect_ = ToRect(o->ActiveDownButtonRect);
    downDownButtonRect_ = ToRect(o->DownDownButtonRect);
    if (downDownButtonRect_.IsEmpty()) downDownButtonRect_ = activeDownButtonRect_;
    thumbRect_ = ToRect(o->ThumbRect);
    activeThumbRect_ = ToRect(o->ActiveThumbRect);
    if (activeThumbRect_.IsEmpty()) activeThumbRect_ = thumbRect_;
    downThumbRect_ = ToRect(o->DownThumbRect);
    if (downThumbRect_.IsEmpty()) downThumbRect_ = activeThumbRect_;
    thumbOffset1_ = o->ThumbOffset1;
    thumbOffset2_ = o->ThumbOffset2;
    thumbTransparent_ = o->ThumbTransparent;
    thumbTransparentColor_ = o->ThumbTransparentColor;
    thumbMinSize_ = o->ThumbMinSize;
    thumbMinPageSize_ = o->ThumbMinPageSize;
    glyphRect_ = ToRect(o->GlyphRect);
    activeGlyphRect_ = ToRect(o->ActiveGlyphRect);
    if (activeGlyphRect_.IsEmpty()) activeGlyphRect_ = glyphRect_;
    downGlyphRect_ = ToRect(o->DownGlyphRect);
    if (downGlyphRect_.IsEmpty()) downGlyphRect_ = activeGlyphRect_;
    glyphTransparent_ = o->GlyphTransparent;
    glyphTransparentColor_ = o->GlyphTransparentColor;
}

int TbsSkinScrollBar::ThumbLength(int trackLength) const {
    const bool bound = index_ != -1 && SkinPicture() != nullptr;
    int base = kMinThumb;
    if (bound) base = thumbMinSize_ > 0 ? thumbMinSize_ : Along(thumbRect_);
    if (pageSize_ > 0) {
        int range = max_ - min_ + 1;
        int proportional =
            range > 0 ? RoundEven(double(trackLength) * pageSize_ / range) : trackLength;
        return std::max(proportional, base);
    }
    if (bound && thumbMinPageSize_ > 0) return thumbMinPageSize_;
    return base;
}

void TbsSkinScrollBar::CalcRects() {
    const int w = Width();
    const int h = Height();
    const bool bound = index_ != -1 && SkinPicture() != nullptr;
    TRect up, down;
    int thumbThickness;
    if (bound) {
        const TRect& skin = skinLayout_.SkinRect;
        const int delta = Horizontal() ? w - skin.Width() : h - skin.Height();
        track_ = skinTrack_;
        // Parts beyond the right-top (left-bottom) point move with the far end.
        auto follow = [&](TRect r) {
            if (Horizontal() && r.left >= skinLayout_.Geometry.RT.x) return Moved(r, delta, 0);
            if (!Horizontal() && r.top >= skinLayout_.Geometry.LB.y) return Moved(r, 0, delta);
            return r;
        };
        if (Horizontal())
            track_.right += delta;
        else
            track_.bottom += delta;
        up = follow(upButtonRect_);
        down = follow(downButtonRect_);
        thumbThickness = Horizontal() ? thumbRect_.Height() : thumbRect_.Width();
    } else {
        int length = Horizontal() ? w : h;
        if (both_ && Horizontal()) length -= bothMarkerWidth_;
        if (Horizontal()) {
            down = graphics::Rect(1, 1, 1 + kButtonSize, h - 1);
            up = graphics::Rect(length - 1 - kButtonSize, 1, length - 1, h - 1);
            track_ = graphics::Rect(down.right, 1, up.left, h - 1);
        } else {
            down = graphics::Rect(1, 1, w - 1, 1 + kButtonSize);
            up = graphics::Rect(1, length - 1 - kButtonSize, w - 1, length - 1);
            track_ = graphics::Rect(1, down.bottom, w - 1, up.top);
        }
        thumbThickness = Horizontal() ? track_.Height() : track_.Width();
    }
    parts_[kUpButton].rect = up;
    parts_[kDownButton].rect = down;

    const int trackLength = Along(track_);
    const int thumbLength = ThumbLength(trackLength);
    double f = 0;
    if (pageSize_ > 0) {
        int divisor = max_ - min_ + 1 - pageSize_;
        if (divisor > 0)
            f = double(position_ - min_) / divisor;
        else
            f = Horizontal() ? 1 : 0;
    } else if (max_ != min_) {
        f = double(position_ - min_) / (max_ - min_);
    }
    const int start = AlongStart(track_) + RoundEven(f * (trackLength - thumbLength));
    if (Horizontal()) {
        int top = track_.top + (track_.Height() - thumbThickness) / 2;
        parts_[kThumb].rect = graphics::Rect(start, top, start + thumbLength, top + thumbThickness);
    } else {
        int left = track_.left + (track_.Width() - thumbThickness) / 2;
        parts_[kThumb].rect =
            graphics::Rect(left, start, left + thumbThickness, start + thumbLength);
    }
}

TRect TbsSkinScrollBar::TrackArea() {
    BindSkinObject();
    CalcRects();
    return track_;
}

TRect TbsSkinScrollBar::PartRect(int part) {
    BindSkinObject();
    CalcRects();
    return parts_[size_t(part)].rect;
}

int TbsSkinScrollBar::PartAt(int x, int y) {
    CalcRects();
    // The thumb lies over the track; the buttons never overlap it.
    for (int part : {kThumb, kUpButton, kDownButton}) {
        const TRect& r = parts_[size_t(part)].rect;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return part;
    }
    return -1;
}

// ---- mouse and timer ----

void TbsSkinScrollBar::Step(int delta) {
    SetPosition(position_ + delta);
}

void TbsSkinScrollBar::StartTimer(int mode, int interval) {
    timerMode_ = mode;
    timerInterval_ = interval;
    timerWaiting_ = true;
    if (HandleAllocated()) SetTimer(Handle(), kRepeatTimer, UINT(interval), nullptr);
}

void TbsSkinScrollBar::StopTimer() {
    if (timerMode_ == 0) return;
    timerMode_ = 0;
    timerInterval_ = 0;
    if (HandleAllocated()) KillTimer(Handle(), kRepeatTimer);
}

void TbsSkinScrollBar::PageTowardsPointer() {
    CalcRects();
    const TRect& thumb = parts_[kThumb].rect;
    if (timerMode_ == 3 && lastPointer_ < AlongStart(thumb)) {
        Step(-largeChange_);
        if (OnPageDown) OnPageDown(this);
    } else if (timerMode_ == 4 && lastPointer_ >= AlongStart(thumb) + Along(thumb)) {
        Step(largeChange_);
        if (OnPageUp) OnPageUp(this);
    }
}

void TbsSkinScrollBar::TimerTick() {
    if (timerMode_ == 0) return;
    if (timerWaiting_) {
        // The first wait is over; from now on every tick repeats.
        timerWaiting_ = false;
        timerInterval_ = kRepeatInterval;
        if (HandleAllocated()) SetTimer(Handle(), kRepeatTimer, UINT(kRepeatInterval), nullptr);
        return;
    }
    switch (timerMode_) {
        case 1:
            if (OnDownButtonClick)
                OnDownButtonClick(this);
            else
                Step(-smallChange_);
            break;
        case 2:
            if (OnUpButtonClick)
                OnUpButtonClick(this);
            else
                Step(smallChange_);
            break;
        default:
            PageTowardsPointer();
            break;
    }
}

void TbsSkinScrollBar::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (button == ui::TMouseButton::mbLeft && Enabled()) {
        BindSkinObject();
        const int part = PartAt(x, y);
        lastPointer_ = AlongPoint(x, y);
        capturedPart_ = part;
        for (int i = 0; i < 3; ++i) parts_[size_t(i)].hot = i == part;
        if (part == kUpButton || part == kDownButton) {
            parts_[size_t(part)].down = true;
            if (part == kUpButton) {
                if (OnUpButtonClick)
                    OnUpButtonClick(this);
                else
                    Step(smallChange_);
            } else {
                if (OnDownButtonClick)
                    OnDownButtonClick(this);
                else
                    Step(-smallChange_);
            }
            StartTimer(part == kDownButton ? 1 : 2, kRepeatDelay);
        } else if (part == kThumb) {
            parts_[kThumb].down = true;
            dragOffset_ = lastPointer_ - AlongStart(parts_[kThumb].rect);
        } else if (AlongStart(track_) <= lastPointer_ &&
                   lastPointer_ < AlongStart(track_) + Along(track_)) {
            StartTimer(lastPointer_ < AlongStart(parts_[kThumb].rect) ? 3 : 4, kRepeatDelay);
            PageTowardsPointer();
        }
        Invalidate();
    }
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
}

void TbsSkinScrollBar::DragTo(int pointer) {
    CalcRects();
    const int trackLength = Along(track_);
    const int thumbLength = Along(parts_[kThumb].rect);
    const int room = trackLength - thumbLength;
    double f = room > 0 ? double(pointer - dragOffset_ - AlongStart(track_)) / room : 0;
    f = std::clamp(f, 0.0, 1.0);
    int value = pageSize_ > 0 ? min_ + RoundEven((max_ - min_ - pageSize_ + 1) * f)
                              : min_ + RoundEven((max_ - min_) * f);
    SetPosition(value);
}

void TbsSkinScrollBar::MouseMove(ui::TShiftState shift, int x, int y) {
    lastPointer_ = AlongPoint(x, y);
    if (capturedPart_ == kThumb) {
        DragTo(lastPointer_);
    } else if (capturedPart_ == -1) {
        const int part = PartAt(x, y);
        bool changed = false;
        for (int i = 0; i < 3; ++i) {
            bool hot = i == part;
            changed = changed || parts_[size_t(i)].hot != hot;
            parts_[size_t(i)].hot = hot;
        }
        if (changed) Invalidate();
    }
    TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinScrollBar::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (button == ui::TMouseButton::mbLeft) {
        const bool dragged = capturedPart_ == kThumb;
        StopTimer();
        for (Part& part : parts_) part.down = false;
        capturedPart_ = -1;
        Invalidate();
        if (dragged && OnLastChange) OnLastChange(this);
    }
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinScrollBar::MouseLeave() {
    if (capturedPart_ != -1) return;
    for (Part& part : parts_) part.hot = false;
    Invalidate();
}

void TbsSkinScrollBar::WndProc(ui::TMessage& message) {
    if (message.Msg == WM_TIMER && message.WParam == kRepeatTimer) {
        TimerTick();
        return;
    }
    TbsSkinCustomControl::WndProc(message);
}

// ---- painting ----

void TbsSkinScrollBar::DrawSkinPart(TBitmap& bitmap, const TBitmap& picture, int part) {
    const Part& p = parts_[size_t(part)];
    TBitmap source;
    source.CopyFrom(&picture);
    if (part != kThumb) {
        const bool up = part == kUpButton;
        TRect image;
        if (p.hot && p.down)
            image = up ? downUpButtonRect_ : downDownButtonRect_;
        else if (p.hot)
            image = up ? activeUpButtonRect_ : activeDownButtonRect_;
        if (image.IsEmpty()) return;
        bitmap.Canvas().CopyRect(
            graphics::Bounds(p.rect.left, p.rect.top, image.Width(), image.Height()),
            source.Canvas(), image);
        return;
    }
    const TRect& image = p.down ? downThumbRect_ : p.hot ? activeThumbRect_ : thumbRect_;
    if (image.IsEmpty()) return;
    TBitmap thumb;
    if (pageSize_ > 0 || thumbMinPageSize_ > 0) {
        if (Horizontal())
            ComposeHorizontalImage(thumb, p.rect.Width(), source, image, thumbOffset1_,
                                   thumbOffset2_, false);
        else
            ComposeVerticalImage(thumb, p.rect.Height(), source, image, thumbOffset1_,
                                 thumbOffset2_, false);
    } else {
        thumb.SetWidth(image.Width());
        thumb.SetHeight(image.Height());
        thumb.Canvas().CopyRect(graphics::Rect(0, 0, image.Width(), image.Height()),
                                source.Canvas(), image);
    }
    if (thumbTransparent_) {
        thumb.SetMaskColor(thumbTransparentColor_);
        thumb.SetTransparent(true);
    }
    bitmap.Canvas().Draw(p.rect.left, p.rect.top, &thumb);
    const TRect& glyph = p.down ? downGlyphRect_ : p.hot ? activeGlyphRect_ : glyphRect_;
    if (glyph.IsEmpty()) return;
    TBitmap glyphImage;
    glyphImage.SetWidth(glyph.Width());
    glyphImage.SetHeight(glyph.Height());
    glyphImage.Canvas().CopyRect(graphics::Rect(0, 0, glyph.Width(), glyph.Height()),
                                 source.Canvas(), glyph);
    if (glyphTransparent_) {
        glyphImage.SetMaskColor(glyphTransparentColor_);
        glyphImage.SetTransparent(true);
    }
    bitmap.Canvas().Draw(p.rect.left + (p.rect.Width() - glyph.Width()) / 2,
                         p.rect.top + (p.rect.Height() - glyph.Height()) / 2, &glyphImage);
}

void TbsSkinScrollBar::RenderSkinImage(TBitmap& bitmap) {
    const TBitmap* picture = SkinPicture();
    if (picture == nullptr) {
        RenderDefaultImage(bitmap);
        return;
    }
    skinLayout_.Compose(bitmap, *picture, skinLayout_.SkinRect, Width(), Height());
    if (bitmap.IsEmpty()) return;
    CalcRects();
    DrawSkinPart(bitmap, *picture, kUpButton);
    DrawSkinPart(bitmap, *picture, kDownButton);
    if (Enabled()) DrawSkinPart(bitmap, *picture, kThumb);
}

void TbsSkinScrollBar::DrawPlainPart(graphics::TCanvas& canvas, int part) {
    const Part& p = parts_[size_t(part)];
    graphics::TColor frameColor = graphics::clBtnShadow;
    graphics::TColor fill = graphics::clBtnFace;
    if (p.down) {
        frameColor = kPressedFrame;
        fill = kPressedFill;
    } else if (p.hot) {
        frameColor = kPressedFrame;
        fill = kHotFill;
    }
    ui::FillColor(canvas, p.rect, fill);
    canvas.Brush().SetColor(frameColor);
    canvas.FrameRect(p.rect);
    if (part == kThumb) return;
    // A small filled arrow pointing towards the button's end.
    const int cx = p.rect.left + p.rect.Width() / 2;
    const int cy = p.rect.top + p.rect.Height() / 2;
    const int dir = part == kUpButton ? 1 : -1;
    graphics::TPoint points[3];
    if (Horizontal()) {
        points[0] = {cx - 2 * dir, cy - 4};
        points[1] = {cx - 2 * dir, cy + 4};
        points[2] = {cx + 2 * dir, cy};
    } else {
        points[0] = {cx - 4, cy - 2 * dir};
        points[1] = {cx + 4, cy - 2 * dir};
        points[2] = {cx, cy + 2 * dir};
    }
    const graphics::TColor arrow = Enabled() ? graphics::clBtnText : graphics::clBtnShadow;
    canvas.Pen().SetColor(arrow);
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsSolid);
    canvas.Brush().SetColor(arrow);
    canvas.Polygon(points, 3);
}

void TbsSkinScrollBar::RenderDefaultImage(TBitmap& bitmap) {
    if (bitmap.IsEmpty()) return;
    graphics::TCanvas& canvas = bitmap.Canvas();
    ui::FillColor(canvas, graphics::Rect(0, 0, Width(), Height()), graphics::clBtnFace);
    CalcRects();
    DrawPlainPart(canvas, kUpButton);
    DrawPlainPart(canvas, kDownButton);
    if (Enabled()) DrawPlainPart(canvas, kThumb);
}

}  // namespace skinctrls
