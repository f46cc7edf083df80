#include "skinctrls/skin_open_dlg_form.h"

#include <cerrno>
#include <filesystem>
#include <initializer_list>
#include <system_error>

#include "core/exceptions.h"
#include "platform/shell/item_id_list.h"
#include "platform/user/user.h"
#include "skin/resource_str_data.h"
#include "skinctrls/dialog_glyphs.h"
#include "ui/application.h"
#include "ui/file_dialog_rules.h"
#include "ui/resource_strings.h"

namespace skinctrls {

using namespace platform;

namespace {

constexpr int kBottomHeight = 80;
constexpr int kFieldLeft = 70;
constexpr int kScrollBarSize = 19;

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::vector<uint8_t> IdListBytes(LPCITEMIDLIST list) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(list);
    return std::vector<uint8_t>(bytes, bytes + ILGetSize(list));
}

}  // namespace

TbsOpenDlgForm::TbsOpenDlgForm(ui::TComponent* owner, bool saveMode,
                               skin::TbsSkinData* ctrlSkinData)
    : ui::TForm(owner), saveMode_(saveMode), ctrlSkinData_(ctrlSkinData) {
    SetBorderIcons(0);
    SetPosition(ui::TPosition::poScreenCenter);
    SetKeyPreview(true);
    SetClientSize(450, 290);
    const int w = ClientWidth();

    frame_ = ui::Make<skin::TbsSkinFrame>(this);
    frame_->SetPositionInMonitor(skin::TbsPositionInMonitor::bspScreenCenter);
    BuildToolBar(w);
    bottomPanel_ = ui::Make<TbsSkinPanel>(this);
    bottomPanel_->SetParent(this);
    bottomPanel_->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    bottomPanel_->SetBounds(0, ClientHeight() - kBottomHeight, w, kBottomHeight);
    bottomPanel_->SetAlign(ui::TAlign::alBottom);
    BuildCentre();
    BuildBottom(w);
    SetActiveControl(fileNameEdit_);
}

TbsOpenDlgForm::~TbsOpenDlgForm() = default;

std::string TbsOpenDlgForm::Text(const char* key, const char* fallback) const {
    if (ctrlSkinData_ != nullptr && ctrlSkinData_->ResourceStrData() != nullptr) {
        std::string text = ctrlSkinData_->ResourceStrData()->GetResStr(key);
        if (!text.empty()) return text;
    }
    return fallback;
}

TbsSkinSpeedButton* TbsOpenDlgForm::AddToolButton(const char* glyph, const char* hintKey,
                                                  const char* hint) {
    auto* button = ui::Make<TbsSkinSpeedButton>(this);
    button->SetParent(toolBar_);
    button->SetSkinDataName("toolbutton");
    button->SetDefaultWidth(27);
    button->SetDefaultHeight(25);
    LoadDialogGlyph(glyph, button->Glyph());
    button->SetAlign(ui::TAlign::alRight);
    button->SetHint(Text(hintKey, hint));
    button->SetShowHint(true);
    return button;
}

