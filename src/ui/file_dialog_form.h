#pragma once
// The plain form behind the file dialogs: the current folder, a file-name edit, a file-type
// box filled from the filter, and the accept and cancel buttons.
#include <string>
#include <vector>

#include "ui/buttons.h"
#include "ui/edit.h"
#include "ui/file_dialog_rules.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/panels.h"

namespace ui {

class TOpenDlgForm : public TForm {
public:
    TOpenDlgForm(TComponent* owner, bool saveMode, int clientWidth, int clientHeight);
    const char* ClassName() const override { return "TOpenDlgForm"; }

    bool SaveMode() const { return saveMode_; }
    bool overwritePrompt = false;
    bool checkFileExists = true;
    std::string defaultExt;
    TNotifyEvent onFolderChange;

    void SetFilter(const std::string& filter);
    // The mask of the selected filter (the last when none is selected, "*.*" without any).
    std::string CurrentMask();
    const std::string& Folder() const { return folder_; }
    void SetFolder(const std::string& folder);
    const std::string& ResultName() const { return resultName_; }

    TEdit& FileNameEdit() { return *fileNameEdit_; }
    TComboBox& FilterBox() { return *filterBox_; }
    TButton& OpenButton() { return *openButton_; }
    TButton& CancelButton() { return *cancelButton_; }

    // The accept step (the accept button, Enter on a plain name).
    void AcceptFileName();
    // Enter in the file-name edit.
    void FileNameEnter();

private:
    void FilterChanged();

    bool saveMode_;
    std::string folder_;
    std::string resultName_;
    std::string typedMask_;
    std::vector<std::string> masks_;
    TLabel* folderLabel_;
    TPanel* bottomPanel_;
    TEdit* fileNameEdit_;
    TComboBox* filterBox_;
    TButton* openButton_;
    TButton* cancelButton_;
};

}  // namespace ui
