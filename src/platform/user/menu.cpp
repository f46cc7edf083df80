// Plain popup menus: a list of items shown in a top-most window that never takes the
// activation, tracked modally until an item is chosen or the menu is dismissed.
#include <algorithm>
#include <map>

#include "platform/user/window.h"

namespace platform {

namespace {

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kTextIndent = 24;
constexpr int kBorder = 2;

struct MenuItem {
    UINT flags = 0;
    UINT_PTR id = 0;
    std::string text;
};

struct Menu {
    std::vector<MenuItem> items;
};

struct Tracking {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    int hot = -1;
    bool done = false;
    UINT_PTR chosen = 0;
};

struct MenuTable {
    std::map<HMENU, Menu> menus;
    std::uintptr_t next = 0x7B000004;
    std::map<HWND, Tracking*> tracking;  // by popup window
};

MenuTable& Menus() {
    static MenuTable table;
    return table;
}

Menu* FindMenu(HMENU handle) {
    auto it = Menus().menus.find(handle);
    return it == Menus().menus.end() ? nullptr : &it->second;
}

bool Selectable(const MenuItem& item) {
    return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
}

int ItemHeight(const MenuItem& item) {
    return (item.flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
}

RECT ItemRect(const Menu& menu, size_t index, int width) {
    int top = kBorder;
    for (size_t i = 0; i < index; ++i) top += ItemHeight(menu.items[i]);
    return RECT{kBorder, top, width - kBorder, top + ItemHeight(menu.items[index])};
}

int ItemAt(const Menu& menu, int width, POINT p) {
    for (size_t i = 0; i < menu.items.size(); ++i) {
        RECT r = ItemRect(menu, i, width);
        if (PtInRect(&r, p)) return int(i);
    }
    return -1;
}

SIZE MenuSize(const Menu& menu) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    int widest = 40;
    int height = 2 * kBorder;
    for (const MenuItem& item : menu.items) {
        height += ItemHeight(item);
        SIZE size{0, 0};
        if (!(item.flags & MF_SEPARATOR) &&
            !GetTextExtentPoint32(dc, item.text.c_str(), int(item.text.size()), &size)) {
            size.cx = LONG(item.text.size() * 7);
        }
        widest = std::max(widest, int(size.cx));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return SIZE{widest + kTextIndent + 24 + 2 * kBorder, height};
}

void PaintMenu(HWND handle, const Menu& menu, const Tracking& t) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle, &ps);
    if (dc == nullptr) return;
    RECT client;
    GetClientRect(handle, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        RECT r = ItemRect(menu, i, client.right);
        if (item.flags & MF_SEPARATOR) {
            RECT line{r.left + 2, (r.top + r.bottom) / 2, r.right - 2, (r.top + r.bottom) / 2 + 1};
            FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
            continue;
        }
        const bool hot = int(i) == t.hot && Selectable(item);
        if (hot) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(!Selectable(item) ? COLOR_GRAYTEXT
                                     : hot             ? COLOR_HIGHLIGHTTEXT
                                                       : COLOR_MENUTEXT));
        RECT text{r.left + kTextIndent, r.top, r.right - 4, r.bottom};
        DrawText(dc, item.text.c_str(), int(item.text.size()), &text,
                 DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (item.flags & MF_CHECKED) {
            RECT mark{r.left + 8, r.top + 7, r.left + 14, r.top + 13};
            FillRect(dc, &mark, GetSysColorBrush(hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        }
    }
    SelectObject(dc, oldFont);
    EndPaint(handle, &ps);
}

void MoveHot(Tracking& t, const Menu& menu, int step) {
    const int count = int(menu.items.size());
    int index = t.hot;
    for (int tries = 0; tries < count; ++tries) {
        index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
        if (Selectable(menu.items[size_t(index)])) {
            t.hot = index;
            return;
        }
    }
}

}  // namespace

LRESULT MenuWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = Menus().tracking.find(handle);
    if (it == Menus().tracking.end()) return DefWindowProc(handle, message, wParam, lParam);
    Tracking& t = *it->second;
    Menu* menu = FindMenu(t.menu);
    if (menu == nullptr) {
        t.done = true;
        return DefWindowProc(handle, message, wParam, lParam);
    }
    RECT client;
    GetClientRect(handle, &client);
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_PAINT:
            PaintMenu(handle, *menu, t);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_MOUSEMOVE: {
            const int hot = PtInRect(&client, p) ? ItemAt(*menu, client.right, p) : -1;
            if (hot != t.hot) {
                t.hot = hot;
                InvalidateRect(handle, nullptr, FALSE);
            }
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (!PtInRect(&client, p)) t.done = true;  // a click outside dismisses the menu
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            if (!PtInRect(&client, p)) return 0;
            const int index = ItemAt(*menu, client.right, p);
            if (index >= 0 && Selectable(menu->items[size_t(index)])) {
                t.chosen = menu->items[size_t(index)].id;
                t.done = true;
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            t.done = true;
            return 0;
        default:
            return DefWindowProc(handle, message, wParam, lParam);
    }
}

HMENU CreatePopupMenu() {
    MenuTable& table = Menus();
    auto handle = reinterpret_cast<HMENU>(table.next);
    table.next += 4;
    table.menus[handle] = Menu{};
    return handle;
}

BOOL DestroyMenu(HMENU handle) {
    return Menus().menus.erase(handle) == 1 ? TRUE : FALSE;
}

BOOL AppendMenu(HMENU handle, UINT flags, UINT_PTR id, LPCSTR text) {
    Menu* menu = FindMenu(handle);
    if (menu == nullptr) return FALSE;
    menu->items.push_back(
        MenuItem{flags, id, text != nullptr && !(flags & MF_SEPARATOR) ? text : ""});
    return TRUE;
}

int GetMenuItemCount(HMENU handle) {
    Menu* menu = FindMenu(handle);
    return menu == nullptr ? -1 : int(menu->items.size());
}

void DestroyMenusOf(HWND owner) {
    for (auto& [window, tracking] : Menus().tracking) {
        if (tracking->owner == owner) tracking->done = true;
    }
}

BOOL TrackPopupMenu(HMENU handle, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    Menu* menu = FindMenu(handle);
    if (menu == nullptr || menu->items.empty() || LiveWindow(owner) == nullptr) return FALSE;
    SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
    SendMessage(owner, WM_INITMENUPOPUP, WPARAM(reinterpret_cast<std::uintptr_t>(handle)), 0);
    menu = FindMenu(handle);
    if (menu == nullptr || menu->items.empty()) return FALSE;

    // Keep the popup on the work area: flip left or up when it would run off.
    const SIZE size = MenuSize(*menu);
    RECT work = GetWorkArea();
    MONITORINFO mi{sizeof(MONITORINFO), {}, {}, 0};
    if (GetMonitorInfo(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), &mi))
        work = mi.rcWork;
    int left = x + size.cx > work.right ? x - size.cx : x;
    int top = y + size.cy > work.bottom ? y - size.cy : y;
    left = std::clamp<int>(left, work.left, std::max<int>(work.left, work.right - size.cx));
    top = std::clamp<int>(top, work.top, std::max<int>(work.top, work.bottom - size.cy));

