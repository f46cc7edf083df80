#include "skinctrls/skin_button.h"

#include <algorithm>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "skinctrls/default_look.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using namespace platform;
using graphics::TBitmap;

namespace {

// Whether `key` is the accelerator of `caption`: the character after a single "&", compared
// without regard to the case of ASCII letters.
bool IsAccel(char32_t key, const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;  // "&&" is a plain ampersand
            continue;
        }
        auto lower = [](char32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        return lower(char32_t(static_cast<unsigned char>(caption[i + 1]))) == lower(key);
    }
    return false;
}

}  // namespace

// The button's side of an action link: the properties a skinned button has.
class TbsButtonActionLink : public ui::TActionLink {
  public:
    TbsButtonActionLink(ui::TAction* action, TbsSkinButton& button)
        : ui::TActionLink(action), button_(button) {}
    void SetCaption(const std::string& value) override { button_.SetCaption(value); }
    void SetEnabled(bool value) override { button_.SetEnabled(value); }
    void SetVisible(bool value) override { button_.SetVisible(value); }
    void SetHint(const std::string& value) override { button_.SetHint(value); }
    void SetImageIndex(int value) override { button_.SetImageIndex(value); }

  private:
    TbsSkinButton& button_;
};

TbsSkinButton::TbsSkinButton(ui::TComponent* owner) : TbsSkinCustomControl(owner) {
    // Clicks come from DoButtonClick alone, so one release fires OnClick once.
    SetControlStyle(ControlStyle() & ~ui::TControlStyle(ui::csClickEvents));
    SetTabStop(true);
    SetSkinDataName("button");
    SetBounds(Left(), Top(), 75, 25);
}

TbsSkinButton::~TbsSkinButton() {
    *alive_ = false;
    StopRepeat();
    StopMorph();
    StopAnimation();
    SetAction(nullptr);
}

void TbsSkinButton::Notification(ui::TComponent* component, ui::TOperation operation) {
    TbsSkinCustomControl::Notification(component, operation);
    if (operation != ui::TOperation::opRemove) return;
    if (component == imageList_) {
        imageList_ = nullptr;
        Invalidate();
    }
    // The link of an action that has gone has lost its action.
    if (actionLink_ != nullptr && actionLink_->Action() == nullptr) actionLink_.reset();
}

// ---- properties ----

void TbsSkinButton::SetUseSkinSize(bool value) {
    useSkinSize_ = value;
    if (index_ != -1) ApplySkinChange();
}

void TbsSkinButton::SetCanFocused(bool value) {
    canFocused_ = value;
    SetTabStop(value);
}

void TbsSkinButton::SetGroupIndex(int value) {
    groupIndex_ = value;
    if (value != 0) SetCanFocused(false);
}

void TbsSkinButton::SetNumGlyphs(int value) {
    numGlyphs_ = std::max(value, 1);
    Invalidate();
}

void TbsSkinButton::SetMargin(int value) {
    if (value < -1) return;
    margin_ = value;
    Invalidate();
}

void TbsSkinButton::SetDown(bool value) {
    if (value == down_) return;
    down_ = value;
    if (Morphing()) {
        morphFactor_ = 1;
        if (down_)
            StopMorph();
        else
            StartMorph();
    }
    Invalidate();
    if (groupIndex_ != 0 && down_ && !allowAllUp_ && Parent() != nullptr) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TbsSkinButton*>(Parent()->Controls(i));
            if (other != nullptr && other != this && other->groupIndex_ == groupIndex_)
                other->SetDown(false);
        }
    }
}

void TbsSkinButton::SetImageList(ui::TCustomImageList* value) {
    if (imageList_ != nullptr) imageList_->RemoveFreeNotification(this);
    imageList_ = value;
    if (imageList_ != nullptr) imageList_->FreeNotification(this);
    Invalidate();
}

ui::TAction* TbsSkinButton::Action() const {
    return actionLink_ != nullptr ? actionLink_->Action() : nullptr;
}

