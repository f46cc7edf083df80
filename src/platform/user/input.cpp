// Mouse and keyboard routing: which window gets an input event and as which message, the key
// state, cursors and mouse-leave tracking.
#include <array>
#include <cstdlib>

#include "core/utf8.h"
#include "platform/user/input_internal.h"
#include "platform/user/queue_internal.h"
#include "platform/user/window.h"

namespace platform {

namespace {

constexpr UINT kDoubleClickTime = 500;
constexpr int kDoubleClickDistance = 4;

struct InputState {
    std::array<BYTE, 256> syncKeys{};   // as of the last message removed from the queue
    std::array<BYTE, 256> asyncKeys{};  // as of the last event the host reported
    POINT cursor{0, 0};
    HCURSOR currentCursor = nullptr;
    // Mouse-leave tracking.
    HWND tracked = nullptr;
    bool trackedNonClient = false;
    // Double clicks.
    HWND lastClickWindow = nullptr;
    UINT lastClickMessage = 0;
    DWORD lastClickTime = 0;
    POINT lastClickPoint{0, 0};
};

InputState& Input() {
    static InputState state;
    return state;
}

constexpr BYTE kDown = 0x80;
constexpr BYTE kToggled = 0x01;

void SetKey(std::array<BYTE, 256>& keys, unsigned key, bool down) {
    key &= 0xFF;
    if (down) {
        if (!(keys[key] & kDown)) keys[key] ^= kToggled;
        keys[key] |= kDown;
    } else {
        keys[key] &= BYTE(~kDown);
    }
}

int ButtonKey(int button) {
    return button == kHostRightButton    ? VK_RBUTTON
           : button == kHostMiddleButton ? VK_MBUTTON
                                         : VK_LBUTTON;
}

WPARAM MouseKeyFlags() {
    const auto& k = Input().asyncKeys;
    WPARAM flags = 0;
    if (k[VK_LBUTTON] & kDown) flags |= MK_LBUTTON;
    if (k[VK_RBUTTON] & kDown) flags |= MK_RBUTTON;
    if (k[VK_MBUTTON] & kDown) flags |= MK_MBUTTON;
    if (k[VK_SHIFT] & kDown) flags |= MK_SHIFT;
    if (k[VK_CONTROL] & kDown) flags |= MK_CONTROL;
    return flags;
}

// Client message for a button: down, up, double click.
UINT ClientButtonMessage(int button, int kind) {
    const UINT base = button == kHostRightButton    ? WM_RBUTTONDOWN
                      : button == kHostMiddleButton ? WM_MBUTTONDOWN
                                                    : WM_LBUTTONDOWN;
    return base + UINT(kind);
}

UINT NonClientButtonMessage(int button, int kind) {
    const UINT base = button == kHostRightButton    ? WM_NCRBUTTONDOWN
                      : button == kHostMiddleButton ? WM_NCMBUTTONDOWN
                                                    : WM_NCLBUTTONDOWN;
    return base + UINT(kind);
}

MSG MakeMouseMessage(HWND window, LRESULT hit, UINT clientMessage, UINT nonClientMessage,
                     POINT screen) {
    MSG msg{window, 0, 0, 0, QueueTime(), screen};
    if (hit == HTCLIENT) {
        POINT client = screen;
        ScreenToClient(window, &client);
        msg.message = clientMessage;
        msg.wParam = MouseKeyFlags();
        msg.lParam = MAKELPARAM(client.x, client.y);
    } else {
        msg.message = nonClientMessage;
        msg.wParam = WPARAM(hit);
        msg.lParam = MAKELPARAM(screen.x, screen.y);
    }
    return msg;
}

void UpdateMouseLeave(HWND target, LRESULT hit) {
    InputState& in = Input();
    if (in.tracked == nullptr) return;
    const bool nonClient = hit != HTCLIENT;
    if (target == in.tracked && nonClient == in.trackedNonClient) return;
    PostInternal(in.tracked, in.trackedNonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    in.tracked = nullptr;
}

HWND KeyboardTarget() {
    UserState& state = State();
    if (state.focus != nullptr) return state.focus;
    return state.active;
}

// A click on a window that a modal window disabled brings the modal window forward instead.
void ActivateModalPopupOf(Window* root) {
    Window* popup = nullptr;
    for (Window* w : State().topLevels) {
        if (w->owner == root->handle && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED)) {
            popup = w;
            break;
        }
    }
    if (popup != nullptr) ActivateWindow(popup->handle, WA_CLICKACTIVE);
}

bool IsDoubleClick(HWND window, UINT downMessage, POINT screen) {
    InputState& in = Input();
    const DWORD now = QueueTime();
    const bool isDouble = in.lastClickWindow == window && in.lastClickMessage == downMessage &&
                          now - in.lastClickTime <= kDoubleClickTime &&
                          std::abs(screen.x - in.lastClickPoint.x) <= kDoubleClickDistance &&
                          std::abs(screen.y - in.lastClickPoint.y) <= kDoubleClickDistance;
    if (isDouble) {
        in.lastClickWindow = nullptr;  // a third click starts over
    } else {
        in.lastClickWindow = window;
        in.lastClickMessage = downMessage;
        in.lastClickTime = now;
        in.lastClickPoint = screen;
    }
    return isDouble;
}

void NotifyParents(HWND handle, UINT message, POINT screen) {
    Window* window = FromHandle(handle);
    while (window != nullptr && window->parent != nullptr &&
           !(window->exStyle & WS_EX_NOPARENTNOTIFY)) {
        const HWND parent = window->parent->handle;
        POINT p = screen;
        ScreenToClient(parent, &p);
        SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(int(message), 0), MAKELPARAM(p.x, p.y));
        window = FromHandle(parent);
    }
}

void CookMouse(const HostEvent& event, std::deque<MSG>& out) {
    InputState& in = Input();
    const POINT screen = in.cursor;
    LRESULT hit = HTCLIENT;
    HWND target = State().capture;
    if (target == nullptr) {
        Window* window = WindowAtPoint(screen, true);
        if (window == nullptr) {
            UpdateMouseLeave(nullptr, HTNOWHERE);
            if (event.type == HostEventType::MouseMove) CurrentHost().SetCursor(HostCursor::Arrow);
            return;
        }
        Window* root = Root(window);
        if (root->style & WS_DISABLED) {
            UpdateMouseLeave(nullptr, HTNOWHERE);
            CurrentHost().SetCursor(HostCursor::Arrow);
            if (event.type == HostEventType::ButtonDown) ActivateModalPopupOf(root);
            return;
        }
        target = window->handle;
        hit = SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        while (hit == HTTRANSPARENT) {
            Window* w = FromHandle(target);
            if (w == nullptr || w->parent == nullptr) return;
            target = w->parent->handle;
            hit = SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        }
        if (FromHandle(target) == nullptr) return;
    }
    UpdateMouseLeave(target, hit);

    switch (event.type) {
        case HostEventType::MouseMove:
            if (State().capture == nullptr)
                SendMessage(target, WM_SETCURSOR, WPARAM(target),
                            MAKELPARAM(int(hit), WM_MOUSEMOVE));
            if (FromHandle(target) != nullptr)
                out.push_back(MakeMouseMessage(target, hit, WM_MOUSEMOVE, WM_NCMOUSEMOVE, screen));
            return;
        case HostEventType::ButtonDown: {
            const UINT clientDown = ClientButtonMessage(event.button, 0);
            const UINT message =
                hit == HTCLIENT ? clientDown : NonClientButtonMessage(event.button, 0);
            if (State().capture == nullptr) {
                Window* root = Root(FromHandle(target));
                const HWND rootHandle = root->handle;  // the root may go while it is asked
                if (rootHandle != State().active && !(root->exStyle & WS_EX_NOACTIVATE)) {
                    const LRESULT how = SendMessage(target, WM_MOUSEACTIVATE, WPARAM(rootHandle),
                                                    MAKELPARAM(int(hit), int(message)));
                    if ((how == MA_ACTIVATE || how == MA_ACTIVATEANDEAT || how == 0) &&
                        LiveWindow(rootHandle)) {
                        ActivateWindow(rootHandle, WA_CLICKACTIVE);
                    }
                    if (how == MA_ACTIVATEANDEAT || how == MA_NOACTIVATEANDEAT) return;
                }
                if (FromHandle(target) == nullptr) return;
                SendMessage(target, WM_SETCURSOR, WPARAM(target),
                            MAKELPARAM(int(hit), int(message)));
                if (hit == HTCLIENT) NotifyParents(target, clientDown, screen);
                if (FromHandle(target) == nullptr) return;
            }
            Window* window = FromHandle(target);
            const bool wantsDouble =
                hit != HTCLIENT || (window->windowClass->info.style & CS_DBLCLKS);
            const int kind = wantsDouble && IsDoubleClick(target, message, screen) ? 2 : 0;
            out.push_back(MakeMouseMessage(target, hit, ClientButtonMessage(event.button, kind),
                                           NonClientButtonMessage(event.button, kind), screen));
            return;
        }
        case HostEventType::ButtonUp:
            out.push_back(MakeMouseMessage(target, hit, ClientButtonMessage(event.button, 1),
                                           NonClientButtonMessage(event.button, 1), screen));
            return;
        default:
            return;
    }
}

void CookKey(const HostEvent& event, std::deque<MSG>& out) {
    const HWND target = KeyboardTarget();
    if (target == nullptr) return;
    const bool down = event.type == HostEventType::KeyDown;
    const bool alt = (Input().asyncKeys[VK_MENU] & kDown) != 0;
    const bool system =
        alt || event.virtualKey == unsigned(VK_MENU) || event.virtualKey == unsigned(VK_F10);
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lParam = 1;
    if (alt) lParam |= LPARAM(1) << 29;
    if (!down) lParam |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
    if (down && event.repeat) lParam |= LPARAM(1) << 30;
    out.push_back(MSG{target, message, event.virtualKey, lParam, QueueTime(), Input().cursor});
}

void CookText(const HostEvent& event, std::deque<MSG>& out) {
    const HWND target = KeyboardTarget();
    if (target == nullptr) return;
    size_t offset = 0;
    while (offset < event.text.size()) {
        const char32_t ch = core::NextCodePoint(event.text, offset);
        out.push_back(MSG{target, WM_CHAR, WPARAM(ch), 1, QueueTime(), Input().cursor});
    }
}

}  // namespace

