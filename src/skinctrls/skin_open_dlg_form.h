#pragma once
// The skinned form behind the open and save dialogs: a skinned frame, a tool bar with the
// "Look in" folder box, back / up / new-folder buttons and the view menu, the file list with
// its scroll bars, and below them the file-name edit, the filter box and the accept and
// cancel buttons. The form knows how a name is accepted; the dialog components build it,
// show it and read the result back.
#include <memory>
#include <string>
#include <vector>

#include "skin/skin_frame.h"
#include "skin/skin_popup_menu.h"
#include "skinctrls/filter_combo_box.h"
#include "skinctrls/shell_combo_box.h"
#include "skinctrls/shell_list_view.h"
#include "skinctrls/skin_bevel.h"
#include "skinctrls/skin_button.h"
#include "skinctrls/skin_edit.h"
#include "skinctrls/skin_menu_speed_button.h"
#include "skinctrls/skin_panel.h"
#include "skinctrls/skin_scroll_bar.h"
#include "skinctrls/skin_speed_button.h"
#include "skinctrls/skin_std_label.h"
#include "skinctrls/skin_tool_bar.h"
#include "ui/form.h"
#include "ui/window_fade.h"

namespace skinctrls {

class TbsOpenDlgForm : public ui::TForm {
  public:
    // `ctrlSkinData` supplies the texts when it has a resource string component.
    TbsOpenDlgForm(ui::TComponent* owner, bool saveMode, skin::TbsSkinData* ctrlSkinData);
    ~TbsOpenDlgForm() override;
    const char* ClassName() const override { return "TbsOpenDlgForm"; }

    bool SaveMode() const { return saveMode_; }
    bool overwritePrompt = false;
    bool checkFileExists = true;
    std::string defaultExt;
    ui::TNotifyEvent onFolderChange;

    const std::string& ResultName() const { return resultName_; }
    // The visited folders as absolute item id lists, oldest first.
    const std::vector<std::vector<uint8_t>>& FolderHistory() const { return folderHistory_; }
    int NewFolderCounter() const { return newFolderCounter_; }

    skin::TbsSkinFrame& Frame() { return *frame_; }
    TbsSkinToolBar& ToolBar() { return *toolBar_; }
    TbsSkinStdLabel& LookInLabel() { return *lookInLabel_; }
    TbsSkinSpeedButton& BackButton() { return *backButton_; }
    TbsSkinSpeedButton& UpButton() { return *upButton_; }
    TbsSkinSpeedButton& NewFolderButton() { return *newFolderButton_; }
    TbsSkinMenuSpeedButton& ViewMenuButton() { return *viewButton_; }
    skin::TbsSkinPopupMenu& ViewMenu() { return *viewMenu_; }
    TbsSkinShellComboBox& FolderCombo() { return *folderCombo_; }
    TbsSkinPanel& BottomPanel() { return *bottomPanel_; }
    TbsSkinPanel& CentrePanel() { return *centrePanel_; }
    TbsSkinFileListView& FileList() { return *fileList_; }
    TbsSkinEdit& FileNameEdit() { return *fileNameEdit_; }
    TbsSkinFilterComboBox& FilterCombo() { return *filterCombo_; }
    TbsSkinButton& OpenButton() { return *openButton_; }
    TbsSkinButton& CancelButton() { return *cancelButton_; }
    TbsSkinStdLabel& FileNameLabel() { return *fileNameLabel_; }
    TbsSkinStdLabel& FileTypeLabel() { return *fileTypeLabel_; }

    // Every skinned control of the form takes `data`.
    void SetControlsSkinData(skin::TbsSkinData* data);
    // The three tool buttons show only their glyphs until the pointer is over them.
    void SetToolButtonsFlat(bool flat);
    // The font of the accept and cancel buttons, the folder box (and its drop-down list) and
    // the file list, where the skin does not give one.
    void SetDefaultFont(graphics::TFont& font);
    // Translucency of the folder and filter boxes' drop-down lists (255 = opaque).
    void SetListsTranslucency(bool on, std::uint8_t value, bool animate);
    // Translucency of the dialog window (255 = opaque), faded in when `animate`.
    void SetTranslucency(std::uint8_t value, bool animate);
    // Checks the view menu item of `style` alone and gives the list that style.
    void SetViewStyle(TViewStyle style);

    // The accept step (the accept button, Enter on a plain name, Enter on a selected file).
    void AcceptFileName();
    // Enter in the file-name edit.
    void FileNameEnter();
    // The filter box's text changed.
    void FilterChanged();
    void GoBack();
    void CreateNewFolder();
    // The list moved to another folder.
    void FolderChanged();
    // The list's selection changed.
    void SelectionChanged();
    // Makes the list's first item the focused one without selecting it.
    void FocusFirstItem();
    // Records the list's current folder as the latest history entry.
    void PushCurrentFolder();

  protected:
    void VisibleChanged() override;

  private:
    std::string Text(const char* key, const char* fallback) const;
    void BuildToolBar(int width);
    void BuildCentre();
    void BuildBottom(int width);
    TbsSkinSpeedButton* AddToolButton(const char* glyph, const char* hintKey, const char* hint);
    // The accept step for a name typed in `folder` (`selected`: the list's chosen file).
    void AcceptIn(const std::string& folder, const std::string& name, const std::string& selected);
    bool ConfirmOverwrite();
    void CloseWithFile(const std::string& path);

    bool saveMode_;
    skin::TbsSkinData* ctrlSkinData_;
    std::string resultName_;
    std::vector<std::vector<uint8_t>> folderHistory_;
    bool goingBack_ = false;
    bool focusing_ = false;
    int newFolderCounter_ = 0;
    int lastSelection_ = -1;

    ui::TWindowFade fade_;
    skin::TbsSkinFrame* frame_ = nullptr;
    TbsSkinToolBar* toolBar_ = nullptr;
    TbsSkinStdLabel* lookInLabel_ = nullptr;
    TbsSkinSpeedButton* backButton_ = nullptr;
    TbsSkinSpeedButton* upButton_ = nullptr;
    TbsSkinSpeedButton* newFolderButton_ = nullptr;
    TbsSkinMenuSpeedButton* viewButton_ = nullptr;
    skin::TbsSkinPopupMenu* viewMenu_ = nullptr;
    std::vector<ui::TMenuItem*> viewItems_;
    TbsSkinShellComboBox* folderCombo_ = nullptr;
    TbsSkinPanel* bottomPanel_ = nullptr;
    TbsSkinPanel* centrePanel_ = nullptr;
    TbsSkinScrollBar* hScrollBar_ = nullptr;
    TbsSkinScrollBar* vScrollBar_ = nullptr;
    TbsSkinFileListView* fileList_ = nullptr;
    TbsSkinEdit* fileNameEdit_ = nullptr;
    TbsSkinFilterComboBox* filterCombo_ = nullptr;
    TbsSkinButton* openButton_ = nullptr;
    TbsSkinButton* cancelButton_ = nullptr;
    TbsSkinStdLabel* fileNameLabel_ = nullptr;
    TbsSkinStdLabel* fileTypeLabel_ = nullptr;
};

}  // namespace skinctrls
