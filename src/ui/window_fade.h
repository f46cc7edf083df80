#pragma once
// Translucency of a top-level window through its host window's opacity: set at once, or
// faded in from nothing in short steps once the window shows. Used by the dialogs, the
// drop-down lists and the popup menus.
#include <cstdint>

#include "platform/user/winuser.h"

namespace ui {

class TWindowFade {
  public:
    static constexpr int kSteps = 10;
    static constexpr platform::UINT kStepMs = 20;

    TWindowFade() = default;
    ~TWindowFade();
    TWindowFade(const TWindowFade&) = delete;
    TWindowFade& operator=(const TWindowFade&) = delete;

    // Makes `window` translucent at `value` (255 = opaque); with `animate` it stays invisible
    // until Start and reaches `value` after it. A fade still running on another window stops.
    void Apply(platform::HWND window, std::uint8_t value, bool animate);
    // The window showed: the fade, if one was asked for, begins.
    void Start();
    bool Fading() const { return timing_; }

  private:
    static void StepTimer(platform::HWND, platform::UINT, platform::UINT_PTR id, platform::DWORD);
    void Step();
    void Stop();
    void SetAlpha(int alpha);

    platform::HWND window_ = nullptr;
    std::uint8_t target_ = 255;
    bool animate_ = false;
    int step_ = 0;
    bool timing_ = false;
};

}  // namespace ui