void TbsOpenDlgForm::BuildToolBar(int width) {
    toolBar_ = ui::Make<TbsSkinToolBar>(this);
    toolBar_->SetParent(this);
    toolBar_->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    toolBar_->SetDefaultHeight(25);
    toolBar_->SetBounds(0, 0, width, 25);
    toolBar_->SetAlign(ui::TAlign::alTop);

    auto* leftSpacer = ui::Make<TbsSkinBevel>(this);
    leftSpacer->SetParent(toolBar_);
    leftSpacer->SetShape(TbsBevelShape::bsSpacer);
    leftSpacer->SetBounds(0, 0, 10, 25);
    leftSpacer->SetAlign(ui::TAlign::alLeft);

    lookInLabel_ = ui::Make<TbsSkinStdLabel>(this);
    lookInLabel_->SetParent(toolBar_);
    lookInLabel_->SetAutoSize(true);
    lookInLabel_->SetLayout(TTextLayout::tlCenter);
    lookInLabel_->SetCaption(Text("FLV_LOOKIN", ui::strings::SLookIn));
    lookInLabel_->SetBounds(10, 0, lookInLabel_->Width(), 25);
    lookInLabel_->SetAlign(ui::TAlign::alLeft);

    // Right-aligned controls line up from the right edge in the order they are placed.
    int right = width;
    auto placeRight = [&right](ui::TControl* control, int w) {
        right -= w;
        control->SetBounds(right, 0, w, 25);
        control->SetAlign(ui::TAlign::alRight);
    };
    viewButton_ = ui::Make<TbsSkinMenuSpeedButton>(this);
    viewButton_->SetParent(toolBar_);
    viewButton_->SetSkinDataName("toolmenubutton");
    viewButton_->SetDefaultWidth(37);
    viewButton_->SetDefaultHeight(25);
    LoadDialogGlyph("BS_LVSTYLE", viewButton_->Glyph());
    placeRight(viewButton_, 37);
    viewButton_->SetHint(Text("MSG_BTN_VIEWMENU_HINT", ui::strings::SViewMenuHint));
    viewButton_->SetShowHint(true);
    viewMenu_ = ui::Make<skin::TbsSkinPopupMenu>(this);
    viewMenu_->SetSkinFrame(frame_);
    const std::pair<const char*, const char*> viewTexts[] = {
        {"MSG_LV_ICON", ui::strings::SLargeIcons},
        {"MSG_LV_SMALLICON", ui::strings::SSmallIcons},
        {"MSG_LV_LIST", ui::strings::SListView},
        {"MSG_LV_DETAILS", ui::strings::SDetailsView}};
    for (int i = 0; i < 4; ++i) {
        auto* item = ui::Make<ui::TMenuItem>(this);
        item->SetCaption(Text(viewTexts[i].first, viewTexts[i].second));
        item->OnClick = [this, i](ui::TComponent*) { SetViewStyle(TViewStyle(i)); };
        viewMenu_->Items().Add(item);
        viewItems_.push_back(item);
    }
    viewButton_->SetSkinPopupMenu(viewMenu_);

    auto* rightSpacer = ui::Make<TbsSkinBevel>(this);
    rightSpacer->SetParent(toolBar_);
    rightSpacer->SetShape(TbsBevelShape::bsSpacer);
    placeRight(rightSpacer, 10);

    newFolderButton_ =
        AddToolButton("BS_NEWFOLDER", "MSG_BTN_NEWFOLDER_HINT", ui::strings::SNewFolderHint);
    placeRight(newFolderButton_, 27);
    newFolderButton_->OnClick = [this](ui::TComponent*) { CreateNewFolder(); };
    upButton_ = AddToolButton("BS_UP", "MSG_BTN_UP_HINT", ui::strings::SUpHint);
    placeRight(upButton_, 27);
    upButton_->OnClick = [this](ui::TComponent*) { fileList_->GoToParent(); };
    backButton_ = AddToolButton("BS_BACK", "MSG_BTN_BACK_HINT", ui::strings::SBackHint);
    placeRight(backButton_, 27);
    backButton_->OnClick = [this](ui::TComponent*) { GoBack(); };

    folderCombo_ = ui::Make<TbsSkinShellComboBox>(this);
    folderCombo_->SetParent(toolBar_);
    folderCombo_->SetBounds(lookInLabel_->Left() + lookInLabel_->Width(), 0, 190, 20);
    folderCombo_->SetAlign(ui::TAlign::alClient);
    folderCombo_->SetDropDownCount(10);
}

