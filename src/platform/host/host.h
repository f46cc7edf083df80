#pragma once
// How top-level windows reach a screen. The window layer keeps every window, its geometry,
// z-order, capture and focus itself; a host only shows top-level pixels, reports raw input in
// screen coordinates and tells the screen's size. Two hosts exist: SDL (a real display) and
// the virtual screen (tests, screenshots, the command-line tool).
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace platform {

struct HostRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

using HostWindowId = std::uint32_t;  // 0 = none

// The standard cursors the window layer asks for.
enum class HostCursor {
    Arrow,
    IBeam,
    Wait,
    Cross,
    SizeNWSE,
    SizeNESW,
    SizeWE,
    SizeNS,
    SizeAll,
    No,
    Hand,
    AppStarting
};

enum class HostEventType {
    MouseMove,
    ButtonDown,
    ButtonUp,
    Wheel,
    KeyDown,
    KeyUp,
    Text,          // committed text from the keyboard or an input method (UTF-8)
    CloseRequest,  // the user asked the host window to close
    FocusLost,     // the host's keyboard focus left all our windows
    Drop,          // files were dropped on a window: `files`, at the pointer's place
};

// Mouse buttons as the window layer numbers them.
inline constexpr int kHostLeftButton = 1;
inline constexpr int kHostRightButton = 2;
inline constexpr int kHostMiddleButton = 3;

struct HostEvent {
    HostEventType type = HostEventType::MouseMove;
    HostWindowId window = 0;  // host window the event arrived at (0 = unknown)
    int x = 0;                // screen coordinates of the pointer
    int y = 0;
    int button = 0;                  // kHost*Button
    int wheelDelta = 0;              // 120 per notch, positive away from the user
    unsigned virtualKey = 0;         // Windows virtual-key code
    bool repeat = false;             // auto-repeated key
    std::string text;                // Text events
    std::vector<std::string> files;  // Drop events: the dropped paths, in the order given
};

struct HostWindowOptions {
    bool topMost = false;
    bool noActivate = false;  // never takes the keyboard focus (menus, tool tips)
    std::string title;
};

// Pixels of a top-level window's backing bitmap: 32-bit BGRX rows, top-down.
struct HostPixels {
    const std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes per row
};

// The part of a presented window picture that lands on a target of width × height: the dirty
// rect cut to the picture and the target.
inline HostRect PresentedPart(const HostRect& dirty, const HostPixels& pixels, int width,
                              int height) {
    return HostRect{std::max(dirty.left, 0), std::max(dirty.top, 0),
                    std::min({dirty.right, pixels.width, width}),
                    std::min({dirty.bottom, pixels.height, height})};
}

// The windows a host keeps, by the ids it hands out (from 1 on); each host keeps what it needs
// of a window in its `Entry`.
template <typename Entry>
class HostWindowTable {
  public:
    HostWindowId Add(Entry entry) {
        const HostWindowId id = nextId_++;
        entries_.emplace(id, std::move(entry));
        return id;
    }
    // The entry of a window, or null for an id the host did not hand out or has destroyed.
    Entry* Find(HostWindowId id) {
        auto it = entries_.find(id);
        return it == entries_.end() ? nullptr : &it->second;
    }
    const Entry* Find(HostWindowId id) const {
        auto it = entries_.find(id);
        return it == entries_.end() ? nullptr : &it->second;
    }
    bool Contains(HostWindowId id) const { return entries_.count(id) != 0; }
    void Remove(HostWindowId id) { entries_.erase(id); }
    // Every window with its id, by id.
    auto begin() { return entries_.begin(); }
    auto end() { return entries_.end(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

  private:
    std::map<HostWindowId, Entry> entries_;
    HostWindowId nextId_ = 1;
};

class Host {
  public:
    virtual ~Host() = default;

    virtual HostWindowId CreateWindow(const HostRect& bounds, const HostWindowOptions& options) = 0;
    virtual void DestroyWindow(HostWindowId window) = 0;
    virtual void SetWindowBounds(HostWindowId window, const HostRect& bounds) = 0;
    virtual void ShowWindow(HostWindowId window, bool show) = 0;
    virtual void SetWindowTitle(HostWindowId window, const std::string& title) = 0;
    // All host windows from the bottom of the z-order to the top.
    virtual void RestackWindows(const std::vector<HostWindowId>& bottomToTop) = 0;
    // Gives the host window the keyboard focus (a no-op where the host has no such notion).
    virtual void FocusWindow(HostWindowId window) = 0;
    // Shapes a window: the union of `rects` (window coordinates) is inside; an empty list
    // removes the shape.
    virtual void SetWindowShape(HostWindowId window, const std::vector<HostRect>& rects) = 0;
    // Translucency of the whole window, from 0 (invisible) to 1 (opaque).
    virtual void SetWindowOpacity(HostWindowId window, float opacity) = 0;
    // Shows the window's pixels; `dirty` (window coordinates) is the part that changed.
    virtual void Present(HostWindowId window, const HostPixels& pixels, const HostRect& dirty) = 0;

    virtual HostRect ScreenBounds() = 0;
    virtual HostRect WorkArea() = 0;

    // Takes the next input event, waiting up to `timeoutMs` (negative = without limit, 0 = do
    // not wait). Returns false on time-out or when Wake was called.
    virtual bool NextEvent(HostEvent& event, int timeoutMs) = 0;
    // Ends a wait in NextEvent; may be called from any thread.
    virtual void Wake() = 0;

    virtual void SetCursor(HostCursor cursor) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual std::string ClipboardText() = 0;
};

}  // namespace platform
