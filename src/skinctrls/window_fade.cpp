#include "skinctrls/window_fade.h"

#include "platform/user/user.h"

namespace skinctrls {

using namespace platform;

TbsWindowFade::~TbsWindowFade() {
    if (timing_ && form_.HandleAllocated()) KillTimer(form_.Handle(), UINT_PTR(this));
}

void TbsWindowFade::Apply(std::uint8_t value, bool animate) {
    target_ = value;
    animate_ = animate;
    HWND window = form_.Handle();
    SetWindowLongPtr(window, GWL_EXSTYLE, GetWindowLongPtr(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetAlpha(animate ? 0 : value);
}

void TbsWindowFade::Shown() {
    if (!animate_ || timing_) return;
    step_ = 0;
    timing_ = true;
    // The timer's id is the fade itself, so the shared procedure finds it.
    SetTimer(form_.Handle(), UINT_PTR(this), kStepMs, &StepTimer);
}

void TbsWindowFade::StepTimer(HWND, UINT, UINT_PTR id, DWORD) {
    reinterpret_cast<TbsWindowFade*>(id)->Step();
}

void TbsWindowFade::Step() {
    ++step_;
    SetAlpha(target_ * step_ / kSteps);
    if (step_ < kSteps) return;
    timing_ = false;
    KillTimer(form_.Handle(), UINT_PTR(this));
}

void TbsWindowFade::SetAlpha(int alpha) {
    SetLayeredWindowAttributes(form_.Handle(), 0, BYTE(alpha), LWA_ALPHA);
}

}  // namespace skinctrls
