// The single-line "EDIT" window class: caret, selection by mouse and keyboard, typing
// (including committed input-method text), the editing keys, the clipboard through the host,
// read-only mode, a text limit and the upper- or lower-case styles. Positions in EM_ messages
// count code points.
#include <algorithm>
#include <map>
#include <memory>

#include "core/utf8.h"
#include "platform/user/edit_styles.h"
#include "platform/user/window.h"

namespace platform {

namespace {

constexpr size_t kMaxLimit = 0x7FFFFFFE;
constexpr int kMargin = 2;
constexpr int kFallbackCharWidth = 8;  // only while no font can measure text

struct EditState {
    std::u32string text;
    size_t caret = 0;
    size_t anchor = 0;
    size_t limit = kMaxLimit;
    bool readOnly = false;
    bool modified = false;
    bool focused = false;
    bool selecting = false;
    int scroll = 0;  // pixels scrolled off the left
    HFONT font = nullptr;
};

std::map<HWND, std::unique_ptr<EditState>>& Edits() {
    static std::map<HWND, std::unique_ptr<EditState>> edits;
    return edits;
}

EditState* StateOf(HWND handle) {
    auto it = Edits().find(handle);
    return it == Edits().end() ? nullptr : it->second.get();
}

size_t SelStart(const EditState& e) {
    return std::min(e.caret, e.anchor);
}
size_t SelEnd(const EditState& e) {
    return std::max(e.caret, e.anchor);
}

void Notify(HWND handle, UINT code) {
    const HWND parent = GetParent(handle);
    if (parent != nullptr) {
        SendMessage(parent, WM_COMMAND,
                    MAKEWPARAM(int(GetWindowLongPtr(handle, GWLP_ID)), int(code)),
                    reinterpret_cast<LPARAM>(handle));
    }
}

// Width in pixels of the first `count` code points, measured with the control's font.
int TextWidth(HWND handle, const EditState& e, size_t count) {
    if (count == 0) return 0;
    const std::string utf8 = core::Utf32ToUtf8(std::u32string_view(e.text).substr(0, count));
    HDC dc = GetDCEx(handle, nullptr, 0);
    SIZE size{0, 0};
    bool measured = false;
    if (dc != nullptr) {
        HGDIOBJ old =
            SelectObject(dc, e.font != nullptr ? e.font : GetStockObject(DEFAULT_GUI_FONT));
        measured = GetTextExtentPoint32(dc, utf8.c_str(), int(utf8.size()), &size) != FALSE;
        if (old != nullptr) SelectObject(dc, old);
        ReleaseDC(handle, dc);
    }
    return measured ? int(size.cx) : int(count) * kFallbackCharWidth;
}

size_t PositionFromX(HWND handle, const EditState& e, int x) {
    const int target = x - kMargin + e.scroll;
    size_t best = 0;
    int previous = 0;
    for (size_t i = 1; i <= e.text.size(); ++i) {
        const int width = TextWidth(handle, e, i);
        if (target < (previous + width) / 2) return best;
        best = i;
        previous = width;
    }
    return best;
}

void KeepCaretVisible(HWND handle, EditState& e) {
    RECT client;
    GetClientRect(handle, &client);
    const int room = std::max(int(client.right) - 2 * kMargin, 1);
    const int caretX = TextWidth(handle, e, e.caret);
    if (caretX - e.scroll > room) e.scroll = caretX - room;
    if (caretX < e.scroll) e.scroll = caretX;
    e.scroll = std::max(e.scroll, 0);
}

void Changed(HWND handle, EditState& e, bool textChanged) {
    KeepCaretVisible(handle, e);
    InvalidateRect(handle, nullptr, TRUE);
    if (textChanged) {
        e.modified = true;
        Notify(handle, EN_CHANGE);
    }
}

// Text as the edit's case style keeps it: ES_UPPERCASE and ES_LOWERCASE convert the letters
// that have case in the program's code page, the ASCII ones.
std::u32string InCaseStyle(HWND handle, std::u32string text) {
    const LONG_PTR style = GetWindowLongPtr(handle, GWL_STYLE);
    if ((style & (ES_UPPERCASE | ES_LOWERCASE)) == 0) return text;
    const std::string utf8 = core::Utf32ToUtf8(text);
    return core::Utf8ToUtf32((style & ES_UPPERCASE) != 0 ? core::UpperCaseAscii(utf8)
                                                         : core::LowerCaseAscii(utf8));
}

// Replaces the selection with `insert`, cut to what the limit leaves room for.
bool ReplaceSelection(HWND handle, EditState& e, std::u32string insert, bool notify = true) {
    insert = InCaseStyle(handle, std::move(insert));
    const size_t start = SelStart(e);
    const size_t end = SelEnd(e);
    const size_t kept = e.text.size() - (end - start);
    const size_t room = e.limit > kept ? e.limit - kept : 0;
    bool cut = false;
    if (insert.size() > room) {
        insert.resize(room);
        cut = true;
    }
    if (insert.empty() && start == end) {
        if (cut) Notify(handle, EN_MAXTEXT);
        return false;
    }
    e.text.replace(start, end - start, insert);
    e.caret = e.anchor = start + insert.size();
    Changed(handle, e, notify);
    if (cut) Notify(handle, EN_MAXTEXT);
    return true;
}

std::u32string FirstLine(const std::string& text) {
    std::u32string value = core::Utf8ToUtf32(text);
    const size_t end = value.find_first_of(U"\r\n");
    if (end != std::u32string::npos) value.resize(end);
    return value;
}

void Copy(const EditState& e) {
    if (SelStart(e) == SelEnd(e)) return;
    SetClipboardText(
        core::Utf32ToUtf8(e.text.substr(SelStart(e), SelEnd(e) - SelStart(e))).c_str());
}

void MoveCaret(HWND handle, EditState& e, size_t to, bool extend) {
    e.caret = std::min(to, e.text.size());
    if (!extend) e.anchor = e.caret;
    Changed(handle, e, false);
}

bool IsWordChar(char32_t c) {
    return c != U' ' && c != U'\t';
}

LRESULT OnKeyDown(HWND handle, EditState& e, WPARAM key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (int(key)) {
        case VK_LEFT:
            if (!shift && SelStart(e) != SelEnd(e)) {
                MoveCaret(handle, e, SelStart(e), false);
            } else {
                MoveCaret(handle, e, e.caret > 0 ? e.caret - 1 : 0, shift);
            }
            return 0;
        case VK_RIGHT:
            if (!shift && SelStart(e) != SelEnd(e)) {
                MoveCaret(handle, e, SelEnd(e), false);
            } else {
                MoveCaret(handle, e, e.caret + 1, shift);
            }
            return 0;
        case VK_HOME:
            MoveCaret(handle, e, 0, shift);
            return 0;
        case VK_END:
            MoveCaret(handle, e, e.text.size(), shift);
            return 0;
        case VK_DELETE:
            if (e.readOnly) return 0;
            if (shift) {  // Shift+Delete cuts
                Copy(e);
                ReplaceSelection(handle, e, U"");
                return 0;
            }
            if (SelStart(e) == SelEnd(e) && e.caret < e.text.size()) e.anchor = e.caret + 1;
            ReplaceSelection(handle, e, U"");
            return 0;
        case VK_INSERT:
            if (control) Copy(e);
            if (shift) SendMessage(handle, WM_PASTE, 0, 0);
            return 0;
        default:
            return 0;
    }
}

LRESULT OnChar(HWND handle, EditState& e, char32_t ch) {
    switch (ch) {
        case 1:  // Ctrl+A
            e.anchor = 0;
            MoveCaret(handle, e, e.text.size(), true);
            return 0;
        case 3:
            Copy(e);
            return 0;  // Ctrl+C
        case 22:
            SendMessage(handle, WM_PASTE, 0, 0);
            return 0;  // Ctrl+V
        case 24:
            SendMessage(handle, WM_CUT, 0, 0);
            return 0;  // Ctrl+X
        case 8:        // Backspace
            if (e.readOnly) return 0;
            if (SelStart(e) == SelEnd(e) && e.caret > 0) e.anchor = e.caret - 1;
            ReplaceSelection(handle, e, U"");
            return 0;
        default:
            break;
    }
    if (ch < 0x20 || ch == 0x7F || e.readOnly) return 0;
    ReplaceSelection(handle, e, std::u32string(1, ch));
    return 0;
}

void Paint(HWND handle, EditState& e) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle, &ps);
    if (dc == nullptr) return;
    RECT client;
    GetClientRect(handle, &client);
    const bool enabled = IsWindowEnabled(handle) != FALSE;
    FillRect(dc, &client, GetSysColorBrush(enabled && !e.readOnly ? COLOR_WINDOW : COLOR_BTNFACE));
    HGDIOBJ oldFont =
        SelectObject(dc, e.font != nullptr ? e.font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    const int x0 = kMargin - e.scroll;
    const int selStart = TextWidth(handle, e, SelStart(e));
    const int selEnd = TextWidth(handle, e, SelEnd(e));
    if (e.focused && selStart != selEnd) {
        RECT sel{x0 + selStart, client.top + 1, x0 + selEnd, client.bottom - 1};
        FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    const std::string utf8 = core::Utf32ToUtf8(e.text);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    TEXTMETRIC tm{};
    const int lineHeight = GetTextMetrics(dc, &tm) ? int(tm.tmHeight) : 13;
    const int y = std::max(0, (int(client.bottom) - lineHeight) / 2);
    TextOut(dc, x0, y, utf8.c_str(), int(utf8.size()));
    if (e.focused && selStart != selEnd) {
        // Selected text in the highlight colours, clipped to the selection.
        SaveDC(dc);
        IntersectClipRect(dc, x0 + selStart, client.top, x0 + selEnd, client.bottom);
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        TextOut(dc, x0, y, utf8.c_str(), int(utf8.size()));
        RestoreDC(dc, -1);
    }
    if (e.focused) {
        const int caretX = x0 + TextWidth(handle, e, e.caret);
        RECT caret{caretX, y, caretX + 1, y + lineHeight};
        FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    if (oldFont != nullptr) SelectObject(dc, oldFont);
    EndPaint(handle, &ps);
}

LRESULT OnSelectionMessage(HWND handle, EditState& e, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case EM_GETSEL: {
            const auto start = DWORD(SelStart(e));
            const auto end = DWORD(SelEnd(e));
            if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = start;
            if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = end;
            return MAKELRESULT(int(std::min<DWORD>(start, 0xFFFF)),
                               int(std::min<DWORD>(end, 0xFFFF)));
        }
        case EM_SETSEL: {
            const auto start = std::intptr_t(wParam);
            const auto end = std::intptr_t(lParam);
            if (start == -1) {
                e.anchor = e.caret;  // removes the selection
            } else {
                const size_t size = e.text.size();
                e.anchor = std::min(size_t(start), size);
                e.caret = end < 0 ? size : std::min(size_t(end), size);
            }
            Changed(handle, e, false);
            return 0;
        }
        case EM_REPLACESEL: {
            const char* text = reinterpret_cast<const char*>(lParam);
            ReplaceSelection(handle, e, FirstLine(text != nullptr ? text : ""));
            return 0;
        }
        default:
            return 0;
    }
}

LRESULT OnMouse(HWND handle, EditState& e, UINT message, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    switch (message) {
        case WM_LBUTTONDOWN:
            if (GetFocus() != handle) SetFocus(handle);
            if (StateOf(handle) != &e) return 0;
            MoveCaret(handle, e, PositionFromX(handle, e, x), GetKeyState(VK_SHIFT) < 0);
            e.selecting = true;
            SetCapture(handle);
            return 0;
        case WM_LBUTTONDBLCLK: {
            size_t start = PositionFromX(handle, e, x);
            size_t end = start;
            while (start > 0 && IsWordChar(e.text[start - 1])) --start;
            while (end < e.text.size() && IsWordChar(e.text[end])) ++end;
            e.anchor = start;
            MoveCaret(handle, e, end, true);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (e.selecting) MoveCaret(handle, e, PositionFromX(handle, e, x), true);
            return 0;
        case WM_LBUTTONUP:
            if (e.selecting) {
                e.selecting = false;
                if (GetCapture() == handle) ReleaseCapture();
            }
            return 0;
        default:
            return 0;
    }
}

}  // namespace

// NOLINTNEXTLINE(readability-function-size): a plain message switch
LRESULT EditWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto state = std::make_unique<EditState>();
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (cs != nullptr && cs->lpszName != nullptr)
            state->text = InCaseStyle(handle, FirstLine(cs->lpszName));
        state->readOnly = (GetWindowLongPtr(handle, GWL_STYLE) & ES_READONLY) != 0;
        Edits()[handle] = std::move(state);
        return DefWindowProc(handle, message, wParam, lParam);
    }
    EditState* e = StateOf(handle);
    if (e == nullptr) return DefWindowProc(handle, message, wParam, lParam);
    switch (message) {
        case WM_NCDESTROY:
            Edits().erase(handle);
            return 0;
        case WM_SETTEXT: {
            const char* text = reinterpret_cast<const char*>(lParam);
            e->text = InCaseStyle(handle, FirstLine(text != nullptr ? text : ""));
            e->caret = e->anchor = 0;
            e->scroll = 0;
            e->modified = false;
            InvalidateRect(handle, nullptr, TRUE);
            Notify(handle, EN_CHANGE);
            return TRUE;
        }
        case WM_GETTEXT: {
            char* buffer = reinterpret_cast<char*>(lParam);
            if (buffer == nullptr || wParam == 0) return 0;
            std::string utf8 = core::Utf32ToUtf8(e->text);
            size_t count = std::min(utf8.size(), size_t(wParam - 1));
            while (count > 0 && count < utf8.size() &&
                   (static_cast<unsigned char>(utf8[count]) & 0xC0) == 0x80)
                --count;
            std::copy_n(utf8.data(), count, buffer);
            buffer[count] = '\0';
            return LRESULT(count);
        }
        case WM_GETTEXTLENGTH:
            return LRESULT(core::Utf32ToUtf8(e->text).size());
        case EM_GETSEL:
        case EM_SETSEL:
        case EM_REPLACESEL:
            return OnSelectionMessage(handle, *e, message, wParam, lParam);
        case EM_LIMITTEXT:
            e->limit = wParam == 0 ? kMaxLimit : std::min<size_t>(wParam, kMaxLimit);
            return 0;
        case EM_GETLIMITTEXT:
            return LRESULT(e->limit);
        case EM_SETREADONLY: {
            e->readOnly = wParam != 0;
            const LONG_PTR style = GetWindowLongPtr(handle, GWL_STYLE);
            SetWindowLongPtr(
                handle, GWL_STYLE,
                e->readOnly ? (style | ES_READONLY) : (style & ~LONG_PTR(ES_READONLY)));
            InvalidateRect(handle, nullptr, TRUE);
            return TRUE;
        }
        case EM_GETMODIFY:
            return e->modified ? TRUE : FALSE;
        case EM_SETMODIFY:
            e->modified = wParam != 0;
            return 0;
        case WM_COPY:
            Copy(*e);
            return 0;
        case WM_CUT:
            if (!e->readOnly) {
                Copy(*e);
                ReplaceSelection(handle, *e, U"");
            }
            return 0;
        case WM_CLEAR:
            if (!e->readOnly) ReplaceSelection(handle, *e, U"");
            return 0;
        case WM_PASTE:
            if (!e->readOnly) ReplaceSelection(handle, *e, FirstLine(GetClipboardText()));
            return 0;
        case WM_CHAR:
            return OnChar(handle, *e, char32_t(wParam));
        case WM_KEYDOWN:
            return OnKeyDown(handle, *e, wParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            return OnMouse(handle, *e, message, lParam);
        case WM_CAPTURECHANGED:
            e->selecting = false;
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            e->focused = message == WM_SETFOCUS;
            InvalidateRect(handle, nullptr, TRUE);
            return 0;
        case WM_SETFONT:
            e->font = reinterpret_cast<HFONT>(wParam);
            if (lParam) InvalidateRect(handle, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return LRESULT(reinterpret_cast<std::uintptr_t>(e->font));
        case WM_GETDLGCODE:
            return 0x0001 | 0x0080 | 0x0008;  // arrows, chars, has-setsel
        case WM_ENABLE:
            InvalidateRect(handle, nullptr, TRUE);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint fills everything
        case WM_PAINT:
            Paint(handle, *e);
            return 0;
        default:
            return DefWindowProc(handle, message, wParam, lParam);
    }
}

}  // namespace platform
