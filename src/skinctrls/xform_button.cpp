#include "skinctrls/xform_button.h"

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "skin/mask_region.h"

namespace skinctrls {

using graphics::TBitmap;

TbsSkinXFormButton::TbsSkinXFormButton(ui::TComponent* owner) : TbsSkinButton(owner) {
    SetCanFocused(false);
}

void TbsSkinXFormButton::SetDefImage(const TBitmap& value) {
    defImage_.CopyFrom(&value);
    if (defImage_.IsEmpty()) {
        Invalidate();
        return;
    }
    SetDefaultHeight(defImage_.Height());
    SetDefaultWidth(defImage_.Width());
    // A mask given before the image shapes the button from now on.
    if (!defMask_.IsEmpty()) UpdateWindowRegion();
    Invalidate();
}

void TbsSkinXFormButton::SetDefActiveImage(const TBitmap& value) {
    defActiveImage_.CopyFrom(&value);
    Invalidate();
}

void TbsSkinXFormButton::SetDefDownImage(const TBitmap& value) {
    defDownImage_.CopyFrom(&value);
    Invalidate();
}

void TbsSkinXFormButton::SetDefMask(const TBitmap& value) {
    defMask_.CopyFrom(&value);
    if (!defImage_.IsEmpty()) UpdateWindowRegion();
}

void TbsSkinXFormButton::CreateHandleDone() {
    TbsSkinButton::CreateHandleDone();
    // A mask set before the window existed could not shape it then.
    if (OwnLook() && !defMask_.IsEmpty()) UpdateWindowRegion();
}

void TbsSkinXFormButton::Loaded() {
    BindSkinObject();
    if (index_ == -1 && !defMask_.IsEmpty()) UpdateWindowRegion();
}

void TbsSkinXFormButton::ApplySkinChange() {
    TbsSkinButton::ApplySkinChange();
    if (OwnLook()) SetBounds(Left(), Top(), defImage_.Width(), defImage_.Height());
}

void TbsSkinXFormButton::SetBounds(int left, int top, int width, int height) {
    TbsSkinButton::SetBounds(left, top, width, height);
    if (!Destroying() && OwnLook() &&
        (Width() != defImage_.Width() || Height() != defImage_.Height()))
        TbsSkinButton::SetBounds(Left(), Top(), defImage_.Width(), defImage_.Height());
}

void TbsSkinXFormButton::UpdateWindowRegion() {
    if (!OwnLook()) {
        TbsSkinButton::UpdateWindowRegion();
        return;
    }
    if (Parent() == nullptr) return;
    SetRegion(defMask_.IsEmpty() ? nullptr : skin::RegionFromMask(defMask_));
}

graphics::TColor TbsSkinXFormButton::DefaultLookFontColor(bool active, bool down) const {
    if (defImage_.IsEmpty()) return TbsSkinButton::DefaultLookFontColor(active, down);
    if (down) return defDownFontColor_;
    if (active) return defActiveFontColor_;
    return DefaultFont().Color();
}

void TbsSkinXFormButton::RenderDefaultImage(TBitmap& bitmap) {
    if (defImage_.IsEmpty()) {
        TbsSkinButton::RenderDefaultImage(bitmap);
        return;
    }
    const bool down = DownLook();
    const bool hot = mouseIn_ || FocusedLook();
    const TBitmap* image = &defImage_;
    if (down && !defDownImage_.IsEmpty())
        image = &defDownImage_;
    else if (hot && !defActiveImage_.IsEmpty())
        image = &defActiveImage_;
    TBitmap source;
    source.CopyFrom(image);
    bitmap.Canvas().CopyRect(graphics::Rect(0, 0, source.Width(), source.Height()), source.Canvas(),
                             graphics::Rect(0, 0, source.Width(), source.Height()));
    graphics::TCanvas& canvas = bitmap.Canvas();
    TbsSkinFont().Select(canvas.Font(), DefaultFont(), false, SkinData());
    canvas.Font().SetColor(Enabled() ? DefaultLookFontColor(hot, down) : graphics::clBtnShadow);
    const TRect rect = ClientRect();
    bool drawContent = true;
    if (OnPaint) OnPaint(this, canvas, rect, drawContent, hot || down, down);
    if (drawContent) DrawContent(canvas, rect, hot || down, down);
}

}  // namespace skinctrls
