// The modal move and size loop that a left press on the caption or a border starts: the
// window follows the pointer until the button is released (Escape puts it back), other
// messages, timers and worker calls keep being served meanwhile.
#include <algorithm>

#include "platform/user/window.h"

namespace platform {

namespace {

RECT ParentRectOf(HWND handle) {
    Window* window = FromHandle(handle);
    return window != nullptr ? window->rect : RECT{};
}

// The rectangle for a pointer offset (dx, dy) from the start, sizing the edges in `edge`.
RECT SizedRect(const RECT& start, WPARAM edge, int dx, int dy, const MINMAXINFO& info) {
    RECT r = start;
    const bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    const bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
    const bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    const bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
    const int minW = info.ptMinTrackSize.x;
    const int minH = info.ptMinTrackSize.y;
    const int maxW = info.ptMaxTrackSize.x;
    const int maxH = info.ptMaxTrackSize.y;
    if (left) r.left = std::clamp<int>(start.left + dx, start.right - maxW, start.right - minW);
    if (right) r.right = std::clamp<int>(start.right + dx, start.left + minW, start.left + maxW);
    if (top) r.top = std::clamp<int>(start.top + dy, start.bottom - maxH, start.bottom - minH);
    if (bottom) r.bottom = std::clamp<int>(start.bottom + dy, start.top + minH, start.top + maxH);
    return r;
}

}  // namespace

void RunSizeMoveLoop(HWND handle, WPARAM command) {
    Window* window = LiveWindow(handle);
    if (window == nullptr || (window->style & (WS_MAXIMIZE | WS_MINIMIZE))) return;
    const bool moving = (command & 0xFFF0) == SC_MOVE;
    const WPARAM edge = command & 0x000F;
    if (!moving && (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT)) return;
    if (GetKeyState(VK_LBUTTON) >= 0 && GetAsyncKeyState(VK_LBUTTON) >= 0)
        return;  // button already up

    POINT start;
    GetCursorPos(&start);
    const RECT original = ParentRectOf(handle);
    MINMAXINFO info = QueryMinMaxInfo(handle);
    if (LiveWindow(handle) == nullptr) return;
    SetCapture(handle);
    SendMessage(handle, WM_ENTERSIZEMOVE, 0, 0);

    MSG msg;
    bool quit = false;
    while (LiveWindow(handle) != nullptr && GetCapture() == handle) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            quit = true;
            break;
        }
        const bool ours = msg.hwnd == handle;
        if (ours && msg.message == WM_LBUTTONUP) break;
        if (msg.message == WM_KEYDOWN &&
            (msg.wParam == WPARAM(VK_ESCAPE) || msg.wParam == WPARAM(VK_RETURN))) {
            if (msg.wParam == WPARAM(VK_ESCAPE)) {
                SetWindowPos(handle, nullptr, original.left, original.top,
                             original.right - original.left, original.bottom - original.top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
            break;
        }
        if (ours && msg.message == WM_MOUSEMOVE) {
            const int dx = msg.pt.x - start.x;
            const int dy = msg.pt.y - start.y;
            RECT r;
            if (moving) {
                r = original;
                OffsetRect(&r, dx, dy);
                SendMessage(handle, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
            } else {
                r = SizedRect(original, edge, dx, dy, info);
                SendMessage(handle, WM_SIZING, edge, reinterpret_cast<LPARAM>(&r));
            }
            if (LiveWindow(handle) == nullptr) break;
            SetWindowPos(handle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : 0));
            continue;
        }
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && ours) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (GetCapture() == handle) ReleaseCapture();
    if (LiveWindow(handle) != nullptr) SendMessage(handle, WM_EXITSIZEMOVE, 0, 0);
    if (quit) PostQuitMessage(int(msg.wParam));
}

}  // namespace platform
