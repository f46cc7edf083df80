// Window classes, creation and destruction, the window tree, window data and messages sent
// straight to a window procedure.
#include "platform/user/window.h"

#include <algorithm>
#include <cstring>

#include "core/utf8.h"
#include "platform/thread/ui_thread.h"
#include "platform/user/input_internal.h"
#include "platform/user/queue_internal.h"

namespace platform {

namespace {

std::string ClassKey(LPCSTR name) {
    if (name == nullptr) return {};
    const auto value = reinterpret_cast<std::uintptr_t>(name);
    if (value <= 0xFFFF) return "#" + std::to_string(value);  // an atom
    return core::LowerCaseAscii(name);
}

std::shared_ptr<WindowClass> FindClass(LPCSTR name) {
    UserState& state = State();
    const auto value = reinterpret_cast<std::uintptr_t>(name);
    if (name != nullptr && value <= 0xFFFF) {
        for (auto& [key, cls] : state.classes) {
            if (cls->atom == value) return cls;
        }
        return nullptr;
    }
    auto it = state.classes.find(ClassKey(name));
    return it == state.classes.end() ? nullptr : it->second;
}

void RegisterBuiltInClasses();

void CopyText(const std::string& text, char* buffer, int size, int* written) {
    *written = 0;
    if (buffer == nullptr || size <= 0) return;
    size_t count = std::min(text.size(), size_t(size - 1));
    // Never cut a multi-byte character in half.
    while (count > 0 && count < text.size() &&
           (static_cast<unsigned char>(text[count]) & 0xC0) == 0x80) {
        --count;
    }
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    *written = int(count);
}

void SendDestroy(HWND handle) {
    SendMessage(handle, WM_DESTROY, 0, 0);
    Window* window = FromHandle(handle);
    if (window == nullptr) return;
    std::vector<HWND> children;
    for (Window* child : window->children) children.push_back(child->handle);
    for (HWND child : children) SendDestroy(child);
}

void FreeWindow(HWND handle) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return;
    std::vector<HWND> children;
    for (Window* child : window->children) children.push_back(child->handle);
    for (HWND child : children) FreeWindow(child);
    SendMessage(handle, WM_NCDESTROY, 0, 0);
    window = FromHandle(handle);
    if (window == nullptr) return;
    KillWindowTimers(handle);
    PurgeWindowMessages(handle);
    ForgetInputState(handle);
    ForgetPaintState(window);
    UserState& state = State();
    if (window->parent != nullptr) {
        auto& siblings = window->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    } else {
        state.topLevels.erase(std::remove(state.topLevels.begin(), state.topLevels.end(), window),
                              state.topLevels.end());
        ReleaseSurface(window);
        if (window->hostId != 0) CurrentHost().DestroyWindow(window->hostId);
    }
    if (window->regionHandle != nullptr) DeleteObject(window->regionHandle);
    for (auto& [hwnd, other] : state.windows) {
        if (other->owner == handle) other->owner = nullptr;
    }
    state.windows.erase(handle);
}

void MarkDestroying(Window* window) {
    window->destroying = true;
    for (Window* child : window->children) MarkDestroying(child);
}

}  // namespace

UserState& State() {
    static UserState state;
    return state;
}

Window* FromHandle(HWND handle) {
    if (handle == nullptr) return nullptr;
    UserState& state = State();
    auto it = state.windows.find(handle);
    return it == state.windows.end() ? nullptr : it->second.get();
}

Window* LiveWindow(HWND handle) {
    Window* window = FromHandle(handle);
    return window != nullptr && !window->destroying ? window : nullptr;
}

Window* Root(Window* window) {
    while (window != nullptr && window->parent != nullptr) window = window->parent;
    return window;
}

bool IsVisibleChain(const Window* window) {
    for (; window != nullptr; window = window->parent) {
        if ((window->style & WS_VISIBLE) == 0) return false;
    }
    return true;
}

