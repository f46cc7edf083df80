#include "skinctrls/skin_control.h"

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "skin/mask_region.h"

namespace skinctrls {

using namespace platform;
using graphics::TBitmap;

// ---------------------------------------------------------------------------------------------
// TbsSkinControl

TbsSkinControl::TbsSkinControl(ui::TComponent* owner) : TbsSkinControlBase(owner) {}

void TbsSkinControl::TrackPointer(int x, int y) {
    bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (inside && !leaveTracked_ && HandleAllocated()) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, Handle(), 0};
        leaveTracked_ = TrackMouseEvent(&track) != FALSE;
    }
    if (inside != MouseOver()) Perform(inside ? ui::CM_MOUSEENTER : ui::CM_MOUSELEAVE, 0, 0);
}

void TbsSkinControl::WndProc(ui::TMessage& message) {
    switch (message.Msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
            if ((ComponentState() & ui::csDesigning) == 0)
                TrackPointer(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
            break;
        case WM_MOUSELEAVE:
            leaveTracked_ = false;
            // A captured pointer still reports where it is; the moves decide then.
            if (MouseOver() && GetCapture() != Handle()) Perform(ui::CM_MOUSELEAVE, 0, 0);
            break;  // windowless children hear of it too
        default:
            break;
    }
    TbsSkinControlBase::WndProc(message);
}

// ---------------------------------------------------------------------------------------------
// TbsSkinCustomControl

TbsSkinCustomControl::TbsSkinCustomControl(ui::TComponent* owner)
    : TbsSkinCustomControlBase(owner) {}

TbsSkinCustomControl::~TbsSkinCustomControl() {
    // The window owns its region and frees it with itself.
    region_ = nullptr;
}

const TBitmap* TbsSkinCustomControl::SkinMask() const {
    return index_ == -1 ? nullptr : SkinBitmap(SkinData(), skinLayout_.MaskPictureIndex);
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
    TRect piece = skinLayout_.SkinRect;
    if (mask->Width() == piece.Width() && mask->Height() == piece.Height())
        piece = graphics::Rect(0, 0, piece.Width(), piece.Height());
    TBitmap shaped;
    skinLayout_.Compose(shaped, *mask, piece, Width(), Height());
    SetRegion(skin::RegionFromMask(shaped));
}

void TbsSkinCustomControl::CreateHandleDone() {
    TbsSkinCustomControlBase::CreateHandleDone();
    if (SkinMask() != nullptr) UpdateWindowRegion();
}

}  // namespace skinctrls
