#pragma once
// The "Look in" box of the file dialogs: the root, its child folders, and the chain of folders
// down to the folder a linked file list shows, each entry indented by its depth.
//
// The entries, the folder chain, the links and the closed box's drawing are here; the
// drop-down list belongs to the skinned combo box this will stand on.
#include <memory>
#include <string>
#include <vector>

#include "platform/shell/image_list.h"
#include "skinctrls/shell_folder_item.h"
#include "skinctrls/shell_list_view.h"
#include "skinctrls/skin_control.h"

namespace skinctrls {

struct TbsShellComboEntry {
    std::string Text;
    std::unique_ptr<TbsShellFolder> Folder;
    int Depth = 0;
    int ImageIndex = 0;
};

class TbsCustomShellComboBox : public TbsSkinControl {
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
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value; }
    bool DroppedDown() const { return droppedDown_; }

    void Rebuild();
    void ShowFolderChain(platform::LPCITEMIDLIST absolute);

    int Count() const { return static_cast<int>(entries_.size()); }
    const TbsShellComboEntry& Entries(int index) const { return entries_.at(size_t(index)); }
    int ItemIndex() const { return itemIndex_; }
    // Selecting an entry (no update running, list closed) takes the linked list there.
    void SetItemIndex(int index);
    // Where an entry's icon and text go in the drop-down list (`dropped`) or the closed box.
    int EntryIconLeft(int index, bool dropped) const;

    // Called by a linked list when it links itself or goes away.
    void ListViewLinked(TbsCustomShellListView* list) { listView_ = list; }

  protected:
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;
    void RenderDefaultImage(graphics::TBitmap& bitmap) override;
    void RenderSkinImage(graphics::TBitmap& bitmap) override { RenderDefaultImage(bitmap); }
    // Draws one entry into `rect`.
    void DrawEntry(graphics::TCanvas& canvas, int index, const graphics::TRect& rect,
                   bool dropped);

  private:
    int AddEntry(int at, std::unique_ptr<TbsShellFolder> folder, int depth);
    void AddChildren(int after, TbsShellFolder& parent, int depth);
    int IndexOf(platform::LPCITEMIDLIST absolute);
    platform::HIMAGELIST Images() const;

    std::string root_ = "rfDesktop";
    std::string oldRoot_;
    TShellObjectTypes objectTypes_ = otFolders;
    std::vector<TbsShellComboEntry> entries_;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
    bool updating_ = false;
    bool droppedDown_ = false;
    platform::HIMAGELIST images_ = nullptr;
    TbsCustomShellListView* listView_ = nullptr;
};

class TbsSkinShellComboBox : public TbsCustomShellComboBox {
  public:
    explicit TbsSkinShellComboBox(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinShellComboBox"; }
};

}  // namespace skinctrls