void TbsSkinButton::SetAction(ui::TAction* value) {
    if (value == Action()) return;
    if (ui::TAction* old = Action()) old->RemoveFreeNotification(this);
    actionLink_.reset();
    if (value == nullptr) return;
    actionLink_ = std::make_unique<TbsButtonActionLink>(value, *this);
    value->FreeNotification(this);
    OnClick = nullptr;  // the action's handler runs in its place
    actionLink_->Refresh();
}

// ---- binding and size ----

void TbsSkinButton::BindSkinObject() {
    TbsSkinCustomControl::BindSkinObject();
    const auto* object = SkinObjectAs<skin::TbsDataSkinButtonControl>();
    if (object == nullptr) return;
    look_.CopyFrom(*object, skinLayout_.SkinRect);
    focusedSkinRect_ = ToRect(object->FocusedSkinRect);
    morphing_ = object->Morphing;
    morphKind_ = object->MorphKind;
    animateSkinRect_ = ToRect(object->AnimateSkinRect);
    frameCount_ = object->FrameCount;
    animateInterval_ = object->AnimateInterval;
    showFocus_ = object->ShowFocus;
    menuMarkerFlatRect_ = ToRect(object->MenuMarkerFlatRect);
    menuMarkerRect_ = ToRect(object->MenuMarkerRect);
    menuMarkerActiveRect_ = ToRect(object->MenuMarkerActiveRect);
    if (menuMarkerActiveRect_.IsEmpty()) menuMarkerActiveRect_ = menuMarkerRect_;
    menuMarkerDownRect_ = ToRect(object->MenuMarkerDownRect);
    if (menuMarkerDownRect_.IsEmpty()) menuMarkerDownRect_ = menuMarkerActiveRect_;
    menuMarkerTransparentColor_ = object->MenuMarkerTransparentColor;
    if (!useSkinSize_) skinLayout_.MaskPictureIndex = -1;
}

void TbsSkinButton::ComputeSkinSize(int& width, int& height) {
    if (index_ == -1) return;
    if (useSkinSize_ || skinLayout_.LayoutMode == TbsSkinLayoutMode::NinePart) {
        TbsSkinCustomControl::ComputeSkinSize(width, height);
        return;
    }
    // A free size: the client rect grows with the control.
    skinLayout_.Geometry.NewClRect =
        GrowRect(skinLayout_.Geometry.ClRect, width - skinLayout_.SkinRect.Width(),
                 height - skinLayout_.SkinRect.Height());
}

void TbsSkinButton::ApplySkinChange() {
    StopMorph();
    StopAnimation();
    TbsSkinCustomControl::ApplySkinChange();
    const bool hot = mouseIn_ || Focused();
    morphFactor_ = (index_ != -1 && Morphing() && hot) ? 1 : 0;
}

bool TbsSkinButton::Morphing() const {
    return index_ != -1 && morphing_ && SkinData() != nullptr && SkinData()->EnableSkinEffects();
}

bool TbsSkinButton::Animating() const {
    return SkinData() != nullptr && SkinData()->EnableSkinEffects() && animationTimerActive_ &&
           animationFrame_ > 0 && animationFrame_ <= frameCount_;
}

TRect TbsSkinButton::AnimationFrameRect(int frame) const {
    const TRect& strip = animateSkinRect_;
    if (frameCount_ <= 0) return {};
    if (strip.Width() > skinLayout_.SkinRect.Width()) {
        int w = strip.Width() / frameCount_;
        return graphics::Rect(strip.left + w * (frame - 1), strip.top, strip.left + w * frame,
                              strip.bottom);
    }
    int h = strip.Height() / frameCount_;
    return graphics::Rect(strip.left, strip.top + h * (frame - 1), strip.right,
                          strip.top + h * frame);
}

// ---- painting ----

bool TbsSkinButton::DownLook() const {
    return down_ && (groupIndex_ != 0 || mouseIn_ || (FocusedLook() && !mouseHeld_));
}

