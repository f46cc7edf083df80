#include "skinctrls/skin_scroll_box.h"

#include <algorithm>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using namespace platform;
using graphics::TBitmap;

TbsSkinScrollBox::TbsSkinScrollBox(ui::TComponent* owner) : TbsSkinCustomControl(owner) {
    SetSkinDataName("scrollbox");
    SetBounds(Left(), Top(), 150, 150);
}

void TbsSkinScrollBox::SetBorderStyle(TbsSkinBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    FrameChanged();
}

void TbsSkinScrollBox::BindSkinObject() {
    TbsSkinCustomControl::BindSkinObject();
    const auto* object = dynamic_cast<const skin::TbsDataSkinScrollBoxControl*>(SkinObject());
    bgPictureIndex_ = object != nullptr ? object->BGPictureIndex : -1;
}

TRect TbsSkinScrollBox::BorderWidths() {
    BindSkinObject();
    if (borderStyle_ == TbsSkinBorderStyle::bvNone) return {};
    if (index_ == -1) return graphics::Rect(1, 1, 1, 1);
    if (bgPictureIndex_ != -1 || SkinPicture() == nullptr) return {};
    const TRect& cr = skinLayout_.Geometry.ClRect;
    return graphics::Rect(cr.left, cr.top, skinLayout_.SkinRect.Width() - cr.right,
                          skinLayout_.SkinRect.Height() - cr.bottom);
}