void CookInput(const HostEvent& event, std::deque<MSG>& out) {
    InputState& in = Input();
    switch (event.type) {
        case HostEventType::MouseMove:
            in.cursor = POINT{event.x, event.y};
            CookMouse(event, out);
            break;
        case HostEventType::ButtonDown:
        case HostEventType::ButtonUp:
            in.cursor = POINT{event.x, event.y};
            SetKey(in.asyncKeys, unsigned(ButtonKey(event.button)),
                   event.type == HostEventType::ButtonDown);
            CookMouse(event, out);
            break;
        case HostEventType::Wheel: {
            in.cursor = POINT{event.x, event.y};
            const HWND target = KeyboardTarget();
            if (target != nullptr) {
                out.push_back(MSG{target, WM_MOUSEWHEEL,
                                  MAKEWPARAM(int(MouseKeyFlags()), event.wheelDelta),
                                  MAKELPARAM(event.x, event.y), QueueTime(), in.cursor});
            }
            break;
        }
        case HostEventType::KeyDown:
        case HostEventType::KeyUp:
            SetKey(in.asyncKeys, event.virtualKey, event.type == HostEventType::KeyDown);
            CookKey(event, out);
            break;
        case HostEventType::Text:
            CookText(event, out);
            break;
        case HostEventType::CloseRequest:
            for (Window* window : State().topLevels) {
                if (window->hostId == event.window && event.window != 0) {
                    out.push_back(
                        MSG{window->handle, WM_SYSCOMMAND, SC_CLOSE, 0, QueueTime(), in.cursor});
                    break;
                }
            }
            break;
        case HostEventType::Drop:
            CookDrop(event, out);
            break;
        case HostEventType::FocusLost:
            break;
    }
}

