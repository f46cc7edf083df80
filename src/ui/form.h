#pragma once
// Forms: top-level windows holding controls, with a caption, border icons, a start
// position, a create event that runs once construction is complete, modal runs that end on a
// modal result, key preview and the control that has the focus.
#include <memory>

#include "ui/win_control.h"

namespace graphics {
class TIcon;
}

namespace ui {

enum TBorderIcon : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = uint8_t;

enum class TFormBorderStyle : uint8_t {
    bsNone,
    bsSingle,
    bsSizeable,
    bsDialog,
    bsToolWindow,
    bsSizeToolWin
};
enum class TPosition : uint8_t { poDesigned, poDefault, poScreenCenter, poMainFormCenter };
enum class TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;

using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TComponent* sender, bool& canClose)>;

class TCustomForm : public TWinControl {
  public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    const char* ClassName() const override { return "TCustomForm"; }

    // Fires OnCreate once the whole form has been built.
    void AfterConstruction() override;

    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    // The form's icon, empty at first (a skinned frame shows it on its system-menu button).
    graphics::TIcon& Icon();
    // The cursor over the form's own client area; null: the window's arrow.
    platform::HCURSOR Cursor() const { return cursor_; }
    void SetCursor(platform::HCURSOR value) { cursor_ = value; }

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Told by a control that it received the focus.
    void FocusChanged(TWinControl* control);

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    // Shows the form and runs messages until its modal result is set; the other windows of
    // the program are disabled meanwhile. Returns the result.
    TModalResult ShowModal();
    bool Modal() const { return modal_; }
    // Asks the form to close: OnCloseQuery, then OnClose decides what happens. Closing the
    // main form ends the program.
    void Close();
    void Release();

    TRect ClientRect() const override;
    void SetClientSize(int width, int height) override;
    void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
    void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }

    // Dialog keys the focused control did not take: Tab and Shift+Tab move the focus, Escape
    // presses the cancel button, Enter the default button. True when one acted.
    bool DialogKey(uint16_t key);
    // A key pressed in the form, offered as a shortcut before the focused control sees it
    // (CM_SHORTCUT). True when something took it.
    bool IsShortCut(uint16_t key, TShiftState shift);
    // An Alt+character that the focused control did not take: offered to the controls as an
    // accelerator. True when one took it.
    bool DialogChar(char32_t key);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void WndProc(TMessage& message) override;

  protected:
    void Notification(TComponent* component, TOperation operation) override;
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void VisibleChanged() override;
    virtual void DoCreate();
    virtual bool CloseQuery();

  private:
    platform::DWORD WindowStyle() const;
    platform::DWORD WindowExStyle() const;
    void PlaceOnScreen();

    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TPosition position_ = TPosition::poDesigned;
    bool keyPreview_ = false;
    std::unique_ptr<graphics::TIcon> icon_;
    platform::HCURSOR cursor_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool placed_ = false;
};

class TForm : public TCustomForm {
  public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
    const char* ClassName() const override { return "TForm"; }
};

}  // namespace ui