bool IsAncestorOf(const Window* ancestor, const Window* window) {
    for (const Window* w = window ? window->parent : nullptr; w != nullptr; w = w->parent) {
        if (w == ancestor) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Classes

ATOM RegisterClassEx(const WNDCLASSEX* info) {
    if (info == nullptr || info->lpszClassName == nullptr || info->lpfnWndProc == nullptr) return 0;
    RegisterBuiltInClasses();
    UserState& state = State();
    const std::string key = ClassKey(info->lpszClassName);
    if (state.classes.count(key)) return 0;  // already registered
    auto cls = std::make_shared<WindowClass>();
    cls->name = info->lpszClassName;
    cls->info = *info;
    cls->info.lpszClassName = nullptr;  // the name lives in `name`
    cls->info.cbWndExtra = std::clamp(info->cbWndExtra, 0, 1024);
    cls->atom = state.nextAtom++;
    state.classes[key] = cls;
    return cls->atom;
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) {
    std::shared_ptr<WindowClass> cls = FindClass(className);
    if (!cls) return FALSE;
    for (auto& [handle, window] : State().windows) {
        if (window->windowClass == cls) return FALSE;  // still in use
    }
    State().classes.erase(core::LowerCaseAscii(cls->name));
    return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE, LPCSTR className, WNDCLASSEX* info) {
    RegisterBuiltInClasses();
    std::shared_ptr<WindowClass> cls = FindClass(className);
    if (!cls || info == nullptr) return FALSE;
    *info = cls->info;
    info->lpszClassName = cls->name.c_str();
    return TRUE;
}

int GetClassName(HWND handle, char* buffer, int size) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return 0;
    int written = 0;
    CopyText(window->windowClass->name, buffer, size, &written);
    return written;
}

std::uintptr_t GetClassLongPtr(HWND handle, int index) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return 0;
    const WNDCLASSEX& info = window->windowClass->info;
    switch (index) {
        case GCLP_HCURSOR:
            return reinterpret_cast<std::uintptr_t>(info.hCursor);
        case GCLP_HBRBACKGROUND:
            return reinterpret_cast<std::uintptr_t>(info.hbrBackground);
        case GCL_STYLE:
            return info.style;
        default:
            return 0;
    }
}

std::uintptr_t SetClassLongPtr(HWND handle, int index, LONG_PTR value) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return 0;
    WNDCLASSEX& info = window->windowClass->info;
    std::uintptr_t previous = GetClassLongPtr(handle, index);
    switch (index) {
        case GCLP_HCURSOR:
            info.hCursor = reinterpret_cast<HCURSOR>(value);
            break;
        case GCLP_HBRBACKGROUND:
            info.hbrBackground = reinterpret_cast<HBRUSH>(value);
            break;
        case GCL_STYLE:
            info.style = UINT(value);
            break;
        default:
            return 0;
    }
    return previous;
}

// ---------------------------------------------------------------------------------------------
// Creation and destruction

