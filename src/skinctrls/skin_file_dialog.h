#pragma once
// The open and save dialog components. Execute builds the skinned dialog form, runs it
// modally, reads the chosen name back and frees the form; size, filter index and view style
// are kept for the next run.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/graphics_objects.h"
#include "skin/skin_data.h"
#include "ui/component.h"

namespace skinctrls {

class TbsOpenDlgForm;
// The file list's view styles (declared with the file list); kept opaque here so that users of
// the dialogs need not see the shell headers.
enum class TViewStyle : uint8_t;

class TbsSkinOpenDialog : public ui::TComponent {
  public:
    explicit TbsSkinOpenDialog(ui::TComponent* owner);
    ~TbsSkinOpenDialog() override;
    const char* ClassName() const override { return "TbsSkinOpenDialog"; }

    // True when the user accepted a name.
    virtual bool Execute();

    bool ShowHiddenFiles() const { return showHiddenFiles_; }
    void SetShowHiddenFiles(bool v) { showHiddenFiles_ = v; }
    bool ToolButtonsTransparent() const { return toolButtonsTransparent_; }
    void SetToolButtonsTransparent(bool v) { toolButtonsTransparent_ = v; }
    bool OverwritePromt() const { return overwritePromt_; }
    void SetOverwritePromt(bool v) { overwritePromt_ = v; }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
    int DialogWidth() const { return dialogWidth_; }
    void SetDialogWidth(int v) { dialogWidth_ = v; }
    int DialogHeight() const { return dialogHeight_; }
    void SetDialogHeight(int v) { dialogHeight_ = v; }
    int DialogMinWidth() const { return dialogMinWidth_; }
    void SetDialogMinWidth(int v) { dialogMinWidth_ = v; }
    int DialogMinHeight() const { return dialogMinHeight_; }
    void SetDialogMinHeight(int v) { dialogMinHeight_ = v; }
    bool CheckFileExists() const { return checkFileExists_; }
    void SetCheckFileExists(bool v) { checkFileExists_ = v; }
    bool MultiSelection() const { return multiSelection_; }
    void SetMultiSelection(bool v) { multiSelection_ = v; }
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool v) { alphaBlend_ = v; }
    uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(uint8_t v) { alphaBlendValue_ = v; }
    bool AlphaBlendAnimation() const { return alphaBlendAnimation_; }
    void SetAlphaBlendAnimation(bool v) { alphaBlendAnimation_ = v; }
    bool CtrlAlphaBlend() const { return ctrlAlphaBlend_; }
    void SetCtrlAlphaBlend(bool v) { ctrlAlphaBlend_ = v; }
    uint8_t CtrlAlphaBlendValue() const { return ctrlAlphaBlendValue_; }
    void SetCtrlAlphaBlendValue(uint8_t v) { ctrlAlphaBlendValue_ = v; }
    bool CtrlAlphaBlendAnimation() const { return ctrlAlphaBlendAnimation_; }
    void SetCtrlAlphaBlendAnimation(bool v) { ctrlAlphaBlendAnimation_ = v; }
    const std::string& LVHeaderSkinDataName() const { return lvHeaderSkinDataName_; }
    void SetLVHeaderSkinDataName(const std::string& v) { lvHeaderSkinDataName_ = v; }
    // The skin of the dialog frame and the skin of the controls inside it.
    skin::TbsSkinData* SkinData() const { return skinData_; }
    void SetSkinData(skin::TbsSkinData* v);
    skin::TbsSkinData* CtrlSkinData() const { return ctrlSkinData_; }
    void SetCtrlSkinData(skin::TbsSkinData* v);
    graphics::TFont& DefaultFont() { return defaultFont_; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& v) { title_ = v; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& v) { initialDir_ = v; }
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& v) { filter_ = v; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int v) { filterIndex_ = v; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& v);
    const std::vector<std::string>& SelectedFiles() const { return selectedFiles_; }
    bool SaveMode() const { return saveMode_; }

    // The view style the next run opens with.
    TViewStyle ViewStyle() const { return viewStyle_; }

    ui::TNotifyEvent OnFolderChange;
    ui::TNotifyEvent OnShow;
    ui::TNotifyEvent OnClose;

    // The form of the run in progress (null between runs).
    TbsOpenDlgForm* Form() const { return form_; }

  protected:
    TbsSkinOpenDialog(ui::TComponent* owner, bool saveMode);
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

  private:
    std::string StartFolder() const;
    void Configure(TbsOpenDlgForm& form);
    void ReadBack(TbsOpenDlgForm& form, bool accepted);

    bool showHiddenFiles_ = false;
    bool toolButtonsTransparent_ = false;
    bool overwritePromt_ = false;
    std::string defaultExt_;
    int dialogWidth_ = 0;
    int dialogHeight_ = 0;
    int dialogMinWidth_ = 0;
    int dialogMinHeight_ = 0;
    bool checkFileExists_ = true;
    bool multiSelection_ = false;
    bool alphaBlend_ = false;
    uint8_t alphaBlendValue_ = 225;
    bool alphaBlendAnimation_ = false;
    bool ctrlAlphaBlend_ = false;
    uint8_t ctrlAlphaBlendValue_ = 225;
    bool ctrlAlphaBlendAnimation_ = false;
    std::string lvHeaderSkinDataName_ = "resizebutton";
    skin::TbsSkinData* skinData_ = nullptr;
    skin::TbsSkinData* ctrlSkinData_ = nullptr;
    graphics::TFont defaultFont_;
    std::string title_;
    std::string initialDir_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string fileName_;
    std::vector<std::string> selectedFiles_;
    bool saveMode_ = false;
    TViewStyle viewStyle_;
    TbsOpenDlgForm* form_ = nullptr;
};

class TbsSkinSaveDialog : public TbsSkinOpenDialog {
  public:
    explicit TbsSkinSaveDialog(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinSaveDialog"; }
};

}  // namespace skinctrls
