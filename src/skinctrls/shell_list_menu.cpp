#include <string>
#include <vector>

#include "core/format.h"
#include "platform/shell/file_operations.h"
#include "platform/user/user.h"
#include "skin/skin_popup_menu.h"
#include "skinctrls/shell_list_view.h"
#include "skinctrls/shell_properties_box.h"
#include "ui/application.h"
#include "ui/resource_strings.h"

// The file list's item menu and what it runs: open, delete to the trash, properties.
namespace skinctrls {

using namespace platform;
namespace strings = ui::strings;

void TbsCustomShellListView::AddMenuItem(const char* caption, std::function<void()> action) {
    auto* item = ui::Make<ui::TMenuItem>(contextMenu_);
    item->SetCaption(caption);
    item->OnClick = [action = std::move(action)](ui::TComponent*) {
        if (action) action();
    };
    contextMenu_->Items().Add(item);
}

void TbsCustomShellListView::ShowContextMenu(ui::TPoint client) {
    if (!current_) return;
    const int index = ItemAt(client.x, client.y);
    if (index >= 0 && !Selected(index)) SetItemIndex(index);
    if (index < 0) ClearSelection();
    if (contextMenu_ == nullptr) contextMenu_ = ui::Make<skin::TbsSkinPopupMenu>(this);
    contextMenu_->SetSkinData(SkinData());
    while (contextMenu_->Items().Count() > 0) delete contextMenu_->Items().Items(0);
    if (index >= 0) {
        AddMenuItem(strings::SMenuOpen, [this] { OpenFocusedItem(); });
        AddMenuItem("-", nullptr);
        AddMenuItem(strings::SMenuRename, [this] { EditItemName(itemIndex_); });
        AddMenuItem(strings::SMenuDelete, [this] { DeleteSelected(); });
        AddMenuItem("-", nullptr);
    }
    if (OnCreateFolder) AddMenuItem(strings::SMenuNewFolder, [this] { OnCreateFolder(this); });
    AddMenuItem(strings::SMenuRefresh, [this] { Refresh(); });
    AddMenuItem("-", nullptr);
    AddMenuItem(strings::SMenuProperties, [this] { ShowProperties(); });
    const ui::TPoint screen = ClientToScreen(client);
    contextMenu_->SetPopupComponent(this);
    contextMenu_->Popup(screen.x, screen.y);
}

void TbsCustomShellListView::WndProc(ui::TMessage& message) {
    if (message.Msg == WM_CONTEXTMENU && autoContextMenus_) {
        ui::TPoint client;
        if (message.LParam == -1) {  // from the keyboard: at the focused item
            const graphics::TRect cell = ItemRect(itemIndex_);
            client = {cell.left + 4, cell.top + cell.Height() / 2};
        } else {
            client = ScreenToClient({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
        }
        ShowContextMenu(client);
        return;
    }
    if (message.Msg == WM_TIMER && message.WParam == kSlowClickTimer) {
        const int index = slowClickIndex_;
        StopSlowClickTimer();
        if (index >= 0 && index == itemIndex_ && Selected(index)) EditItemName(index);
        return;
    }
    TbsSkinControl::WndProc(message);
}

void TbsCustomShellListView::OpenFocusedItem() {
    if (itemIndex_ < 0) return;
    SetItemIndex(itemIndex_);
    DblClick();
}

void TbsCustomShellListView::ShowError(const std::string& text) {
    ui::Application().MessageBox(text, strings::SError, MB_OK | MB_ICONERROR);
}

void TbsCustomShellListView::DeleteSelected() {
    std::vector<std::string> paths;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (selected_[i]) paths.push_back(items_[i]->ItemFileSystemPath());
    }
    for (const std::string& path : paths) {
        if (path.empty()) continue;  // a place of the namespace, not a file
        const TrashResult trashed = MoveToTrash(path);
        if (trashed.outcome == TrashOutcome::Failed) {
            ShowError(trashed.error);
        } else if (trashed.outcome == TrashOutcome::NoTrash) {
            const std::string name = path.substr(path.rfind('/') + 1);
            const int answer =
                ui::Application().MessageBox(core::Format(strings::SDeleteForGood, {name}),
                                             strings::SConfirm, MB_YESNO | MB_ICONWARNING);
            if (answer != IDYES) continue;
            const FileOperationResult removed = DeleteForGood(path);
            if (!removed.ok) ShowError(removed.error);
        }
    }
    Refresh();
}

void TbsCustomShellListView::ShowProperties() {
    if (!current_) return;
    TbsShellFolder* item = Selected(itemIndex_) ? items_[size_t(itemIndex_)].get() : current_.get();
    ShowPropertiesBox(*this, *item);
}

}  // namespace skinctrls