void TbsSkinButton::RenderSkinImage(TBitmap& bitmap) {
    if (SkinPicture() == nullptr) {
        RenderDefaultImage(bitmap);
        return;
    }
    if (Morphing() && morphFactor_ > 0 && morphFactor_ < 1 && Enabled()) {
        RenderMorph(bitmap);
        return;
    }
    TRect normal = skinLayout_.SkinRect;
    TRect active = look_.ActiveSkinRect;
    if (Animating()) {
        if (animateIn_)
            active = AnimationFrameRect(animationFrame_);
        else
            normal = AnimationFrameRect(animationFrame_);
    }
    if (!Enabled() && !look_.DisabledSkinRect.IsEmpty())
        RenderButtonState(bitmap, look_.DisabledSkinRect, false, false);
    else if (DownLook())
        RenderButtonState(bitmap, look_.DownSkinRect, true, true);
    else if (FocusedLook() && !focusedSkinRect_.IsEmpty() && !Animating())
        RenderButtonState(bitmap, focusedSkinRect_, true, false);
    else if (FocusedLook() || mouseIn_ || (Morphing() && morphFactor_ == 1))
        RenderButtonState(bitmap, active, true, false);  // a finished morph rests on the hot look
    else
        RenderButtonState(bitmap, normal, false, false);
}

void TbsSkinButton::RenderMorph(TBitmap& bitmap) {
    TBitmap normal;
    TBitmap hot;
    RenderButtonState(normal, skinLayout_.SkinRect, false, false);
    RenderButtonState(hot, look_.ActiveSkinRect, true, false);
    skin::BlendImages(bitmap, normal, hot, morphFactor_, morphKind_);
}

void TbsSkinButton::RenderButtonState(TBitmap& bitmap, const TRect& rect, bool active, bool down) {
    const TBitmap* picture = SkinPicture();
    const int w = Width();
    const int h = Height();
    TRect captionRect;
    if (picture != nullptr &&
        (useSkinSize_ || skinLayout_.LayoutMode == TbsSkinLayoutMode::NinePart)) {
        skinLayout_.Compose(bitmap, *picture, rect, w, h);
        captionRect = skinLayout_.Geometry.NewClRect;
    } else if (picture != nullptr) {
        if (skinLayout_.LayoutMode == TbsSkinLayoutMode::Fixed) {
            TBitmap source;
            source.CopyFrom(picture);
            bitmap.SetWidth(w);
            bitmap.SetHeight(h);
            bitmap.Canvas().Changing();
            StretchPiece(bitmap.Canvas().Handle(), graphics::Rect(0, 0, w, h),
                         source.Canvas().Handle(), rect);
            bitmap.Canvas().Changed();
        } else {
            ComposeStretchedImage(bitmap, w, h, *picture, rect, skinLayout_.Geometry.ClRect);
        }
        captionRect = GrowRect(skinLayout_.Geometry.ClRect, bitmap.Width() - rect.Width(),
                               bitmap.Height() - rect.Height());
    }
    if (bitmap.IsEmpty()) return;
    graphics::TCanvas& canvas = bitmap.Canvas();
    look_.Font.Select(canvas.Font(), DefaultFont(), UseSkinFont(), SkinData());
    canvas.Font().SetColor(Enabled() && !useSkinFontColor_
                               ? DefaultFont().Color()
                               : look_.CaptionColor(Enabled(), active, down));
    if (showFocus_ && Focused()) DrawFocusFrame(canvas, captionRect);
    bool drawContent = true;
    if (OnPaint) OnPaint(this, canvas, captionRect, drawContent, active, down);
    if (!drawContent) return;
    DrawContent(canvas, captionRect, active, down);
}

void TbsSkinButton::DrawContent(graphics::TCanvas& canvas, const TRect& rect, bool active,
                                bool down) {
    if (imageList_ != nullptr && imageIndex_ >= 0 && imageIndex_ < imageList_->Count()) {
        TBitmap image;
        imageList_->GetBitmap(imageIndex_, image);
        DrawGlyphAndCaption(canvas, rect, margin_, active && down, 1, 1, image, Caption(), layout_,
                            spacing_);
        return;
    }
    int frame = GlyphFrameNumber(active, down, Enabled(), numGlyphs_);
    DrawGlyphAndCaption(canvas, rect, margin_, active && down, frame, numGlyphs_, glyph_, Caption(),
                        layout_, spacing_);
}

