// Capture, keyboard focus and window activation.
#include "platform/user/window.h"

namespace platform {

HWND SetCapture(HWND handle) {
    UserState& state = State();
    const HWND previous = state.capture;
    if (LiveWindow(handle) == nullptr) return previous;
    state.capture = handle;
    if (previous != nullptr && previous != handle) {
        SendMessage(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(handle));
    }
    return previous;
}

BOOL ReleaseCapture() {
    UserState& state = State();
    const HWND previous = state.capture;
    state.capture = nullptr;
    if (previous != nullptr) SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    return State().capture;
}

HWND SetFocus(HWND handle) {
    UserState& state = State();
    const HWND previous = state.focus;
    if (handle == nullptr) {
        state.focus = nullptr;
        if (previous != nullptr) SendMessage(previous, WM_KILLFOCUS, 0, 0);
        return previous;
    }
    Window* window = LiveWindow(handle);
    if (window == nullptr) return nullptr;
    Window* root = Root(window);
    if (root->style & WS_DISABLED) return nullptr;  // a window under a modal one keeps no focus
    if (state.active != root->handle) {
        ActivateWindow(root->handle, WA_ACTIVE);
        if (LiveWindow(handle) == nullptr) return nullptr;
    }
    if (state.focus == handle) return previous;
    const HWND old = state.focus;
    state.focus = handle;
    if (old != nullptr) SendMessage(old, WM_KILLFOCUS, WPARAM(handle), 0);
    if (state.focus == handle && LiveWindow(handle) != nullptr)
        SendMessage(handle, WM_SETFOCUS, WPARAM(old), 0);
    return previous;
}

HWND GetFocus() {
    return State().focus;
}

// Activation: the old window hears WM_NCACTIVATE and WM_ACTIVATE (inactive), the new one comes
// to the top and hears WM_NCACTIVATE and WM_ACTIVATE; DefWindowProc then gives it the focus.
HWND ActivateWindow(HWND handle, WPARAM how) {
    UserState& state = State();
    const HWND previous = state.active;
    Window* window = handle != nullptr ? LiveWindow(handle) : nullptr;
    if (handle != nullptr) {
        if (window == nullptr || window->messageOnly) return nullptr;
        window = Root(window);
        handle = window->handle;
    }
    if (handle == previous) return previous;
    if (previous != nullptr && LiveWindow(previous) != nullptr) {
        SendMessage(previous, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(handle));
        SendMessage(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(previous)),
                    reinterpret_cast<LPARAM>(handle));
    }
    state.active = handle;
    if (state.focus != nullptr) {
        Window* focus = FromHandle(state.focus);
        if (focus == nullptr || Root(focus)->handle != handle) {
            const HWND old = state.focus;
            state.focus = nullptr;
            if (focus != nullptr && !focus->destroying)
                SendMessage(old, WM_KILLFOCUS, WPARAM(handle), 0);
        }
    }
    if (handle == nullptr) {
        if (previous != nullptr) SendMessage(previous, WM_ACTIVATEAPP, FALSE, 0);
        return previous;
    }
    if (previous == nullptr) SendMessage(handle, WM_ACTIVATEAPP, TRUE, 0);
    if (Window* live = LiveWindow(handle)) {
        BringToTop(live);
        if (live->hostId != 0) CurrentHost().FocusWindow(live->hostId);
    }
    if (state.active != handle) return previous;
    SendMessage(handle, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(previous));
    if (state.active != handle) return previous;
    SendMessage(handle, WM_ACTIVATE, MAKEWPARAM(int(how), IsIconic(handle)),
                reinterpret_cast<LPARAM>(previous));
    return previous;
}

// Called when the active window hides or goes away: the owner takes over when it can, else
// the next visible, enabled top-level window.
void ActivateOtherWindow(HWND leaving) {
    Window* window = FromHandle(leaving);
    auto eligible = [&](Window* w) {
        return w != nullptr && w->handle != leaving && !w->destroying && (w->style & WS_VISIBLE) &&
               !(w->style & (WS_DISABLED | WS_MINIMIZE)) && !(w->exStyle & WS_EX_NOACTIVATE);
    };
    Window* next = window != nullptr ? FromHandle(window->owner) : nullptr;
    if (!eligible(next)) {
        next = nullptr;
        for (Window* w : State().topLevels) {
            if (eligible(w)) {
                next = w;
                break;
            }
        }
    }
    ActivateWindow(next != nullptr ? next->handle : nullptr, WA_ACTIVE);
}

HWND SetActiveWindow(HWND handle) {
    Window* window = LiveWindow(handle);
    if (window == nullptr || !window->IsTopLevel() || (window->style & WS_DISABLED)) return nullptr;
    return ActivateWindow(handle, WA_ACTIVE);
}

HWND GetActiveWindow() {
    return State().active;
}

BOOL SetForegroundWindow(HWND handle) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return FALSE;
    ActivateWindow(Root(window)->handle, WA_ACTIVE);
    return TRUE;
}

HWND GetForegroundWindow() {
    return State().active;
}

}  // namespace platform