void NoteRemovedInput(const MSG& msg) {
    InputState& in = Input();
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            SetKey(in.syncKeys, unsigned(msg.wParam), true);
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            SetKey(in.syncKeys, unsigned(msg.wParam), false);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            SetKey(in.syncKeys, VK_LBUTTON, true);
            break;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            SetKey(in.syncKeys, VK_LBUTTON, false);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK:
            SetKey(in.syncKeys, VK_RBUTTON, true);
            break;
        case WM_RBUTTONUP:
        case WM_NCRBUTTONUP:
            SetKey(in.syncKeys, VK_RBUTTON, false);
            break;
        default:
            break;
    }
}

POINT CursorPosition() {
    return Input().cursor;
}

void ResetInputState() {
    Input() = InputState{};
}

void ForgetInputState(HWND window) {
    InputState& in = Input();
    if (in.tracked == window) in.tracked = nullptr;
    if (in.lastClickWindow == window) in.lastClickWindow = nullptr;
    UserState& state = State();
    if (state.capture == window) state.capture = nullptr;
    if (state.focus == window) state.focus = nullptr;
    if (state.active == window) state.active = nullptr;
}

HWND InputTarget(POINT screen, LRESULT* hitTest) {
    Window* window = WindowAtPoint(screen, true);
    if (window == nullptr) return nullptr;
    const LRESULT hit =
        SendMessage(window->handle, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hitTest != nullptr) *hitTest = hit;
    return window->handle;
}

