#pragma once
// The skinned push button: states (normal, hot, pressed, focused, disabled) cut from the skin
// object "button", groups of buttons of which one is down, repeat clicks while held, a blend
// between the normal and hot image, frame animation, glyph and caption, and a plain look when
// no skin object is bound.
#include <functional>
#include <memory>
#include <string>

#include "skin/morph_blend.h"
#include "skinctrls/button_look.h"
#include "skinctrls/glyph_layout.h"
#include "skinctrls/skin_control.h"
#include "ui/action.h"
#include "ui/form.h"
#include "ui/image_list.h"

namespace skinctrls {

// The canvas of the state image, the caption rect, a flag that the handler clears to stop the
// glyph and caption from being drawn, the active flag and the down flag.
using TbsButtonPaintEvent =
    std::function<void(ui::TComponent* sender, graphics::TCanvas& canvas, TRect captionRect,
                       bool& drawContent, bool active, bool down)>;

class TbsButtonActionLink;

class TbsSkinButton : public TbsSkinCustomControl {
  public:
    // The window timers of a button.
    static constexpr platform::UINT_PTR kRepeatTimer = 1;
    static constexpr platform::UINT_PTR kMorphTimer = 2;
    static constexpr platform::UINT_PTR kAnimationTimer = 3;
    static constexpr int kRepeatDelay = 500;
    static constexpr int kMorphInterval = 20;

    explicit TbsSkinButton(ui::TComponent* owner);
    ~TbsSkinButton() override;
    const char* ClassName() const override { return "TbsSkinButton"; }

    // With an image of ImageList at ImageIndex, the button shows that image in place of
    // its glyph.
    ui::TCustomImageList* ImageList() const { return imageList_; }
    void SetImageList(ui::TCustomImageList* value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) {
        imageIndex_ = value;
        Invalidate();
    }
    // The action the button shows and runs: it takes the action's caption, enabled and visible
    // state, hint and image index now and at every change, and a click executes it unless
    // OnClick is set again after linking. Linking replaces OnClick, as the action's handler
    // takes its place.
    ui::TAction* Action() const;
    void SetAction(ui::TAction* value);
    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool value);
    bool UseSkinFontColor() const { return useSkinFontColor_; }
    void SetUseSkinFontColor(bool value) {
        useSkinFontColor_ = value;
        Invalidate();
    }
    bool RepeatMode() const { return repeatMode_; }
    void SetRepeatMode(bool value) { repeatMode_ = value; }
    int RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(int value) { repeatInterval_ = value; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value) { allowAllUp_ = value; }
    bool CanFocused() const { return canFocused_; }
    void SetCanFocused(bool value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    graphics::TBitmap& Glyph() { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value) {
        spacing_ = value;
        Invalidate();
    }
    TbsButtonLayout Layout() const { return layout_; }
    void SetLayout(TbsButtonLayout value) {
        layout_ = value;
        Invalidate();
    }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool Default() const { return default_; }
    void SetDefault(bool value) { default_ = value; }
    ui::TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(ui::TModalResult value) { modalResult_ = value; }

    TbsButtonPaintEvent OnPaint;

    // Run-time state.
    bool MouseIn() const { return mouseIn_; }
    bool MouseHeld() const { return mouseHeld_; }
    bool DefaultActive() const { return defaultActive_; }
    double MorphFactor() const { return morphFactor_; }
    // The interval the repeat timer runs at, 0 while it is stopped.
    int RepeatTimerInterval() const { return repeatTimerInterval_; }
    bool MorphTimerActive() const { return morphTimerActive_; }
    bool AnimationTimerActive() const { return animationTimerActive_; }
    int AnimationFrame() const { return animationFrame_; }

    void BindSkinObject() override;
    void ApplySkinChange() override;
    void ComputeSkinSize(int& width, int& height) override;

    // Renders one state image: the state rect `rect` of the skin picture at the control size,
    // then font, colour, focus, OnPaint and content.
    virtual void RenderButtonState(graphics::TBitmap& bitmap, const TRect& rect, bool active,
                                   bool down);
    // The click: the form's modal result, then OnClick, or else the linked action.
    virtual void DoButtonClick();

    // Enter or Escape that no focused control took; true when the button clicked.
    bool DialogKey(uint16_t key);
    // The focus moved to `control`: the default button's hot look follows it.
    void FocusMoved(ui::TWinControl* control);

  protected:
    void Notification(ui::TComponent* component, ui::TOperation operation) override;
    void RenderDefaultImage(graphics::TBitmap& bitmap) override;
    void RenderSkinImage(graphics::TBitmap& bitmap) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, ui::TShiftState shift) override;
    void KeyUp(uint16_t& key, ui::TShiftState shift) override;
    void EnabledChanged() override;
    void WndProc(ui::TMessage& message) override;