namespace {

// Where a new window goes: under a parent, owned by a top-level window, or nowhere at all.
struct Placement {
    Window* parent = nullptr;
    HWND owner = nullptr;
    bool messageOnly = false;
};

// Resolves the parent a window is created with, adjusting its style to the placement; false
// when the parent cannot take it.
bool PlaceNewWindow(HWND& parentHandle, DWORD& style, Placement& placement) {
    placement.messageOnly = parentHandle == HWND_MESSAGE;
    if (placement.messageOnly) {
        style &= ~(WS_VISIBLE | WS_CHILD);
        parentHandle = nullptr;
    } else if (parentHandle != nullptr) {
        Window* given = LiveWindow(parentHandle);
        if (given == nullptr) return false;
        if (style & WS_CHILD) {
            placement.parent = given;
        } else {
            placement.owner = Root(given)->handle;  // a top-level window is owned by the root
        }
    } else if (style & WS_CHILD) {
        return false;  // a child needs a parent
    }
    // Overlapped windows always have a caption, as on Windows.
    if (!(style & (WS_POPUP | WS_CHILD)) && !placement.messageOnly)
        style |= WS_CAPTION | WS_CLIPSIBLINGS;
    return true;
}

// Puts a new window into the tree: message-only windows stay with the roots unseen, children
// go to the bottom of their parent's z-order, top-level windows get a host window on top.
void LinkNewWindow(Window* window, const Placement& placement) {
    UserState& state = State();
    if (placement.messageOnly) {
        state.topLevels.push_back(window);
    } else if (placement.parent != nullptr) {
        placement.parent->children.push_back(window);
    } else {
        BringToTop(window);
        const DWORD exStyle = window->exStyle;
        HostWindowOptions options;
        options.topMost = (exStyle & WS_EX_TOPMOST) != 0;
        options.noActivate = (exStyle & WS_EX_NOACTIVATE) != 0 ||
                             (window->style & WS_POPUP && placement.owner != nullptr &&
                              (exStyle & WS_EX_TOOLWINDOW));
        options.title = window->text;
        window->hostId = CurrentHost().CreateWindow(
            HostRect{window->rect.left, window->rect.top, window->rect.right, window->rect.bottom},
            options);
        RestackHost();
    }
}

// The record of a new window under a fresh handle, linked into the tree before any message
// reaches it. `cs` holds the final style and geometry.
Window* NewWindow(const std::shared_ptr<WindowClass>& cls, const Placement& placement,
                  const CREATESTRUCT& cs) {
    UserState& state = State();
    auto created = std::make_unique<Window>();
    Window* window = created.get();
    window->handle = reinterpret_cast<HWND>(state.nextHandle);
    state.nextHandle += 4;
    window->windowClass = cls;
    window->proc = cls->info.lpfnWndProc;
    window->style = DWORD(cs.style) & ~WS_VISIBLE;
    window->exStyle = cs.dwExStyle;
    window->parent = placement.parent;
    window->owner = placement.owner;
    window->instance = cs.hInstance;
    window->messageOnly = placement.messageOnly;
    window->text = cs.lpszName != nullptr ? cs.lpszName : "";
    if (cs.style & WS_CHILD) window->id = LONG_PTR(reinterpret_cast<std::uintptr_t>(cs.hMenu));
    window->rect = RECT{cs.x, cs.y, cs.x + std::max(cs.cx, 0), cs.y + std::max(cs.cy, 0)};
    window->normalRect = window->rect;
    state.windows[window->handle] = std::move(created);
    LinkNewWindow(window, placement);
    return window;
}

// WM_NCCREATE, WM_CREATE, WM_SIZE and WM_MOVE; false when the window did not survive them.
bool SendCreationMessages(HWND handle, CREATESTRUCT& cs) {
    if (!(cs.style & WS_CHILD)) {
        MINMAXINFO info = QueryMinMaxInfo(handle);
        if (!LiveWindow(handle)) return false;
        (void)info;
    }
    if (SendMessage(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == FALSE) {
        DestroyWindow(handle);
        return false;
    }
    Window* window = LiveWindow(handle);
    if (window == nullptr) return false;
    RecalcClientRect(window);
    if (SendMessage(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(handle);
        return false;
    }
    window = LiveWindow(handle);
    if (window == nullptr) return false;
    const int clientWidth = window->client.right - window->client.left;
    const int clientHeight = window->client.bottom - window->client.top;
    SendMessage(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(clientWidth, clientHeight));
    window = LiveWindow(handle);
    if (window == nullptr) return false;
    POINT origin{window->rect.left + window->client.left, window->rect.top + window->client.top};
    SendMessage(handle, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    return LiveWindow(handle) != nullptr;
}

// WM_PARENTNOTIFY up the chain of parents until one asks for no more, unless the window was
// created asking for none; false when the window did not survive it.
bool NotifyParentsOfCreation(HWND handle, DWORD exStyle) {
    Window* window = LiveWindow(handle);
    if (window->parent == nullptr || (exStyle & WS_EX_NOPARENTNOTIFY)) return true;
    for (Window* p = window->parent; p != nullptr; p = p->parent) {
        const HWND ph = p->handle;
        SendMessage(ph, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, int(window->id)),
                    reinterpret_cast<LPARAM>(handle));
        window = LiveWindow(handle);
        p = FromHandle(ph);
        if (window == nullptr || p == nullptr || (p->exStyle & WS_EX_NOPARENTNOTIFY)) break;
    }
    return LiveWindow(handle) != nullptr;
}

void ShowNewWindow(HWND handle, DWORD style) {
    if (!(style & WS_VISIBLE)) return;
    if (style & WS_MAXIMIZE) {
        ShowWindow(handle, SW_SHOWMAXIMIZED);
    } else if (style & WS_MINIMIZE) {
        ShowWindow(handle, SW_SHOWMINIMIZED);
    } else {
        ShowWindow(handle, SW_SHOW);
    }
}

}  // namespace

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parentHandle, HMENU menu, HINSTANCE instance,
                    LPVOID param) {
    NoteMainThread();
    InstallWindowDcHooks();
    RegisterBuiltInClasses();
    std::shared_ptr<WindowClass> cls = FindClass(className);
    if (!cls) return nullptr;
    Placement placement;
    if (!PlaceNewWindow(parentHandle, style, placement)) return nullptr;
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) {
        const RECT work = GetWorkArea();
        width = (work.right - work.left) * 3 / 4;
        height = (work.bottom - work.top) * 3 / 4;
    }
    CREATESTRUCT cs{.lpCreateParams = param,
                    .hInstance = instance,
                    .hMenu = menu,
                    .hwndParent = parentHandle,
                    .cy = height,
                    .cx = width,
                    .y = y,
                    .x = x,
                    .style = LONG(style),
                    .lpszName = windowName,
                    .lpszClass = cls->name.c_str(),
                    .dwExStyle = exStyle};
    const HWND handle = NewWindow(cls, placement, cs)->handle;
    if (!SendCreationMessages(handle, cs) || !NotifyParentsOfCreation(handle, exStyle))
        return nullptr;
    ShowNewWindow(handle, style);
    return LiveWindow(handle) != nullptr ? handle : nullptr;
}

