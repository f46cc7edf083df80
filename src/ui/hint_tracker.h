#pragma once
// When hints show: the application hands every message to the tracker before it is
// dispatched. After the pointer rests on a control that shows a hint for the hint pause, the
// hint window appears below the pointer, inside the work area; it goes on a click, a key,
// when the pointer leaves the control and after the hide pause. Moving from one hint to the
// next control with a hint shows the next at once.
#include <memory>
#include <string>

#include "platform/user/winuser.h"
#include "ui/component.h"

namespace ui {

class TControl;
class THintWindow;

class THintTracker : public TComponent {
  public:
    THintTracker();
    ~THintTracker() override;
    const char* ClassName() const override { return "THintTracker"; }

    void Observe(const platform::MSG& message);
    // Hides the hint; it comes back only after the pointer moved to another control.
    void CancelHint();

    int pause = 500;       // rest before a hint shows, in milliseconds
    int hidePause = 2500;  // how long a hint stays up
    bool enabled = true;

    // The control whose hint is shown or waited for, and the window (null until first used).
    TControl* HintControl() const { return control_; }
    THintWindow* Window() const { return window_.get(); }
    bool Showing() const;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    enum class Phase { Idle, Waiting, Shown, Done };

    void MouseMoved(platform::HWND window, platform::POINT screen);
    void Track(TControl* control, platform::HWND window);
    void StartTimer(int milliseconds);
    void StopTimer();
    void TimerFired();
    void Show();
    void Hide(Phase next);
    THintWindow& EnsureWindow();

    std::unique_ptr<THintWindow> window_;
    TControl* control_ = nullptr;
    platform::HWND controlWindow_ = nullptr;  // the window the control's mouse input comes to
    platform::POINT cursor_{};
    Phase phase_ = Phase::Idle;
    bool timerRunning_ = false;
    platform::DWORD lastHidden_ = 0;  // tick count when a shown hint last went away
};

}  // namespace ui