void TbsOpenDlgForm::BuildCentre() {
    centrePanel_ = ui::Make<TbsSkinPanel>(this);
    centrePanel_->SetParent(this);
    centrePanel_->SetBorderStyle(TbsSkinBorderStyle::bvFrame);
    centrePanel_->SetAlign(ui::TAlign::alClient);

    hScrollBar_ = ui::Make<TbsSkinScrollBar>(this);
    hScrollBar_->SetParent(centrePanel_);
    hScrollBar_->SetKind(TScrollBarKind::sbHorizontal);
    hScrollBar_->SetSkinDataName("hscrollbar");
    hScrollBar_->SetDefaultHeight(kScrollBarSize);
    hScrollBar_->SetBothMarkerWidth(kScrollBarSize);
    hScrollBar_->SetEnabled(false);
    hScrollBar_->SetAlign(ui::TAlign::alBottom);

    vScrollBar_ = ui::Make<TbsSkinScrollBar>(this);
    vScrollBar_->SetParent(centrePanel_);
    vScrollBar_->SetKind(TScrollBarKind::sbVertical);
    vScrollBar_->SetSkinDataName("vscrollbar");
    vScrollBar_->SetDefaultWidth(kScrollBarSize);
    vScrollBar_->SetEnabled(false);
    vScrollBar_->SetAlign(ui::TAlign::alRight);

    fileList_ = ui::Make<TbsSkinFileListView>(this);
    fileList_->SetParent(centrePanel_);
    fileList_->SetAlign(ui::TAlign::alClient);
    fileList_->SetViewStyle(TViewStyle::vsList);
    fileList_->SetHScrollBar(hScrollBar_);
    fileList_->SetVScrollBar(vScrollBar_);
    fileList_->SetShellComboBox(folderCombo_);
    folderCombo_->SetShellListView(fileList_);
    fileList_->OnFolderChanged = [this](ui::TComponent*) { FolderChanged(); };
    fileList_->OnCreateFolder = [this](ui::TComponent*) { CreateNewFolder(); };
    fileList_->OnSelectItem = [this](ui::TComponent*, int, bool) { SelectionChanged(); };
    fileList_->OnKeyDown = [this](ui::TComponent*, uint16_t& key, ui::TShiftState shift) {
        // Alt+Enter is the list's properties box.
        if (key == VK_RETURN && !(shift & ui::ssAlt) && !fileList_->SelectedFilePath().empty()) {
            key = 0;
            AcceptFileName();
        }
    };
    fileList_->OnDblClick = [this](ui::TComponent*) {
        const std::string path = fileList_->SelectedFilePath();
        if (path.empty()) return;  // a folder: the list opened it
        if (saveMode_ && overwritePrompt && !ConfirmOverwrite()) return;
        CloseWithFile(path);
    };
}

void TbsOpenDlgForm::BuildBottom(int width) {
    fileNameEdit_ = ui::Make<TbsSkinEdit>(this);
    fileNameEdit_->SetParent(bottomPanel_);
    fileNameEdit_->SetDefaultHeight(21);
    fileNameEdit_->SetBounds(kFieldLeft, 10, width - 160, 21);
    fileNameEdit_->SetAnchors(ui::akLeft | ui::akTop | ui::akRight);
    fileNameEdit_->OnKeyDown = [this](ui::TComponent*, uint16_t& key, ui::TShiftState) {
        if (key != VK_RETURN) return;
        key = 0;
        FileNameEnter();
    };

    filterCombo_ = ui::Make<TbsSkinFilterComboBox>(this);
    filterCombo_->SetParent(bottomPanel_);
    filterCombo_->SetDefaultHeight(21);
    filterCombo_->SetBounds(kFieldLeft, 45, width - 160, 21);
    filterCombo_->SetAnchors(ui::akLeft | ui::akTop | ui::akRight);
    filterCombo_->OnChange = [this](ui::TComponent*) { FilterChanged(); };

    auto makeButton = [&](int top, const std::string& caption) {
        auto* button = ui::Make<TbsSkinButton>(this);
        button->SetParent(bottomPanel_);
        button->SetCanFocused(true);
        button->SetDefaultHeight(25);
        button->SetBounds(width - 80, top, 70, 25);
        button->SetAnchors(ui::akTop | ui::akRight);
        button->SetCaption(caption);
        return button;
    };
    openButton_ = saveMode_ ? makeButton(10, Text("MSG_BTN_SAVE", ui::strings::SBtnSave))
                            : makeButton(10, Text("MSG_BTN_OPEN", ui::strings::SBtnOpen));
    openButton_->OnClick = [this](ui::TComponent*) {
        SetModalResult(ui::mrNone);
        AcceptFileName();
    };
    cancelButton_ = makeButton(45, Text("MSG_BTN_CANCEL", ui::strings::SBtnCancel));
    cancelButton_->SetModalResult(ui::mrCancel);
    cancelButton_->SetCancel(true);

    auto makeLabel = [&](int top, const std::string& caption) {
        auto* label = ui::Make<TbsSkinStdLabel>(this);
        label->SetParent(bottomPanel_);
        label->SetAutoSize(true);
        label->SetCaption(caption);
        label->SetBounds(10, top, label->Width(), label->Height());
        return label;
    };
    fileNameLabel_ = makeLabel(10, Text("MSG_FILENAME", ui::strings::SFileNameLabel));
    fileTypeLabel_ = makeLabel(45, Text("MSG_FILETYPE", ui::strings::SFileTypeLabel));
}

