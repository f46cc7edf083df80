#include "ui/menus.h"

#include <algorithm>

#include "graphics/bitmap.h"
#include "platform/user/user.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/win_control.h"

namespace ui {

using namespace platform;

namespace {

TMenuTracker& Tracker() {
    static TMenuTracker tracker;
    return tracker;
}

// The window that owns a popup: the form of the control that asked for it, else the main form.
HWND PopupOwner(TComponent* component) {
    if (auto* control = dynamic_cast<TControl*>(component)) {
        if (TCustomForm* form = control->ParentForm()) return form->Handle();
        if (auto* win = dynamic_cast<TWinControl*>(control)) return win->Handle();
    }
    if (TCustomForm* main = Application().MainForm()) return main->Handle();
    return Application().Handle();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    for (TMenuItem* item : items_) item->parent_ = nullptr;
    if (parent_ != nullptr) parent_->Remove(this);
}

void TMenuItem::Add(TMenuItem* item) {
    if (item == nullptr || item == this) return;
    if (item->parent_ != nullptr) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    if (item != nullptr && item->parent_ == this) item->parent_ = nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

graphics::TBitmap& TMenuItem::Bitmap() {
    if (!bitmap_) bitmap_ = std::make_unique<graphics::TBitmap>();
    return *bitmap_;
}

bool TMenuItem::HasBitmap() const {
    return bitmap_ && !bitmap_->IsEmpty();
}

void TMenuItem::SetSubMenuImages(TCustomImageList* value) {
    if (subMenuImages_ != nullptr) subMenuImages_->RemoveFreeNotification(this);
    subMenuImages_ = value;
    if (value != nullptr) value->FreeNotification(this);
}

TCustomImageList* TMenuItem::GetImageList() const {
    const TMenuItem* root = this;
    for (const TMenuItem* item = parent_; item != nullptr; item = item->parent_) {
        if (item->subMenuImages_ != nullptr) return item->subMenuImages_;
        root = item;
    }
    auto* menu = dynamic_cast<TPopupMenu*>(root->Owner());
    return menu != nullptr && &menu->Items() == root ? menu->Images() : nullptr;
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == subMenuImages_) subMenuImages_ = nullptr;
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) OnClick(this);
}

// ---------------------------------------------------------------------------------------------
// TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {
    items_ = new TMenuItem(this);
}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::SetTracker(TMenuTracker tracker) {
    Tracker() = std::move(tracker);
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    if (popupComponent_ != nullptr) popupComponent_->RemoveFreeNotification(this);
    popupComponent_ = component;
    if (component != nullptr) component->FreeNotification(this);
}

void TPopupMenu::SetImages(TCustomImageList* value) {
    if (images_ != nullptr) images_->RemoveFreeNotification(this);
    images_ = value;
    if (value != nullptr) value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == popupComponent_) popupComponent_ = nullptr;
    if (component == images_) images_ = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
    popupPoint_ = {x, y};
    if (OnPopup) OnPopup(this);
    TMenuItem* chosen = Tracker() ? Tracker()(*items_, x, y)
                                  : TrackPlainPopup(*items_, x, y, PopupOwner(popupComponent_));
    // The menu is closed by now: the command runs with nothing open.
    if (chosen != nullptr) chosen->Click();
}

TMenuItem* TrackPlainPopup(TMenuItem& items, int x, int y, HWND owner) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return nullptr;
    std::vector<TMenuItem*> byId;
    for (int i = 0; i < items.Count(); ++i) {
        TMenuItem* item = items.Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine()) {
            AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        byId.push_back(item);
        UINT flags = MF_STRING;
        if (!item->Enabled()) flags |= MF_GRAYED;
        if (item->Checked()) flags |= MF_CHECKED;
        AppendMenu(menu, flags, UINT_PTR(byId.size()), item->Caption().c_str());
    }
    if (byId.empty()) {
        DestroyMenu(menu);
        return nullptr;
    }
    BOOL id = TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y,
        0, owner, nullptr);
    DestroyMenu(menu);
    if (id <= 0 || size_t(id) > byId.size()) return nullptr;
    return byId[size_t(id) - 1];
}

}  // namespace ui
