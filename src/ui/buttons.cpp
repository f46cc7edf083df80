#include "ui/buttons.h"

#include "platform/gdi/gdi.h"
#include "ui/draw_utils.h"

namespace ui {

using namespace platform;

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
    SetBounds(Left(), Top(), 75, 25);
    SetTabStop(true);
}

void TButton::Click() {
    // Drawn up again before the command runs (it may open a dialog).
    if (down_ || tracking_) {
        down_ = false;
        tracking_ = false;
        Invalidate();
    }
    if (modalResult_ != mrNone)
        if (TCustomForm* form = ParentForm()) form->SetModalResult(modalResult_);
    TCustomControl::Click();
}

void TButton::Paint() {
    TRect rect = ClientRect();
    FillColor(Canvas(), rect, Color());
    if (down_) {
        Frame3D(Canvas(), rect, graphics::clBtnShadow, graphics::clBtnHighlight);
    } else {
        Frame3D(Canvas(), rect, graphics::clBtnHighlight, graphics::clWindowFrame);
        TRect inner = graphics::Rect(rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
        Frame3D(Canvas(), inner, graphics::clBtnFace, graphics::clBtnShadow);
    }
    TRect text = rect;
    if (down_) {
        text.left += 1;
        text.top += 1;
        text.right += 1;
        text.bottom += 1;
    }
    Canvas().Font().CopyFrom(&Font());
    if (!Enabled()) Canvas().Font().SetColor(graphics::clGrayText);
    DrawCaption(Canvas(), Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && Enabled()) {
        tracking_ = true;
        down_ = true;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int x, int y) {
    if (tracking_) {
        bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
        if (inside != down_) {
            down_ = inside;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && tracking_) {
        tracking_ = false;
        down_ = false;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

}  // namespace ui
