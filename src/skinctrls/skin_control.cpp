#include "skinctrls/skin_control.h"

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "skin/mask_region.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using namespace platform;
using graphics::TBitmap;

void SelectControlFont(graphics::TFont& target, const graphics::TFont& defaultFont,
                       bool useSkinFont, const std::string& name, int height,
                       skin::TFontStyles style, const skin::TbsSkinData* data) {
    target.CopyFrom(&defaultFont);
    if (useSkinFont) {
        target.SetName(name);
        target.SetHeight(height);
        target.SetStyle(style);
    }
    if (data != nullptr && data->ResourceStrData() != nullptr)
        target.SetCharset(uint8_t(data->ResourceStrData()->CharSet()));
}

// ---------------------------------------------------------------------------------------------
// TbsSkinControl

TbsSkinControl::TbsSkinControl(ui::TComponent* owner) : ui::TCustomControl(owner) {}

TbsSkinControl::~TbsSkinControl() {
    if (skinData_ != nullptr) skinData_->RemoveFreeNotification(this);
}

void TbsSkinControl::SetSkinData(skin::TbsSkinData* value) {
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

void TbsSkinControl::Notification(ui::TComponent* component, ui::TOperation operation) {
    ui::TCustomControl::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && skinData_ != nullptr &&
        component == static_cast<ui::TComponent*>(skinData_)) {
        skinData_ = nullptr;
        index_ = -1;
    }
}

void TbsSkinControl::BindSkinObject() {
    index_ = SkinUsable() ? skinData_->GetControlIndex(skinDataName_) : -1;
}

const skin::TbsDataSkinControl* TbsSkinControl::SkinObject() const {
    if (index_ < 0 || !SkinUsable()) return nullptr;
    const auto& list = skinData_->CtrlList();
    if (size_t(index_) >= list.size()) return nullptr;
    return list[size_t(index_)].get();
}

void TbsSkinControl::ApplySkinChange() {
    BindSkinObject();
    Invalidate();
}

void TbsSkinControl::PaintTo(TBitmap& bitmap) {
    BindSkinObject();
    bitmap.SetWidth(Width());
    bitmap.SetHeight(Height());
    if (index_ == -1)
        RenderDefaultImage(bitmap);
    else
        RenderSkinImage(bitmap);
}

void TbsSkinControl::Paint() {
    if (Width() < 1 || Height() < 1) return;
    TBitmap buffer;
    PaintTo(buffer);
    if (buffer.IsEmpty()) return;
    BitBlt(Canvas().Handle(), 0, 0, buffer.Width(), buffer.Height(), buffer.Canvas().Handle(), 0, 0,
           SRCCOPY);
}

void TbsSkinControl::RenderDefaultImage(TBitmap& bitmap) {
    if (bitmap.IsEmpty()) return;
    ui::FillColor(bitmap.Canvas(), ClientRect(), graphics::clBtnFace);
}

void TbsSkinControl::TrackPointer(int x, int y) {
    bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (inside && !leaveTracked_ && HandleAllocated()) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, Handle(), 0};
        leaveTracked_ = TrackMouseEvent(&track) != FALSE;
    }
    if (inside != mouseOver_) Perform(inside ? ui::CM_MOUSEENTER : ui::CM_MOUSELEAVE, 0, 0);
}