void TbsSkinScrollBox::FrameChanged() {
    if (!HandleAllocated()) return;
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Realign();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void TbsSkinScrollBox::ApplySkinChange() {
    TbsSkinCustomControl::ApplySkinChange();
    FrameChanged();
}

void TbsSkinScrollBox::SetBounds(int left, int top, int width, int height) {
    const int oldWidth = Width();
    const int oldHeight = Height();
    TbsSkinCustomControl::SetBounds(left, top, width, height);
    if (Destroying()) return;
    const bool sized = Width() != oldWidth || Height() != oldHeight;
    if (sized && HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    widthGrowth_ = std::max(Width() - oldWidth, 0);
    heightGrowth_ = std::max(Height() - oldHeight, 0);
    UpdateScrollBars();
}

// ---- scroll bars ----

void TbsSkinScrollBox::SetHScrollBar(TbsSkinScrollBar* bar) {
    AttachBar(bar, false);
}
void TbsSkinScrollBox::SetVScrollBar(TbsSkinScrollBar* bar) {
    AttachBar(bar, true);
}

void TbsSkinScrollBox::AttachBar(TbsSkinScrollBar* bar, bool vertical) {
    TbsSkinScrollBar*& slot = vertical ? vBar_ : hBar_;
    if (slot != nullptr) slot->RemoveFreeNotification(this);
    slot = bar;
    if (bar == nullptr) return;
    bar->FreeNotification(this);
    bar->SetCanFocused(false);
    bar->SetEnabled(true);
    bar->Hide();
    (vertical ? lastVPos_ : lastHPos_) = bar->Position();
    bar->OnChange = [this, vertical](ui::TComponent*) {
        TbsSkinScrollBar* b = vertical ? vBar_ : hBar_;
        if (b == nullptr) return;
        int& last = vertical ? lastVPos_ : lastHPos_;
        int delta = b->Position() - last;
        last = b->Position();
        if (vertical)
            ScrollContent(0, delta);
        else
            ScrollContent(delta, 0);
    };
    bar->OnLastChange = [this](ui::TComponent*) { Invalidate(); };
    UpdateScrollBars();
}

void TbsSkinScrollBox::Notification(ui::TComponent* component, ui::TOperation operation) {
    TbsSkinCustomControl::Notification(component, operation);
    if (operation != ui::TOperation::opRemove) return;
    if (component == hBar_) hBar_ = nullptr;
    if (component == vBar_) vBar_ = nullptr;
}

void TbsSkinScrollBox::VisibleChanged() {
    TbsSkinCustomControl::VisibleChanged();
    for (TbsSkinScrollBar* bar : {hBar_, vBar_})
        if (bar != nullptr) bar->SetVisible(Visible() && bar->Visible());
    if (!Visible()) return;
    UpdateScrollBars();
}

void TbsSkinScrollBox::ScrollContent(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    for (int i = 0; i < ControlCount(); ++i) {
        ui::TControl* child = Controls(i);
        if (child->Align() != ui::TAlign::alNone) continue;
        child->SetBounds(child->Left() - dx, child->Top() - dy, child->Width(), child->Height());
    }
    Realign();
    if (skinLayout_.Geometry.StretchEffect) Invalidate();
}

TRect TbsSkinScrollBox::AlignRect() const {
    TRect r = ClientRect();
    if (vBar_ != nullptr && vBar_->Visible()) {
        int height = std::max(vBar_->Max(), r.Height());
        r.top -= vBar_->Position();
        r.bottom = r.top + height;
    }
    if (hBar_ != nullptr && hBar_->Visible()) {
        int width = std::max(hBar_->Max(), r.Width());
        r.left -= hBar_->Position();
        r.right = r.left + width;
    }
    return r;
}

bool TbsSkinScrollBox::AdjustBar(TbsSkinScrollBar* bar, bool vertical) {
    if (bar == nullptr) return false;
    const bool wasVisible = bar->Visible();
    int extent = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        ui::TControl* child = Controls(i);
        if (!child->Visible()) continue;
        extent = std::max(
            extent, vertical ? child->Top() + child->Height() : child->Left() + child->Width());
    }
    const int view = vertical ? ClientHeight() : ClientWidth();
    int& last = vertical ? lastVPos_ : lastHPos_;
    int& growth = vertical ? heightGrowth_ : widthGrowth_;
    const int p = bar->Position();
    auto scroll = [&](int delta) {
        if (vertical)
            ScrollContent(0, delta);
        else
            ScrollContent(delta, 0);
    };
    if (view < extent + p) {
        if (!bar->Visible()) bar->Show();
        int newMax = p + extent - 1;
        int back = 0;
        if (growth > 0 && p > 0 && extent < view)
            back = std::min(growth, p);
        else if (growth == 0 && p > 0 && extent < view && newMax < bar->Max())
            back = std::min(p, view - extent);
        if (back > 0) scroll(-back);
        last = p - back;
        bar->SetRange(0, newMax, view, p - back);
    } else {
        scroll(-p);
        last = 0;
        bar->SetRange(0, 0, 0, 0);
        bar->Hide();
    }
    growth = 0;
    return wasVisible != bar->Visible();
}

void TbsSkinScrollBox::UpdateScrollBars() {
    if (adjusting_ || (hBar_ == nullptr && vBar_ == nullptr)) return;
    adjusting_ = true;
    bool changed = AdjustBar(vBar_, true);
    changed = AdjustBar(hBar_, false) || changed;
    if (hBar_ != nullptr && vBar_ != nullptr) hBar_->SetBoth(vBar_->Visible());
    adjusting_ = false;
    if (changed && Align() != ui::TAlign::alNone && Parent() != nullptr) Parent()->Realign();
    Realign();
}

void TbsSkinScrollBox::PaintBorder() {
    TRect widths = BorderWidths();
    if (widths == TRect{} || !HandleAllocated()) return;
    const int w = Width();
    const int h = Height();
    TBitmap frame;
    frame.SetWidth(w);
    frame.SetHeight(h);
    if (index_ == -1) {
        graphics::TCanvas& canvas = frame.Canvas();
        switch (borderStyle_) {
            case TbsSkinBorderStyle::bvFrame:
                ui::Frame3D(canvas, graphics::Rect(0, 0, w, h), graphics::clBtnShadow,
                            graphics::clBtnShadow);
                break;
            case TbsSkinBorderStyle::bvRaised:
                ui::Frame3D(canvas, graphics::Rect(0, 0, w, h), graphics::clBtnShadow,
                            graphics::clBtnHighlight);
                break;
            case TbsSkinBorderStyle::bvLowered:
                ui::Frame3D(canvas, graphics::Rect(0, 0, w, h), graphics::clBtnHighlight,
                            graphics::clBtnShadow);
                break;
            case TbsSkinBorderStyle::bvNone:
                break;
        }
    } else if (const TBitmap* picture = SkinPicture()) {
        TbsSkinLayout sized = skinLayout_;
        int cw = w;
        int ch = h;
        sized.ComputeSize(cw, ch);
        sized.Compose(frame, *picture, skinLayout_.SkinRect, w, h, false);
    }
    HDC dc = GetWindowDC(Handle());
    if (dc == nullptr) return;
    ExcludeClipRect(dc, widths.left, widths.top, w - widths.right, h - widths.bottom);
    BitBlt(dc, 0, 0, w, h, frame.Canvas().Handle(), 0, 0, SRCCOPY);
    ReleaseDC(Handle(), dc);
}

void TbsSkinScrollBox::FitToClient(TBitmap& bitmap) const {
    // The border lies outside the client area, so the painted image is the client's size.
    bitmap.SetWidth(ClientWidth());
    bitmap.SetHeight(ClientHeight());
}

void TbsSkinScrollBox::RenderDefaultImage(TBitmap& bitmap) {
    FitToClient(bitmap);
    if (bitmap.IsEmpty()) return;
    ui::FillColor(bitmap.Canvas(), graphics::Rect(0, 0, bitmap.Width(), bitmap.Height()), Color());
}

void TbsSkinScrollBox::RenderSkinImage(TBitmap& bitmap) {
    FitToClient(bitmap);
    const TBitmap* picture = SkinPicture();
    if (picture == nullptr || bitmap.IsEmpty()) {
        RenderDefaultImage(bitmap);
        return;
    }
    const TRect client = graphics::Rect(0, 0, bitmap.Width(), bitmap.Height());
    TBitmap source;
    TRect piece;
    bool stretch = skinLayout_.Geometry.StretchEffect;
    if (const TBitmap* background = SkinBitmap(SkinData(), bgPictureIndex_)) {
        source.CopyFrom(background);
        piece = graphics::Rect(0, 0, source.Width(), source.Height());
    } else {
        source.CopyFrom(picture);
        const TRect& cr = skinLayout_.Geometry.ClRect;
        piece = graphics::Rect(
            skinLayout_.SkinRect.left + cr.left, skinLayout_.SkinRect.top + cr.top,
            skinLayout_.SkinRect.left + cr.right, skinLayout_.SkinRect.top + cr.bottom);
    }
    bitmap.Canvas().Changing();
    FillByStretchType(bitmap.Canvas().Handle(), client, source.Canvas().Handle(), piece, stretch,
                      skinLayout_.Geometry.StretchType);
    bitmap.Canvas().Changed();
}

void TbsSkinScrollBox::WndProc(ui::TMessage& message) {
    switch (message.Msg) {
        case WM_NCCALCSIZE: {
            // The first rectangle is the window's; the client area is what the border leaves.
            auto* rect = reinterpret_cast<RECT*>(message.LParam);
            TRect widths = BorderWidths();
            rect->left += widths.left;
            rect->top += widths.top;
            rect->right -= widths.right;
            rect->bottom -= widths.bottom;
            message.Result = 0;
            return;
        }
        case WM_NCPAINT:
            PaintBorder();
            message.Result = 0;
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (canFocused_ && !Focused()) {
                if (CanFocus()) SetFocus();
                if (!Focused()) return;
            }
            break;
        default:
            break;
    }
    TbsSkinCustomControl::WndProc(message);
}

}  // namespace skinctrls
