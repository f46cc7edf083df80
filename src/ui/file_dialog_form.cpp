#include "ui/file_dialog_form.h"

#include <filesystem>
#include <system_error>

#include "platform/user/user.h"
#include "ui/application.h"
#include "ui/resource_strings.h"

namespace ui {

using namespace platform;

namespace {

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

TOpenDlgForm::TOpenDlgForm(TComponent* owner, bool saveMode, int clientWidth, int clientHeight)
    : TForm(owner), saveMode_(saveMode) {
    SetBorderIcons(0);
    SetPosition(TPosition::poScreenCenter);
    SetKeyPreview(true);
    SetClientSize(clientWidth, clientHeight);
    const int w = clientWidth;

    // The folder shown at the top, where the skinned form has its tool bar.
    auto* top = Make<TPanel>(this);
    top->SetParent(this);
    top->SetBounds(0, 0, w, 32);
    top->SetBorderStyle(TBevelStyle::bvNone);
    top->SetAlign(TAlign::alTop);
    folderLabel_ = Make<TLabel>(this);
    folderLabel_->SetParent(top);
    folderLabel_->SetBounds(10, 9, w - 20, 16);
    folderLabel_->SetAnchors(akLeft | akTop | akRight);

    bottomPanel_ = Make<TPanel>(this);
    bottomPanel_->SetParent(this);
    bottomPanel_->SetBounds(0, clientHeight - 80, w, 80);
    bottomPanel_->SetBorderStyle(TBevelStyle::bvNone);
    bottomPanel_->SetAlign(TAlign::alBottom);

    auto* centre = Make<TPanel>(this);
    centre->SetParent(this);
    centre->SetBorderStyle(TBevelStyle::bvFrame);
    centre->SetAlign(TAlign::alClient);

    fileNameEdit_ = Make<TEdit>(this);
    fileNameEdit_->SetParent(bottomPanel_);
    fileNameEdit_->SetBounds(70, 10, w - 160, 21);
    fileNameEdit_->SetAnchors(akLeft | akTop | akRight);
    fileNameEdit_->OnKeyDown = [this](TComponent*, uint16_t& key, TShiftState) {
        if (key == VK_RETURN) {
            key = 0;
            FileNameEnter();
        }
    };

    filterBox_ = Make<TComboBox>(this);
    filterBox_->SetParent(bottomPanel_);
    filterBox_->SetBounds(70, 45, w - 160, 21);
    filterBox_->SetAnchors(akLeft | akTop | akRight);
    filterBox_->OnChange = [this](TComponent*) { FilterChanged(); };

    openButton_ = Make<TButton>(this);
    openButton_->SetParent(bottomPanel_);
    openButton_->SetBounds(w - 80, 10, 70, 25);
    openButton_->SetAnchors(akTop | akRight);
    openButton_->SetCaption(saveMode ? strings::SBtnSave : strings::SBtnOpen);
    openButton_->OnClick = [this](TComponent*) {
        SetModalResult(mrNone);
        AcceptFileName();
    };

    cancelButton_ = Make<TButton>(this);
    cancelButton_->SetParent(bottomPanel_);
    cancelButton_->SetBounds(w - 80, 45, 70, 25);
    cancelButton_->SetAnchors(akTop | akRight);
    cancelButton_->SetCaption(strings::SBtnCancel);
    cancelButton_->SetModalResult(mrCancel);
    cancelButton_->SetCancel(true);

    auto* nameLabel = Make<TLabel>(this);
    nameLabel->SetParent(bottomPanel_);
    nameLabel->SetBounds(10, 10, 56, 16);
    nameLabel->SetCaption(strings::SFileNameLabel);
    auto* typeLabel = Make<TLabel>(this);
    typeLabel->SetParent(bottomPanel_);
    typeLabel->SetBounds(10, 45, 56, 16);
    typeLabel->SetCaption(strings::SFileTypeLabel);

    SetActiveControl(fileNameEdit_);
}

void TOpenDlgForm::SetFilter(const std::string& filter) {
    TFilterList list = ParseFilter(filter);
    masks_ = list.masks;
    filterBox_->SetItems(list.descriptions);
    filterBox_->SetItemIndex(list.descriptions.empty() ? -1 : 0);
}

std::string TOpenDlgForm::CurrentMask() {
    if (masks_.empty()) return "*.*";
    if (filterBox_->ItemIndex() < 0) filterBox_->SetItemIndex(int(masks_.size()) - 1);
    return masks_[size_t(filterBox_->ItemIndex())];
}

void TOpenDlgForm::SetFolder(const std::string& folder) {
    folder_ = folder;
    folderLabel_->SetCaption(std::string(strings::SLookIn) + folder);
    if (onFolderChange) onFolderChange(this);
}

void TOpenDlgForm::FilterChanged() {
    typedMask_.clear();
    if (!saveMode_) return;
    std::string extension = FilterDefaultExtension(CurrentMask());
    std::string text = fileNameEdit_->Text();
    if (extension.empty() || text.empty()) return;
    std::string current = ExtractFileExt(text);
    if (!current.empty()) text.erase(text.size() - current.size());
    fileNameEdit_->SetText(text + extension);
}

void TOpenDlgForm::AcceptFileName() {
    TAcceptContext context;
    context.saveMode = saveMode_;
    context.checkFileExists = checkFileExists;
    context.overwritePrompt = overwritePrompt;
    context.folder = folder_;
    context.editText = fileNameEdit_->Text();
    context.defaultExt = defaultExt;
    context.filterMask = CurrentMask();
    context.fileExists = IsFile;
    context.confirmOverwrite = [] {
        return Application().MessageBox(strings::SOverwrite, strings::SWarning,
                                        MB_OKCANCEL | MB_ICONWARNING) == IDOK;
    };
    std::optional<std::string> result = ui::AcceptFileName(context);
    if (!result) return;
    resultName_ = *result;
    SetModalResult(mrOk);
}

void TOpenDlgForm::FileNameEnter() {
    std::string text = fileNameEdit_->Text();
    if (text.find('*') != std::string::npos) {
        typedMask_ = text;  // a typed filter
        return;
    }
    if (text.find('/') != std::string::npos) {
        std::string path = text.front() == '/' ? text : IncludeTrailingSeparator(folder_) + text;
        if (IsFolder(path)) {
            std::error_code error;
            auto canonical = std::filesystem::weakly_canonical(path, error);
            SetFolder(error ? path : canonical.string());
            fileNameEdit_->SetText("");
            return;
        }
        // A full path names the file itself on this form, which has no folder list.
        if (text.front() != '/') return;
    }
    AcceptFileName();
}

}  // namespace ui
