// The window services the program calls by their Windows names: windows and classes, the
// message queue and loop, timers, input state, painting, regions, monitors, cursors, the
// message box and popup menus. Strings are UTF-8; character messages carry code points.
//
// Where each group is implemented:
//   classes, creation, tree, window data     window.cpp
//   position, size, show, z-order, mapping   window_pos.cpp
//   queue, loop, timers, waits, the host     message_queue.cpp
//   input routing, key state, cursors        input.cpp
//   capture, focus, activation               focus.cpp
//   default handling                         def_window_proc.cpp
//   default frame, hit codes, size limits    non_client.cpp
//   move and size loop                       size_move.cpp
//   invalidation, WM_PAINT, presenting       paint.cpp
//   window DCs and window regions            window_dc.cpp
//   monitors, work area, clipboard           monitor.cpp
//   message box, menus, edit control         message_box.cpp, menu.cpp, edit.cpp
//   dropped files                            drop_files.cpp
#pragma once

#include <memory>

#include "platform/gdi/gdi.h"
#include "platform/host/host.h"
#include "platform/user/winuser.h"

namespace platform {

// ---------------------------------------------------------------------------------------------
// The host that shows the windows. Until one is set, a 1024 x 768 virtual screen is used.

void SetHost(std::unique_ptr<Host> host);
Host& CurrentHost();

// ---------------------------------------------------------------------------------------------
// Classes and windows

ATOM RegisterClassEx(const WNDCLASSEX* windowClass);
BOOL UnregisterClass(LPCSTR className, HINSTANCE instance);
BOOL GetClassInfoEx(HINSTANCE instance, LPCSTR className, WNDCLASSEX* windowClass);
int GetClassName(HWND window, char* buffer, int size);
std::uintptr_t GetClassLongPtr(HWND window, int index);
std::uintptr_t SetClassLongPtr(HWND window, int index, LONG_PTR value);

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                    LPVOID param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL IsChild(HWND parent, HWND window);
HWND GetParent(HWND window);
HWND SetParent(HWND window, HWND newParent);
HWND GetAncestor(HWND window, UINT flags);
HWND GetWindow(HWND window, UINT command);
HWND GetTopWindow(HWND window);
HWND GetDesktopWindow();

LONG_PTR GetWindowLongPtr(HWND window, int index);
LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value);
LRESULT CallWindowProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL SetWindowText(HWND window, LPCSTR text);
// Translucency of a top-level window with WS_EX_LAYERED (LWA_ALPHA; colour keys are not
// offered).
BOOL SetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags);
int GetWindowText(HWND window, char* buffer, int size);
int GetWindowTextLength(HWND window);
BOOL SetProp(HWND window, LPCSTR name, HANDLE data);
HANDLE GetProp(HWND window, LPCSTR name);
HANDLE RemoveProp(HWND window, LPCSTR name);

// ---------------------------------------------------------------------------------------------
// Position, size and state

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(HWND window, int command);
BOOL BringWindowToTop(HWND window);
BOOL IsWindowVisible(HWND window);
BOOL IsWindowEnabled(HWND window);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
HWND WindowFromPoint(POINT point);
HWND ChildWindowFromPoint(HWND parent, POINT point);
BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL GetMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
BOOL PeekMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL WaitMessage();
DWORD GetMessageTime();
DWORD GetMessagePos();
BOOL InSendMessage();

// ---------------------------------------------------------------------------------------------
// Timers

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND window, UINT_PTR id);

// ---------------------------------------------------------------------------------------------
// Input state

HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetFocus(HWND window);
HWND GetFocus();
HWND SetActiveWindow(HWND window);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
UINT GetDoubleClickTime();

// ---------------------------------------------------------------------------------------------
// Painting

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND window, HRGN region, BOOL erase);
BOOL ValidateRect(HWND window, const RECT* rect);
BOOL ValidateRgn(HWND window, HRGN region);
BOOL UpdateWindow(HWND window);
BOOL RedrawWindow(HWND window, const RECT* rect, HRGN region, UINT flags);
BOOL GetUpdateRect(HWND window, RECT* rect, BOOL erase);
int GetUpdateRgn(HWND window, HRGN region, BOOL erase);
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
// GetDC(window) and ReleaseDC (declared with the drawing services) reach the window layer
// once it is in use; GetDC(nullptr) is the screen.
HDC GetWindowDC(HWND window);
HDC GetDCEx(HWND window, HRGN clip, DWORD flags);
HWND WindowFromDC(HDC dc);
int SetWindowRgn(HWND window, HRGN region, BOOL redraw);
int GetWindowRgn(HWND window, HRGN region);

// ---------------------------------------------------------------------------------------------
// Monitors and metrics

HMONITOR MonitorFromWindow(HWND window, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
BOOL SystemParametersInfo(UINT action, UINT uiParam, LPVOID pvParam, UINT winIni);

// ---------------------------------------------------------------------------------------------
// Message box and popup menus

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR text);
int GetMenuItemCount(HMENU menu);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* reserved2);

// ---------------------------------------------------------------------------------------------
// Dropped files. A window that accepts files (WS_EX_ACCEPTFILES) is sent WM_DROPFILES with an
// HDROP in wParam when files are dropped on it or on a child that does not accept them.

void DragAcceptFiles(HWND window, BOOL accept);
// index 0xFFFFFFFF: the number of files. Otherwise the length of that file's name without
// the terminator, and, with a buffer, the name copied (cut to size - 1 bytes, terminated).
// 0 for a bad handle or index.
UINT DragQueryFile(HDROP drop, UINT index, char* buffer, UINT size);
// Where the files were dropped, in the client coordinates of the window that got them;
// TRUE when that was outside its client area.
BOOL DragQueryPoint(HDROP drop, POINT* point);
void DragFinish(HDROP drop);

// Clipboard text, as the edit control uses it (through the host).
BOOL SetClipboardText(const char* text);
std::string GetClipboardText();

// Releases every window, class, timer and queued message: a clean slate for the next test
// or the end of the program.
void ResetWindowServices();

}  // namespace platform