void TbsOpenDlgForm::SetControlsSkinData(skin::TbsSkinData* data) {
    toolBar_->SetSkinData(data);
    lookInLabel_->SetSkinData(data);
    for (TbsSkinSpeedButton* b : {backButton_, upButton_, newFolderButton_}) b->SetSkinData(data);
    viewButton_->SetSkinData(data);
    viewMenu_->SetSkinData(data);
    folderCombo_->SetSkinData(data);
    folderCombo_->SetSkinDataName("combobox");
    bottomPanel_->SetSkinData(data);
    centrePanel_->SetSkinData(data);
    hScrollBar_->SetSkinData(data);
    vScrollBar_->SetSkinData(data);
    fileList_->SetSkinData(data);
    fileNameEdit_->SetSkinData(data);
    filterCombo_->SetSkinData(data);
    openButton_->SetSkinData(data);
    cancelButton_->SetSkinData(data);
    fileNameLabel_->SetSkinData(data);
    fileTypeLabel_->SetSkinData(data);
}

void TbsOpenDlgForm::SetToolButtonsFlat(bool flat) {
    for (TbsSkinSpeedButton* b : {backButton_, upButton_, newFolderButton_}) b->SetFlat(flat);
}

void TbsOpenDlgForm::SetDefaultFont(graphics::TFont& font) {
    // Skinned controls draw their text with their DefaultFont (unless the skin names one);
    // the file list with its Font.
    for (TbsSkinCustomControl* control :
         std::initializer_list<TbsSkinCustomControl*>{openButton_, cancelButton_, folderCombo_}) {
        control->DefaultFont().CopyFrom(&font);
    }
    folderCombo_->ListBoxDefaultFont().CopyFrom(&font);
    fileList_->Font().CopyFrom(&font);
}

void TbsOpenDlgForm::SetListsTranslucency(bool on, std::uint8_t value, bool animate) {
    for (TbsSkinCustomComboBox* combo :
         std::initializer_list<TbsSkinCustomComboBox*>{folderCombo_, filterCombo_}) {
        combo->SetAlphaBlend(on);
        combo->SetAlphaBlendValue(value);
        combo->SetAlphaBlendAnimation(animate);
    }
}

void TbsOpenDlgForm::SetTranslucency(std::uint8_t value, bool animate) {
    fade_.Apply(Handle(), value, animate);
}

void TbsOpenDlgForm::VisibleChanged() {
    ui::TForm::VisibleChanged();
    if (Visible()) fade_.Start();
}

void TbsOpenDlgForm::SetViewStyle(TViewStyle style) {
    for (size_t i = 0; i < viewItems_.size(); ++i) viewItems_[i]->SetChecked(int(i) == int(style));
    fileList_->SetViewStyle(style);
}

void TbsOpenDlgForm::FilterChanged() {
    fileList_->SetMask(filterCombo_->Mask());
    if (!saveMode_) return;
    const std::string extension = ui::FilterDefaultExtension(filterCombo_->Mask());
    std::string text = fileNameEdit_->Text();
    if (extension.empty() || text.empty()) return;
    const std::string current = ui::ExtractFileExt(text);
    if (!current.empty()) text.erase(text.size() - current.size());
    fileNameEdit_->SetText(text + extension);
}

