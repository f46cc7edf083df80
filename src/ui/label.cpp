#include "ui/label.h"

#include "platform/gdi/gdi.h"
#include "ui/draw_utils.h"

namespace ui {

using namespace platform;

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetParentColor(true);
    SetBounds(Left(), Top(), 65, 17);
}

unsigned TLabel::TextFormat() const {
    unsigned format = DT_EXPANDTABS;
    if (wordWrap_) format |= DT_WORDBREAK;
    if (alignment_ == TAlignment::taCenter) format |= DT_CENTER;
    if (alignment_ == TAlignment::taRightJustify) format |= DT_RIGHT;
    return format;
}

void TLabel::Paint() {
    TRect rect = ClientRect();
    if (!transparent_) FillColor(Canvas(), rect, Color());
    Canvas().Font().CopyFrom(&Font());
    if (!Enabled()) Canvas().Font().SetColor(graphics::clGrayText);
    DrawCaption(Canvas(), Caption(), rect, TextFormat());
}

void TLabel::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    TControlStyle style = ControlStyle();
    SetControlStyle(value ? (style & ~TControlStyle(csOpaque)) : (style | csOpaque));
    Invalidate();
}

void TLabel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value) {
    wordWrap_ = value;
    AdjustSize();
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    AdjustSize();
}

void TLabel::TextChanged() {
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustSize();
}

void TLabel::AdjustSize() {
    if (!autoSize_) return;
    // Measure on a screen context with the label's font.
    HDC dc = GetDC(nullptr);
    if (dc == nullptr) return;
    HGDIOBJ old = SelectObject(dc, Font().Handle());
    RECT rect{0, 0, wordWrap_ ? Width() : 0, 0};
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    DrawText(dc, text.c_str(), int(text.size()), &rect, TextFormat() | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    SetBounds(Left(), Top(), rect.right - rect.left, rect.bottom - rect.top);
}

}  // namespace ui