graphics::TColor TbsSkinButton::DefaultLookFontColor(bool, bool) const {
    return DefaultFont().Color();
}

void TbsSkinButton::RenderDefaultImage(TBitmap& bitmap) {
    if (bitmap.IsEmpty()) return;
    graphics::TCanvas& canvas = bitmap.Canvas();
    const TRect rect = ClientRect();
    const bool down = DownLook();
    const bool hot = mouseIn_ || FocusedLook();
    DrawPlainFace(canvas, rect, down, hot);
    TbsSkinFont().Select(canvas.Font(), DefaultFont(), false, SkinData());
    canvas.Font().SetColor(Enabled() ? DefaultLookFontColor(hot, down) : graphics::clBtnShadow);
    bool drawContent = true;
    if (OnPaint) OnPaint(this, canvas, rect, drawContent, hot || down, down);
    if (drawContent) DrawContent(canvas, rect, hot || down, down);
}

// ---- timers ----

void TbsSkinButton::SetTimerRunning(UINT_PTR id, int interval) {
    if (!HandleAllocated()) return;
    if (interval > 0)
        SetTimer(Handle(), id, UINT(interval), nullptr);
    else
        KillTimer(Handle(), id);
}

void TbsSkinButton::StartRepeat() {
    repeatTimerInterval_ = kRepeatDelay;
    repeatWaiting_ = true;
    SetTimerRunning(kRepeatTimer, kRepeatDelay);
}

void TbsSkinButton::StopRepeat() {
    if (repeatTimerInterval_ == 0) return;
    repeatTimerInterval_ = 0;
    SetTimerRunning(kRepeatTimer, 0);
}

void TbsSkinButton::RepeatTick() {
    if (repeatTimerInterval_ == 0) return;
    if (repeatWaiting_) {
        repeatWaiting_ = false;
        // The first wait is over; from now on every tick clicks.
        repeatTimerInterval_ = std::max(repeatInterval_, 1);
        SetTimerRunning(kRepeatTimer, repeatTimerInterval_);
        return;
    }
    DoButtonClick();
}

void TbsSkinButton::StartMorph() {
    if (!Morphing()) {
        Invalidate();
        return;
    }
    morphTimerActive_ = true;
    SetTimerRunning(kMorphTimer, kMorphInterval);
}

void TbsSkinButton::StopMorph() {
    if (!morphTimerActive_) return;
    morphTimerActive_ = false;
    SetTimerRunning(kMorphTimer, 0);
}

void TbsSkinButton::MorphTick() {
    if (!Morphing()) {
        StopMorph();
        return;
    }
    const bool hot = mouseIn_ || Focused();
    morphFactor_ += hot ? 0.2 : -0.2;
    if (morphFactor_ >= 1 - 1e-9) {
        morphFactor_ = 1;
        StopMorph();
    } else if (morphFactor_ <= 1e-9) {
        morphFactor_ = 0;
        StopMorph();
    }
    Invalidate();
}

void TbsSkinButton::StartAnimation(bool in) {
    if (frameCount_ <= 0 || animateSkinRect_.IsEmpty()) return;
    animateIn_ = in;
    animationFrame_ = in ? 1 : frameCount_;
    animationTimerActive_ = true;
    SetTimerRunning(kAnimationTimer, std::max(animateInterval_, 1));
}

void TbsSkinButton::StopAnimation() {
    if (!animationTimerActive_) return;
    animationTimerActive_ = false;
    SetTimerRunning(kAnimationTimer, 0);
}

