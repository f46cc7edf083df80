#pragma once
// The real display through SDL2: each top-level window is a borderless SDL window (a shaped
// one once it has a shape), its backing pixels are copied to the window surface, and input is
// reported in screen coordinates.
#include <map>
#include <memory>
#include <optional>

#include "platform/host/host.h"
#include "platform/host/sdl/x_error_guard.h"

struct SDL_Window;
struct SDL_Cursor;

namespace platform {

class SdlHost : public Host {
  public:
    // Initialises SDL's video subsystem; throws core::Exception when that fails.
    SdlHost();
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    HostWindowId CreateWindow(const HostRect& bounds, const HostWindowOptions& options) override;
    void DestroyWindow(HostWindowId window) override;
    void SetWindowBounds(HostWindowId window, const HostRect& bounds) override;
    void ShowWindow(HostWindowId window, bool show) override;
    void SetWindowTitle(HostWindowId window, const std::string& title) override;
    void RestackWindows(const std::vector<HostWindowId>& bottomToTop) override;
    void FocusWindow(HostWindowId window) override;
    void SetWindowShape(HostWindowId window, const std::vector<HostRect>& rects) override;
    void SetWindowOpacity(HostWindowId window, float opacity) override;
    void Present(HostWindowId window, const HostPixels& pixels, const HostRect& dirty) override;
    HostRect ScreenBounds() override;
    HostRect WorkArea() override;
    bool NextEvent(HostEvent& event, int timeoutMs) override;
    void Wake() override;
    void SetCursor(HostCursor cursor) override;
    void SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override;

  private:
    struct Entry {
        SDL_Window* window = nullptr;
        HostRect bounds;
        HostWindowOptions options;
        bool visible = false;
        bool shaped = false;  // created by SDL_CreateShapedWindow
        std::vector<HostRect> shape;
    };

    SDL_Window* MakeWindow(const Entry& entry, bool shaped);
    void ApplyShape(Entry& entry);
    HostWindowId IdOf(std::uint32_t sdlWindowId) const;
    bool Translate(const void* sdlEvent, HostEvent& out);
    // SDL reports a drop as one event per file between a begin and a complete event; the
    // window layer gets the whole drop at once.
    bool TranslateDrop(const void* sdlEvent, HostEvent& out);

    HostWindowTable<Entry> windows_;
    std::map<HostCursor, SDL_Cursor*> cursors_;
    std::uint32_t wakeEventType_ = 0;
    std::vector<HostWindowId> stack_;
    HostWindowId focused_ = 0;               // the window last given the keyboard
    std::vector<std::string> droppedFiles_;  // of the drop in progress
    std::optional<XErrorGuard> xErrors_;     // made once SDL has opened the display
};

// Windows virtual-key code of an SDL key code (0 when the key has none).
unsigned VirtualKeyFromSdl(int sdlKey);

}  // namespace platform
