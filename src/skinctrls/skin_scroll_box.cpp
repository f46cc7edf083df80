#include "skinctrls/skin_scroll_box.h"

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
    const TRect& cr = frame_.Geometry.ClRect;
    return graphics::Rect(cr.left, cr.top, frame_.SkinRect.Width() - cr.right,
                          frame_.SkinRect.Height() - cr.bottom);
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
    const bool sized = width != Width() || height != Height();
    TbsSkinCustomControl::SetBounds(left, top, width, height);
    if (sized && !Destroying() && HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
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
        TbsSkinFrame sized = frame_;
        int cw = w;
        int ch = h;
        sized.ComputeSize(cw, ch);
        sized.Compose(frame, *picture, frame_.SkinRect, w, h, false);
    }
    HDC dc = GetWindowDC(Handle());
    if (dc == nullptr) return;
    ExcludeClipRect(dc, widths.left, widths.top, w - widths.right, h - widths.bottom);
    BitBlt(dc, 0, 0, w, h, frame.Canvas().Handle(), 0, 0, SRCCOPY);
    ReleaseDC(Handle(), dc);
}

void TbsSkinScrollBox::RenderDefaultImage(TBitmap& bitmap) {
    if (bitmap.IsEmpty()) return;
    ui::FillColor(bitmap.Canvas(), graphics::Rect(0, 0, bitmap.Width(), bitmap.Height()), Color());
}

void TbsSkinScrollBox::RenderSkinImage(TBitmap& bitmap) {
    const TBitmap* picture = SkinPicture();
    if (picture == nullptr || bitmap.IsEmpty()) {
        RenderDefaultImage(bitmap);
        return;
    }
    const TRect client = graphics::Rect(0, 0, bitmap.Width(), bitmap.Height());
    TBitmap source;
    TRect piece;
    bool stretch = frame_.Geometry.StretchEffect;
    if (const TBitmap* background = SkinBitmap(SkinData(), bgPictureIndex_)) {
        source.CopyFrom(background);
        piece = graphics::Rect(0, 0, source.Width(), source.Height());
    } else {
        source.CopyFrom(picture);
        const TRect& cr = frame_.Geometry.ClRect;
        piece = graphics::Rect(frame_.SkinRect.left + cr.left, frame_.SkinRect.top + cr.top,
                               frame_.SkinRect.left + cr.right, frame_.SkinRect.top + cr.bottom);
    }
    bitmap.Canvas().Changing();
    FillByStretchType(bitmap.Canvas().Handle(), client, source.Canvas().Handle(), piece, stretch,
                      frame_.Geometry.StretchType);
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
