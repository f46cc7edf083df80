#include "ui/window_fade.h"

#include "platform/user/user.h"

namespace ui {

using namespace platform;

TWindowFade::~TWindowFade() {
    Stop();
}

void TWindowFade::Apply(HWND window, std::uint8_t value, bool animate) {
    if (window != window_) Stop();
    window_ = window;
    target_ = value;
    animate_ = animate;
    SetWindowLongPtr(window, GWL_EXSTYLE, GetWindowLongPtr(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetAlpha(animate ? 0 : value);
}

void TWindowFade::Start() {
    if (!animate_ || timing_ || !IsWindow(window_)) return;
    step_ = 0;
    timing_ = true;
    // The timer's id is the fade itself, so the shared procedure finds it.
    SetTimer(window_, UINT_PTR(this), kStepMs, &StepTimer);
}

void TWindowFade::StepTimer(HWND, UINT, UINT_PTR id, DWORD) {
    reinterpret_cast<TWindowFade*>(id)->Step();
}

void TWindowFade::Step() {
    ++step_;
    SetAlpha(target_ * step_ / kSteps);
    if (step_ >= kSteps) Stop();
}

void TWindowFade::Stop() {
    if (!timing_) return;
    timing_ = false;
    if (IsWindow(window_)) KillTimer(window_, UINT_PTR(this));
}

void TWindowFade::SetAlpha(int alpha) {
    SetLayeredWindowAttributes(window_, 0, BYTE(alpha), LWA_ALPHA);
}

}  // namespace ui
