// DefWindowProc: what Windows does by default with the messages callers rely on.
#include <algorithm>

#include "platform/user/window.h"

namespace platform {

namespace {

HostCursor SizingCursorOf(LRESULT hit) {
    switch (hit) {
        case HTLEFT:
        case HTRIGHT:
            return HostCursor::SizeWE;
        case HTTOP:
        case HTBOTTOM:
            return HostCursor::SizeNS;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            return HostCursor::SizeNWSE;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            return HostCursor::SizeNESW;
        default:
            return HostCursor::Arrow;
    }
}

LRESULT DefaultSetCursor(Window* window, WPARAM wParam, LPARAM lParam) {
    if (window->parent != nullptr) {
        const HWND handle = window->handle;  // the parent's answer may destroy this window
        if (SendMessage(window->parent->handle, WM_SETCURSOR, wParam, lParam)) return TRUE;
        window = LiveWindow(handle);
        if (window == nullptr) return TRUE;
    }
    const LRESULT hit = SHORT(LOWORD(std::uintptr_t(lParam)));
    if (hit == HTCLIENT) {
        if (HCURSOR cursor = window->windowClass->info.hCursor) SetCursor(cursor);
        return FALSE;
    }
    const HostCursor shape = SizingCursorOf(hit);
    static const char* const kIds[] = {IDC_ARROW, IDC_SIZEWE, IDC_SIZENS, IDC_SIZENWSE,
                                       IDC_SIZENESW};
    const char* id = shape == HostCursor::SizeWE     ? kIds[1]
                     : shape == HostCursor::SizeNS   ? kIds[2]
                     : shape == HostCursor::SizeNWSE ? kIds[3]
                     : shape == HostCursor::SizeNESW ? kIds[4]
                                                     : kIds[0];
    SetCursor(LoadCursor(nullptr, id));
    return FALSE;
}

LRESULT DefaultEraseBackground(Window* window, HDC dc) {
    HBRUSH brush = window->windowClass->info.hbrBackground;
    if (brush == nullptr || dc == nullptr) return 0;
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value <= std::uintptr_t(kSysColorCount))
        brush = GetSysColorBrush(int(value) - 1);  // COLOR_* + 1
    RECT rect;
    GetClipBox(dc, &rect);
    FillRect(dc, &rect, brush);
    return 1;
}

// Whether the window's size passes through the minimum and maximum tracking sizes.
bool HasTrackingLimits(const Window* window) {
    if (!window->IsTopLevel()) return false;
    return (window->style & WS_THICKFRAME) || !(window->style & WS_POPUP);
}

void ClampToTrackingLimits(HWND handle, WINDOWPOS* pos) {
    const MINMAXINFO info = QueryMinMaxInfo(handle);
    Window* window = LiveWindow(handle);
    if (window == nullptr || (window->style & (WS_MAXIMIZE | WS_MINIMIZE))) return;
    pos->cx = std::clamp<int>(pos->cx, info.ptMinTrackSize.x, info.ptMaxTrackSize.x);
    pos->cy = std::clamp<int>(pos->cy, info.ptMinTrackSize.y, info.ptMaxTrackSize.y);
}

void DefaultWindowPosChanged(Window* window, const WINDOWPOS* pos) {
    const HWND handle = window->handle;
    if (!(pos->flags & SWP_NOMOVE)) {
        SendMessage(handle, WM_MOVE, 0,
                    MAKELPARAM(window->rect.left + window->client.left,
                               window->rect.top + window->client.top));
        window = LiveWindow(handle);
        if (window == nullptr) return;
    }
    if (!(pos->flags & SWP_NOSIZE) || (pos->flags & SWP_FRAMECHANGED)) {
        const WPARAM type = (window->style & WS_MAXIMIZE)   ? SIZE_MAXIMIZED
                            : (window->style & WS_MINIMIZE) ? SIZE_MINIMIZED
                                                            : SIZE_RESTORED;
        SendMessage(handle, WM_SIZE, type,
                    MAKELPARAM(window->client.right - window->client.left,
                               window->client.bottom - window->client.top));
    }
}

LRESULT DefaultSysCommand(HWND handle, WPARAM wParam, LPARAM) {
    switch (wParam & 0xFFF0) {
        case SC_MOVE:
        case SC_SIZE:
            RunSizeMoveLoop(handle, wParam);
            return 0;
        case SC_CLOSE:
            SendMessage(handle, WM_CLOSE, 0, 0);
            return 0;
        case SC_MINIMIZE:
            ShowWindow(handle, SW_MINIMIZE);
            return 0;
        case SC_MAXIMIZE:
            ShowWindow(handle, SW_SHOWMAXIMIZED);
            return 0;
        case SC_RESTORE:
            ShowWindow(handle, SW_RESTORE);
            return 0;
        default:
            return 0;
    }
}

LRESULT DefaultNcButtonDown(Window* window, WPARAM hit, LPARAM lParam) {
    const LRESULT code = LRESULT(hit);
    if (code == HTCAPTION) {
        return SendMessage(window->handle, WM_SYSCOMMAND, SC_MOVE + WPARAM(HTCAPTION), lParam);
    }
    if (code >= HTLEFT && code <= HTBOTTOMRIGHT && (window->style & WS_THICKFRAME)) {
        // HTLEFT..HTBOTTOMRIGHT map in order onto WMSZ_LEFT..WMSZ_BOTTOMRIGHT.
        return SendMessage(window->handle, WM_SYSCOMMAND, SC_SIZE + WPARAM(code - HTLEFT + 1),
                           lParam);
    }
    return 0;
}

}  // namespace

