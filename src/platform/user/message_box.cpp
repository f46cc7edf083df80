// The plain message box: text, caption, its buttons and an icon, modal over the task. While it
// is up the task's other windows are disabled; afterwards they are enabled again and the
// previously active window and focus come back.
#include <algorithm>
#include <map>

#include "platform/user/window.h"

namespace platform {

namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct BoxButton {
    int id;
    const char* text;
    RECT rect;
};

struct BoxState {
    std::string text;
    UINT type = 0;
    std::vector<BoxButton> buttons;
    size_t focused = 0;
    int pressed = -1;
    int result = 0;
    bool done = false;
    RECT textRect{};
};

std::map<HWND, BoxState*>& Boxes() {
    static std::map<HWND, BoxState*> boxes;
    return boxes;
}

std::vector<BoxButton> ButtonsFor(UINT type) {
    switch (type & 0x0F) {
        case MB_OKCANCEL:
            return {{IDOK, "确定", {}}, {IDCANCEL, "取消", {}}};
        case MB_YESNO:
            return {{IDYES, "是(&Y)", {}}, {IDNO, "否(&N)", {}}};
        default:
            return {{IDOK, "确定", {}}};
    }
}

int CancelResult(const BoxState& box) {
    for (const BoxButton& b : box.buttons) {
        if (b.id == IDCANCEL) return IDCANCEL;
    }
    return box.buttons.size() == 1 ? box.buttons.front().id : 0;  // Yes/No cannot be cancelled
}

SIZE MeasureText(const std::string& text, int maxWidth) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT r{0, 0, maxWidth, 0};
    const int height =
        DrawText(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteDC(dc);
    if (height <= 0) return SIZE{LONG(std::min<size_t>(text.size() * 7, size_t(maxWidth))), 13};
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void DrawErrorIcon(HDC dc, int x, int y) {
    HBRUSH red = CreateSolidBrush(RGB(0xE0, 0x20, 0x20));
    HPEN none = CreatePen(PS_NULL, 0, 0);
    HGDIOBJ oldBrush = SelectObject(dc, red);
    HGDIOBJ oldPen = SelectObject(dc, none);
    Ellipse(dc, x, y, x + kIconSize, y + kIconSize);
    HPEN white = CreatePen(PS_SOLID, 3, RGB(0xFF, 0xFF, 0xFF));
    SelectObject(dc, white);
    MoveToEx(dc, x + 10, y + 10, nullptr);
    LineTo(dc, x + 22, y + 22);
    MoveToEx(dc, x + 22, y + 10, nullptr);
    LineTo(dc, x + 10, y + 22);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(white);
    DeleteObject(none);
    DeleteObject(red);
}

// The other standard icons, plainly: a yellow warning disc with "!", blue discs with "i"
// and "?".
void DrawLetterIcon(HDC dc, int x, int y, COLORREF fill, const char* letter) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN none = CreatePen(PS_NULL, 0, 0);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, none);
    Ellipse(dc, x, y, x + kIconSize, y + kIconSize);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(none);
    DeleteObject(brush);
    HFONT font = CreateFont(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, fill == RGB(0xF0, 0xC0, 0x00) ? RGB(0, 0, 0) : RGB(0xFF, 0xFF, 0xFF));
    RECT r{x, y, x + kIconSize, y + kIconSize};
    DrawText(dc, letter, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

void DrawBoxIcon(HDC dc, UINT type) {
    switch (type & 0xF0) {
        case MB_ICONERROR:
            DrawErrorIcon(dc, kMargin, kMargin);
            break;
        case MB_ICONWARNING:
            DrawLetterIcon(dc, kMargin, kMargin, RGB(0xF0, 0xC0, 0x00), "!");
            break;
        case MB_ICONINFORMATION:
            DrawLetterIcon(dc, kMargin, kMargin, RGB(0x20, 0x60, 0xD0), "i");
            break;
        case MB_ICONQUESTION:
            DrawLetterIcon(dc, kMargin, kMargin, RGB(0x20, 0x60, 0xD0), "?");
            break;
        default:
            break;
    }
}

void PaintBox(HWND handle, BoxState& box) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle, &ps);
    if (dc == nullptr) return;
    RECT client;
    GetClientRect(handle, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawBoxIcon(dc, box.type);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT textRect = box.textRect;
    const UINT rtl = (box.type & MB_RTLREADING) ? DT_RTLREADING : 0;
    DrawText(dc, box.text.c_str(), int(box.text.size()), &textRect,
             DT_WORDBREAK | DT_NOPREFIX | rtl);
    for (size_t i = 0; i < box.buttons.size(); ++i) {
        const BoxButton& b = box.buttons[i];
        RECT r = b.rect;
        FillRect(dc, &r, GetSysColorBrush(int(i) == box.pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE));
        FrameRect(dc, &r, GetSysColorBrush(i == box.focused ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW));
        DrawText(dc, b.text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (i == box.focused) {
            RECT focus = r;
            InflateRect(&focus, -3, -3);
            DrawFocusRect(dc, &focus);
        }
    }
    SelectObject(dc, oldFont);
    EndPaint(handle, &ps);
}

int ButtonAt(const BoxState& box, LPARAM lParam) {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    for (size_t i = 0; i < box.buttons.size(); ++i) {
        if (PtInRect(&box.buttons[i].rect, p)) return int(i);
    }
    return -1;
}

void Finish(BoxState& box, int result) {
    if (result == 0) return;
    box.result = result;
    box.done = true;
}

// The box is as wide as its text, its buttons and its caption need; the caption widens it no
// further than `maxClientWidth`, the client width of a box as wide as the work area.
void LayOut(BoxState& box, const std::string& caption, int maxClientWidth, int& clientWidth,
            int& clientHeight) {
    const RECT work = GetWorkArea();
    const int maxText = std::max(200, int(work.right - work.left) * 6 / 10);
    const SIZE text = MeasureText(box.text, maxText);
    const bool icon = (box.type & 0xF0) != 0;
    const int textLeft = kMargin + (icon ? kIconSize + kMargin : 0);
    const int buttonsWidth =
        int(box.buttons.size()) * kButtonWidth + int(box.buttons.size() - 1) * kButtonGap;
    const int captionWidth = std::min(CaptionBarWidthFor(caption), maxClientWidth);
    clientWidth =
        std::max({textLeft + int(text.cx) + kMargin, buttonsWidth + 2 * kMargin, captionWidth});
    const int bodyHeight = std::max(int(text.cy), icon ? kIconSize : 0);
    box.textRect = RECT{textLeft, kMargin + std::max(0, (bodyHeight - int(text.cy)) / 2),
                        textLeft + int(text.cx) + 1, kMargin + bodyHeight};
    const int buttonsTop = kMargin + bodyHeight + kMargin;
    int x = (clientWidth - buttonsWidth) / 2;
    for (BoxButton& b : box.buttons) {
        b.rect = RECT{x, buttonsTop, x + kButtonWidth, buttonsTop + kButtonHeight};
        x += kButtonWidth + kButtonGap;
    }
    clientHeight = buttonsTop + kButtonHeight + kMargin;
}

// Lays the box out and centres it over its owner (or the work area), on the screen.
RECT PlaceBox(BoxState& box, const std::string& title, HWND ownerRoot) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kBoxStyle, FALSE, WS_EX_DLGMODALFRAME);
    const RECT work = GetWorkArea();
    int width = 0;
    int height = 0;
    LayOut(box, title, int(work.right - work.left) - int(frame.right - frame.left), width, height);
    frame = RECT{0, 0, width, height};
    AdjustWindowRectEx(&frame, kBoxStyle, FALSE, WS_EX_DLGMODALFRAME);
    const int w = frame.right - frame.left;
    const int h = frame.bottom - frame.top;
    RECT area = work;
    if (ownerRoot != nullptr && IsWindowVisible(ownerRoot) && !IsIconic(ownerRoot))
        GetWindowRect(ownerRoot, &area);
    const int x = std::clamp<int>(area.left + (area.right - area.left - w) / 2, 0,
                                  std::max<int>(0, work.right - w));
    const int y = std::max<int>(0, area.top + (area.bottom - area.top - h) / 2);
    return RECT{x, y, x + w, y + h};
}

}  // namespace

