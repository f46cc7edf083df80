#include "skinctrls/skin_file_dialog.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "skinctrls/skin_open_dlg_form.h"
#include "ui/file_dialog_rules.h"
#include "ui/resource_strings.h"

namespace skinctrls {

using ui::AcceptedFileName;
using ui::ExtractFileName;
using ui::ExtractFilePath;
namespace strings = ui::strings;

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

TbsSkinOpenDialog::TbsSkinOpenDialog(ui::TComponent* owner) : TbsSkinOpenDialog(owner, false) {}

TbsSkinOpenDialog::TbsSkinOpenDialog(ui::TComponent* owner, bool saveMode)
    : ui::TComponent(owner), saveMode_(saveMode), viewStyle_(TViewStyle::vsList) {
    title_ = saveMode ? strings::SSaveFile : strings::SOpenFile;
    filter_ = strings::SAllFilesFilter;
    defaultFont_.SetName("Arial");
    defaultFont_.SetHeight(14);
}

TbsSkinOpenDialog::~TbsSkinOpenDialog() = default;

TbsSkinSaveDialog::TbsSkinSaveDialog(ui::TComponent* owner) : TbsSkinOpenDialog(owner, true) {}

void TbsSkinOpenDialog::SetSkinData(skin::TbsSkinData* v) {
    if (skinData_ != nullptr) skinData_->RemoveFreeNotification(this);
    skinData_ = v;
    if (v != nullptr) v->FreeNotification(this);
}

void TbsSkinOpenDialog::SetCtrlSkinData(skin::TbsSkinData* v) {
    if (ctrlSkinData_ != nullptr) ctrlSkinData_->RemoveFreeNotification(this);
    ctrlSkinData_ = v;
    if (v != nullptr) v->FreeNotification(this);
}

void TbsSkinOpenDialog::Notification(ui::TComponent* component, ui::TOperation operation) {
    ui::TComponent::Notification(component, operation);
    if (operation != ui::TOperation::opRemove) return;
    if (component == skinData_) skinData_ = nullptr;
    if (component == ctrlSkinData_) ctrlSkinData_ = nullptr;
    if (component == form_) form_ = nullptr;
}

void TbsSkinOpenDialog::SetFileName(const std::string& v) {
    fileName_ = v;
    if (form_ != nullptr) form_->FileNameEdit().SetText(v);
}

std::string TbsSkinOpenDialog::StartFolder() const {
    std::string folder = ExtractFilePath(fileName_);
    if (!folder.empty()) return folder;
    if (initialDir_.empty()) return ProgramFolder();
    if (FolderExists(initialDir_)) return initialDir_;
    return ProgramFolder();
}

void TbsSkinOpenDialog::Configure(TbsOpenDlgForm& form) {
    form.overwritePrompt = overwritePromt_;
    form.checkFileExists = checkFileExists_;
    form.defaultExt = defaultExt_;
    form.onFolderChange = [this](ui::TComponent*) {
        if (OnFolderChange) OnFolderChange(this);
    };
    form.SetCaption(title_);
    skin::TbsSkinFrame& frame = form.Frame();
    frame.SetBorderIcons(0);
    frame.SetSkinData(skinData_);
    frame.SetMenusSkinData(ctrlSkinData_);
    frame.SetMinWidth(dialogMinWidth_);
    frame.SetMinHeight(dialogMinHeight_);
    frame.SetAlphaBlend(alphaBlend_);
    frame.SetAlphaBlendValue(alphaBlendValue_);
    frame.SetMenusAlphaBlend(ctrlAlphaBlend_);
    frame.SetMenusAlphaBlendValue(ctrlAlphaBlendValue_);
    frame.SetMenusAlphaBlendAnimation(ctrlAlphaBlendAnimation_);
    form.SetDefaultFont(defaultFont_);
    form.SetToolButtonsFlat(toolButtonsTransparent_);
    form.SetListsTranslucency(ctrlAlphaBlend_, ctrlAlphaBlendValue_, ctrlAlphaBlendAnimation_);
    form.SetViewStyle(viewStyle_);

    TbsSkinFileListView& list = form.FileList();
    list.SetHeaderSkinDataName(lvHeaderSkinDataName_);
    list.SetMultiSelect(multiSelection_);
    if (showHiddenFiles_) list.SetObjectTypes(list.ObjectTypes() | otHidden);
    list.OpenFolderPath(StartFolder());
    form.FilterCombo().SetFilter(filter_);
    list.SetMask(form.FilterCombo().Mask());
    form.SetControlsSkinData(ctrlSkinData_);
    form.FilterCombo().SetItemIndex(filterIndex_ - 1);

    int width = dialogWidth_ > 0 ? dialogWidth_ : kDefaultWidth;
    int height = dialogHeight_ > 0 ? dialogHeight_ : kDefaultHeight;
    if (skinData_ != nullptr && !skinData_->Empty()) {
        const skin::TbsFrameInsets insets = frame.Insets();
        width = std::max(width, frame.MinimumWidth() - insets.Left - insets.Right);
        height = std::max(height, frame.MinimumHeight() - insets.Top - insets.Bottom);
    }
    form.SetClientSize(width, height);
    if (alphaBlend_) form.SetTranslucency(alphaBlendValue_, alphaBlendAnimation_);

    form.FocusFirstItem();
    form.FileNameEdit().SetText(ExtractFileName(fileName_));
    form.PushCurrentFolder();
}

void TbsSkinOpenDialog::ReadBack(TbsOpenDlgForm& form, bool accepted) {
    filterIndex_ = form.FilterCombo().ItemIndex() + 1;
    dialogWidth_ = form.ClientWidth();
    dialogHeight_ = form.ClientHeight();
    viewStyle_ = form.FileList().ViewStyle();
    if (!accepted) return;
    fileName_ =
        AcceptedFileName(form.ResultName(), saveMode_, form.FilterCombo().Mask(), defaultExt_);
    selectedFiles_ = form.FileList().SelectedFilePaths();
}

bool TbsSkinOpenDialog::Execute() {
    if (OnShow) OnShow(this);
    auto* form = ui::Make<TbsOpenDlgForm>(this, saveMode_, ctrlSkinData_);
    form_ = form;
    bool accepted = false;
    try {
        Configure(*form);
        accepted = form->ShowModal() == ui::mrOk;
        ReadBack(*form, accepted);
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

}  // namespace skinctrls