BOOL DestroyWindow(HWND handle) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return FALSE;
    if (window->IsTopLevel()) {
        // Owned windows go first, as on Windows.
        std::vector<HWND> owned;
        for (auto& [hwnd, other] : State().windows) {
            if (other->owner == handle && !other->destroying) owned.push_back(hwnd);
        }
        for (HWND o : owned) DestroyWindow(o);
        DestroyMenusOf(handle);
        window = LiveWindow(handle);
        if (window == nullptr) return TRUE;
    }
    if (window->style & WS_VISIBLE) {
        SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        window = LiveWindow(handle);
        if (window == nullptr) return TRUE;
    }
    if (window->parent != nullptr && !(window->exStyle & WS_EX_NOPARENTNOTIFY)) {
        SendMessage(window->parent->handle, WM_PARENTNOTIFY,
                    MAKEWPARAM(WM_DESTROY, int(window->id)), reinterpret_cast<LPARAM>(handle));
        window = LiveWindow(handle);
        if (window == nullptr) return TRUE;
    }
    MarkDestroying(window);
    UserState& state = State();
    if (Window* capture = FromHandle(state.capture);
        capture == window || IsAncestorOf(window, capture)) {
        ReleaseCapture();
    }
    if (Window* focus = FromHandle(state.focus); focus == window || IsAncestorOf(window, focus)) {
        state.focus = nullptr;
    }
    if (state.active == handle) ActivateOtherWindow(handle);
    SendDestroy(handle);
    FreeWindow(handle);
    return TRUE;
}

BOOL IsWindow(HWND handle) {
    return FromHandle(handle) != nullptr ? TRUE : FALSE;
}

BOOL IsChild(HWND parentHandle, HWND handle) {
    Window* parent = FromHandle(parentHandle);
    Window* window = FromHandle(handle);
    return parent != nullptr && window != nullptr && IsAncestorOf(parent, window) ? TRUE : FALSE;
}

HWND GetParent(HWND handle) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return nullptr;
    if (window->parent != nullptr) return window->parent->handle;
    return (window->style & WS_POPUP) ? window->owner : nullptr;
}

