#include "platform/host/sdl/sdl_host.h"

#include <SDL.h>
#include <SDL_shape.h>

#include <algorithm>

#include "core/exceptions.h"

namespace platform {

namespace {

Uint32 WindowFlags(const HostWindowOptions& options) {
    Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (options.noActivate) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    if (options.topMost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    return flags;
}

SDL_SystemCursor SystemCursor(HostCursor cursor) {
    switch (cursor) {
        case HostCursor::IBeam:
            return SDL_SYSTEM_CURSOR_IBEAM;
        case HostCursor::Wait:
            return SDL_SYSTEM_CURSOR_WAIT;
        case HostCursor::Cross:
            return SDL_SYSTEM_CURSOR_CROSSHAIR;
        case HostCursor::SizeNWSE:
            return SDL_SYSTEM_CURSOR_SIZENWSE;
        case HostCursor::SizeNESW:
            return SDL_SYSTEM_CURSOR_SIZENESW;
        case HostCursor::SizeWE:
            return SDL_SYSTEM_CURSOR_SIZEWE;
        case HostCursor::SizeNS:
            return SDL_SYSTEM_CURSOR_SIZENS;
        case HostCursor::SizeAll:
            return SDL_SYSTEM_CURSOR_SIZEALL;
        case HostCursor::No:
            return SDL_SYSTEM_CURSOR_NO;
        case HostCursor::Hand:
            return SDL_SYSTEM_CURSOR_HAND;
        case HostCursor::AppStarting:
            return SDL_SYSTEM_CURSOR_WAITARROW;
        case HostCursor::Arrow:
            break;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

int HostButton(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return kHostLeftButton;
        case SDL_BUTTON_RIGHT:
            return kHostRightButton;
        case SDL_BUTTON_MIDDLE:
            return kHostMiddleButton;
        default:
            return 0;
    }
}

}  // namespace

unsigned VirtualKeyFromSdl(int key) {
    if (key >= SDLK_a && key <= SDLK_z) return unsigned('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return unsigned('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70u + unsigned(key - SDLK_F1);
    switch (key) {
        case SDLK_BACKSPACE:
            return 0x08;
        case SDLK_TAB:
            return 0x09;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return 0x0D;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return 0x10;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return 0x11;
        case SDLK_LALT:
        case SDLK_RALT:
            return 0x12;
        case SDLK_PAUSE:
            return 0x13;
        case SDLK_CAPSLOCK:
            return 0x14;
        case SDLK_ESCAPE:
            return 0x1B;
        case SDLK_SPACE:
            return 0x20;
        case SDLK_PAGEUP:
            return 0x21;
        case SDLK_PAGEDOWN:
            return 0x22;
        case SDLK_END:
            return 0x23;
        case SDLK_HOME:
            return 0x24;
        case SDLK_LEFT:
            return 0x25;
        case SDLK_UP:
            return 0x26;
        case SDLK_RIGHT:
            return 0x27;
        case SDLK_DOWN:
            return 0x28;
        case SDLK_INSERT:
            return 0x2D;
        case SDLK_DELETE:
            return 0x2E;
        case SDLK_APPLICATION:
            return 0x5D;
        default:
            return 0;
    }
}

SdlHost::SdlHost() {
    // Without this the first SDL_GetWindowSurface recreates the X window and drops its shape.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        throw core::Exception(std::string("Cannot open the display: ") + SDL_GetError());
    }
    xErrors_.emplace();
    wakeEventType_ = SDL_RegisterEvents(1);
    SDL_StartTextInput();
}

SdlHost::~SdlHost() {
    for (auto& [id, entry] : windows_) {
        if (entry.window != nullptr) SDL_DestroyWindow(entry.window);
    }
    for (auto& [kind, cursor] : cursors_) SDL_FreeCursor(cursor);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

SDL_Window* SdlHost::MakeWindow(const Entry& entry, bool shaped) {
    const int w = std::max(entry.bounds.Width(), 1);
    const int h = std::max(entry.bounds.Height(), 1);
    const Uint32 flags = WindowFlags(entry.options);
    if (shaped) {
        return SDL_CreateShapedWindow(entry.options.title.c_str(), unsigned(entry.bounds.left),
                                      unsigned(entry.bounds.top), unsigned(w), unsigned(h), flags);
    }
    return SDL_CreateWindow(entry.options.title.c_str(), entry.bounds.left, entry.bounds.top, w, h,
                            flags);
}

HostWindowId SdlHost::CreateWindow(const HostRect& bounds, const HostWindowOptions& options) {
    Entry entry;
    entry.bounds = bounds;
    entry.options = options;
    entry.window = MakeWindow(entry, false);
    if (entry.window == nullptr) return 0;
    return windows_.Add(std::move(entry));
}

void SdlHost::DestroyWindow(HostWindowId window) {
    Entry* entry = windows_.Find(window);
    if (entry == nullptr) return;
    if (entry->window != nullptr) SDL_DestroyWindow(entry->window);
    windows_.Remove(window);
    stack_.erase(std::remove(stack_.begin(), stack_.end(), window), stack_.end());
}

void SdlHost::SetWindowBounds(HostWindowId window, const HostRect& bounds) {
    Entry* found = windows_.Find(window);
    if (found == nullptr) return;
    Entry& entry = *found;
    const bool resized =
        bounds.Width() != entry.bounds.Width() || bounds.Height() != entry.bounds.Height();
    entry.bounds = bounds;
    if (resized)
        SDL_SetWindowSize(entry.window, std::max(bounds.Width(), 1), std::max(bounds.Height(), 1));
    SDL_SetWindowPosition(entry.window, bounds.left, bounds.top);
    // A resize parks a shaped window off-screen and clears its shape.
    if (resized && entry.shaped) ApplyShape(entry);
}

void SdlHost::ShowWindow(HostWindowId window, bool show) {
    Entry* entry = windows_.Find(window);
    if (entry == nullptr) return;
    entry->visible = show;
    if (show) {
        SDL_ShowWindow(entry->window);
        SDL_SetWindowPosition(entry->window, entry->bounds.left, entry->bounds.top);
        // Without a window manager SDL hands the keyboard to every window it maps, and X
        // drops the keys once that window goes; a menu, list or hint never takes it.
        if (entry->options.noActivate) FocusWindow(focused_);
    } else {
        SDL_HideWindow(entry->window);
    }
}

void SdlHost::SetWindowTitle(HostWindowId window, const std::string& title) {
    Entry* entry = windows_.Find(window);
    if (entry == nullptr) return;
    entry->options.title = title;
    SDL_SetWindowTitle(entry->window, title.c_str());
}

void SdlHost::RestackWindows(const std::vector<HostWindowId>& bottomToTop) {
    // SDL can only raise; raise the windows above the first one whose place changed.
    size_t same = 0;
    while (same < bottomToTop.size() && same < stack_.size() && bottomToTop[same] == stack_[same])
        ++same;
    for (size_t i = same; i < bottomToTop.size(); ++i) {
        const Entry* entry = windows_.Find(bottomToTop[i]);
        if (entry != nullptr && entry->visible && !entry->options.noActivate)
            SDL_RaiseWindow(entry->window);
    }
    stack_ = bottomToTop;
}

void SdlHost::FocusWindow(HostWindowId window) {
    const Entry* entry = windows_.Find(window);
    if (entry != nullptr && entry->visible && !entry->options.noActivate) {
        focused_ = window;
        SDL_SetWindowInputFocus(entry->window);
    }
}

void SdlHost::ApplyShape(Entry& entry) {
    const int w = std::max(entry.bounds.Width(), 1);
    const int h = std::max(entry.bounds.Height(), 1);
    SDL_Surface* mask = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (mask == nullptr) return;
    SDL_FillRect(mask, nullptr, 0);
    for (const HostRect& r : entry.shape) {
        SDL_Rect rect{r.left, r.top, r.Width(), r.Height()};
        SDL_FillRect(mask, &rect, 0xFFFFFFFFu);
    }
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    SDL_SetWindowShape(entry.window, mask, &mode);
    SDL_FreeSurface(mask);
    // Setting a shape moves the window only when both coordinates are non-zero.
    SDL_SetWindowPosition(entry.window, entry.bounds.left, entry.bounds.top);
}

void SdlHost::SetWindowOpacity(HostWindowId window, float opacity) {
    // Without a compositing window manager SDL refuses; the window then stays opaque.
    if (const Entry* entry = windows_.Find(window)) SDL_SetWindowOpacity(entry->window, opacity);
}

void SdlHost::SetWindowShape(HostWindowId window, const std::vector<HostRect>& rects) {
    Entry* found = windows_.Find(window);
    if (found == nullptr) return;
    Entry& entry = *found;
    entry.shape = rects;
    if (rects.empty() && !entry.shaped) return;
    if (!entry.shaped && !rects.empty()) {
        SDL_Window* shapedWindow = MakeWindow(entry, true);
        if (shapedWindow == nullptr) return;  // drivers without shapes keep the plain window
        SDL_DestroyWindow(entry.window);
        entry.window = shapedWindow;
        entry.shaped = true;
        if (entry.visible) SDL_ShowWindow(entry.window);
    }
    if (rects.empty())
        entry.shape.push_back(HostRect{0, 0, entry.bounds.Width(), entry.bounds.Height()});
    ApplyShape(entry);
}

void SdlHost::Present(HostWindowId window, const HostPixels& pixels, const HostRect& dirty) {
    const Entry* entry = windows_.Find(window);
    if (entry == nullptr || pixels.bits == nullptr) return;
    SDL_Surface* surface = SDL_GetWindowSurface(entry->window);
    if (surface == nullptr) return;
    const HostRect part = PresentedPart(dirty, pixels, surface->w, surface->h);
    const int left = part.left;
    const int top = part.top;
    const int right = part.right;
    const int bottom = part.bottom;
    if (right <= left || bottom <= top) return;
    const auto* src = reinterpret_cast<const Uint8*>(pixels.bits) +
                      size_t(top) * size_t(pixels.stride) + size_t(left) * 4;
    auto* dst = static_cast<Uint8*>(surface->pixels) + size_t(top) * size_t(surface->pitch) +
                size_t(left) * size_t(surface->format->BytesPerPixel);
    SDL_ConvertPixels(right - left, bottom - top, SDL_PIXELFORMAT_XRGB8888, src, pixels.stride,
                      surface->format->format, dst, surface->pitch);
    SDL_Rect rect{left, top, right - left, bottom - top};
    SDL_UpdateWindowSurfaceRects(entry->window, &rect, 1);
}

HostRect SdlHost::ScreenBounds() {
    SDL_Rect r{0, 0, 1024, 768};
    SDL_GetDisplayBounds(0, &r);
    return HostRect{r.x, r.y, r.x + r.w, r.y + r.h};
}

HostRect SdlHost::WorkArea() {
    SDL_Rect r{0, 0, 1024, 768};
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) SDL_GetDisplayBounds(0, &r);
    return HostRect{r.x, r.y, r.x + r.w, r.y + r.h};
}

HostWindowId SdlHost::IdOf(std::uint32_t sdlWindowId) const {
    SDL_Window* window = SDL_GetWindowFromID(sdlWindowId);
    for (const auto& [id, entry] : windows_) {
        if (entry.window == window) return id;
    }
    return 0;
}

bool SdlHost::Translate(const void* raw, HostEvent& out) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    auto toScreen = [&](std::uint32_t windowId, int x, int y) {
        out.window = IdOf(windowId);
        const Entry* entry = windows_.Find(out.window);
        const int left = entry == nullptr ? 0 : entry->bounds.left;
        const int top = entry == nullptr ? 0 : entry->bounds.top;
        out.x = left + x;
        out.y = top + y;
    };
    switch (e.type) {
        case SDL_MOUSEMOTION: {
            out.type = HostEventType::MouseMove;
            toScreen(e.motion.windowID, e.motion.x, e.motion.y);
            // While a window follows the pointer (the move loop) positions relative to it would
            // feed back its own movement: take the pointer's place on the screen instead.
            int x = 0;
            int y = 0;
            if (SDL_GetGlobalMouseState(&x, &y) & SDL_BUTTON_LMASK) {
                out.x = x;
                out.y = y;
            }
            return true;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            out.type =
                e.type == SDL_MOUSEBUTTONDOWN ? HostEventType::ButtonDown : HostEventType::ButtonUp;
            out.button = HostButton(e.button.button);
            toScreen(e.button.windowID, e.button.x, e.button.y);
            return out.button != 0;
        case SDL_MOUSEWHEEL: {
            out.type = HostEventType::Wheel;
            out.wheelDelta = e.wheel.y * 120;
            int x = 0;
            int y = 0;
            SDL_GetGlobalMouseState(&x, &y);
            out.x = x;
            out.y = y;
            out.window = IdOf(e.wheel.windowID);
            return out.wheelDelta != 0;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            out.type = e.type == SDL_KEYDOWN ? HostEventType::KeyDown : HostEventType::KeyUp;
            out.virtualKey = VirtualKeyFromSdl(e.key.keysym.sym);
            out.repeat = e.key.repeat != 0;
            out.window = IdOf(e.key.windowID);
            return out.virtualKey != 0;
        case SDL_TEXTINPUT:
            out.type = HostEventType::Text;
            out.text = e.text.text;
            out.window = IdOf(e.text.windowID);
            return !out.text.empty();
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                out.type = HostEventType::CloseRequest;
                out.window = IdOf(e.window.windowID);
                return true;
            }
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                SDL_Window* window = SDL_GetWindowFromID(e.window.windowID);
                if (window != nullptr) SDL_UpdateWindowSurface(window);
            }
            return false;
        case SDL_DROPBEGIN:
        case SDL_DROPFILE:
        case SDL_DROPTEXT:
        case SDL_DROPCOMPLETE:
            return TranslateDrop(raw, out);
        default:
            return false;
    }
}

bool SdlHost::TranslateDrop(const void* raw, HostEvent& out) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    // SDL hands over the name's storage with the event.
    const std::unique_ptr<char, decltype(&SDL_free)> name(e.drop.file, SDL_free);
    if (e.type == SDL_DROPBEGIN) droppedFiles_.clear();
    if (e.type == SDL_DROPFILE && name != nullptr) droppedFiles_.emplace_back(name.get());
    if (e.type != SDL_DROPCOMPLETE) return false;
    out.type = HostEventType::Drop;
    out.files = std::move(droppedFiles_);
    droppedFiles_.clear();
    out.window = IdOf(e.drop.windowID);
    SDL_GetGlobalMouseState(&out.x, &out.y);
    return !out.files.empty();
}

bool SdlHost::NextEvent(HostEvent& event, int timeoutMs) {
    const Uint64 start = SDL_GetTicks64();
    for (;;) {
        SDL_Event e;
        int remaining = timeoutMs;
        if (timeoutMs > 0)
            remaining =
                int(std::max<Sint64>(0, Sint64(timeoutMs) - Sint64(SDL_GetTicks64() - start)));
        int got = 0;
        if (timeoutMs < 0) {
            got = SDL_WaitEvent(&e);
        } else if (remaining == 0) {
            got = SDL_PollEvent(&e);
        } else {
            got = SDL_WaitEventTimeout(&e, remaining);
        }
        if (got == 0) return false;
        if (e.type == wakeEventType_) return false;
        event = HostEvent{};
        if (Translate(&e, event)) return true;
    }
}

void SdlHost::Wake() {
    SDL_Event e{};
    e.type = wakeEventType_;
    SDL_PushEvent(&e);
}

void SdlHost::SetCursor(HostCursor cursor) {
    SDL_Cursor*& c = cursors_[cursor];
    if (c == nullptr) c = SDL_CreateSystemCursor(SystemCursor(cursor));
    if (c != nullptr) SDL_SetCursor(c);
}

void SdlHost::SetClipboardText(const std::string& text) {
    SDL_SetClipboardText(text.c_str());
}

std::string SdlHost::ClipboardText() {
    char* text = SDL_GetClipboardText();
    std::string result = text != nullptr ? text : "";
    SDL_free(text);
    return result;
}

}  // namespace platform