    Tracking t;
    t.menu = handle;
    t.owner = owner;
    HWND popup =
        CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "#32768", "", WS_POPUP,
                       left, top, size.cx, size.cy, owner, nullptr, nullptr, nullptr);
    if (popup == nullptr) return FALSE;
    Menus().tracking[popup] = &t;
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    SetCapture(popup);
    MSG msg;
    bool quit = false;
    while (!t.done && IsWindow(popup) && IsWindow(owner)) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            quit = true;
            break;
        }
        // The popup never has the focus: keys reaching the owner steer the menu.
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            Menu* current = FindMenu(handle);
            if (current == nullptr) break;
            switch (int(msg.wParam)) {
                case VK_ESCAPE:
                    t.done = true;
                    break;
                case VK_DOWN:
                    MoveHot(t, *current, 1);
                    break;
                case VK_UP:
                    MoveHot(t, *current, -1);
                    break;
                case VK_RETURN:
                    if (t.hot >= 0 && Selectable(current->items[size_t(t.hot)])) {
                        t.chosen = current->items[size_t(t.hot)].id;
                        t.done = true;
                    }
                    break;
                default:
                    break;
            }
            InvalidateRect(popup, nullptr, FALSE);
            continue;
        }
        if (msg.message == WM_CHAR || msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP)
            continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    Menus().tracking.erase(popup);
    if (GetCapture() == popup) ReleaseCapture();
    DestroyWindow(popup);
    if (quit) PostQuitMessage(int(msg.wParam));
    if (IsWindow(owner)) SendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
    if (flags & TPM_RETURNCMD) return BOOL(t.chosen);
    if (t.chosen != 0 && IsWindow(owner))
        PostMessage(owner, WM_COMMAND, MAKEWPARAM(int(t.chosen), 0), 0);
    return t.chosen != 0 ? TRUE : FALSE;
}

}  // namespace platform