    // The pressed look: down, and grouped, or under the pointer, or focused without the mouse
    // holding it.
    bool DownLook() const;
    bool FocusedLook() const { return canFocused_ && Focused(); }
    bool Morphing() const;
    bool Animating() const;
    // Caption and glyph over `rect` in the canvas font, with the glyph frame for the state.
    void DrawContent(graphics::TCanvas& canvas, const TRect& rect, bool active, bool down);
    // The caption colour of the no-skin look (the XForm button has its own).
    virtual graphics::TColor DefaultLookFontColor(bool active, bool down) const;

    void StartRepeat();
    void StopRepeat();
    void StartMorph();
    void StopMorph();
    void StartAnimation(bool in);
    void StopAnimation();

    // Copied from the skin object.
    TbsButtonLook look_;
    TRect focusedSkinRect_;
    bool morphing_ = false;
    skin::TbsMorphKind morphKind_ = skin::TbsMorphKind::mkDefault;
    TRect animateSkinRect_;
    int frameCount_ = 0;
    int animateInterval_ = 25;
    bool showFocus_ = false;
    TRect menuMarkerRect_, menuMarkerActiveRect_, menuMarkerDownRect_, menuMarkerFlatRect_;
    graphics::TColor menuMarkerTransparentColor_ = 0;

    bool mouseIn_ = false;

  private:
    TRect AnimationFrameRect(int frame) const;
    void SetTimerRunning(platform::UINT_PTR id, int interval);
    void RepeatTick();
    void MorphTick();
    void AnimationTick();
    void RenderMorph(graphics::TBitmap& bitmap);
    void HandleLeftRelease(ui::TMessage& message);

    ui::TCustomImageList* imageList_ = nullptr;
    int imageIndex_ = -1;
    std::unique_ptr<TbsButtonActionLink> actionLink_;
    bool useSkinSize_ = true;
    bool useSkinFontColor_ = true;
    bool repeatMode_ = false;
    int repeatInterval_ = 100;
    bool allowAllUp_ = false;
    bool canFocused_ = true;
    bool down_ = false;
    int groupIndex_ = 0;
    graphics::TBitmap glyph_;
    int numGlyphs_ = 1;
    int margin_ = -1;
    int spacing_ = 1;
    TbsButtonLayout layout_ = TbsButtonLayout::blGlyphLeft;
    bool cancel_ = false;
    bool default_ = false;
    ui::TModalResult modalResult_ = ui::mrNone;

    bool mouseHeld_ = false;
    bool wasDownAtPress_ = false;
    bool defaultActive_ = false;
    double morphFactor_ = 0;
    int animationFrame_ = 0;
    bool animateIn_ = true;
    int repeatTimerInterval_ = 0;
    bool repeatWaiting_ = false;
    bool morphTimerActive_ = false;
    bool animationTimerActive_ = false;
    // Cleared when the button is destroyed, so that a release whose click freed the button
    // stops there.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace skinctrls
