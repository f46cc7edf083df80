// The plain frame Windows gives a window by default: its size from the styles, hit testing
// of borders and caption, painting, and the default size limits.
#include <algorithm>

#include "platform/user/window.h"

namespace platform {

namespace {

int Metric(int index, int fallback) {
    const int value = GetSystemMetrics(index);
    return value > 0 ? value : fallback;
}

bool HasCaption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

int FrameWidth(DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME) return Metric(SM_CXFRAME, 4);
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) return Metric(SM_CXDLGFRAME, 3);
    if (style & WS_BORDER) return Metric(SM_CXBORDER, 1);
    return 0;
}

int EdgeWidth(DWORD exStyle) {
    if (exStyle & WS_EX_CLIENTEDGE) return Metric(SM_CXEDGE, 2);
    if (exStyle & WS_EX_STATICEDGE) return 1;
    return 0;
}

// The caption text keeps this distance from both ends of the bar.
constexpr int kCaptionTextInset = 4;

}  // namespace

int CaptionBarWidthFor(const std::string& text) {
    // Window DCs start with the system font, which the caption is drawn in.
    HDC dc = CreateCompatibleDC(nullptr);
    RECT r{0, 0, 0, 0};
    DrawText(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    DeleteDC(dc);
    return int(r.right - r.left) + 2 * kCaptionTextInset;
}

int CaptionHeight(DWORD style, DWORD exStyle) {
    if (!HasCaption(style)) return 0;
    return (exStyle & WS_EX_TOOLWINDOW) ? Metric(SM_CYSMCAPTION, 16) : Metric(SM_CYCAPTION, 19);
}

void DefaultNcCalcSize(const Window* window, RECT* rect) {
    const int frame = FrameWidth(window->style, window->exStyle);
    const int edge = EdgeWidth(window->exStyle);
    const int caption = CaptionHeight(window->style, window->exStyle);
    rect->left += frame + edge;
    rect->right -= frame + edge;
    rect->top += frame + caption + edge;
    rect->bottom -= frame + edge;
    rect->right = std::max(rect->right, rect->left);
    rect->bottom = std::max(rect->bottom, rect->top);
}

LRESULT DefaultHitTest(Window* window, POINT screen) {
    const POINT origin = WindowScreenOrigin(window);
    const int x = screen.x - origin.x;
    const int y = screen.y - origin.y;
    const int w = window->Width();
    const int h = window->Height();
    if (x < 0 || y < 0 || x >= w || y >= h) return HTNOWHERE;
    if (window->hasRegion && !window->region.Contains(x, y)) return HTNOWHERE;
    if (PtInRect(&window->client, POINT{x, y})) return HTCLIENT;
    const int frame = FrameWidth(window->style, window->exStyle);
    const int caption = CaptionHeight(window->style, window->exStyle);
    const bool inFrame = x < frame || y < frame || x >= w - frame || y >= h - frame;
    if (inFrame) {
        if (!(window->style & WS_THICKFRAME) || (window->style & WS_MAXIMIZE)) return HTBORDER;
        // The corner zones reach along the edges as far as a caption is high.
        const int corner = frame + std::max(caption, Metric(SM_CYCAPTION, 19));
        if (x < frame) return y < corner ? HTTOPLEFT : y >= h - corner ? HTBOTTOMLEFT : HTLEFT;
        if (x >= w - frame)
            return y < corner ? HTTOPRIGHT : y >= h - corner ? HTBOTTOMRIGHT : HTRIGHT;
        if (y < frame) return x < corner ? HTTOPLEFT : x >= w - corner ? HTTOPRIGHT : HTTOP;
        return x < corner ? HTBOTTOMLEFT : x >= w - corner ? HTBOTTOMRIGHT : HTBOTTOM;
    }
    if (caption > 0 && y >= frame && y < frame + caption) return HTCAPTION;
    return HTBORDER;
}

MINMAXINFO QueryMinMaxInfo(HWND handle) {
    MINMAXINFO info{};
    Window* window = LiveWindow(handle);
    if (window == nullptr) return info;
    const int frame = FrameWidth(window->style, window->exStyle);
    RECT work = GetWorkArea();
    MONITORINFO monitor{sizeof(MONITORINFO), {}, {}, 0};
    if (GetMonitorInfo(MonitorFromWindow(handle, MONITOR_DEFAULTTONEAREST), &monitor))
        work = monitor.rcWork;
    const int screenWidth = Metric(SM_CXSCREEN, 1024);
    const int screenHeight = Metric(SM_CYSCREEN, 768);
    info.ptMaxSize = POINT{work.right - work.left + 2 * frame, work.bottom - work.top + 2 * frame};
    info.ptMaxPosition = POINT{-frame, -frame};
    info.ptMinTrackSize = POINT{Metric(SM_CXMINTRACK, 112), Metric(SM_CYMINTRACK, 27)};
    info.ptMaxTrackSize = POINT{screenWidth + 2 * frame + 4, screenHeight + 2 * frame + 4};
    SendMessage(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    info.ptMinTrackSize.x = std::max<LONG>(info.ptMinTrackSize.x, 0);
    info.ptMinTrackSize.y = std::max<LONG>(info.ptMinTrackSize.y, 0);
    info.ptMaxTrackSize.x = std::max(info.ptMaxTrackSize.x, info.ptMinTrackSize.x);
    info.ptMaxTrackSize.y = std::max(info.ptMaxTrackSize.y, info.ptMinTrackSize.y);
    return info;
}

void PaintDefaultFrame(HWND handle) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return;
    const int frame = FrameWidth(window->style, window->exStyle);
    const int edge = EdgeWidth(window->exStyle);
    const int caption = CaptionHeight(window->style, window->exStyle);
    if (frame == 0 && edge == 0 && caption == 0) return;
    HDC dc = GetWindowDC(handle);
    if (dc == nullptr) return;
    const int w = window->Width();
    const int h = window->Height();
    ExcludeClipRect(dc, window->client.left, window->client.top, window->client.right,
                    window->client.bottom);
    RECT all{0, 0, w, h};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (window->style & WS_BORDER || frame > 0) {
        FrameRect(dc, &all,
                  GetSysColorBrush((window->style & WS_THICKFRAME) ? COLOR_ACTIVEBORDER
                                                                   : COLOR_WINDOWFRAME));
        if (frame > 1) FrameRect(dc, &all, GetSysColorBrush(COLOR_3DDKSHADOW));
    }
    if (caption > 0) {
        const bool active = State().active == Root(window)->handle;
        RECT bar{frame, frame, w - frame, frame + caption - 1};
        FillRect(dc, &bar, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        if (!window->text.empty()) {
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
            RECT textRect{bar.left + kCaptionTextInset, bar.top, bar.right - kCaptionTextInset,
                          bar.bottom};
            DrawText(dc, window->text.c_str(), int(window->text.size()), &textRect,
                     DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
    if (edge > 0) {
        RECT sunken{window->client.left - edge, window->client.top - edge,
                    window->client.right + edge, window->client.bottom + edge};
        HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
        HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
        RECT top{sunken.left, sunken.top, sunken.right, sunken.top + 1};
        RECT left{sunken.left, sunken.top, sunken.left + 1, sunken.bottom};
        RECT bottom{sunken.left, sunken.bottom - 1, sunken.right, sunken.bottom};
        RECT right{sunken.right - 1, sunken.top, sunken.right, sunken.bottom};
        FillRect(dc, &top, shadow);
        FillRect(dc, &left, shadow);
        FillRect(dc, &bottom, light);
        FillRect(dc, &right, light);
    }
    ReleaseDC(handle, dc);
}

}  // namespace platform
