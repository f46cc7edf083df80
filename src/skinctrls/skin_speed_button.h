#pragma once
// The skinned tool button without a window: it never takes the focus, shows normal, hot and
// pressed images cut from a button skin object ("toolbutton"), groups like the push button,
// and when flat shows only its glyph and caption over the parent until the pointer is over it.
#include <string>

#include "skinctrls/button_look.h"
#include "skinctrls/glyph_layout.h"
#include "skinctrls/graphic_skin_control.h"

namespace skinctrls {

class TbsSkinSpeedButton : public TbsGraphicSkinCustomControl {
  public:
    static constexpr int kRepeatDelay = 500;

    explicit TbsSkinSpeedButton(ui::TComponent* owner);
    ~TbsSkinSpeedButton() override;
    const char* ClassName() const override { return "TbsSkinSpeedButton"; }

    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool value) { useSkinSize_ = value; }
    bool UseSkinFontColor() const { return useSkinFontColor_; }
    void SetUseSkinFontColor(bool value) {
        useSkinFontColor_ = value;
        Invalidate();
    }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    bool RepeatMode() const { return repeatMode_; }
    void SetRepeatMode(bool value) { repeatMode_ = value; }
    int RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(int value) { repeatInterval_ = value < 1 ? 1 : value; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value) { allowAllUp_ = value; }
    bool Down() const { return down_; }
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = value < 0 ? 0 : value; }
    graphics::TBitmap& Glyph() { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value) {
        numGlyphs_ = value < 1 ? 1 : value;
        Invalidate();
    }
    int Margin() const { return margin_; }
    void SetMargin(int value) {
        if (value >= -1) margin_ = value;
        Invalidate();
    }
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
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value) {
        showCaption_ = value;
        Invalidate();
    }
    // Flat buttons are transparent: only glyph and caption over the parent while idle.
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool Transparent() const { return transparent_; }

    bool MouseIn() const { return mouseIn_; }
    bool MouseHeld() const { return mouseHeld_; }
    // The repeat timer: it runs on the parent's window (the button has none) with this id,
    // at this interval (0 while stopped), and its ticks arrive through TimerProc.
    platform::UINT_PTR RepeatTimerId() const { return repeatTimerId_; }
    int RepeatTimerInterval() const { return repeatTimerInterval_; }
    static void TimerProc(platform::HWND window, platform::UINT message, platform::UINT_PTR id,
                          platform::DWORD time);

    void BindSkinObject() override;
    // Paints the button onto `canvas` at its origin; a flat idle button leaves the canvas's
    // pixels under it alone apart from glyph and caption.
    void PaintOnto(graphics::TCanvas& canvas);
    virtual void DoButtonClick();

  protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void EnabledChanged() override;

    // Pressed look: down and under the pointer, or grouped and down.
    bool DownLook() const { return down_ && (mouseIn_ || groupIndex_ != 0); }
    bool mouseIn_ = false;

  private:
    void StartRepeat();
    void StopRepeat();
    void RepeatTick();
    // The state image of `rect` at the button's size with its content, into `bitmap`.
    void RenderState(graphics::TBitmap& bitmap, const TRect& rect, bool active, bool down);
    void DrawContent(graphics::TCanvas& canvas, const TRect& rect, bool active, bool down);
    void SelectFont(graphics::TCanvas& canvas, bool active, bool down);

    bool useSkinSize_ = true;
    bool useSkinFontColor_ = true;
    int imageIndex_ = 0;
    bool repeatMode_ = false;
    int repeatInterval_ = 100;
    bool allowAllUp_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    graphics::TBitmap glyph_;
    int numGlyphs_ = 1;
    int margin_ = -1;
    int spacing_ = 1;
    TbsButtonLayout layout_ = TbsButtonLayout::blGlyphLeft;
    bool showCaption_ = true;
    bool flat_ = false;
    bool transparent_ = false;
    bool mouseHeld_ = false;
    bool wasDownAtPress_ = false;
    platform::UINT_PTR repeatTimerId_ = 0;
    platform::HWND repeatWindow_ = nullptr;
    int repeatTimerInterval_ = 0;
    bool repeatWaiting_ = false;

    // Copied from the skin object.
    TbsButtonLook look_;
};

}  // namespace skinctrls