LRESULT MessageBoxWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = Boxes().find(handle);
    if (it == Boxes().end()) return DefWindowProc(handle, message, wParam, lParam);
    BoxState& box = *it->second;
    switch (message) {
        case WM_PAINT:
            PaintBox(handle, box);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            box.pressed = ButtonAt(box, lParam);
            if (box.pressed >= 0) {
                box.focused = size_t(box.pressed);
                SetCapture(handle);
                InvalidateRect(handle, nullptr, FALSE);
            }
            return 0;
        case WM_LBUTTONUP: {
            const int pressed = box.pressed;
            box.pressed = -1;
            if (GetCapture() == handle) ReleaseCapture();
            InvalidateRect(handle, nullptr, FALSE);
            if (pressed >= 0 && ButtonAt(box, lParam) == pressed)
                Finish(box, box.buttons[size_t(pressed)].id);
            return 0;
        }
        case WM_KEYDOWN:
            switch (int(wParam)) {
                case VK_RETURN:
                case VK_SPACE:
                    Finish(box, box.buttons[box.focused].id);
                    break;
                case VK_ESCAPE:
                    Finish(box, CancelResult(box));
                    break;
                case VK_LEFT:
                    box.focused = box.focused > 0 ? box.focused - 1 : 0;
                    break;
                case VK_RIGHT:
                case VK_TAB:
                    box.focused = (box.focused + 1) % box.buttons.size();
                    break;
                default:
                    break;
            }
            InvalidateRect(handle, nullptr, FALSE);
            return 0;
        case WM_CLOSE:
            Finish(box, CancelResult(box));
            return 0;
        default:
            return DefWindowProc(handle, message, wParam, lParam);
    }
}

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    BoxState box;
    box.text = text != nullptr ? text : "";
    box.type = type;
    box.buttons = ButtonsFor(type);
    const HWND previousActive = GetActiveWindow();
    const HWND previousFocus = GetFocus();
    Window* ownerWindow = LiveWindow(owner);
    const HWND ownerRoot = ownerWindow != nullptr ? Root(ownerWindow)->handle : nullptr;

    // Disable the task's other windows, remembering which were enabled.
    std::vector<HWND> disabled;
    for (Window* w : State().topLevels) {
        if ((w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) && !w->destroying)
            disabled.push_back(w->handle);
    }
    for (HWND w : disabled) EnableWindow(w, FALSE);

    const std::string title = caption != nullptr ? caption : "错误";
    const RECT place = PlaceBox(box, title, ownerRoot);
    HWND handle = CreateWindowEx(WS_EX_DLGMODALFRAME, "#32770", title.c_str(), kBoxStyle,
                                 place.left, place.top, place.right - place.left,
                                 place.bottom - place.top, ownerRoot, nullptr, nullptr, nullptr);
    int result = 0;
    if (handle != nullptr) {
        Boxes()[handle] = &box;
        InvalidateRect(handle, nullptr, TRUE);
        ShowWindow(handle, SW_SHOW);
        SetFocus(handle);
        MSG msg;
        bool quit = false;
        while (!box.done && IsWindow(handle)) {
            if (!GetMessage(&msg, nullptr, 0, 0)) {
                quit = true;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        result = box.done ? box.result : 0;
        Boxes().erase(handle);
        // Re-enable first so that the owner can take the activation when the box goes.
        for (HWND d : disabled) EnableWindow(d, TRUE);
        disabled.clear();
        DestroyWindow(handle);
        if (quit) PostQuitMessage(int(msg.wParam));
    }
    for (HWND d : disabled) EnableWindow(d, TRUE);
    if (IsWindow(previousActive)) SetActiveWindow(previousActive);
    if (IsWindow(previousFocus)) SetFocus(previousFocus);
    return result;
}

}  // namespace platform
