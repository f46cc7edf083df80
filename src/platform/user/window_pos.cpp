// Position, size, visibility, z-order and coordinate mapping of windows.
#include <algorithm>

#include "platform/user/window.h"

namespace platform {

namespace {

std::vector<Window*>& Siblings(Window* window) {
    return window->parent != nullptr ? window->parent->children : State().topLevels;
}

// Top-most windows stay above the others among top-level windows.
void KeepTopMostFirst() {
    auto& tops = State().topLevels;
    std::stable_partition(tops.begin(), tops.end(),
                          [](Window* w) { return (w->exStyle & WS_EX_TOPMOST) != 0; });
}

void PlaceInZOrder(Window* window, HWND insertAfter) {
    std::vector<Window*>& siblings = Siblings(window);
    if (insertAfter == HWND_TOPMOST && window->IsTopLevel()) window->exStyle |= WS_EX_TOPMOST;
    if (insertAfter == HWND_NOTOPMOST && window->IsTopLevel()) window->exStyle &= ~WS_EX_TOPMOST;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    if (insertAfter == HWND_BOTTOM) {
        siblings.push_back(window);
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST ||
               insertAfter == HWND_NOTOPMOST) {
        siblings.insert(siblings.begin(), window);
    } else {
        Window* after = FromHandle(insertAfter);
        auto it = std::find(siblings.begin(), siblings.end(), after);
        siblings.insert(it == siblings.end() ? siblings.begin() : it + 1, window);
    }
    if (window->IsTopLevel()) {
        KeepTopMostFirst();
        RestackHost();
    }
}

void InvalidateParentArea(Window* window, const RECT& area) {
    if (window->parent == nullptr) return;
    // A child's rect is in its parent's client coordinates already, as the update region is.
    Region exposed{area};
    InvalidateWindow(window->parent, &exposed, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ApplyVisibility(Window* window, bool show) {
    if (show) {
        window->style |= WS_VISIBLE;
        InvalidateWindow(window, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else {
        window->style &= ~WS_VISIBLE;
        InvalidateParentArea(window, window->rect);
    }
    if (window->IsTopLevel()) SyncHostWindow(window);
}

void HiddenWindowLosesInput(HWND handle) {
    UserState& state = State();
    Window* window = FromHandle(handle);
    if (Window* capture = FromHandle(state.capture);
        capture == window || IsAncestorOf(window, capture)) {
        ReleaseCapture();
    }
    window = FromHandle(handle);
    if (window == nullptr) return;
    if (Window* focus = FromHandle(state.focus);
        focus != nullptr && (focus == window || IsAncestorOf(window, focus))) {
        if (window->parent != nullptr) SetFocus(window->parent->handle);
    }
    if (state.active == handle) ActivateOtherWindow(handle);
}

}  // namespace

POINT WindowScreenOrigin(const Window* window) {
    POINT p{window->rect.left, window->rect.top};
    for (const Window* parent = window->parent; parent != nullptr; parent = parent->parent) {
        p.x += parent->rect.left + parent->client.left;
        p.y += parent->rect.top + parent->client.top;
    }
    return p;
}

POINT ClientScreenOrigin(const Window* window) {
    POINT p = WindowScreenOrigin(window);
    return POINT{p.x + window->client.left, p.y + window->client.top};
}

POINT SurfaceOrigin(const Window* window) {
    const Window* root = window;
    while (root->parent != nullptr) root = root->parent;
    POINT p = WindowScreenOrigin(window);
    return POINT{p.x - root->rect.left, p.y - root->rect.top};
}

void RecalcClientRectWith(Window* window, bool validRects, const RECT& oldRect) {
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = window->rect;
    params.rgrc[1] = oldRect;
    params.rgrc[2] = RECT{oldRect.left + window->client.left, oldRect.top + window->client.top,
                          oldRect.left + window->client.right, oldRect.top + window->client.bottom};
    const HWND handle = window->handle;  // the procedure may destroy the window
    SendMessage(handle, WM_NCCALCSIZE, validRects ? TRUE : FALSE,
                reinterpret_cast<LPARAM>(&params));
    Window* live = FromHandle(handle);
    if (live == nullptr) return;
    RECT c = params.rgrc[0];
    OffsetRect(&c, -live->rect.left, -live->rect.top);
    // Keep the client area inside the window and never inverted.
    c.left = std::clamp(int(c.left), 0, live->Width());
    c.top = std::clamp(int(c.top), 0, live->Height());
    c.right = std::clamp(int(c.right), int(c.left), live->Width());
    c.bottom = std::clamp(int(c.bottom), int(c.top), live->Height());
    live->client = c;
}

void RecalcClientRect(Window* window) {
    RecalcClientRectWith(window, false, window->rect);
}

void SyncHostWindow(Window* window) {
    if (window->hostId == 0) return;
    Host& host = CurrentHost();
    host.SetWindowBounds(window->hostId, HostRect{window->rect.left, window->rect.top,
                                                  window->rect.right, window->rect.bottom});
    host.ShowWindow(window->hostId, (window->style & WS_VISIBLE) && !(window->style & WS_MINIMIZE));
}

void RestackHost() {
    std::vector<HostWindowId> order;
    const auto& tops = State().topLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        if ((*it)->hostId != 0) order.push_back((*it)->hostId);
    }
    CurrentHost().RestackWindows(order);
}

void BringToTop(Window* window) {
    window = Root(window);
    PlaceInZOrder(window, HWND_TOP);
    // Owned windows stay above their owner.
    std::vector<Window*> owned;
    for (Window* other : State().topLevels) {
        if (other->owner == window->handle) owned.push_back(other);
    }
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) PlaceInZOrder(*it, HWND_TOP);
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return FALSE;
    if (window->messageOnly) flags &= ~SWP_SHOWWINDOW;
    WINDOWPOS pos{handle, insertAfter, x, y, width, height, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = window->rect.left;
        pos.y = window->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = window->Width();
        pos.cy = window->Height();
    }
    if (!(flags & SWP_NOSENDCHANGING)) {
        SendMessage(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        window = LiveWindow(handle);
        if (window == nullptr) return FALSE;
    }
    const RECT oldRect = window->rect;
    const RECT newRect{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
    const bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    const bool sized = newRect.right - newRect.left != window->Width() ||
                       newRect.bottom - newRect.top != window->Height();
    const bool visible = IsVisibleChain(window);
    if (!moved) pos.flags |= SWP_NOMOVE;
    if (!sized) pos.flags |= SWP_NOSIZE;

    if (moved || sized) {
        if (visible && window->parent != nullptr) InvalidateParentArea(window, oldRect);
        window->rect = newRect;
    }
    if (sized || (flags & SWP_FRAMECHANGED)) {
        RecalcClientRectWith(window, true, oldRect);
        window = LiveWindow(handle);
        if (window == nullptr) return FALSE;
    }
    if ((moved || sized || (flags & SWP_FRAMECHANGED)) && !(flags & SWP_NOREDRAW)) {
        if (window->parent != nullptr || sized || (flags & SWP_FRAMECHANGED)) {
            InvalidateWindow(window, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    }
    if (window->IsTopLevel() && (moved || sized)) {
        EnsureSurface(window);
        SyncHostWindow(window);
    }
    if (!(flags & SWP_NOZORDER)) PlaceInZOrder(window, pos.hwndInsertAfter);

    if ((flags & SWP_SHOWWINDOW) && !(window->style & WS_VISIBLE)) {
        ApplyVisibility(window, true);
        if (window->IsTopLevel() && !(flags & SWP_NOACTIVATE) &&
            !(window->exStyle & WS_EX_NOACTIVATE)) {
            ActivateWindow(handle, WA_ACTIVE);
        }
    } else if ((flags & SWP_HIDEWINDOW) && (window->style & WS_VISIBLE)) {
        ApplyVisibility(window, false);
        HiddenWindowLosesInput(handle);
    }
    window = LiveWindow(handle);
    if (window == nullptr) return TRUE;
    pos.x = window->rect.left;
    pos.y = window->rect.top;
    pos.cx = window->Width();
    pos.cy = window->Height();
    SendMessage(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return TRUE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(handle, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

namespace {

void Maximize(Window* window, UINT showFlags) {
    const HWND handle = window->handle;
    if (!(window->style & (WS_MAXIMIZE | WS_MINIMIZE))) window->normalRect = window->rect;
    const MINMAXINFO info = QueryMinMaxInfo(handle);
    window = LiveWindow(handle);
    if (window == nullptr) return;
    window->style = (window->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
    RECT work = window->IsTopLevel() ? GetWorkArea() : RECT{};
    if (Window* root = Root(window); root != nullptr) {
        MONITORINFO mi{sizeof(MONITORINFO), {}, {}, 0};
        if (GetMonitorInfo(MonitorFromWindow(root->handle, MONITOR_DEFAULTTONEAREST), &mi))
            work = mi.rcWork;
    }
    SetWindowPos(handle, HWND_TOP, work.left + info.ptMaxPosition.x,
                 work.top + info.ptMaxPosition.y, info.ptMaxSize.x, info.ptMaxSize.y,
                 SWP_FRAMECHANGED | showFlags);
}

void Minimize(Window* window) {
    const HWND handle = window->handle;
    if (!(window->style & (WS_MAXIMIZE | WS_MINIMIZE))) window->normalRect = window->rect;
    window->style = (window->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
    SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    window = LiveWindow(handle);
    if (window == nullptr) return;
    SyncHostWindow(window);
    SendMessage(handle, WM_SIZE, SIZE_MINIMIZED, 0);
    if (State().active == handle) ActivateOtherWindow(handle);
}

void Restore(Window* window, UINT showFlags) {
    const HWND handle = window->handle;
    if (window->style & (WS_MAXIMIZE | WS_MINIMIZE)) {
        window->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
        const RECT r = window->normalRect;
        SetWindowPos(handle, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_FRAMECHANGED | showFlags);
        if (Window* live = LiveWindow(handle)) SyncHostWindow(live);
    } else {
        SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | showFlags);
    }
}

}  // namespace

BOOL ShowWindow(HWND handle, int command) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return FALSE;
    const bool wasVisible = (window->style & WS_VISIBLE) != 0;
    const bool child = !window->IsTopLevel();
    if (command == SW_HIDE) {
        if (!wasVisible) return FALSE;
        SendMessage(handle, WM_SHOWWINDOW, FALSE, 0);
        if (LiveWindow(handle) == nullptr) return TRUE;
        SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    if (!wasVisible) {
        SendMessage(handle, WM_SHOWWINDOW, TRUE, 0);
        window = LiveWindow(handle);
        if (window == nullptr) return FALSE;
    }
    const bool activate = !child && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                          command != SW_SHOWMINNOACTIVE && command != SW_MINIMIZE;
    UINT flags = SWP_SHOWWINDOW | (activate ? 0 : SWP_NOACTIVATE) | (child ? SWP_NOZORDER : 0);
    switch (command) {
        case SW_SHOWMAXIMIZED:
            Maximize(window, flags);
            break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            Minimize(window);
            break;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
        case SW_SHOWDEFAULT:
            Restore(window, flags);
            break;
        default:
            if (window->style & WS_MINIMIZE) {
                Restore(window, flags);
            } else {
                SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | flags);
            }
            break;
    }
    window = LiveWindow(handle);
    // An already visible window asked to show and activate still comes forward.
    if (window != nullptr && wasVisible && activate && !(window->style & WS_MINIMIZE) &&
        State().active != handle) {
        ActivateWindow(handle, WA_ACTIVE);
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL BringWindowToTop(HWND handle) {
    return SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL IsWindowVisible(HWND handle) {
    Window* window = FromHandle(handle);
    return window != nullptr && IsVisibleChain(window) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND handle) {
    Window* window = FromHandle(handle);
    return window != nullptr && !(window->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND handle, BOOL enable) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return FALSE;
    const BOOL wasDisabled = (window->style & WS_DISABLED) ? TRUE : FALSE;
    if (bool(enable) == !wasDisabled) return wasDisabled;
    if (enable) {
        window->style &= ~WS_DISABLED;
    } else {
        window->style |= WS_DISABLED;
        UserState& state = State();
        if (Window* focus = FromHandle(state.focus);
            focus == window || IsAncestorOf(window, focus)) {
            SetFocus(nullptr);
        }
        if (state.capture == handle) ReleaseCapture();
    }
    SendMessage(handle, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL IsIconic(HWND handle) {
    Window* window = FromHandle(handle);
    return window != nullptr && (window->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND handle) {
    Window* window = FromHandle(handle);
    return window != nullptr && (window->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND handle, RECT* rect) {
    Window* window = FromHandle(handle);
    if (window == nullptr || rect == nullptr) return FALSE;
    const POINT origin = WindowScreenOrigin(window);
    *rect = RECT{origin.x, origin.y, origin.x + window->Width(), origin.y + window->Height()};
    return TRUE;
}

BOOL GetClientRect(HWND handle, RECT* rect) {
    Window* window = FromHandle(handle);
    if (window == nullptr || rect == nullptr) return FALSE;
    *rect = RECT{0, 0, window->client.right - window->client.left,
                 window->client.bottom - window->client.top};
    return TRUE;
}

BOOL ClientToScreen(HWND handle, POINT* point) {
    Window* window = FromHandle(handle);
    if (window == nullptr || point == nullptr) return FALSE;
    const POINT origin = ClientScreenOrigin(window);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND handle, POINT* point) {
    Window* window = FromHandle(handle);
    if (window == nullptr || point == nullptr) return FALSE;
    const POINT origin = ClientScreenOrigin(window);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    POINT a{0, 0};
    POINT b{0, 0};
    if (from != nullptr) {
        Window* w = FromHandle(from);
        if (w == nullptr) return 0;
        a = ClientScreenOrigin(w);
    }
    if (to != nullptr) {
        Window* w = FromHandle(to);
        if (w == nullptr) return 0;
        b = ClientScreenOrigin(w);
    }
    const int dx = a.x - b.x;
    const int dy = a.y - b.y;
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return int(MAKELPARAM(dx, dy));  // both offsets in one 32-bit value
}

namespace {

bool ContainsScreenPoint(const Window* window, POINT screen) {
    const POINT origin = WindowScreenOrigin(window);
    const int x = screen.x - origin.x;
    const int y = screen.y - origin.y;
    if (x < 0 || y < 0 || x >= window->Width() || y >= window->Height()) return false;
    return !window->hasRegion || window->region.Contains(x, y);
}

Window* DeepestChildAt(Window* window, POINT screen, bool skipDisabled) {
    const POINT client = ClientScreenOrigin(window);
    const int cx = screen.x - client.x;
    const int cy = screen.y - client.y;
    const bool inClient = cx >= 0 && cy >= 0 && cx < window->client.right - window->client.left &&
                          cy < window->client.bottom - window->client.top;
    if (!inClient) return window;
    for (Window* child : window->children) {
        if (!(child->style & WS_VISIBLE) || child->destroying) continue;
        if (!ContainsScreenPoint(child, screen)) continue;
        if (skipDisabled && (child->style & WS_DISABLED)) return window;
        return DeepestChildAt(child, screen, skipDisabled);
    }
    return window;
}

}  // namespace

// The top-level window under a screen point, in z-order, honouring window regions.
Window* TopLevelAt(POINT screen) {
    for (Window* window : State().topLevels) {
        if (!(window->style & WS_VISIBLE) || (window->style & WS_MINIMIZE) || window->destroying)
            continue;
        if (ContainsScreenPoint(window, screen)) return window;
    }
    return nullptr;
}

Window* WindowAtPoint(POINT screen, bool skipDisabled) {
    Window* top = TopLevelAt(screen);
    return top == nullptr ? nullptr : DeepestChildAt(top, screen, skipDisabled);
}

HWND WindowFromPoint(POINT point) {
    Window* window = WindowAtPoint(point, true);
    return window != nullptr ? window->handle : nullptr;
}

HWND ChildWindowFromPoint(HWND parentHandle, POINT point) {
    Window* parent = FromHandle(parentHandle);
    if (parent == nullptr) return nullptr;
    const int w = parent->client.right - parent->client.left;
    const int h = parent->client.bottom - parent->client.top;
    if (point.x < 0 || point.y < 0 || point.x >= w || point.y >= h) return nullptr;
    for (Window* child : parent->children) {
        if (PtInRect(&child->rect, point)) return child->handle;
    }
    return parentHandle;
}

BOOL GetWindowPlacement(HWND handle, WINDOWPLACEMENT* placement) {
    Window* window = FromHandle(handle);
    if (window == nullptr || placement == nullptr) return FALSE;
    placement->flags = 0;
    placement->showCmd = (window->style & WS_MAXIMIZE)   ? SW_SHOWMAXIMIZED
                         : (window->style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                         : (window->style & WS_VISIBLE)  ? SW_SHOWNORMAL
                                                         : SW_HIDE;
    placement->ptMinPosition = POINT{-1, -1};
    placement->ptMaxPosition = POINT{-1, -1};
    placement->rcNormalPosition =
        (window->style & (WS_MAXIMIZE | WS_MINIMIZE)) ? window->normalRect : window->rect;
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD exStyle) {
    if (rect == nullptr) return FALSE;
    Window probe;
    probe.style = style;
    probe.exStyle = exStyle;
    probe.rect = RECT{0, 0, 1000, 1000};
    RECT client = probe.rect;
    DefaultNcCalcSize(&probe, &client);
    rect->left -= client.left;
    rect->top -= client.top;
    rect->right += 1000 - client.right;
    rect->bottom += 1000 - client.bottom;
    return TRUE;
}

}  // namespace platform
