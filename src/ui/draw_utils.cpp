#include "ui/draw_utils.h"

#include "graphics/color.h"
#include "platform/gdi/gdi.h"

namespace ui {

using namespace platform;

void FillColor(graphics::TCanvas& canvas, const graphics::TRect& rect, graphics::TColor color) {
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(rect);
}

void Frame3D(graphics::TCanvas& canvas, const graphics::TRect& r, graphics::TColor topLeft,
             graphics::TColor bottomRight) {
    if (r.IsEmpty()) return;
    FillColor(canvas, graphics::Rect(r.left, r.top, r.right, r.top + 1), topLeft);
    FillColor(canvas, graphics::Rect(r.left, r.top, r.left + 1, r.bottom), topLeft);
    FillColor(canvas, graphics::Rect(r.left, r.bottom - 1, r.right, r.bottom), bottomRight);
    FillColor(canvas, graphics::Rect(r.right - 1, r.top, r.right, r.bottom), bottomRight);
}

void DrawCaption(graphics::TCanvas& canvas, const std::string& text, graphics::TRect rect,
                 unsigned format) {
    if (text.empty()) return;
    canvas.EnsureDrawState();
    HDC dc = canvas.Handle();
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, graphics::ColorToRGB(canvas.Font().Color()));
    RECT r = rect.ToRECT();
    DrawText(dc, text.c_str(), int(text.size()), &r, format);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

}  // namespace ui
