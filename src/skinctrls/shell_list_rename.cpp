#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/exceptions.h"
#include "core/format.h"
#include "platform/user/user.h"
#include "skinctrls/shell_list_view.h"
#include "skinctrls/shell_list_view_layout.h"
#include "skinctrls/skin_edit.h"
#include "ui/resource_strings.h"

// In-place renaming in the file list: a skinned edit over the item's name.
namespace skinctrls {

using namespace platform;
using namespace shell_list_layout;
namespace strings = ui::strings;

namespace {

constexpr int kEditorHeight = 21;

bool NameTaken(const std::string& folder, const std::string& name) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(folder + "/" + name, error));
}

}  // namespace

void TbsCustomShellListView::EditItemName(int index) {
    StopSlowClickTimer();
    if (index < 0 || index >= Count() || !HandleAllocated() || !Showing()) return;
    TbsShellFolder& item = *items_[size_t(index)];
    if (!(item.Capabilities() & SFGAO_CANRENAME)) return;
    EnsureVisible(index);
    if (nameEditor_ == nullptr) {
        nameEditor_ = ui::Make<TbsSkinEdit>(this);
        nameEditor_->SetVisible(false);
        nameEditor_->SetParent(this);
        nameEditor_->OnKeyDown = [this](ui::TComponent*, uint16_t& key, ui::TShiftState) {
            if (key == VK_RETURN) {
                key = 0;
                CommitName();
            } else if (key == VK_ESCAPE) {
                key = 0;
                EndNameEdit();
            }
        };
        nameEditor_->OnExit = [this](ui::TComponent*) {
            if (editIndex_ < 0 || committing_) return;
            if (nameEditor_->Text() == editOriginal_) {
                EndNameEdit();
            } else {
                CommitName();
            }
        };
    }
    nameEditor_->SetSkinData(SkinData());
    nameEditor_->Font().CopyFrom(&Font());
    editIndex_ = index;
    editOriginal_ = item.ItemDisplayName();
    graphics::TRect cell = ItemRect(index);
    const bool large = viewStyle_ == TViewStyle::vsIcon;
    const int left = large ? cell.left : cell.left + kSmallIcon + 2;
    const int top =
        large ? cell.top + kLargeIcon + 6 : cell.top + (cell.Height() - kEditorHeight) / 2;
    const int width = std::min(std::max(cell.right - left, 60), std::max(Width() - left, 60));
    nameEditor_->SetBounds(left, top, width, kEditorHeight);
    nameEditor_->SetText(editOriginal_);
    nameEditor_->Show();
    nameEditor_->SetFocus();
    SendMessage(nameEditor_->Handle(), EM_SETSEL, 0, -1);
}

// True when the name was taken (or did not change); a refused name keeps the edit open.
bool TbsCustomShellListView::CommitName() {
    if (editIndex_ < 0 || editIndex_ >= Count()) {
        EndNameEdit();
        return false;
    }
    const std::string name = nameEditor_->Text();
    if (name == editOriginal_) {
        EndNameEdit();
        return true;
    }
    TbsShellFolder& item = *items_[size_t(editIndex_)];
    const std::string path = item.ItemFileSystemPath();
    std::string problem;
    if (name.empty()) {
        problem = strings::SNameEmpty;
    } else if (name.find('/') != std::string::npos) {
        problem = strings::SNameHasSlash;
    } else if (NameTaken(path.substr(0, path.rfind('/')), name)) {
        problem = core::Format(strings::SNameExists, {name});
    } else {
        try {
            item.Rename(name);
        } catch (const core::Exception& error) {
            problem = error.what();
        }
    }
    if (!problem.empty()) {
        committing_ = true;  // the error box takes the focus from the edit
        ShowError(problem);
        committing_ = false;
        nameEditor_->SetFocus();
        return false;
    }
    EndNameEdit();
    return true;
}

void TbsCustomShellListView::EndNameEdit() {
    if (editIndex_ < 0) return;
    editIndex_ = -1;
    const bool hadFocus = nameEditor_->Focused();
    if (hadFocus && CanFocus()) SetFocus();
    nameEditor_->Hide();
    Invalidate();
}

void TbsCustomShellListView::StartSlowClickTimer() {
    SetTimer(Handle(), kSlowClickTimer, GetDoubleClickTime(), nullptr);
}

void TbsCustomShellListView::StopSlowClickTimer() {
    if (slowClickIndex_ < 0) return;
    slowClickIndex_ = -1;
    if (HandleAllocated()) KillTimer(Handle(), kSlowClickTimer);
}

}  // namespace skinctrls
