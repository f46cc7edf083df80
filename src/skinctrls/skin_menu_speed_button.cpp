#include "skinctrls/skin_menu_speed_button.h"

#include <cstring>

namespace skinctrls {

namespace {

// A menu with no visible item shows nothing, and so never sends its close message.
bool HasVisibleItems(ui::TPopupMenu& menu) {
    for (int i = 0; i < menu.Items().Count(); ++i)
        if (menu.Items().Items(i)->Visible()) return true;
    return false;
}

}  // namespace

TbsSkinMenuSpeedButton::TbsSkinMenuSpeedButton(ui::TComponent* owner) : TbsSkinSpeedButton(owner) {
    SetSkinDataName("toolmenubutton");
}

void TbsSkinMenuSpeedButton::SetSkinPopupMenu(ui::TPopupMenu* value) {
    if (skinPopupMenu_ != nullptr) skinPopupMenu_->RemoveFreeNotification(this);
    skinPopupMenu_ = value;
    if (value != nullptr) value->FreeNotification(this);
}

void TbsSkinMenuSpeedButton::Notification(ui::TComponent* component, ui::TOperation operation) {
    TbsSkinSpeedButton::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && component == skinPopupMenu_)
        skinPopupMenu_ = nullptr;
}

TRect TbsSkinMenuSpeedButton::TrackArea() {
    if (!trackButtonMode_) return ClientRect();
    BindSkinObject();
    const auto* object = dynamic_cast<const skin::TbsDataSkinButtonControl*>(SkinObject());
    const std::string& name = SkinDataName();
    const bool plainArrow = object == nullptr || object->MenuMarkerRect.IsEmpty() ||
                            name == "resizebutton" || name == "resizetoolbutton" ||
                            name == "toolbutton" || name == "bigtoolbutton";
    if (!plainArrow) {
        // The marker sits at the right edge, as wide as its image.
        const int width = ToRect(object->MenuMarkerRect).Width();
        return graphics::Rect(Width() - width, 0, Width(), Height());
    }
    if (newStyle_ && trackPosition_ == TbsTrackPosition::bstpBottom)
        return graphics::Rect(0, Height() - kTrackWidth, Width(), Height());
    return graphics::Rect(Width() - kTrackWidth, 0, Width(), Height());
}

void TbsSkinMenuSpeedButton::ShowMenu() {
    menuShown_ = true;
    ignoreRelease_ = true;
    mouseIn_ = true;
    SetDown(true);
    skinPopupMenu_->SetPopupComponent(this);
    const TPoint below = Parent() != nullptr ? Parent()->ClientToScreen({Left(), Top() + Height()})
                                             : TPoint{Left(), Top() + Height()};
    ui::TPopupMenu* menu = skinPopupMenu_;
    menu->Popup(below.x, below.y);
    // A plain popup menu has closed by the time Popup returns and sends no close message;
    // a skinned one stays open and sends it later.
    if (menuShown_ && std::strcmp(menu->ClassName(), "TPopupMenu") == 0) MenuClosed();
}

void TbsSkinMenuSpeedButton::MenuClosed() {
    if (!menuShown_) return;
    menuShown_ = false;
    mouseIn_ = false;
    SetDown(false);
    if (OnHideTrackMenu) OnHideTrackMenu(this);
    Invalidate();
}

void TbsSkinMenuSpeedButton::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x,
                                       int y) {
    if (button == ui::TMouseButton::mbLeft && Enabled() && skinPopupMenu_ != nullptr &&
        !menuShown_ && HasVisibleItems(*skinPopupMenu_)) {
        const TRect area = TrackArea();
        if (x >= area.left && x < area.right && y >= area.top && y < area.bottom) {
            // The press opens the menu and goes no further: no click follows.
            ShowMenu();
            return;
        }
    }
    TbsSkinSpeedButton::MouseDown(button, shift, x, y);
}

void TbsSkinMenuSpeedButton::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (button == ui::TMouseButton::mbLeft && ignoreRelease_) {
        ignoreRelease_ = false;
        return;
    }
    TbsSkinSpeedButton::MouseUp(button, shift, x, y);
}

void TbsSkinMenuSpeedButton::WndProc(ui::TMessage& message) {
    if (message.Msg == WM_CLOSESKINMENU) {
        MenuClosed();
        message.Result = 0;
        return;
    }
    TbsSkinSpeedButton::WndProc(message);
}

}  // namespace skinctrls
