#pragma once
// Windowed controls: a platform window of their own, child controls aligned inside their
// client area, keyboard focus and key events. Graphic children have no window; their parent
// paints them and routes their mouse input.
#include <memory>
#include <vector>

#include "graphics/canvas.h"
#include "platform/user/winuser.h"
#include "ui/control.h"

namespace ui {

struct TCreateParams {
    std::string caption;
    platform::DWORD style = 0;
    platform::DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    platform::HWND parent = nullptr;
    // A platform window class to build on instead of the framework's own (for example "EDIT").
    std::string baseClass;
};

class TWinControl : public TControl {
  public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    const char* ClassName() const override { return "TWinControl"; }

    // The window, created on first use (the parent's first).
    platform::HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window of this control and its children; they come back on demand.
    void DestroyHandle();

    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(size_t(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The visible, enabled-or-not child under a client point (graphic children on top of
    // windowed ones when `allowWinControls` is false).
    TControl* ControlAtPos(TPoint point, bool allowDisabled = true,
                           bool allowWinControls = false) const;

    // Lays out the aligned and anchored children; `changed` (the control whose place or
    // alignment just changed) goes first among controls at the same position.
    void Realign(TControl* changed = nullptr);
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();

    // With AutoSize the control takes the size that just holds its visible children inside the
    // area they are aligned in, whatever size it is given; without visible children it keeps
    // the size it has.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // Re-applies the auto size after the children changed.
    void AdjustSize();

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    void SetText(const std::string& value) override;
    void Invalidate() override;
    void Update() override;
    TPoint ClientOrigin() const override;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The key steps run by the message loop before a key message is dispatched: the form's
    // key preview, then the control's own event. True when the key was consumed.
    virtual bool DoKeyDown(uint16_t& key, TShiftState shift);
    virtual bool DoKeyPress(char32_t& key);

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // The framework control behind a window, if any.
    static TWinControl* FindControl(platform::HWND window);
    // The framework control behind a window, or behind its nearest ancestor that has one.
    static TWinControl* ControlOfWindow(platform::HWND window);

  protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void DestroyWnd();
    // After the window exists: children's windows, font, caption.
    virtual void CreateHandleDone() {}

    virtual void AlignControls(TControl* control, TRect& rect);
    // The size that holds the visible children; false when there are none.
    virtual bool CanAutoSize(int& width, int& height) const;
    // The rectangle aligned children share; the client rectangle by default.
    virtual TRect AlignRect() const { return ClientRect(); }

    // Paints this control's graphic children into `dc` (clipped to each).
    void PaintControls(platform::HDC dc, TControl* first = nullptr);
    virtual void PaintWindow(platform::HDC dc) {}
    virtual void EraseBackground(platform::HDC dc);

    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);

    void VisibleChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void TextChanged() override;

    bool parentBackground_ = false;

  private:
    friend class TControl;
    static platform::LRESULT StaticWndProc(platform::HWND window, platform::UINT msg,
                                           platform::WPARAM wParam, platform::LPARAM lParam);
    void MainWndProc(TMessage& message);
    void HandlePaint(TMessage& message);
    void RouteMouseToGraphicChild(TMessage& message);
    // The graphic child under the pointer, told CM_MOUSEENTER and CM_MOUSELEAVE as it changes.
    void SetHoverControl(TControl* control);
    void UpdateBoundsFromWindow();

    platform::HWND handle_ = nullptr;
    platform::WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;  // in insertion (creation) order
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    int alignDisabled_ = 0;
    bool alignPending_ = false;
    bool inAlign_ = false;
    bool autoSize_ = false;
    bool autoSizing_ = false;
    TControl* mouseControl_ = nullptr;  // graphic child holding the mouse
    TControl* hoverControl_ = nullptr;  // graphic child under the pointer
    platform::HFONT fontHandle_ = nullptr;
};

// A windowed control that paints itself on a canvas.
class TCustomControl : public TWinControl {
  public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    const char* ClassName() const override { return "TCustomControl"; }
    graphics::TCanvas& Canvas() { return *canvas_; }

  protected:
    virtual void Paint() {}
    void PaintWindow(platform::HDC dc) override;

  private:
    std::unique_ptr<graphics::TCanvas> canvas_;
};

// A control without a window, painted by its parent on the parent's surface.
class TGraphicControl : public TControl {
  public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    const char* ClassName() const override { return "TGraphicControl"; }
    graphics::TCanvas& Canvas() { return *canvas_; }
    // Called by the parent with the canvas on the parent's context, origin at this control.
    void PaintOn(platform::HDC dc);

  protected:
    virtual void Paint() {}

  private:
    std::unique_ptr<graphics::TCanvas> canvas_;
};

}  // namespace ui
