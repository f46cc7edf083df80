#include "skinctrls/default_look.h"

#include "platform/gdi/gdi.h"
#include "ui/draw_utils.h"

namespace skinctrls {

void DrawPlainFace(graphics::TCanvas& canvas, const graphics::TRect& rect, bool down, bool hot) {
    graphics::TColor frame = graphics::clBtnShadow;
    graphics::TColor fill = graphics::clBtnFace;
    if (down) {
        frame = kPlainDownFrame;
        fill = kPlainDownFill;
    } else if (hot) {
        frame = kPlainDownFrame;
        fill = kPlainHotFill;
    }
    ui::FillColor(canvas, rect, fill);
    canvas.Brush().SetColor(frame);
    canvas.FrameRect(rect);
}

void DrawFocusFrame(graphics::TCanvas& canvas, const graphics::TRect& rect) {
    canvas.Changing();
    const platform::RECT r = rect.ToRECT();
    platform::DrawFocusRect(canvas.Handle(), &r);
    canvas.Changed();
}

}  // namespace skinctrls