HWND SetParent(HWND handle, HWND newParentHandle) {
    Window* window = LiveWindow(handle);
    Window* newParent = LiveWindow(newParentHandle);
    if (window == nullptr || window->IsTopLevel() || newParent == nullptr || newParent == window ||
        IsAncestorOf(window, newParent)) {
        return nullptr;  // only children move between parents here
    }
    Window* old = window->parent;
    InvalidateWindow(old, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    old->children.erase(std::remove(old->children.begin(), old->children.end(), window),
                        old->children.end());
    newParent->children.insert(newParent->children.begin(), window);
    window->parent = newParent;
    InvalidateWindow(window, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return old->handle;
}

HWND GetAncestor(HWND handle, UINT flags) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return nullptr;
    switch (flags) {
        case GA_PARENT:
            return window->parent ? window->parent->handle : nullptr;
        case GA_ROOT:
            return Root(window)->handle;
        case GA_ROOTOWNER: {
            Window* root = Root(window);
            while (Window* owner = FromHandle(root->owner)) root = owner;
            return root->handle;
        }
        default:
            return nullptr;
    }
}

HWND GetWindow(HWND handle, UINT command) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return nullptr;
    if (command == GW_CHILD)
        return window->children.empty() ? nullptr : window->children.front()->handle;
    if (command == GW_OWNER) return window->owner;
    const std::vector<Window*>& siblings =
        window->parent ? window->parent->children : State().topLevels;
    auto it = std::find(siblings.begin(), siblings.end(), window);
    if (it == siblings.end()) return nullptr;
    switch (command) {
        case GW_HWNDFIRST:
            return siblings.front()->handle;
        case GW_HWNDLAST:
            return siblings.back()->handle;
        case GW_HWNDNEXT:
            return it + 1 == siblings.end() ? nullptr : (*(it + 1))->handle;
        case GW_HWNDPREV:
            return it == siblings.begin() ? nullptr : (*(it - 1))->handle;
        default:
            return nullptr;
    }
}

HWND GetTopWindow(HWND handle) {
    if (handle == nullptr)
        return State().topLevels.empty() ? nullptr : State().topLevels.front()->handle;
    return GetWindow(handle, GW_CHILD);
}

HWND GetDesktopWindow() {
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Window data

LONG_PTR GetWindowLongPtr(HWND handle, int index) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return 0;
    switch (index) {
        case GWLP_WNDPROC:
            return LONG_PTR(reinterpret_cast<std::uintptr_t>(window->proc));
        case GWLP_HINSTANCE:
            return LONG_PTR(reinterpret_cast<std::uintptr_t>(window->instance));
        case GWLP_HWNDPARENT:
            return LONG_PTR(reinterpret_cast<std::uintptr_t>(GetParent(handle)));
        case GWLP_ID:
            return window->id;
        case GWL_STYLE:
            return LONG_PTR(window->style);
        case GWL_EXSTYLE:
            return LONG_PTR(window->exStyle);
        case GWLP_USERDATA:
            return window->userData;
        default:
            return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND handle, int index, LONG_PTR value) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return 0;
    const LONG_PTR previous = GetWindowLongPtr(handle, index);
    switch (index) {
        case GWLP_WNDPROC:
            if (value == 0) return 0;  // a window always keeps a procedure
            window->proc = reinterpret_cast<WNDPROC>(value);
            break;
        case GWLP_ID:
            window->id = value;
            break;
        case GWLP_USERDATA:
            window->userData = value;
            break;
        case GWLP_HWNDPARENT:
            if (window->IsTopLevel()) window->owner = reinterpret_cast<HWND>(value);
            break;
        case GWL_STYLE:
        case GWL_EXSTYLE: {
            DWORD& field = index == GWL_STYLE ? window->style : window->exStyle;
            DWORD newValue = DWORD(value);
            // Visibility, the child flag and the top-most flag change through their own calls.
            if (index == GWL_STYLE)
                newValue =
                    (newValue & ~(WS_VISIBLE | WS_CHILD)) | (field & (WS_VISIBLE | WS_CHILD));
            if (index == GWL_EXSTYLE)
                newValue = (newValue & ~WS_EX_TOPMOST) | (field & WS_EX_TOPMOST);
            field = newValue;
            break;
        }
        default:
            return 0;
    }
    return previous;
}

LRESULT CallWindowProc(WNDPROC proc, HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (proc == nullptr) return 0;
    return proc(handle, message, wParam, lParam);
}

LRESULT SendMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (MainThreadKnown() && !IsMainThread()) {
        // A worker's message runs in the user-interface thread, which owns every window.
        LRESULT result = 0;
        RunInMainThread([&] { result = SendMessage(handle, message, wParam, lParam); });
        return result;
    }
    Window* window = FromHandle(handle);
    if (window == nullptr) return 0;
    return CallWindowProc(window->proc, handle, message, wParam, lParam);
}

