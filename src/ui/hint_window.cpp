#include "ui/hint_window.h"

#include "graphics/bitmap.h"
#include "platform/user/user.h"
#include "ui/draw_utils.h"

namespace ui {

using namespace platform;

namespace {

// Room between the border and the text.
constexpr int kMarginX = 3;
constexpr int kMarginY = 2;
constexpr UINT kTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

}  // namespace

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetColor(graphics::clInfoBk);
    Font().SetColor(graphics::clInfoText);
    SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.style = WS_POPUP;
    params.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    params.parent = nullptr;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& text) {
    graphics::TBitmap probe;  // measures before the window has a canvas of its own
    probe.SetWidth(1);
    probe.SetHeight(1);
    probe.Canvas().Font().CopyFrom(&Font());
    RECT r{0, 0, maxWidth, 0};
    DrawText(probe.Canvas().Handle(), text.c_str(), -1, &r, kTextFlags | DT_CALCRECT);
    return graphics::Rect(0, 0, r.right + 2 * kMarginX + 2, r.bottom + 2 * kMarginY + 2);
}

void THintWindow::ActivateHint(const TRect& rect, const std::string& text) {
    SetCaption(text);
    SetBounds(rect.left, rect.top, rect.Width(), rect.Height());
    active_ = true;
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::ReleaseHint() {
    active_ = false;
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void THintWindow::Paint() {
    graphics::TCanvas& canvas = Canvas();
    const TRect all = ClientRect();
    FillColor(canvas, all, Color());
    canvas.Brush().SetColor(graphics::clInfoText);
    canvas.FrameRect(all);
    canvas.Font().CopyFrom(&Font());
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
    RECT r{all.left + 1 + kMarginX, all.top + 1 + kMarginY, all.right - 1 - kMarginX,
           all.bottom - 1 - kMarginY};
    SetTextColor(canvas.Handle(), graphics::ColorToRGB(canvas.Font().Color()));
    SetBkMode(canvas.Handle(), TRANSPARENT);
    DrawText(canvas.Handle(), Caption().c_str(), -1, &r, kTextFlags);
}

}  // namespace ui
