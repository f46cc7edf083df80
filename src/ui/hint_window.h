#pragma once
// The application's hint window: a small borderless top-level window in the tooltip colours
// that shows one hint text near the pointer. It never takes the focus.
#include <string>

#include "ui/win_control.h"

namespace ui {

class THintWindow : public TCustomControl {
  public:
    explicit THintWindow(TComponent* owner);
    const char* ClassName() const override { return "THintWindow"; }

    // The window's size for `text`, lines wrapped at `maxWidth` pixels.
    TRect CalcHintRect(int maxWidth, const std::string& text);
    // Shows `text` at `rect` (screen coordinates) above every other window.
    void ActivateHint(const TRect& rect, const std::string& text);
    void ReleaseHint();
    bool Active() const { return active_; }

  protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

  private:
    bool active_ = false;
};

}  // namespace ui
