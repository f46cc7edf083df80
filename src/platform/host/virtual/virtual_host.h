#pragma once
// An in-memory screen: every top-level window's presented pixels are kept and composed in
// z-order on demand, and input is injected at screen coordinates. Used by the tests, the
// command-line tool and anything that needs windows without a display.
#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/host/host.h"

namespace platform {

class VirtualHost : public Host {
  public:
    // The colour (0xRRGGBB) of screen areas no window covers.
    static constexpr std::uint32_t kDesktopColor = 0x3A6EA5;

    explicit VirtualHost(int width = 1024, int height = 768);

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

    // Screen set-up.
    void SetWorkArea(const HostRect& workArea);

    // Input, in screen coordinates; safe to call from any thread.
    void MouseMove(int x, int y);
    void MouseDown(int x, int y, int button = kHostLeftButton);
    void MouseUp(int x, int y, int button = kHostLeftButton);
    void Click(int x, int y, int button = kHostLeftButton);
    void Wheel(int x, int y, int delta);
    void KeyDown(unsigned virtualKey);
    void KeyUp(unsigned virtualKey);
    void PressKey(unsigned virtualKey);  // down then up
    void Type(const std::string& utf8);  // committed text, as an input method delivers it
    void RequestClose(HostWindowId window);
    // Files dragged from elsewhere and dropped at the screen point, as a file manager does.
    void DropFiles(int x, int y, std::vector<std::string> paths);

    // Reading the screen.
    std::uint32_t PixelAt(int x, int y);           // 0xRRGGBB of the composed screen
    std::vector<std::uint32_t> Capture();          // the whole composed screen, rows top-down
    bool SaveScreenshot(const std::string& path);  // 24-bit BMP file
    HostCursor Cursor();
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Host windows that are shown, bottom to top, and a window's bounds.
    std::vector<HostWindowId> VisibleWindows();
    HostRect WindowBounds(HostWindowId window);
    // The opacity last set for a window (1 when none was).
    float WindowOpacity(HostWindowId window);
    HostWindowId FocusedWindow();
    int PresentCount() const { return presentCount_; }

  private:
    struct Surface {
        HostRect bounds;
        bool visible = false;
        bool topMost = false;
        std::string title;
        std::vector<HostRect> shape;  // empty = rectangular
        float opacity = 1.0f;
        std::vector<std::uint32_t> pixels;  // bounds-sized, BGRX
    };

    void Push(HostEvent event);
    bool InsideShape(const Surface& surface, int x, int y) const;
    std::uint32_t ComposedPixel(int x, int y) const;

    int width_;
    int height_;
    HostRect workArea_;
    std::mutex mutex_;
    std::condition_variable wakeup_;
    std::deque<HostEvent> events_;
    bool woken_ = false;
    HostWindowTable<Surface> windows_;
    std::vector<HostWindowId> order_;  // bottom to top
    HostWindowId focused_ = 0;
    HostCursor cursor_ = HostCursor::Arrow;
    std::string clipboard_;
    int presentCount_ = 0;
};

}  // namespace platform
