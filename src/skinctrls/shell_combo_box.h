#pragma once
// The "Look in" box of the file dialogs: the root, its child folders, and the chain of folders
// down to the folder a linked file list shows, each entry indented by its depth.
// It stands on the skinned combo box, whose items are the entries' texts and whose box and
// drop-down list draw each entry with its icon.
#include <memory>
#include <string>
#include <vector>

#include "platform/shell/image_list.h"
#include "skinctrls/shell_folder_item.h"
#include "skinctrls/shell_list_view.h"
#include "skinctrls/skin_combo_box.h"

namespace skinctrls {

struct TbsShellComboEntry {
    std::string Text;
    std::unique_ptr<TbsShellFolder> Folder;
    int Depth = 0;
    int ImageIndex = 0;
};

class TbsCustomShellComboBox : public TbsSkinCustomComboBox {
  public:
    explicit TbsCustomShellComboBox(ui::TComponent* owner);
    ~TbsCustomShellComboBox() override;
    const char* ClassName() const override { return "TbsCustomShellComboBox"; }

    const std::string& Root() const { return root_; }
    void SetRoot(const std::string& value);
    TShellObjectTypes ObjectTypes() const { return objectTypes_; }
    void SetObjectTypes(TShellObjectTypes value) { objectTypes_ = value; }
    TbsCustomShellListView* ShellListView() const { return listView_; }
    void SetShellListView(TbsCustomShellListView* value);
    // Replaces the system small icons (null: the system list).
    void SetImages(platform::HIMAGELIST images) { images_ = images; }

    void Rebuild();
    void ShowFolderChain(platform::LPCITEMIDLIST absolute);

    int Count() const { return static_cast<int>(entries_.size()); }
    const TbsShellComboEntry& Entries(int index) const { return entries_.at(size_t(index)); }
    // Where an entry's icon and text go in the drop-down list (`dropped`) or the closed box.
    int EntryIconLeft(int index, bool dropped) const;

    // Called by a linked list when it links itself or goes away.
    void ListViewLinked(TbsCustomShellListView* list) { listView_ = list; }

  protected:
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;
    // Selecting an entry (no update running, list closed) takes the linked list there.
    void Change() override;
    // Draws one entry into `rect`.
    void DrawEntry(graphics::TCanvas& canvas, int index, const graphics::TRect& rect, bool dropped);

  private:
    // Hands the entries' texts to the combo box and selects `index` without navigating.
    void SyncItems(int index);
    int AddEntry(int at, std::unique_ptr<TbsShellFolder> folder, int depth);
    void AddChildren(int after, TbsShellFolder& parent, int depth);
    int IndexOf(platform::LPCITEMIDLIST absolute);
    platform::HIMAGELIST Images() const;

    std::string root_ = "rfDesktop";
    std::string oldRoot_;
    TShellObjectTypes objectTypes_ = otFolders;
    std::vector<TbsShellComboEntry> entries_;
    bool updating_ = false;
    platform::HIMAGELIST images_ = nullptr;
    TbsCustomShellListView* listView_ = nullptr;
};

class TbsSkinShellComboBox : public TbsCustomShellComboBox {
  public:
    explicit TbsSkinShellComboBox(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinShellComboBox"; }
};

}  // namespace skinctrls
