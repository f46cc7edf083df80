#pragma once
// The skinned scroll box: a container whose border lives in the window's non-client area
// (the frame strips of its skin object, or a plain bevel) and whose client area shows the
// skin's client piece or its background picture. Attached skinned scroll bars scroll its
// children.
#include "skinctrls/skin_control.h"
#include "skinctrls/skin_panel.h"
#include "skinctrls/skin_scroll_bar.h"

namespace skinctrls {

class TbsSkinScrollBox : public TbsSkinCustomControl {
  public:
    explicit TbsSkinScrollBox(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinScrollBox"; }

    TbsSkinBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TbsSkinBorderStyle value);
    bool CanFocused() const { return canFocused_; }
    void SetCanFocused(bool value) { canFocused_ = value; }

    // The widths of the border on each side (left, top, right, bottom), 0 without one.
    TRect BorderWidths();

    TbsSkinScrollBar* HScrollBar() const { return hBar_; }
    void SetHScrollBar(TbsSkinScrollBar* bar);
    TbsSkinScrollBar* VScrollBar() const { return vBar_; }
    void SetVScrollBar(TbsSkinScrollBar* bar);
    // Fits the attached bars to the children: shows or hides them, sets their ranges and
    // scrolls the content back where it no longer needs to be scrolled.
    void UpdateScrollBars();

    void BindSkinObject() override;
    void ApplySkinChange() override;
    void SetBounds(int left, int top, int width, int height) override;

  protected:
    void RenderDefaultImage(graphics::TBitmap& bitmap) override;
    void RenderSkinImage(graphics::TBitmap& bitmap) override;
    void WndProc(ui::TMessage& message) override;
    void PaintBorder();
    TRect AlignRect() const override;
    void VisibleChanged() override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;
    // Recomputes the non-client area and repaints the border.
    void FrameChanged();

  private:
    void AttachBar(TbsSkinScrollBar* bar, bool vertical);
    void FitToClient(graphics::TBitmap& bitmap) const;
    // Moves the content by (dx, dy) pixels up and left.
    void ScrollContent(int dx, int dy);
    // One axis of UpdateScrollBars; true when the bar's visibility changed.
    bool AdjustBar(TbsSkinScrollBar* bar, bool vertical);

    TbsSkinScrollBar* hBar_ = nullptr;
    TbsSkinScrollBar* vBar_ = nullptr;
    int lastHPos_ = 0;
    int lastVPos_ = 0;
    int widthGrowth_ = 0;
    int heightGrowth_ = 0;
    bool adjusting_ = false;
    TbsSkinBorderStyle borderStyle_ = TbsSkinBorderStyle::bvFrame;
    bool canFocused_ = false;
    int32_t bgPictureIndex_ = -1;
};

}  // namespace skinctrls
