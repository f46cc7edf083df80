#pragma once
// The skinned scroll box: a container whose border lives in the window's non-client area
// (the frame strips of its skin object, or a plain bevel) and whose client area shows the
// skin's client piece or its background picture. Scroll bars are not attached here.
#include "skinctrls/skin_control.h"
#include "skinctrls/skin_panel.h"

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

    void BindSkinObject() override;
    void ApplySkinChange() override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void RenderDefaultImage(graphics::TBitmap& bitmap) override;
    void RenderSkinImage(graphics::TBitmap& bitmap) override;
    void WndProc(ui::TMessage& message) override;
    void PaintBorder();
    // Recomputes the non-client area and repaints the border.
    void FrameChanged();

private:
    TbsSkinBorderStyle borderStyle_ = TbsSkinBorderStyle::bvFrame;
    bool canFocused_ = false;
    int32_t bgPictureIndex_ = -1;
};

}  // namespace skinctrls