void TbsSkinButton::AnimationTick() {
    if (!animationTimerActive_) return;
    if (animateIn_) {
        if (animationFrame_ >= frameCount_)
            StopAnimation();
        else
            ++animationFrame_;
    } else {
        if (animationFrame_ <= 0)
            StopAnimation();
        else
            --animationFrame_;
    }
    Invalidate();
}

// ---- pointer, keys and focus ----

void TbsSkinButton::MouseEnter() {
    mouseIn_ = true;
    if ((groupIndex_ != 0 && !down_) || (groupIndex_ == 0 && (!Focused() || down_))) {
        if (down_) {
            if (Morphing()) morphFactor_ = 1;
            Invalidate();
        } else {
            if (SkinData() != nullptr && SkinData()->EnableSkinEffects()) StartAnimation(true);
            if (Morphing())
                StartMorph();
            else
                Invalidate();
        }
    }
    if (down_ && repeatMode_ && groupIndex_ == 0) StartRepeat();
}

void TbsSkinButton::MouseLeave() {
    // An active default button stays hot while the focus is elsewhere.
    if (!(defaultActive_ && !Focused())) mouseIn_ = false;
    if ((groupIndex_ != 0 && !down_) || (groupIndex_ == 0 && (!Focused() || down_))) {
        if (down_) {
            Invalidate();
        } else {
            if (SkinData() != nullptr && SkinData()->EnableSkinEffects()) StartAnimation(false);
            if (Morphing())
                StartMorph();
            else
                Invalidate();
        }
    }
    if (down_ && repeatMode_ && groupIndex_ == 0) StopRepeat();
}

void TbsSkinButton::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (button == ui::TMouseButton::mbLeft && (ComponentState() & ui::csDesigning) == 0) {
        StopAnimation();
        mouseHeld_ = true;
        if (!down_) {
            mouseIn_ = true;
            SetDown(true);
            if (groupIndex_ == 0 && repeatMode_)
                StartRepeat();
            else if (groupIndex_ != 0)
                DoButtonClick();
            wasDownAtPress_ = false;
        } else if (groupIndex_ != 0) {
            wasDownAtPress_ = true;
        }
    }
    TbsSkinCustomControl::MouseDown(button, shift, x, y);
}

void TbsSkinButton::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    std::shared_ptr<bool> alive = alive_;
    if (button == ui::TMouseButton::mbLeft && (ComponentState() & ui::csDesigning) == 0) {
        mouseHeld_ = false;
        const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
        if (!inside && MouseOver()) Perform(ui::CM_MOUSELEAVE, 0, 0);
        const bool wasDown = down_;
        if (groupIndex_ == 0) {
            const bool click = mouseIn_ && inside && wasDown;
            SetDown(false);
            StopRepeat();
            if (click) DoButtonClick();
        } else if (wasDown && allowAllUp_ && wasDownAtPress_ && mouseIn_ && inside) {
            SetDown(false);
            DoButtonClick();
        }
    }
    if (!*alive) return;  // the click freed the button
    TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinButton::KeyDown(uint16_t& key, ui::TShiftState shift) {
    const bool enterClicks = canFocused_ && key == VK_RETURN;
    if (canFocused_ && key == VK_SPACE) {
        StopAnimation();
        SetDown(true);
        if (repeatMode_) DoButtonClick();
    } else if (enterClicks) {
        std::shared_ptr<bool> alive = alive_;
        DoButtonClick();
        if (!*alive) {  // the click freed the button
            key = 0;
            return;
        }
    }
    TbsSkinCustomControl::KeyDown(key, shift);
    // Enter is used up: the form's dialog-key pass would click this button, its active
    // default, a second time.
    if (enterClicks) key = 0;
}

void TbsSkinButton::KeyUp(uint16_t& key, ui::TShiftState shift) {
    if (canFocused_ && key == VK_SPACE) {
        SetDown(false);
        DoButtonClick();
    }
    TbsSkinCustomControl::KeyUp(key, shift);
}

void TbsSkinButton::EnabledChanged() {
    StopMorph();
    morphFactor_ = 0;
    mouseIn_ = false;
    TbsSkinCustomControl::EnabledChanged();
    Invalidate();
}