BOOL SetWindowText(HWND handle, LPCSTR text) {
    if (FromHandle(handle) == nullptr) return FALSE;
    return SendMessage(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowText(HWND handle, char* buffer, int size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    if (FromHandle(handle) == nullptr) return 0;
    return int(SendMessage(handle, WM_GETTEXT, WPARAM(std::max(size, 0)),
                           reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND handle) {
    if (FromHandle(handle) == nullptr) return 0;
    return int(SendMessage(handle, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetLayeredWindowAttributes(HWND handle, COLORREF, BYTE alpha, DWORD flags) {
    Window* window = LiveWindow(handle);
    if (window == nullptr || !window->IsTopLevel() || !(window->exStyle & WS_EX_LAYERED))
        return FALSE;
    if ((flags & LWA_ALPHA) && window->hostId != 0)
        CurrentHost().SetWindowOpacity(window->hostId, float(alpha) / 255.0f);
    return TRUE;
}

// The default text handling, shared with DefWindowProc.
LRESULT DefaultTextMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT: {
            const char* text = reinterpret_cast<const char*>(lParam);
            window->text = text != nullptr ? text : "";
            if (window->hostId != 0) CurrentHost().SetWindowTitle(window->hostId, window->text);
            if (window->style & WS_CAPTION)
                RedrawWindow(window->handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
            return TRUE;
        }
        case WM_GETTEXT: {
            int written = 0;
            CopyText(window->text, reinterpret_cast<char*>(lParam),
                     int(std::min<WPARAM>(wParam, 0x7FFFFFFF)), &written);
            return written;
        }
        case WM_GETTEXTLENGTH:
            return LRESULT(window->text.size());
        default:
            return 0;
    }
}

BOOL SetProp(HWND handle, LPCSTR name, HANDLE data) {
    Window* window = FromHandle(handle);
    if (window == nullptr || name == nullptr) return FALSE;
    window->props[ClassKey(name)] = data;
    return TRUE;
}

HANDLE GetProp(HWND handle, LPCSTR name) {
    Window* window = FromHandle(handle);
    if (window == nullptr || name == nullptr) return nullptr;
    auto it = window->props.find(ClassKey(name));
    return it == window->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND handle, LPCSTR name) {
    Window* window = FromHandle(handle);
    if (window == nullptr || name == nullptr) return nullptr;
    auto it = window->props.find(ClassKey(name));
    if (it == window->props.end()) return nullptr;
    HANDLE data = it->second;
    window->props.erase(it);
    return data;
}

// ---------------------------------------------------------------------------------------------

LRESULT EditWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT MessageBoxWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT MenuWindowProc(HWND, UINT, WPARAM, LPARAM);

namespace {

void RegisterBuiltInClasses() {
    UserState& state = State();
    if (state.classes.count("edit")) return;
    auto add = [&](const char* name, WNDPROC proc, UINT style, HCURSOR cursor, HBRUSH background) {
        auto cls = std::make_shared<WindowClass>();
        cls->name = name;
        cls->info.cbSize = sizeof(WNDCLASSEX);
        cls->info.style = style;
        cls->info.lpfnWndProc = proc;
        cls->info.hCursor = cursor;
        cls->info.hbrBackground = background;
        cls->atom = state.nextAtom++;
        state.classes[core::LowerCaseAscii(name)] = cls;
    };
    auto colorBrush = [](int index) { return reinterpret_cast<HBRUSH>(std::uintptr_t(index + 1)); };
    add("EDIT", EditWindowProc, CS_DBLCLKS, LoadCursor(nullptr, IDC_IBEAM),
        colorBrush(COLOR_WINDOW));
    add("#32770", MessageBoxWindowProc, CS_SAVEBITS, LoadCursor(nullptr, IDC_ARROW),
        colorBrush(COLOR_BTNFACE));
    add("#32768", MenuWindowProc, CS_SAVEBITS, LoadCursor(nullptr, IDC_ARROW),
        colorBrush(COLOR_MENU));
}

}  // namespace

void ResetWindowServices() {
    UserState& state = State();
    std::vector<HWND> roots;
    for (Window* w : state.topLevels) roots.push_back(w->handle);
    for (HWND h : roots) DestroyWindow(h);
    state.windows.clear();
    state.topLevels.clear();
    state.capture = state.focus = state.active = nullptr;
    state.classes.clear();
    ResetQueue();
    ResetDrops();
}

}  // namespace platform
