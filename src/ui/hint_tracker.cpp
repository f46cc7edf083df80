#include "ui/hint_tracker.h"

#include <algorithm>

#include "platform/thread/sync.h"
#include "platform/user/user.h"
#include "ui/hint_window.h"
#include "ui/win_control.h"

namespace ui {

using namespace platform;

namespace {

constexpr UINT_PTR kHintTimer = 1;
constexpr int kMaxHintWidth = 300;
// The hint stands this far below the pointer's hot spot, clear of the arrow.
constexpr int kBelowPointer = 20;
// A hint that went away this recently counts as still up for the next control's hint.
constexpr DWORD kShortPause = 100;

// The control whose hint applies at a client point of `owner`: the control under the point,
// or its nearest parent that shows hints.
TControl* HintTarget(TWinControl& owner, TPoint client) {
    TControl* control = owner.ControlAtPos(client, true, false);
    if (control == nullptr) control = &owner;
    while (control != nullptr && !control->ShowHint()) control = control->Parent();
    return control != nullptr && !control->Hint().empty() ? control : nullptr;
}

bool EndsHint(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CANCELMODE:
            return true;
        default:
            return false;
    }
}

}  // namespace

THintTracker::THintTracker() : TComponent(nullptr) {}

THintTracker::~THintTracker() {
    Track(nullptr, nullptr);
}

bool THintTracker::Showing() const {
    return window_ && window_->Active();
}

void THintTracker::Observe(const MSG& message) {
    if (message.message == WM_MOUSEMOVE) {
        if (window_ && window_->HandleAllocated() && message.hwnd == window_->Handle()) return;
        MouseMoved(message.hwnd, message.pt);
    } else if (message.message == WM_MOUSELEAVE || message.message == WM_NCMOUSEMOVE) {
        if (message.hwnd != controlWindow_) return;
        Hide(Phase::Idle);
        Track(nullptr, nullptr);
    } else if (EndsHint(message.message)) {
        CancelHint();
    }
}

void THintTracker::MouseMoved(HWND window, POINT screen) {
    cursor_ = screen;
    TWinControl* owner = enabled ? TWinControl::ControlOfWindow(window) : nullptr;
    TControl* target = owner != nullptr
                           ? HintTarget(*owner, owner->ScreenToClient({screen.x, screen.y}))
                           : nullptr;
    if (target == control_) return;
    const bool oneWasUp =
        phase_ == Phase::Shown || (lastHidden_ != 0 && GetTickCount() - lastHidden_ < kShortPause);
    Hide(Phase::Idle);
    Track(target, owner != nullptr ? owner->Handle() : nullptr);
    if (target == nullptr) return;
    if (oneWasUp) {
        Show();
        return;
    }
    phase_ = Phase::Waiting;
    StartTimer(pause);
}

void THintTracker::CancelHint() {
    Hide(control_ != nullptr ? Phase::Done : Phase::Idle);
}

void THintTracker::Track(TControl* control, HWND window) {
    if (control_ != nullptr) control_->RemoveFreeNotification(this);
    control_ = control;
    controlWindow_ = control != nullptr ? window : nullptr;
    if (control_ == nullptr) return;
    control_->FreeNotification(this);
    // The window tells when the pointer leaves it, which ends the hint.
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
}

void THintTracker::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove || component != control_) return;
    control_ = nullptr;
    controlWindow_ = nullptr;
    Hide(Phase::Idle);
}

THintWindow& THintTracker::EnsureWindow() {
    if (!window_) {
        window_ = std::make_unique<THintWindow>(nullptr);
        window_->SetMessageHandler(WM_TIMER, [this](TMessage& message) {
            if (message.WParam == kHintTimer) TimerFired();
        });
    }
    return *window_;
}

void THintTracker::StartTimer(int milliseconds) {
    SetTimer(EnsureWindow().Handle(), kHintTimer, UINT(std::max(milliseconds, 1)), nullptr);
    timerRunning_ = true;
}

void THintTracker::StopTimer() {
    if (!timerRunning_) return;
    timerRunning_ = false;
    if (window_ && window_->HandleAllocated()) KillTimer(window_->Handle(), kHintTimer);
}

void THintTracker::TimerFired() {
    StopTimer();
    if (phase_ == Phase::Waiting && control_ != nullptr && control_->Showing()) {
        Show();
    } else if (phase_ == Phase::Shown) {
        Hide(Phase::Done);
    }
}

void THintTracker::Show() {
    THintWindow& window = EnsureWindow();
    const std::string text = control_->Hint();
    TRect rect = window.CalcHintRect(kMaxHintWidth, text);
    RECT area{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    int x = cursor_.x;
    int y = cursor_.y + kBelowPointer;
    // Kept inside the work area: above the pointer when there is no room below it.
    if (y + rect.Height() > area.bottom) y = cursor_.y - rect.Height() - 2;
    x = std::max(std::min(x, int(area.right) - rect.Width()), int(area.left));
    y = std::max(y, int(area.top));
    window.ActivateHint(graphics::Bounds(x, y, rect.Width(), rect.Height()), text);
    phase_ = Phase::Shown;
    StartTimer(hidePause);
}

void THintTracker::Hide(Phase next) {
    StopTimer();
    if (phase_ == Phase::Shown) lastHidden_ = GetTickCount();
    if (window_) window_->ReleaseHint();
    phase_ = next;
}

}  // namespace ui