void TbsSkinControl::WndProc(ui::TMessage& message) {
    const bool designing = (ComponentState() & ui::csDesigning) != 0;
    switch (message.Msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
            if (!designing)
                TrackPointer(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
            break;
        case WM_MOUSELEAVE:
            leaveTracked_ = false;
            // A captured pointer still reports where it is; the moves decide then.
            if (mouseOver_ && GetCapture() != Handle()) Perform(ui::CM_MOUSELEAVE, 0, 0);
            break;  // windowless children hear of it too
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
    ui::TCustomControl::WndProc(message);
}

// ---------------------------------------------------------------------------------------------
// TbsSkinCustomControl

TbsSkinCustomControl::TbsSkinCustomControl(ui::TComponent* owner) : TbsSkinControl(owner) {
    defaultFont_.SetName("Arial");
    defaultFont_.SetHeight(14);
    defaultFont_.SetStyle(0);
    defaultFont_.SetOnChange([this](graphics::TGraphicsObject*) {
        DefaultFontChanged();
        if (index_ == -1) Invalidate();
    });
}

TbsSkinCustomControl::~TbsSkinCustomControl() {
    defaultFont_.SetOnChange(nullptr);
    // The window owns its region and frees it with itself.
    region_ = nullptr;
}

void TbsSkinCustomControl::SetDefaultWidth(int value) {
    defaultWidth_ = value;
    if (index_ == -1 && value > 0) SetBounds(Left(), Top(), value, Height());
}

void TbsSkinCustomControl::SetDefaultHeight(int value) {
    defaultHeight_ = value;
    if (index_ == -1 && value > 0) SetBounds(Left(), Top(), Width(), value);
}

void TbsSkinCustomControl::SetUseSkinFont(bool value) {
    useSkinFont_ = value;
    Invalidate();
}

void TbsSkinCustomControl::BindSkinObject() {
    TbsSkinControl::BindSkinObject();
    frame_.CopyFrom(SkinObject());
    if (index_ != -1) {
        // The resized points follow the control's present size.
        int w = Width();
        int h = Height();
        ComputeSkinSize(w, h);
    }
}

void TbsSkinCustomControl::ComputeSkinSize(int& width, int& height) {
    if (index_ == -1) return;
    frame_.ComputeSize(width, height);
}

const TBitmap* TbsSkinCustomControl::SkinPicture() const {
    return index_ == -1 ? nullptr : SkinBitmap(SkinData(), frame_.PictureIndex);
}

const TBitmap* TbsSkinCustomControl::SkinMask() const {
    return index_ == -1 ? nullptr : SkinBitmap(SkinData(), frame_.MaskPictureIndex);
}

void TbsSkinCustomControl::ApplySkinChange() {
    BindSkinObject();
    if (index_ == -1) {
        int w = defaultWidth_ > 0 ? defaultWidth_ : Width();
        int h = defaultHeight_ > 0 ? defaultHeight_ : Height();
        if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
        UpdateWindowRegion();
        Invalidate();
        return;
    }
    int w = Width();
    int h = Height();
    ComputeSkinSize(w, h);
    if (w != Width() || h != Height()) {
        SetBounds(Left(), Top(), w, h);
    } else {
        UpdateWindowRegion();
        Invalidate();
    }
}

void TbsSkinCustomControl::SetBounds(int left, int top, int width, int height) {
    if (Destroying()) {
        TbsSkinControl::SetBounds(left, top, width, height);
        return;
    }
    BindSkinObject();
    if (index_ != -1 && (width != Width() || height != Height())) ComputeSkinSize(width, height);
    const bool sized = width != Width() || height != Height();
    TbsSkinControl::SetBounds(left, top, width, height);
    if (sized) {
        UpdateWindowRegion();
        Invalidate();
    }
    if (index_ != -1 && frame_.Geometry.StretchEffect) NotifyChildrenOfBackground();
}

void TbsSkinCustomControl::NotifyChildrenOfBackground() {
    for (int i = 0; i < ControlCount(); ++i) {
        ui::TControl* child = Controls(i);
        if (auto* win = dynamic_cast<ui::TWinControl*>(child);
            win != nullptr && win->HandleAllocated())
            SendMessage(win->Handle(), WM_PARENTBACKGROUNDCHANGED, 0, 0);
        else
            child->Perform(WM_PARENTBACKGROUNDCHANGED, 0, 0);
    }
}

void TbsSkinCustomControl::SetRegion(HRGN region) {
    if (!HandleAllocated()) {
        if (region != nullptr) DeleteObject(region);
        region_ = nullptr;
        return;
    }
    // The window takes the new region and frees the one it had.
    SetWindowRgn(Handle(), region, TRUE);
    region_ = region;
}

void TbsSkinCustomControl::UpdateWindowRegion() {
    if (Parent() == nullptr) return;
    const TBitmap* mask = SkinMask();
    if (mask == nullptr) {
        if (region_ != nullptr) SetRegion(nullptr);
        return;
    }
    // A mask as large as the skin rect stands for it alone; else it lies like the picture.
    TRect piece = frame_.SkinRect;
    if (mask->Width() == piece.Width() && mask->Height() == piece.Height())
        piece = graphics::Rect(0, 0, piece.Width(), piece.Height());
    TBitmap shaped;
    frame_.Compose(shaped, *mask, piece, Width(), Height());
    SetRegion(skin::RegionFromMask(shaped));
}

void TbsSkinCustomControl::CreateHandleDone() {
    TbsSkinControl::CreateHandleDone();
    if (SkinMask() != nullptr) UpdateWindowRegion();
}

void TbsSkinCustomControl::RenderSkinImage(TBitmap& bitmap) {
    const TBitmap* picture = SkinPicture();
    if (picture == nullptr) {
        RenderDefaultImage(bitmap);
        return;
    }
    bool drawClient = !(paintsOwnBackground_ && frame_.LayoutMode == TbsSkinLayoutMode::NinePart);
    frame_.Compose(bitmap, *picture, frame_.SkinRect, Width(), Height(), drawClient);
}

}  // namespace skinctrls
