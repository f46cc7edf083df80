#include "skinctrls/skin_control_base.h"

#include <type_traits>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "skinctrls/graphic_skin_control.h"
#include "skinctrls/skin_control.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using namespace platform;
using graphics::TBitmap;

// ---------------------------------------------------------------------------------------------
// TbsSkinControlBase

template <typename Base>
TbsSkinControlBase<Base>::TbsSkinControlBase(ui::TComponent* owner)
    : Base(owner), TbsSkinBinding(*this, "") {}

template <typename Base>
void TbsSkinControlBase<Base>::Notification(ui::TComponent* component, ui::TOperation operation) {
    Base::Notification(component, operation);
    ForgetSkinData(component, operation);
}

template <typename Base>
void TbsSkinControlBase<Base>::PaintTo(TBitmap& bitmap) {
    this->BindSkinObject();
    bitmap.SetWidth(this->Width());
    bitmap.SetHeight(this->Height());
    if (index_ == -1)
        RenderDefaultImage(bitmap);
    else
        RenderSkinImage(bitmap);
}

template <typename Base>
void TbsSkinControlBase<Base>::Paint() {
    if (this->Width() < 1 || this->Height() < 1) return;
    TBitmap buffer;
    PaintTo(buffer);
    if (buffer.IsEmpty()) return;
    BitBlt(this->Canvas().Handle(), 0, 0, buffer.Width(), buffer.Height(), buffer.Canvas().Handle(),
           0, 0, SRCCOPY);
}

template <typename Base>
void TbsSkinControlBase<Base>::RenderDefaultImage(TBitmap& bitmap) {
    if (bitmap.IsEmpty()) return;
    ui::FillColor(bitmap.Canvas(), this->ClientRect(), graphics::clBtnFace);
}

template <typename Base>
void TbsSkinControlBase<Base>::WndProc(ui::TMessage& message) {
    const bool designing = (this->ComponentState() & ui::csDesigning) != 0;
    switch (message.Msg) {
        case ui::CM_MOUSEENTER:
            if (!mouseOver_ && !designing) {
                mouseOver_ = true;
                MouseEnter();
                if (OnMouseEnter) OnMouseEnter(this);
            }
            return;
        case ui::CM_MOUSELEAVE:
            if (mouseOver_ && !designing) {
                mouseOver_ = false;
                MouseLeave();
                if (OnMouseLeave) OnMouseLeave(this);
            }
            return;
        case WM_PARENTBACKGROUNDCHANGED:
            ParentBackgroundChanged();
            return;
        default:
            break;
    }
    Base::WndProc(message);
}

// ---------------------------------------------------------------------------------------------
// TbsSkinCustomControlBase

template <typename Base>
TbsSkinCustomControlBase<Base>::TbsSkinCustomControlBase(ui::TComponent* owner) : Base(owner) {
    defaultFont_.SetName("Arial");
    defaultFont_.SetHeight(14);
    defaultFont_.SetStyle(0);
    defaultFont_.SetOnChange([this](graphics::TGraphicsObject*) {
        DefaultFontChanged();
        if (this->index_ == -1) this->Invalidate();
    });
}

template <typename Base>
TbsSkinCustomControlBase<Base>::~TbsSkinCustomControlBase() {
    defaultFont_.SetOnChange(nullptr);
}

template <typename Base>
void TbsSkinCustomControlBase<Base>::SetDefaultWidth(int value) {
    defaultWidth_ = value;
    if (this->index_ == -1 && value > 0)
        SetBounds(this->Left(), this->Top(), value, this->Height());
}

template <typename Base>
void TbsSkinCustomControlBase<Base>::SetDefaultHeight(int value) {
    defaultHeight_ = value;
    if (this->index_ == -1 && value > 0) SetBounds(this->Left(), this->Top(), this->Width(), value);
}

template <typename Base>
void TbsSkinCustomControlBase<Base>::SetUseSkinFont(bool value) {
    useSkinFont_ = value;
    this->Invalidate();
}

template <typename Base>
void TbsSkinCustomControlBase<Base>::BindSkinObject() {
    Base::BindSkinObject();
    skinLayout_.CopyFrom(this->SkinObject());
    if (this->index_ != -1) {
        // The resized points follow the control's present size.
        int w = this->Width();
        int h = this->Height();
        ComputeSkinSize(w, h);
    }
}

template <typename Base>
void TbsSkinCustomControlBase<Base>::ComputeSkinSize(int& width, int& height) {
    if (this->index_ == -1) return;
    skinLayout_.ComputeSize(width, height);
}

template <typename Base>
const TBitmap* TbsSkinCustomControlBase<Base>::SkinPicture() const {
    return this->index_ == -1 ? nullptr : SkinBitmap(this->SkinData(), skinLayout_.PictureIndex);
}

template <typename Base>
void TbsSkinCustomControlBase<Base>::ApplySkinChange() {
    BindSkinObject();
    int w = this->Width();
    int h = this->Height();
    if (this->index_ == -1) {
        if (defaultWidth_ > 0) w = defaultWidth_;
        if (defaultHeight_ > 0) h = defaultHeight_;
    } else {
        ComputeSkinSize(w, h);
    }
    const bool resize = w != this->Width() || h != this->Height();
    if (resize) SetBounds(this->Left(), this->Top(), w, h);
    // Unbound, a window's plain shape and look follow once more after the resize.
    constexpr bool windowed = std::is_base_of_v<ui::TWinControl, Base>;
    if (!resize || (windowed && this->index_ == -1)) {
        UpdateWindowRegion();
        this->Invalidate();
    }
}

template <typename Base>
void TbsSkinCustomControlBase<Base>::SetBounds(int left, int top, int width, int height) {
    if (this->Destroying()) {
        Base::SetBounds(left, top, width, height);
        return;
    }
    BindSkinObject();
    // The skin geometry is resized to the size the constraints leave.
    this->Constraints().Apply(width, height);
    if (this->index_ != -1 && (width != this->Width() || height != this->Height()))
        ComputeSkinSize(width, height);
    const bool sized = width != this->Width() || height != this->Height();
    Base::SetBounds(left, top, width, height);
    if (sized) {
        UpdateWindowRegion();
        this->Invalidate();
    }
    if (this->index_ != -1 && skinLayout_.Geometry.StretchEffect) NotifyChildrenOfBackground();
}

template <typename Base>
void TbsSkinCustomControlBase<Base>::RenderSkinImage(TBitmap& bitmap) {
    const TBitmap* picture = SkinPicture();
    if (picture == nullptr) {
        this->RenderDefaultImage(bitmap);
        return;
    }
    const bool drawClient =
        !(paintsOwnBackground_ && skinLayout_.LayoutMode == TbsSkinLayoutMode::NinePart);
    skinLayout_.Compose(bitmap, *picture, skinLayout_.SkinRect, this->Width(), this->Height(),
                        drawClient);
}

template class TbsSkinControlBase<ui::TCustomControl>;
template class TbsSkinControlBase<ui::TGraphicControl>;
template class TbsSkinCustomControlBase<TbsSkinControl>;
template class TbsSkinCustomControlBase<TbsGraphicSkinControl>;

}  // namespace skinctrls