// ---------------------------------------------------------------------------------------------

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr) return FALSE;
    *point = Input().cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    Input().cursor = POINT{x, y};
    return TRUE;
}

SHORT GetKeyState(int virtualKey) {
    const BYTE state = Input().syncKeys[unsigned(virtualKey) & 0xFF];
    return SHORT(((state & kDown) ? 0x8000 : 0) | (state & kToggled));
}

SHORT GetAsyncKeyState(int virtualKey) {
    const BYTE state = Input().asyncKeys[unsigned(virtualKey) & 0xFF];
    return SHORT((state & kDown) ? 0x8000 : 0);
}

UINT GetDoubleClickTime() {
    return kDoubleClickTime;
}

namespace {

constexpr std::uintptr_t kCursorBase = 0x7C000000;

HostCursor HostCursorOf(HCURSOR cursor) {
    const auto value = reinterpret_cast<std::uintptr_t>(cursor);
    if (value < kCursorBase) return HostCursor::Arrow;
    const auto id = value - kCursorBase;
    switch (id) {
        case 32513:
            return HostCursor::IBeam;
        case 32514:
            return HostCursor::Wait;
        case 32515:
            return HostCursor::Cross;
        case 32642:
            return HostCursor::SizeNWSE;
        case 32643:
            return HostCursor::SizeNESW;
        case 32644:
            return HostCursor::SizeWE;
        case 32645:
            return HostCursor::SizeNS;
        case 32646:
            return HostCursor::SizeAll;
        case 32648:
            return HostCursor::No;
        case 32649:
            return HostCursor::Hand;
        case 32650:
            return HostCursor::AppStarting;
        default:
            return HostCursor::Arrow;
    }
}

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
    const auto id = reinterpret_cast<std::uintptr_t>(name);
    if (instance != nullptr || id < 32512 || id > 32650) return nullptr;  // standard cursors only
    return reinterpret_cast<HCURSOR>(kCursorBase + id);
}

HCURSOR SetCursor(HCURSOR cursor) {
    InputState& in = Input();
    HCURSOR previous = in.currentCursor;
    in.currentCursor = cursor;
    CurrentHost().SetCursor(HostCursorOf(cursor));
    return previous;
}

HCURSOR GetCursor() {
    return Input().currentCursor;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
    if (track == nullptr || track->cbSize < sizeof(TRACKMOUSEEVENT)) return FALSE;
    InputState& in = Input();
    if (track->dwFlags & TME_QUERY) {
        track->dwFlags = in.tracked ? (TME_LEAVE | (in.trackedNonClient ? TME_NONCLIENT : 0)) : 0;
        track->hwndTrack = in.tracked;
        return TRUE;
    }
    if (!(track->dwFlags & TME_LEAVE)) return TRUE;  // hover tracking is not offered
    const bool nonClient = (track->dwFlags & TME_NONCLIENT) != 0;
    if (track->dwFlags & TME_CANCEL) {
        if (in.tracked == track->hwndTrack && in.trackedNonClient == nonClient)
            in.tracked = nullptr;
        return TRUE;
    }
    if (LiveWindow(track->hwndTrack) == nullptr) return FALSE;
    // When the pointer is not over the window (in the asked part) the leave comes at once.
    LRESULT hit = HTNOWHERE;
    const HWND under = State().capture ? State().capture : InputTarget(in.cursor, &hit);
    if (State().capture) hit = HTCLIENT;
    if (under != track->hwndTrack || (hit != HTCLIENT) != nonClient) {
        PostInternal(track->hwndTrack, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        return TRUE;
    }
    in.tracked = track->hwndTrack;
    in.trackedNonClient = nonClient;
    return TRUE;
}

}  // namespace platform
