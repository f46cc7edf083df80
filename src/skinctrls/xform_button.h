#pragma once
// The skinned button that also carries its own images for when no skin object is bound: a
// normal, a hot and a pressed image, a mask for its shape and caption colours for those states.
#include "skinctrls/skin_button.h"

namespace skinctrls {

class TbsSkinXFormButton : public TbsSkinButton {
  public:
    explicit TbsSkinXFormButton(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinXFormButton"; }

    graphics::TBitmap& DefImage() { return defImage_; }
    // Takes a copy of the image; the button takes its size (and its mask's shape) while
    // unbound.
    void SetDefImage(const graphics::TBitmap& value);
    graphics::TBitmap& DefActiveImage() { return defActiveImage_; }
    void SetDefActiveImage(const graphics::TBitmap& value);
    graphics::TBitmap& DefDownImage() { return defDownImage_; }
    void SetDefDownImage(const graphics::TBitmap& value);
    graphics::TBitmap& DefMask() { return defMask_; }
    // The shape of the unbound button with its own image: black pixels are inside. Kept until
    // the window exists when set before.
    void SetDefMask(const graphics::TBitmap& value);
    graphics::TColor DefActiveFontColor() const { return defActiveFontColor_; }
    void SetDefActiveFontColor(graphics::TColor value) {
        defActiveFontColor_ = value;
        Invalidate();
    }
    graphics::TColor DefDownFontColor() const { return defDownFontColor_; }
    void SetDefDownFontColor(graphics::TColor value) {
        defDownFontColor_ = value;
        Invalidate();
    }

    void ApplySkinChange() override;
    void SetBounds(int left, int top, int width, int height) override;
    void UpdateWindowRegion() override;
    // Once the description has been read: the shape of an unbound button with a mask.
    void Loaded();

  protected:
    void CreateHandleDone() override;
    void RenderDefaultImage(graphics::TBitmap& bitmap) override;
    graphics::TColor DefaultLookFontColor(bool active, bool down) const override;

  private:
    bool OwnLook() const { return index_ == -1 && !defImage_.IsEmpty(); }

    graphics::TBitmap defImage_, defActiveImage_, defDownImage_, defMask_;
    graphics::TColor defActiveFontColor_ = graphics::clBlack;
    graphics::TColor defDownFontColor_ = graphics::clBlack;
};

}  // namespace skinctrls
