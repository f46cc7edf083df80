#include "ui/panels.h"

#include "platform/gdi/gdi.h"
#include "ui/draw_utils.h"

namespace ui {

using namespace platform;

namespace {

void DrawBevel(graphics::TCanvas& canvas, TRect rect, TBevelStyle style) {
    switch (style) {
        case TBevelStyle::bvLowered:
            Frame3D(canvas, rect, graphics::clBtnShadow, graphics::clBtnHighlight);
            break;
        case TBevelStyle::bvRaised:
            Frame3D(canvas, rect, graphics::clBtnHighlight, graphics::clBtnShadow);
            break;
        case TBevelStyle::bvFrame:
            Frame3D(canvas, rect, graphics::clBtnShadow, graphics::clBtnShadow);
            break;
        default:
            break;
    }
}

TRect Inset(TRect rect, int by) {
    return graphics::Rect(rect.left + by, rect.top + by, rect.right - by, rect.bottom - by);
}

}  // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(Left(), Top(), 185, 41);
}

void TPanel::SetBorderStyle(TBevelStyle value) {
    borderStyle_ = value;
    Realign();
    Invalidate();
}

void TPanel::SetShowCaption(bool value) {
    showCaption_ = value;
    Invalidate();
}

void TPanel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

TRect TPanel::AlignRect() const {
    return Inset(ClientRect(), BorderWidth());
}

void TPanel::Paint() {
    TRect rect = ClientRect();
    FillColor(Canvas(), rect, Color());
    DrawBevel(Canvas(), rect, borderStyle_);
    if (!showCaption_) return;
    unsigned format = DT_VCENTER | DT_SINGLELINE;
    if (alignment_ == TAlignment::taCenter) format |= DT_CENTER;
    if (alignment_ == TAlignment::taRightJustify) format |= DT_RIGHT;
    Canvas().Font().CopyFrom(&Font());
    DrawCaption(Canvas(), Caption(), Inset(rect, BorderWidth() + 1), format);
}

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetBounds(Left(), Top(), 185, 105);
}

TRect TGroupBox::AlignRect() const {
    TRect rect = ClientRect();
    return graphics::Rect(rect.left + 2, rect.top + 16, rect.right - 2, rect.bottom - 2);
}

void TGroupBox::Paint() {
    TRect rect = ClientRect();
    FillColor(Canvas(), rect, Color());
    Canvas().Font().CopyFrom(&Font());
    int textHeight = Caption().empty() ? 0 : Canvas().TextHeight(Caption());
    int frameTop = textHeight / 2;
    // An etched frame: shadow line with a highlight inside.
    TRect outer = graphics::Rect(rect.left, rect.top + frameTop, rect.right - 1, rect.bottom - 1);
    Frame3D(Canvas(), outer, graphics::clBtnShadow, graphics::clBtnShadow);
    TRect inner = graphics::Rect(rect.left + 1, rect.top + frameTop + 1, rect.right, rect.bottom);
    Frame3D(Canvas(), inner, graphics::clBtnHighlight, graphics::clBtnHighlight);
    if (Caption().empty()) return;
    int textWidth = Canvas().TextWidth(Caption());
    TRect textRect = graphics::Rect(8, 0, 8 + textWidth + 4, textHeight);
    FillColor(Canvas(), textRect, Color());
    DrawCaption(Canvas(), Caption(), graphics::Rect(10, 0, 10 + textWidth, textHeight),
                DT_LEFT | DT_SINGLELINE);
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(Left(), Top(), 185, 41);
}

void TScrollBox::SetBorderStyle(TBevelStyle value) {
    borderStyle_ = value;
    Realign();
    Invalidate();
}

TRect TScrollBox::AlignRect() const {
    return Inset(ClientRect(), borderStyle_ == TBevelStyle::bvNone ? 0 : 1);
}

void TScrollBox::PaintWindow(HDC dc) {
    if (borderStyle_ == TBevelStyle::bvNone) return;
    graphics::TCanvas canvas;
    canvas.SetHandle(dc);
    DrawBevel(canvas, ClientRect(), borderStyle_);
    canvas.SetHandle(nullptr);
}

}  // namespace ui