bool TbsOpenDlgForm::ConfirmOverwrite() {
    return ui::Application().MessageBox(Text("MSG_OVERWRITE", ui::strings::SOverwrite),
                                        ui::strings::SWarning,
                                        MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

void TbsOpenDlgForm::CloseWithFile(const std::string& path) {
    resultName_ = path;
    SetModalResult(ui::mrOk);
}

void TbsOpenDlgForm::AcceptFileName() {
    AcceptIn(fileList_->CurrentFolderPath(), fileNameEdit_->Text(), fileList_->SelectedFilePath());
}

void TbsOpenDlgForm::AcceptIn(const std::string& folder, const std::string& name,
                              const std::string& selected) {
    ui::TAcceptContext context;
    context.saveMode = saveMode_;
    context.checkFileExists = checkFileExists;
    context.overwritePrompt = overwritePrompt;
    context.selectedPath = selected;
    context.folder = folder;
    context.editText = name;
    context.defaultExt = defaultExt;
    context.filterMask = filterCombo_->Mask();
    context.fileExists = IsFile;
    context.confirmOverwrite = [this] { return ConfirmOverwrite(); };
    std::optional<std::string> result = ui::AcceptFileName(context);
    if (result) CloseWithFile(*result);
}

void TbsOpenDlgForm::FileNameEnter() {
    const std::string text = fileNameEdit_->Text();
    if (text.find('*') != std::string::npos) {
        fileList_->SetMask(text);  // a typed filter
        return;
    }
    if (text.find('/') != std::string::npos) {
        const std::string path =
            text.front() == '/'
                ? text
                : ui::IncludeTrailingSeparator(fileList_->CurrentFolderPath()) + text;
        if (IsFolder(path)) {
            std::error_code error;
            const auto canonical = std::filesystem::weakly_canonical(path, error);
            fileList_->OpenFolderPath(error ? path : canonical.string());
            fileNameEdit_->SetText("");
            return;
        }
        // A full path to an existing file goes through the accept step in its own folder.
        if (text.front() != '/' || !IsFile(text)) return;
        AcceptIn(ui::ExtractFilePath(text), ui::ExtractFileName(text), std::string());
        return;
    }
    AcceptFileName();
}

void TbsOpenDlgForm::PushCurrentFolder() {
    TbsShellFolder* folder = fileList_->RootFolder();
    if (folder == nullptr) return;
    std::vector<uint8_t> entry = IdListBytes(folder->AbsoluteID());
    if (!folderHistory_.empty() && folderHistory_.back() == entry) return;
    folderHistory_.push_back(std::move(entry));
}

void TbsOpenDlgForm::GoBack() {
    if (folderHistory_.size() < 2) return;
    const std::vector<uint8_t> target = folderHistory_[folderHistory_.size() - 2];
    goingBack_ = true;
    try {
        fileList_->NavigateToFolder(reinterpret_cast<LPCITEMIDLIST>(target.data()));
    } catch (...) {
        goingBack_ = false;
        throw;
    }
    goingBack_ = false;
    folderHistory_.erase(folderHistory_.end() - 2);
}

void TbsOpenDlgForm::FolderChanged() {
    if (!goingBack_) PushCurrentFolder();
    FocusFirstItem();
    lastSelection_ = -1;
    if (onFolderChange) onFolderChange(this);
}

void TbsOpenDlgForm::FocusFirstItem() {
    if (fileList_->Count() == 0) return;
    // Focused, not selected: a typed name still counts over the first item.
    focusing_ = true;  // the passing selection of the first item is no user's choice
    fileList_->SetItemIndex(0);
    fileList_->SetSelected(0, false);
    focusing_ = false;
}

void TbsOpenDlgForm::SelectionChanged() {
    if (focusing_) return;
    const int selected = fileList_->Selected(fileList_->ItemIndex()) ? fileList_->ItemIndex() : -1;
    if (selected == lastSelection_) return;
    lastSelection_ = selected;
    const std::string path = fileList_->SelectedFilePath();
    if (!path.empty()) fileNameEdit_->SetText(ui::ExtractFileName(path));
    if (onFolderChange) onFolderChange(this);
}

void TbsOpenDlgForm::CreateNewFolder() {
    const std::string folder = fileList_->CurrentFolderPath();
    if (folder.find('/') == std::string::npos) return;  // a virtual folder
    ++newFolderCounter_;
    std::string name = Text("MSG_NEWFOLDER", ui::strings::SNewFolder);
    if (newFolderCounter_ > 1) name += "(" + std::to_string(newFolderCounter_) + ")";
    const std::string path = ui::IncludeTrailingSeparator(folder) + name;
    if (Exists(path)) return;
    std::error_code error;
    if (!std::filesystem::create_directory(path, error)) {
        core::RaiseLastOSError(error ? error.value() : EEXIST);
    }
    fileList_->ReloadFolder();
    ui::Application().ProcessMessages();
    for (int i = 0; i < fileList_->Count(); ++i) {
        if (fileList_->Folders(i).ItemDisplayName() == name) {
            fileList_->SetItemIndex(i);
            fileList_->EditItemName(i);
            break;
        }
    }
}

}  // namespace skinctrls