// NOLINTNEXTLINE(readability-function-size): a plain message switch
LRESULT DefWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return 0;
    switch (message) {
        case WM_NCCREATE:
            return TRUE;
        case WM_NCCALCSIZE:
            if (lParam != 0) DefaultNcCalcSize(window, reinterpret_cast<RECT*>(lParam));
            return 0;
        case WM_NCHITTEST:
            return DefaultHitTest(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_NCPAINT:
            PaintDefaultFrame(handle);
            return 0;
        case WM_NCACTIVATE:
            if (window->style & WS_CAPTION)
                RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(handle, &ps);
            EndPaint(handle, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return DefaultEraseBackground(window, reinterpret_cast<HDC>(wParam));
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            return DefaultTextMessage(window, message, wParam, lParam);
        case WM_SETCURSOR:
            return DefaultSetCursor(window, wParam, lParam);
        case WM_MOUSEACTIVATE:
            if (window->parent != nullptr) {
                const LRESULT result =
                    SendMessage(window->parent->handle, WM_MOUSEACTIVATE, wParam, lParam);
                if (result != 0) return result;
            }
            return MA_ACTIVATE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) SetFocus(handle);
            return 0;
        case WM_CLOSE:
            DestroyWindow(handle);
            return 0;
        case WM_SYSCOMMAND:
            return DefaultSysCommand(handle, wParam, lParam);
        case WM_NCLBUTTONDOWN:
            return DefaultNcButtonDown(window, wParam, lParam);
        case WM_NCLBUTTONDBLCLK:
            if (LRESULT(wParam) == HTCAPTION && (window->style & WS_MAXIMIZEBOX)) {
                SendMessage(handle, WM_SYSCOMMAND,
                            (window->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
            }
            return 0;
        case WM_RBUTTONUP: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(handle, &p);
            SendMessage(handle, WM_CONTEXTMENU, WPARAM(handle), MAKELPARAM(p.x, p.y));
            return 0;
        }
        case WM_NCRBUTTONUP:
            SendMessage(handle, WM_CONTEXTMENU, WPARAM(handle), lParam);
            return 0;
        case WM_CONTEXTMENU:
            if (window->parent != nullptr)
                SendMessage(window->parent->handle, WM_CONTEXTMENU, wParam, lParam);
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (wParam == WPARAM(VK_APPS)) SendMessage(handle, WM_CONTEXTMENU, WPARAM(handle), -1);
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == WPARAM(VK_F10) && GetKeyState(VK_SHIFT) < 0) {
                SendMessage(handle, WM_CONTEXTMENU, WPARAM(handle), -1);
            } else if (wParam == WPARAM(VK_F1) + 3 && (lParam & (LPARAM(1) << 29))) {
                SendMessage(Root(window)->handle, WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4
            }
            return 0;
        case WM_WINDOWPOSCHANGING: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (pos != nullptr && !(pos->flags & SWP_NOSIZE) && HasTrackingLimits(window)) {
                ClampToTrackingLimits(handle, pos);
            }
            return 0;
        }
        case WM_WINDOWPOSCHANGED:
            if (lParam != 0)
                DefaultWindowPosChanged(window, reinterpret_cast<const WINDOWPOS*>(lParam));
            return 0;
        case WM_CANCELMODE:
            if (State().capture == handle) ReleaseCapture();
            return 0;
        default:
            return 0;
    }
}

}  // namespace platform
