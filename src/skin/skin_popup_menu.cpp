#include "skin/skin_popup_menu.h"

#include "skin/skin_data.h"
#include "skin/skin_menu.h"
#include "skin/skin_menu_host.h"
#include "ui/control.h"

namespace skin {

TbsSkinPopupMenu::TbsSkinPopupMenu(ui::TComponent* owner) : ui::TPopupMenu(owner) {}

TbsSkinPopupMenu::~TbsSkinPopupMenu() {
    *alive_ = false;
    if (skinData_ != nullptr) skinData_->RemoveFreeNotification(this);
}

void TbsSkinPopupMenu::SetSkinData(TbsSkinData* value) {
    if (skinData_ == value) return;
    if (skinData_ != nullptr) skinData_->RemoveFreeNotification(this);
    skinData_ = value;
    if (skinData_ != nullptr) skinData_->FreeNotification(this);
}

void TbsSkinPopupMenu::Notification(ui::TComponent* component, ui::TOperation operation) {
    ui::TPopupMenu::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && component == skinData_) skinData_ = nullptr;
}

void TbsSkinPopupMenu::Popup(int x, int y) {
    lastPopupPoint_ = {x, y};
    if (OnPopup) OnPopup(this);
    TbsSkinMenuHost* host = skinFrame_ != nullptr ? skinFrame_ : TbsSkinMenuHost::Find(this);
    if (host == nullptr) return;
    TbsSkinData* data = skinData_ != nullptr ? skinData_ : host->MenuSkinData();
    TbsSkinMenu& engine = host->SkinMenu();
    if (engine.Visible()) engine.CloseAll();
    // Nothing to show: the form does not enter its menu state at all.
    bool anyVisible = false;
    for (int i = 0; i < Items().Count() && !anyVisible; ++i)
        anyVisible = Items().Items(i)->Visible();
    if (!anyVisible) return;
    host->SkinMenuOpen();
    auto* opener = dynamic_cast<ui::TControl*>(PopupComponent());
    if (opener == nullptr) opener = dynamic_cast<ui::TControl*>(Owner());
    auto onClose = [this, alive = alive_] {
        if (*alive && OnMenuClose) OnMenuClose(this);
    };
    engine.Popup(opener, data, false, Items(), graphics::Rect(x, y, x, y), 0, onClose);
}

}  // namespace skin