void TbsSkinButton::WndProc(ui::TMessage& message) {
    switch (message.Msg) {
        case WM_TIMER:
            switch (message.WParam) {
                case kRepeatTimer:
                    RepeatTick();
                    break;
                case kMorphTimer:
                    MorphTick();
                    break;
                case kAnimationTimer:
                    AnimationTick();
                    break;
                default:
                    break;
            }
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // A focusable button takes the focus first; without it the press is dropped.
            if (canFocused_ && !Focused() && (ComponentState() & ui::csDesigning) == 0) {
                if (CanFocus()) SetFocus();
                if (!Focused()) return;
            }
            break;
        case WM_LBUTTONUP:
            HandleLeftRelease(message);
            return;
        case WM_SETFOCUS:
            TbsSkinCustomControl::WndProc(message);
            Invalidate();
            return;
        case WM_KILLFOCUS:
            TbsSkinCustomControl::WndProc(message);
            StopRepeat();
            if (groupIndex_ == 0 && down_) SetDown(false);
            Invalidate();
            return;
        case WM_KEYUP: {
            uint16_t key = uint16_t(message.WParam);
            KeyUp(key, ui::KeyboardShift());
            if (key == 0) return;
            break;
        }
        case ui::CM_FOCUSCHANGED:
            FocusMoved(reinterpret_cast<ui::TWinControl*>(message.WParam));
            return;
        case ui::CM_DIALOGCHAR:
            if (canFocused_ && IsAccel(char32_t(message.WParam), Caption()) && CanFocus()) {
                SetFocus();
                DoButtonClick();
                message.Result = 1;
            }
            return;
        case ui::CM_DIALOGKEY:
            if (Visible() && DialogKey(uint16_t(message.WParam))) message.Result = 1;
            return;
        default:
            break;
    }
    TbsSkinCustomControl::WndProc(message);
}

void TbsSkinButton::HandleLeftRelease(ui::TMessage& message) {
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    if ((ComponentState() & ui::csDesigning) == 0) {
        bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
        if (!inside && MouseOver()) Perform(ui::CM_MOUSELEAVE, 0, 0);
    }
    // The capture ends before the click runs: the click may open a modal window.
    if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
    std::shared_ptr<bool> alive = alive_;
    MouseUp(ui::TMouseButton::mbLeft, ui::ShiftFromMouseKeys(message.WParam), x, y);
    // The click may have closed the form or freed the button: the platform's part of the
    // release runs only for a window that is still there and shown.
    if (!*alive || !HandleAllocated() || !IsWindowVisible(Handle())) return;
    DefaultHandler(message);
}

void TbsSkinButton::DoButtonClick() {
    if (canFocused_)
        if (ui::TCustomForm* form = ParentForm()) form->SetModalResult(modalResult_);
    // An OnClick set after linking is the button's own and runs instead of the action.
    if (OnClick || Action() == nullptr || (ComponentState() & ui::csDesigning) != 0)
        Click();
    else
        actionLink_->Execute();
}

bool TbsSkinButton::DialogKey(uint16_t key) {
    if (key == VK_RETURN && defaultActive_ && Enabled()) {
        DoButtonClick();
        return true;
    }
    if (key == VK_ESCAPE && cancel_ && canFocused_ && (ui::KeyboardShift() & ui::ssShift) == 0 &&
        CanFocus()) {
        DoButtonClick();
        return true;
    }
    return false;
}

void TbsSkinButton::FocusMoved(ui::TWinControl* control) {
    const bool wasActive = defaultActive_;
    if (control == this)
        defaultActive_ = true;
    else if (dynamic_cast<TbsSkinButton*>(control) == nullptr)
        defaultActive_ = default_;
    else
        defaultActive_ = false;
    if (default_ && canFocused_ && control != this) {
        // Shown hot while the focus rests on something that is no button.
        mouseIn_ = defaultActive_ || MouseOver();
    }
    if (wasActive != defaultActive_) Invalidate();
}

}  // namespace skinctrls
