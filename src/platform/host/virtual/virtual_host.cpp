#include "platform/host/virtual/virtual_host.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace platform {

VirtualHost::VirtualHost(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), workArea_{0, 0, width_, height_} {}

HostWindowId VirtualHost::CreateWindow(const HostRect& bounds, const HostWindowOptions& options) {
    std::lock_guard lock(mutex_);
    Surface surface;
    surface.bounds = bounds;
    surface.topMost = options.topMost;
    surface.title = options.title;
    surface.pixels.assign(
        size_t(std::max(bounds.Width(), 0)) * size_t(std::max(bounds.Height(), 0)), 0);
    const HostWindowId id = windows_.Add(std::move(surface));
    order_.push_back(id);
    return id;
}

void VirtualHost::DestroyWindow(HostWindowId window) {
    std::lock_guard lock(mutex_);
    windows_.Remove(window);
    order_.erase(std::remove(order_.begin(), order_.end(), window), order_.end());
    if (focused_ == window) focused_ = 0;
}

void VirtualHost::SetWindowBounds(HostWindowId window, const HostRect& bounds) {
    std::lock_guard lock(mutex_);
    Surface* surface = windows_.Find(window);
    if (surface == nullptr) return;
    if (bounds.Width() != surface->bounds.Width() || bounds.Height() != surface->bounds.Height()) {
        surface->pixels.assign(
            size_t(std::max(bounds.Width(), 0)) * size_t(std::max(bounds.Height(), 0)), 0);
    }
    surface->bounds = bounds;
}

void VirtualHost::ShowWindow(HostWindowId window, bool show) {
    std::lock_guard lock(mutex_);
    if (Surface* surface = windows_.Find(window)) surface->visible = show;
}

void VirtualHost::SetWindowTitle(HostWindowId window, const std::string& title) {
    std::lock_guard lock(mutex_);
    if (Surface* surface = windows_.Find(window)) surface->title = title;
}

void VirtualHost::RestackWindows(const std::vector<HostWindowId>& bottomToTop) {
    std::lock_guard lock(mutex_);
    std::vector<HostWindowId> order;
    for (HostWindowId id : bottomToTop) {
        if (windows_.Contains(id)) order.push_back(id);
    }
    // Windows the caller did not name keep their place at the bottom.
    for (HostWindowId id : order_) {
        if (std::find(order.begin(), order.end(), id) == order.end())
            order.insert(order.begin(), id);
    }
    order_ = std::move(order);
}

void VirtualHost::FocusWindow(HostWindowId window) {
    std::lock_guard lock(mutex_);
    if (windows_.Contains(window)) focused_ = window;
}

void VirtualHost::SetWindowShape(HostWindowId window, const std::vector<HostRect>& rects) {
    std::lock_guard lock(mutex_);
    if (Surface* surface = windows_.Find(window)) surface->shape = rects;
}

void VirtualHost::SetWindowOpacity(HostWindowId window, float opacity) {
    std::lock_guard lock(mutex_);
    if (Surface* surface = windows_.Find(window)) surface->opacity = opacity;
}

void VirtualHost::Present(HostWindowId window, const HostPixels& pixels, const HostRect& dirty) {
    std::lock_guard lock(mutex_);
    Surface* surface = windows_.Find(window);
    if (surface == nullptr || pixels.bits == nullptr) return;
    const int width = surface->bounds.Width();
    const HostRect part = PresentedPart(dirty, pixels, width, surface->bounds.Height());
    if (part.right <= part.left) return;
    for (int y = part.top; y < part.bottom; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            reinterpret_cast<const std::uint8_t*>(pixels.bits) + size_t(y) * size_t(pixels.stride));
        std::memcpy(&surface->pixels[size_t(y) * size_t(width) + size_t(part.left)],
                    row + part.left, size_t(part.Width()) * sizeof(std::uint32_t));
    }
    ++presentCount_;
}

HostRect VirtualHost::ScreenBounds() {
    return HostRect{0, 0, width_, height_};
}

HostRect VirtualHost::WorkArea() {
    std::lock_guard lock(mutex_);
    return workArea_;
}

void VirtualHost::SetWorkArea(const HostRect& workArea) {
    std::lock_guard lock(mutex_);
    workArea_ = workArea;
}

bool VirtualHost::NextEvent(HostEvent& event, int timeoutMs) {
    std::unique_lock lock(mutex_);
    auto ready = [this] { return !events_.empty() || woken_; };
    if (timeoutMs < 0) {
        wakeup_.wait(lock, ready);
    } else if (timeoutMs > 0) {
        wakeup_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
    }
    woken_ = false;
    if (events_.empty()) return false;
    event = std::move(events_.front());
    events_.pop_front();
    return true;
}

void VirtualHost::Wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    wakeup_.notify_all();
}

void VirtualHost::SetCursor(HostCursor cursor) {
    std::lock_guard lock(mutex_);
    cursor_ = cursor;
}

HostCursor VirtualHost::Cursor() {
    std::lock_guard lock(mutex_);
    return cursor_;
}

void VirtualHost::SetClipboardText(const std::string& text) {
    std::lock_guard lock(mutex_);
    clipboard_ = text;
}

std::string VirtualHost::ClipboardText() {
    std::lock_guard lock(mutex_);
    return clipboard_;
}

void VirtualHost::Push(HostEvent event) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    wakeup_.notify_all();
}

void VirtualHost::MouseMove(int x, int y) {
    HostEvent e;
    e.type = HostEventType::MouseMove;
    e.x = x;
    e.y = y;
    Push(std::move(e));
}

