#pragma once
// A plain push button: a raised face with its caption, pressed while the left button is held
// over it; a click sets the form's modal result when the button has one.
#include "ui/form.h"
#include "ui/win_control.h"

namespace ui {

class TButton : public TCustomControl {
  public:
    explicit TButton(TComponent* owner);
    const char* ClassName() const override { return "TButton"; }

    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool Default() const { return default_; }
    void SetDefault(bool value) { default_ = value; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool Down() const { return down_; }

    void Click() override;

  protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

  private:
    bool cancel_ = false;
    bool default_ = false;
    TModalResult modalResult_ = mrNone;
    bool down_ = false;
    bool tracking_ = false;
};

}  // namespace ui
