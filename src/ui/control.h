#pragma once
// Controls: components with a place on a parent, alignment, anchors, visibility, a caption,
// a font and colour, a popup menu and mouse events. Every message a control handles goes
// through WndProc, which looks up handlers by message number.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "graphics/color.h"
#include "graphics/graphics_objects.h"
#include "graphics/types.h"
#include "platform/user/winuser.h"
#include "ui/component.h"
#include "ui/size_constraints.h"

namespace ui {

class TWinControl;
class TPopupMenu;
class TCustomForm;

using graphics::TColor;
using graphics::TPoint;
using graphics::TRect;

struct TMessage {
    platform::UINT Msg = 0;
    platform::WPARAM WParam = 0;
    platform::LPARAM LParam = 0;
    platform::LRESULT Result = 0;
};

enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TAnchorKind : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint8_t;
inline constexpr TAnchors kDefaultAnchors = akLeft | akTop;

enum class TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
using TShiftState = uint8_t;

enum TControlStyleFlag : uint16_t {
    csAcceptsControls = 1,
    csCaptureMouse = 2,
    csClickEvents = 4,
    csOpaque = 8,
    csSetCaption = 16,
    csReplicatable = 32,
    csDoubleClicks = 64,
};
using TControlStyle = uint16_t;

using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TComponent* sender, uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TComponent* sender, char32_t& key)>;
using TMessageHandler = std::function<void(TMessage& message)>;

// Messages the framework sends its own controls (component messages).
inline constexpr platform::UINT CM_BASE = 0xB000;
inline constexpr platform::UINT CM_ENABLEDCHANGED = CM_BASE + 3;
inline constexpr platform::UINT CM_FONTCHANGED = CM_BASE + 5;
inline constexpr platform::UINT CM_COLORCHANGED = CM_BASE + 6;
inline constexpr platform::UINT CM_VISIBLECHANGED = CM_BASE + 9;
inline constexpr platform::UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr platform::UINT CM_MOUSEENTER = CM_BASE + 19;
inline constexpr platform::UINT CM_MOUSELEAVE = CM_BASE + 20;
// Sent down a form's controls: the focus moved (WParam: the newly focused TWinControl*), and
// a dialog key that no focused control and no plain button took (WParam: the key; a control
// that acts on it sets the result to 1).
inline constexpr platform::UINT CM_FOCUSCHANGED = CM_BASE + 0x30;
inline constexpr platform::UINT CM_DIALOGKEY = CM_BASE + 0x31;
// Sent down a form's controls with a character typed with Alt that the focused control did not
// take (WParam: the character); a control whose accelerator it is sets the result to 1.
inline constexpr platform::UINT CM_DIALOGCHAR = CM_BASE + 0x32;
// Sent to a form with every key pressed in it before its focused control sees the key
// (WParam: the key, LParam: the shift state); whoever takes the key as a shortcut sets the
// result to 1 and the key goes no further.
inline constexpr platform::UINT CM_SHORTCUT = CM_BASE + 0x33;

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    const char* ClassName() const override { return "TControl"; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return graphics::Bounds(left_, top_, width_, height_); }
    // The client area in the control's own coordinates.
    virtual TRect ClientRect() const { return graphics::Rect(0, 0, width_, height_); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientSize(int width, int height);
    // The limits every bounds change is kept within.
    TSizeConstraints& Constraints() { return constraints_; }
    const TSizeConstraints& Constraints() const { return constraints_; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value);

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and every parent up to a top-level window.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& value) { SetText(value); }
    virtual void SetText(const std::string& value);

    graphics::TFont& Font() { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);

    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    // The text the application's hint window shows while the pointer rests on the control.
    // While ParentShowHint is set the control shows hints when its parent does; setting
    // ShowHint clears ParentShowHint.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    bool ShowHint() const;
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value) { parentShowHint_ = value; }

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }

    // Events.
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // Messages.
    platform::LRESULT Perform(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);
    virtual void WndProc(TMessage& message);
    // Handles a message by number: a registered handler, else the default.
    void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);
    // Registers a handler for one message number (replacing an earlier one; null removes). It
    // replaces the control's own handling of that message; it may call DefaultHandler for
    // the platform's.
    void SetMessageHandler(platform::UINT msg, TMessageHandler handler);
    bool HasMessageHandler(platform::UINT msg) const { return handlers_.count(msg) != 0; }
    // Delivers a message: a registered handler, else WndProc.
    void Deliver(TMessage& message);

    // Painting.
    virtual void Invalidate();
    virtual void Update();
    void Repaint() {
        Invalidate();
        Update();
    }

    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;
    // The position of this control's client origin in its top-level window's client area.
    virtual TPoint ClientOrigin() const;

    virtual void Click();

    // Runs the control's context menu request at a client point; true when a menu opened.
    bool ContextPopup(TPoint clientPoint);

    // The form the control sits on, if any.
    TCustomForm* ParentForm() const;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void DblClick();

    // Called after the control's bounds changed, with the parent realigning.
    virtual void Resized() {}
    // Changes that need painting.
    virtual void FontChanged();
    virtual void TextChanged() { Invalidate(); }
    virtual void VisibleChanging() {}
    virtual void VisibleChanged();
    virtual void EnabledChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    // Takes the parent's font and colour when told to.
    void ParentFontChanged();
    void ParentColorChanged();

    void RequestAlign();
    void UpdateAnchorRules();

    // Where the anchors were measured from (right and bottom distances to the parent's client).
    struct AnchorRules {
        int right = 0;
        int bottom = 0;
    };
    AnchorRules anchorRules_;

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::string text_;

  private:
    friend class TWinControl;

    void HandleMouseMessage(TMessage& message);

    TAlign align_ = TAlign::alNone;
    TAnchors anchors_ = kDefaultAnchors;
    bool visible_ = true;
    bool enabled_ = true;
    graphics::TFont font_;
    bool parentFont_ = true;
    TColor color_ = graphics::clWindow;
    bool parentColor_ = false;
    TPopupMenu* popupMenu_ = nullptr;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    bool mouseCaptured_ = false;
    std::map<platform::UINT, TMessageHandler> handlers_;
    TSizeConstraints constraints_;
};

// Shift state from the key flags of a mouse message.
TShiftState ShiftFromMouseKeys(platform::WPARAM keys);
// Shift state from the keyboard.
TShiftState KeyboardShift();

}  // namespace ui
