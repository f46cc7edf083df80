#pragma once
// The tool button that opens a popup menu (the file dialogs' view menu): a press sets it down
// and shows the menu under it; the menu's close message raises it again.
#include "skinctrls/skin_speed_button.h"
#include "ui/menus.h"

namespace skinctrls {

// Sent by a skinned popup menu to the control that opened it, when it closes.
inline constexpr platform::UINT WM_CLOSESKINMENU = platform::WM_USER + 204;

enum class TbsTrackPosition : uint8_t { bstpRight, bstpBottom };

class TbsSkinMenuSpeedButton : public TbsSkinSpeedButton {
  public:
    // The width of the arrow part in track-button mode without a marker from the skin.
    static constexpr int kTrackWidth = 15;

    explicit TbsSkinMenuSpeedButton(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinMenuSpeedButton"; }

    ui::TPopupMenu* SkinPopupMenu() const { return skinPopupMenu_; }
    void SetSkinPopupMenu(ui::TPopupMenu* value);
    bool TrackButtonMode() const { return trackButtonMode_; }
    void SetTrackButtonMode(bool value) { trackButtonMode_ = value; }
    bool NewStyle() const { return newStyle_; }
    void SetNewStyle(bool value) { newStyle_ = value; }
    TbsTrackPosition TrackPosition() const { return trackPosition_; }
    void SetTrackPosition(TbsTrackPosition value) { trackPosition_ = value; }
    bool MenuShown() const { return menuShown_; }

    // The part of the button that opens the menu.
    TRect TrackArea();

    ui::TNotifyEvent OnHideTrackMenu;

  protected:
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void WndProc(ui::TMessage& message) override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

  private:
    void ShowMenu();
    void MenuClosed();

    ui::TPopupMenu* skinPopupMenu_ = nullptr;
    bool trackButtonMode_ = false;
    bool newStyle_ = false;
    TbsTrackPosition trackPosition_ = TbsTrackPosition::bstpRight;
    bool menuShown_ = false;
    bool ignoreRelease_ = false;
};

}  // namespace skinctrls
