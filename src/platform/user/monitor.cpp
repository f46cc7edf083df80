// Monitors and the work area. The host shows one screen; it is the one monitor.
#include "platform/user/window.h"

namespace platform {

namespace {

const HMONITOR kPrimaryMonitor = reinterpret_cast<HMONITOR>(std::uintptr_t{0x7D000001});

RECT ScreenRect() {
    const HostRect screen = CurrentHost().ScreenBounds();
    return RECT{screen.left, screen.top, screen.right, screen.bottom};
}

// The host knows the real work area (the display's usable bounds); the drawing services keep
// the copy that GetSystemMetrics answers from.
RECT HostWorkArea() {
    const HostRect work = CurrentHost().WorkArea();
    RECT rect{work.left, work.top, work.right, work.bottom};
    SetWorkArea(rect);
    const RECT screen = ScreenRect();
    SetScreenSize(screen.right - screen.left, screen.bottom - screen.top);
    return rect;
}

HMONITOR Pick(bool onScreen, DWORD flags) {
    if (onScreen || flags != MONITOR_DEFAULTTONULL) return kPrimaryMonitor;
    return nullptr;
}

}  // namespace

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
    const RECT screen = ScreenRect();
    return Pick(PtInRect(&screen, point) != FALSE, flags);
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
    if (rect == nullptr) return nullptr;
    const RECT screen = ScreenRect();
    RECT overlap;
    return Pick(IntersectRect(&overlap, rect, &screen) != FALSE, flags);
}

HMONITOR MonitorFromWindow(HWND handle, DWORD flags) {
    RECT rect;
    if (!GetWindowRect(handle, &rect)) return Pick(false, flags);
    return MonitorFromRect(&rect, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
    if (monitor != kPrimaryMonitor || info == nullptr || info->cbSize < sizeof(MONITORINFO))
        return FALSE;
    info->rcMonitor = ScreenRect();
    info->rcWork = HostWorkArea();
    info->dwFlags = MONITORINFOF_PRIMARY;
    return TRUE;
}

BOOL SystemParametersInfo(UINT action, UINT, LPVOID pvParam, UINT) {
    if (action != SPI_GETWORKAREA || pvParam == nullptr) return FALSE;
    *static_cast<RECT*>(pvParam) = HostWorkArea();
    return TRUE;
}

BOOL SetClipboardText(const char* text) {
    CurrentHost().SetClipboardText(text != nullptr ? text : "");
    return TRUE;
}

std::string GetClipboardText() {
    return CurrentHost().ClipboardText();
}

}  // namespace platform