void VirtualHost::MouseDown(int x, int y, int button) {
    MouseMove(x, y);
    HostEvent e;
    e.type = HostEventType::ButtonDown;
    e.x = x;
    e.y = y;
    e.button = button;
    Push(std::move(e));
}

void VirtualHost::MouseUp(int x, int y, int button) {
    HostEvent e;
    e.type = HostEventType::ButtonUp;
    e.x = x;
    e.y = y;
    e.button = button;
    Push(std::move(e));
}

void VirtualHost::Click(int x, int y, int button) {
    MouseDown(x, y, button);
    MouseUp(x, y, button);
}

void VirtualHost::Wheel(int x, int y, int delta) {
    HostEvent e;
    e.type = HostEventType::Wheel;
    e.x = x;
    e.y = y;
    e.wheelDelta = delta;
    Push(std::move(e));
}

void VirtualHost::KeyDown(unsigned virtualKey) {
    HostEvent e;
    e.type = HostEventType::KeyDown;
    e.virtualKey = virtualKey;
    Push(std::move(e));
}

void VirtualHost::KeyUp(unsigned virtualKey) {
    HostEvent e;
    e.type = HostEventType::KeyUp;
    e.virtualKey = virtualKey;
    Push(std::move(e));
}

void VirtualHost::PressKey(unsigned virtualKey) {
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void VirtualHost::Type(const std::string& utf8) {
    HostEvent e;
    e.type = HostEventType::Text;
    e.text = utf8;
    Push(std::move(e));
}

void VirtualHost::RequestClose(HostWindowId window) {
    HostEvent e;
    e.type = HostEventType::CloseRequest;
    e.window = window;
    Push(std::move(e));
}

void VirtualHost::DropFiles(int x, int y, std::vector<std::string> paths) {
    HostEvent e;
    e.type = HostEventType::Drop;
    e.x = x;
    e.y = y;
    e.files = std::move(paths);
    Push(std::move(e));
}

bool VirtualHost::InsideShape(const Surface& surface, int x, int y) const {
    if (surface.shape.empty()) return true;
    for (const HostRect& r : surface.shape) {
        if (r.Contains(x, y)) return true;
    }
    return false;
}

std::uint32_t VirtualHost::ComposedPixel(int x, int y) const {
    // Top-most windows are composed above the others, each group in its own order.
    for (int pass = 1; pass >= 0; --pass) {
        for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
            const Surface& s = *windows_.Find(*it);
            if (!s.visible || s.topMost != (pass == 1) || !s.bounds.Contains(x, y)) continue;
            const int wx = x - s.bounds.left;
            const int wy = y - s.bounds.top;
            if (!InsideShape(s, wx, wy)) continue;
            return s.pixels[size_t(wy) * size_t(s.bounds.Width()) + size_t(wx)] & 0xFFFFFFu;
        }
    }
    return kDesktopColor;
}

std::uint32_t VirtualHost::PixelAt(int x, int y) {
    std::lock_guard lock(mutex_);
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return ComposedPixel(x, y);
}

std::vector<std::uint32_t> VirtualHost::Capture() {
    std::lock_guard lock(mutex_);
    std::vector<std::uint32_t> screen(size_t(width_) * size_t(height_));
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x)
            screen[size_t(y) * size_t(width_) + size_t(x)] = ComposedPixel(x, y);
    }
    return screen;
}

bool VirtualHost::SaveScreenshot(const std::string& path) {
    const std::vector<std::uint32_t> screen = Capture();
    const std::uint32_t rowBytes = (std::uint32_t(width_) * 3u + 3u) & ~3u;
    const std::uint32_t imageBytes = rowBytes * std::uint32_t(height_);
    std::uint8_t header[54] = {};
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) header[at + i] = std::uint8_t(v >> (8 * i));
    };
    header[0] = 'B';
    header[1] = 'M';
    put32(2, 54 + imageBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width_));
    put32(22, std::uint32_t(height_));
    header[26] = 1;
    header[28] = 24;
    put32(34, imageBytes);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(header, 1, sizeof header, file) == sizeof header;
    std::vector<std::uint8_t> row(rowBytes, 0);
    for (int y = height_ - 1; y >= 0 && ok; --y) {
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t p = screen[size_t(y) * size_t(width_) + size_t(x)];
            row[size_t(x) * 3] = std::uint8_t(p);
            row[size_t(x) * 3 + 1] = std::uint8_t(p >> 8);
            row[size_t(x) * 3 + 2] = std::uint8_t(p >> 16);
        }
        ok = std::fwrite(row.data(), 1, row.size(), file) == row.size();
    }
    return std::fclose(file) == 0 && ok;
}

std::vector<HostWindowId> VirtualHost::VisibleWindows() {
    std::lock_guard lock(mutex_);
    std::vector<HostWindowId> visible;
    for (HostWindowId id : order_) {
        if (windows_.Find(id)->visible) visible.push_back(id);
    }
    return visible;
}

HostRect VirtualHost::WindowBounds(HostWindowId window) {
    std::lock_guard lock(mutex_);
    const Surface* surface = windows_.Find(window);
    return surface == nullptr ? HostRect{} : surface->bounds;
}

float VirtualHost::WindowOpacity(HostWindowId window) {
    std::lock_guard lock(mutex_);
    const Surface* surface = windows_.Find(window);
    return surface == nullptr ? 1.0f : surface->opacity;
}

HostWindowId VirtualHost::FocusedWindow() {
    std::lock_guard lock(mutex_);
    return focused_;
}

}  // namespace platform
