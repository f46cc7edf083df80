#include "skinctrls/graphic_skin_control.h"

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using namespace platform;
using graphics::TBitmap;

// ---------------------------------------------------------------------------------------------
// TbsGraphicSkinControl

TbsGraphicSkinControl::TbsGraphicSkinControl(ui::TComponent* owner) : ui::TGraphicControl(owner) {
    SetControlStyle(ControlStyle() | ui::csOpaque);
}

TbsGraphicSkinControl::~TbsGraphicSkinControl() {
    if (skinData_ != nullptr) skinData_->RemoveFreeNotification(this);
}

void TbsGraphicSkinControl::SetSkinData(skin::TbsSkinData* value) {
    if (skinData_ != nullptr && skinData_ != value) skinData_->RemoveFreeNotification(this);
    skinData_ = value;
    if (value != nullptr) value->FreeNotification(this);
    if (value != nullptr && !value->Empty() && (ComponentState() & ui::csDesigning) == 0) {
        ApplySkinChange();
    } else if (value == nullptr) {
        // Without skin data the plain look shows at once.
        index_ = -1;
        Invalidate();
    }
}

void TbsGraphicSkinControl::Notification(ui::TComponent* component, ui::TOperation operation) {
    ui::TGraphicControl::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && skinData_ != nullptr &&
        component == static_cast<ui::TComponent*>(skinData_)) {
        skinData_ = nullptr;
        index_ = -1;
    }
}

void TbsGraphicSkinControl::BindSkinObject() {
    index_ = SkinUsable() ? skinData_->GetControlIndex(skinDataName_) : -1;
}

const skin::TbsDataSkinControl* TbsGraphicSkinControl::SkinObject() const {
    if (index_ < 0 || !SkinUsable()) return nullptr;
    const auto& list = skinData_->CtrlList();
    return size_t(index_) < list.size() ? list[size_t(index_)].get() : nullptr;
}

void TbsGraphicSkinControl::ApplySkinChange() {
    BindSkinObject();
    Invalidate();
}

void TbsGraphicSkinControl::PaintTo(TBitmap& bitmap) {
    BindSkinObject();
    bitmap.SetWidth(Width());
    bitmap.SetHeight(Height());
    if (index_ == -1)
        RenderDefaultImage(bitmap);
    else
        RenderSkinImage(bitmap);
}

void TbsGraphicSkinControl::Paint() {
    if (Width() < 1 || Height() < 1) return;
    TBitmap buffer;
    PaintTo(buffer);
    if (buffer.IsEmpty()) return;
    BitBlt(Canvas().Handle(), 0, 0, buffer.Width(), buffer.Height(), buffer.Canvas().Handle(), 0, 0,
           SRCCOPY);
}

void TbsGraphicSkinControl::RenderDefaultImage(TBitmap& bitmap) {
    if (bitmap.IsEmpty()) return;
    ui::FillColor(bitmap.Canvas(), ClientRect(), graphics::clBtnFace);
}

void TbsGraphicSkinControl::WndProc(ui::TMessage& message) {
    const bool designing = (ComponentState() & ui::csDesigning) != 0;
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
    ui::TGraphicControl::WndProc(message);
}

// ---------------------------------------------------------------------------------------------
// TbsGraphicSkinCustomControl

TbsGraphicSkinCustomControl::TbsGraphicSkinCustomControl(ui::TComponent* owner)
    : TbsGraphicSkinControl(owner) {
    defaultFont_.SetName("Arial");
    defaultFont_.SetHeight(14);
    defaultFont_.SetStyle(0);
    defaultFont_.SetOnChange([this](graphics::TGraphicsObject*) {
        DefaultFontChanged();
        if (index_ == -1) Invalidate();
    });
}

TbsGraphicSkinCustomControl::~TbsGraphicSkinCustomControl() {
    defaultFont_.SetOnChange(nullptr);
}

void TbsGraphicSkinCustomControl::SetDefaultWidth(int value) {
    defaultWidth_ = value;
    if (index_ == -1 && value > 0) SetBounds(Left(), Top(), value, Height());
}

void TbsGraphicSkinCustomControl::SetDefaultHeight(int value) {
    defaultHeight_ = value;
    if (index_ == -1 && value > 0) SetBounds(Left(), Top(), Width(), value);
}

void TbsGraphicSkinCustomControl::SetUseSkinFont(bool value) {
    useSkinFont_ = value;
    Invalidate();
}

void TbsGraphicSkinCustomControl::BindSkinObject() {
    TbsGraphicSkinControl::BindSkinObject();
    frame_.CopyFrom(SkinObject());
    if (index_ != -1) {
        int w = Width();
        int h = Height();
        ComputeSkinSize(w, h);
    }
}

void TbsGraphicSkinCustomControl::ComputeSkinSize(int& width, int& height) {
    if (index_ == -1) return;
    frame_.ComputeSize(width, height);
}

const TBitmap* TbsGraphicSkinCustomControl::SkinPicture() const {
    return index_ == -1 ? nullptr : SkinBitmap(SkinData(), frame_.PictureIndex);
}

void TbsGraphicSkinCustomControl::ApplySkinChange() {
    BindSkinObject();
    int w = Width();
    int h = Height();
    if (index_ == -1) {
        if (defaultWidth_ > 0) w = defaultWidth_;
        if (defaultHeight_ > 0) h = defaultHeight_;
    } else {
        ComputeSkinSize(w, h);
    }
    if (w != Width() || h != Height())
        SetBounds(Left(), Top(), w, h);
    else
        Invalidate();
}

void TbsGraphicSkinCustomControl::SetBounds(int left, int top, int width, int height) {
    if (Destroying()) {
        TbsGraphicSkinControl::SetBounds(left, top, width, height);
        return;
    }
    BindSkinObject();
    if (index_ != -1 && (width != Width() || height != Height())) ComputeSkinSize(width, height);
    const bool sized = width != Width() || height != Height();
    TbsGraphicSkinControl::SetBounds(left, top, width, height);
    if (sized) Invalidate();
}

void TbsGraphicSkinCustomControl::RenderSkinImage(TBitmap& bitmap) {
    const TBitmap* picture = SkinPicture();
    if (picture == nullptr) {
        RenderDefaultImage(bitmap);
        return;
    }
    frame_.Compose(bitmap, *picture, frame_.SkinRect, Width(), Height());
}

}  // namespace skinctrls
