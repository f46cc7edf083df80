// The window objects behind HWND handles and the window layer's shared state (internal).
//
// Everything here belongs to the user-interface thread. A Window pointer is only borrowed
// between calls: any SendMessage may destroy windows, so code re-resolves handles afterwards.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/region.h"
#include "platform/user/user.h"

namespace platform {

struct WindowClass {
    std::string name;
    WNDCLASSEX info{};
    ATOM atom = 0;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> windowClass;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    Window* parent = nullptr;  // nullptr for top-level windows
    HWND owner = nullptr;
    std::vector<Window*> children;  // z-order, top first
    RECT rect{};        // in the parent's client coordinates (the screen for top-level windows)
    RECT client{};      // relative to the window's top-left corner
    RECT normalRect{};  // restored bounds while maximised or minimised
    std::string text;
    std::map<std::string, HANDLE> props;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    bool destroying = false;
    bool messageOnly = false;  // created under HWND_MESSAGE: never shown, only receives messages

    // Painting: what needs repainting, in client coordinates, and the pending steps.
    Region update;
    bool erasePending = false;
    bool ncPaintPending = false;
    bool internalPaint = false;
    bool hasRegion = false;       // set by SetWindowRgn
    Region region;                // window coordinates
    HRGN regionHandle = nullptr;  // owned by the window once set

    // Top-level windows only: the host window and the backing bitmap it presents.
    HostWindowId hostId = 0;
    HBITMAP surface = nullptr;
    std::uint32_t* surfaceBits = nullptr;
    int surfaceWidth = 0;
    int surfaceHeight = 0;
    RECT dirty{};  // surface pixels changed since the last present

    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
    bool IsTopLevel() const { return parent == nullptr; }
};

struct UserState {
    std::map<std::string, std::shared_ptr<WindowClass>> classes;  // by lower-case name
    std::map<HWND, std::unique_ptr<Window>> windows;
    std::vector<Window*> topLevels;  // z-order, top first
    std::uintptr_t nextHandle = 0x00010010;
    ATOM nextAtom = 0xC000;
    HWND capture = nullptr;
    HWND focus = nullptr;
    HWND active = nullptr;
};

UserState& State();

// nullptr for a handle that is not a live window (or one being destroyed, when `alive`).
Window* FromHandle(HWND handle);
Window* LiveWindow(HWND handle);  // excludes windows being destroyed
Window* Root(Window* window);
bool IsVisibleChain(const Window* window);
bool IsAncestorOf(const Window* ancestor, const Window* window);

// Coordinates.
POINT WindowScreenOrigin(const Window* window);
POINT ClientScreenOrigin(const Window* window);
POINT SurfaceOrigin(const Window* window);  // window's top-left in its root's backing bitmap

// Geometry and state changes used across files.
void RecalcClientRect(Window* window);
void SyncHostWindow(Window* window);
void RestackHost();
void BringToTop(Window* window);
void EnsureSurface(Window* window);
void ReleaseSurface(Window* window);
void ActivateOtherWindow(HWND leaving);

// Hit testing by position: the top-level window under a screen point, and the deepest window
// (disabled children give way to their parent when `skipDisabled`).
Window* TopLevelAt(POINT screen);
Window* WindowAtPoint(POINT screen, bool skipDisabled);

// Input routing, activation and focus internals.
HWND InputTarget(POINT screen, LRESULT* hitTest);
HWND ActivateWindow(HWND window, WPARAM how);
void ForgetInputState(HWND window);
void DestroyMenusOf(HWND owner);

// Painting internals.
Region VisibleRegion(const Window* window, bool clientOnly, bool clipChildren);  // surface pixels
HDC MakeWindowDC(Window* window, bool whole, const Region* clip);
void TrackWindowDc(HDC dc, HWND root, const RECT& bounds);
// Lets GetDC(window) and ReleaseDC(window, dc) of the drawing services reach the window layer.
void InstallWindowDcHooks();
void InvalidateWindow(Window* window, const Region* area, UINT flags);
void MarkSurfaceDirty(Window* root, const RECT& surfaceRect);
bool NeedsPaint(const Window* window);
HWND FindWindowToPaint();
void PresentWindows();
void ForgetPaintState(Window* window);

// WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH as DefWindowProc handles them.
LRESULT DefaultTextMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam);

// Non-client defaults.
LRESULT DefaultHitTest(Window* window, POINT screen);
void DefaultNcCalcSize(const Window* window, RECT* rect);
void PaintDefaultFrame(HWND window);
// The width of a caption bar that shows `text` whole in the plain frame's caption font.
int CaptionBarWidthFor(const std::string& text);
void RunSizeMoveLoop(HWND window, WPARAM command);
MINMAXINFO QueryMinMaxInfo(HWND window);

}  // namespace platform
