#include "ui/file_dialog.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "ui/file_dialog_form.h"
#include "ui/resource_strings.h"

namespace ui {

namespace {

constexpr int kDefaultWidth = 450;
constexpr int kDefaultHeight = 290;

// The folder the program itself lives in.
std::string ProgramFolder() {
    std::error_code error;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path(error).string();
    return exe.parent_path().string();
}

bool FolderExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

TbsSkinOpenDialog::TbsSkinOpenDialog(TComponent* owner) : TbsSkinOpenDialog(owner, false) {}

TbsSkinOpenDialog::TbsSkinOpenDialog(TComponent* owner, bool saveMode)
    : TComponent(owner), saveMode_(saveMode) {
    title_ = saveMode ? strings::SSaveFile : strings::SOpenFile;
    filter_ = strings::SAllFilesFilter;
    defaultFont_.SetName("Arial");
    defaultFont_.SetHeight(14);
}

TbsSkinOpenDialog::~TbsSkinOpenDialog() = default;

TbsSkinSaveDialog::TbsSkinSaveDialog(TComponent* owner) : TbsSkinOpenDialog(owner, true) {}

void TbsSkinOpenDialog::SetSkinData(TComponent* v) {
    if (skinData_ != nullptr) skinData_->RemoveFreeNotification(this);
    skinData_ = v;
    if (v != nullptr) v->FreeNotification(this);
}

void TbsSkinOpenDialog::SetCtrlSkinData(TComponent* v) {
    if (ctrlSkinData_ != nullptr) ctrlSkinData_->RemoveFreeNotification(this);
    ctrlSkinData_ = v;
    if (v != nullptr) v->FreeNotification(this);
}

void TbsSkinOpenDialog::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == skinData_) skinData_ = nullptr;
    if (component == ctrlSkinData_) ctrlSkinData_ = nullptr;
    if (component == form_) form_ = nullptr;
}

void TbsSkinOpenDialog::SetFileName(const std::string& v) {
    fileName_ = v;
    if (auto* form = dynamic_cast<TOpenDlgForm*>(form_)) form->FileNameEdit().SetText(v);
}

std::string TbsSkinOpenDialog::StartFolder() const {
    std::string folder = ExtractFilePath(fileName_);
    if (!folder.empty()) return folder;
    if (initialDir_.empty()) return ProgramFolder();
    if (FolderExists(initialDir_)) return initialDir_;
    return ProgramFolder();
}

bool TbsSkinOpenDialog::Execute() {
    if (OnShow) OnShow(this);
    int width = dialogWidth_ > 0 ? dialogWidth_ : kDefaultWidth;
    int height = dialogHeight_ > 0 ? dialogHeight_ : kDefaultHeight;
    auto* form = Make<TOpenDlgForm>(this, saveMode_, width, height);
    form_ = form;
    bool accepted = false;
    try {
        form->overwritePrompt = overwritePromt_;
        form->checkFileExists = checkFileExists_;
        form->defaultExt = defaultExt_;
        form->onFolderChange = [this](TComponent*) {
            if (OnFolderChange) OnFolderChange(this);
        };
        form->SetCaption(title_);
        form->OpenButton().Font().CopyFrom(&defaultFont_);
        form->CancelButton().Font().CopyFrom(&defaultFont_);
        form->SetFolder(StartFolder());
        form->SetFilter(filter_);
        form->FilterBox().SetItemIndex(filterIndex_ - 1);
        form->FileNameEdit().SetText(ExtractFileName(fileName_));

        accepted = form->ShowModal() == mrOk;

        filterIndex_ = form->FilterBox().ItemIndex() + 1;
        dialogWidth_ = form->ClientWidth();
        dialogHeight_ = form->ClientHeight();
        if (accepted) {
            fileName_ = AcceptedFileName(form->ResultName(), saveMode_, form->CurrentMask(), defaultExt_);
            selectedFiles_.clear();
        }
    } catch (...) {
        if (OnClose) OnClose(this);
        form_ = nullptr;
        delete form;
        throw;
    }
    if (OnClose) OnClose(this);
    form_ = nullptr;
    delete form;
    return accepted;
}

}  // namespace ui
