#pragma once
// The file list of the file dialogs: the items of one shell folder, filtered by kind and name
// mask, sorted folders first, shown as icons, a list or a details report, with keyboard and
// mouse navigation. Item texts, icons and details are produced only for rows being drawn.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skinctrls/shell_change_notifier.h"
#include "skinctrls/shell_folder_item.h"
#include "skinctrls/skin_control.h"
#include "skinctrls/skin_scroll_bar.h"

namespace skin {
class TbsSkinPopupMenu;
}

namespace skinctrls {

class TbsCustomShellComboBox;
class TbsSkinEdit;

enum TShellObjectType : uint8_t { otFolders = 1, otNonFolders = 2, otHidden = 4 };
using TShellObjectTypes = uint8_t;

enum class TViewStyle : uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };
enum class TColumnAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

struct TbsListColumn {
    std::string Caption;
    int Width = 0;
    TColumnAlignment Alignment = TColumnAlignment::taLeftJustify;
};

// `text` cut at a character boundary and ended with "..." when it is wider than `width`.
std::string FitText(graphics::TCanvas& canvas, const std::string& text, int width);

using TAddFolderEvent =
    std::function<void(ui::TComponent* sender, TbsShellFolder* folder, bool& canAdd)>;

// An item's selection changed (index, now selected).
using TLVSelectItemEvent = std::function<void(ui::TComponent* sender, int index, bool selected)>;

class TbsCustomShellListView : public TbsSkinControl {
  public:
    explicit TbsCustomShellListView(ui::TComponent* owner);
    ~TbsCustomShellListView() override;
    const char* ClassName() const override { return "TbsCustomShellListView"; }

    const std::string& Root() const { return root_; }
    void SetRoot(const std::string& value);
    TShellObjectTypes ObjectTypes() const { return objectTypes_; }
    void SetObjectTypes(TShellObjectTypes value);
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle value);
    bool AutoNavigate() const { return autoNavigate_; }
    void SetAutoNavigate(bool value) { autoNavigate_ = value; }
    bool AutoRefresh() const { return autoRefresh_; }
    // Watches the current folder and refreshes the list when it changes.
    void SetAutoRefresh(bool value);
    bool AutoContextMenus() const { return autoContextMenus_; }
    void SetAutoContextMenus(bool value) { autoContextMenus_ = value; }
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    const std::string& HeaderSkinDataName() const { return headerSkinDataName_; }
    void SetHeaderSkinDataName(const std::string& value) { headerSkinDataName_ = value; }
    // Attached bars scroll the list: the vertical one by rows (rows of icons in the icon
    // view), the horizontal one across the report's columns.
    TbsSkinScrollBar* HScrollBar() const { return hScrollBar_; }
    void SetHScrollBar(TbsSkinScrollBar* value) { AttachBar(hScrollBar_, value, false); }
    TbsSkinScrollBar* VScrollBar() const { return vScrollBar_; }
    void SetVScrollBar(TbsSkinScrollBar* value) { AttachBar(vScrollBar_, value, true); }
    int TopIndex() const { return topIndex_; }
    TbsCustomShellComboBox* ShellComboBox() const { return comboBox_; }
    void SetShellComboBox(TbsCustomShellComboBox* value);

    void NavigateToFolder(platform::LPCITEMIDLIST absolute);
    void ReloadFolder();
    void RebuildItems();
    void OpenFolderPath(const std::string& path);
    void GoToParent();
    void Refresh();
    std::string CurrentFolderPath();
    std::string SelectedFilePath();
    // The paths of the selected items that are no folders, in list order.
    std::vector<std::string> SelectedFilePaths();
    TbsShellFolder* RootFolder() const { return current_.get(); }

    int Count() const { return static_cast<int>(items_.size()); }
    TbsShellFolder& Folders(int index) { return *items_.at(static_cast<size_t>(index)); }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    void ClearSelection();

    const std::vector<TbsListColumn>& Columns() const { return columns_; }
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return sortDescending_; }
    // A click on a column header: sorts by it, the second time in reverse.
    void ColumnClick(int column);
    // The first item from `start` whose display name begins with `text` (case-insensitive),
    // wrapping to the top when asked; -1 when none.
    int FindItem(const std::string& text, int start, bool wrap);
    // Opens the selected folder; false when the selection is no folder.
    bool OpenSelectedFolder();

    // The item menu (with AutoContextMenus): on an item Open, Rename, Delete, New Folder,
    // Refresh and Properties; on empty space the last three. `client` is a list point.
    void ShowContextMenu(ui::TPoint client);
    skin::TbsSkinPopupMenu* ContextMenu() const { return contextMenu_; }
    // The focused item: a folder opens, a file is chosen as by a double click.
    void OpenFocusedItem();
    // Moves the selected items to the trash (asking before deleting for good where there is
    // none), shows every failure and refreshes.
    void DeleteSelected();
    // The properties box of the focused item, or of the current folder when none is selected.
    void ShowProperties();

    // In-place rename of an item's name: Enter commits, Escape cancels, so does losing the
    // focus without a change. A refused name leaves the edit open.
    void EditItemName(int index);
    bool EditingName() const { return editIndex_ >= 0; }
    TbsSkinEdit* NameEditor() const { return nameEditor_; }
    // The item's cell in client coordinates (empty when it is not laid out on screen).
    graphics::TRect ItemRect(int index);

    // Runs "New Folder" of the item menu; without it the menu offers no New Folder.
    ui::TNotifyEvent OnCreateFolder;

    TAddFolderEvent OnAddFolder;
    TLVSelectItemEvent OnSelectItem;
    ui::TNotifyEvent OnFolderChanged;

    // Called by a linked combo box when it goes away or links itself.
    void ComboBoxLinked(TbsCustomShellComboBox* combo) { comboBox_ = combo; }

  protected:
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;
    void RenderDefaultImage(graphics::TBitmap& bitmap) override;
    void RenderSkinImage(graphics::TBitmap& bitmap) override;
    void WndProc(ui::TMessage& message) override;
    void KeyDown(uint16_t& key, ui::TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void DblClick() override;

    // The colours and font rows are drawn with.
    virtual graphics::TColor TextColor() const;
    virtual graphics::TColor BackColor() const;
    virtual void SelectListFont(graphics::TFont& font) const;

  private:
    void CreateRootAndReload(bool tellCombo);
    void ClearItems();
    void SortItems();
    int CompareForColumn(TbsShellFolder& a, TbsShellFolder& b, int column);
    void BuildColumns();
    void RenderList(graphics::TBitmap& bitmap);
    // What drawing the items of one paint shares.
    struct ItemPaint;
    void DrawItemText(const ItemPaint& paint, const graphics::TRect& cell, const std::string& text,
                      bool selected, TColumnAlignment alignment) const;
    void DrawIconItem(const ItemPaint& paint, TbsShellFolder& item, bool selected,
                      const graphics::TRect& cell) const;
    void DrawRowItem(const ItemPaint& paint, TbsShellFolder& item, bool selected,
                     const graphics::TRect& cell, int cellWidth) const;
    void RenderHeader(graphics::TCanvas& canvas);
    graphics::TColor DrawHeaderSection(graphics::TCanvas& canvas, const graphics::TRect& cell);
    int RowHeight(graphics::TCanvas& canvas) const;
    int HeaderHeight(graphics::TCanvas& canvas) const;
    int ItemAt(int x, int y);
    void EnsureVisible(int index);
    void ApplySelection(std::vector<bool> next, int focus);
    // How the items stand in the current view: icons and small icons flow left to right and
    // wrap into rows, the list flows top to bottom and wraps into columns, the report is one
    // item per row below its header.
    struct Geometry {
        int cellWidth = 0;
        int cellHeight = 0;
        int top = 0;           // the report's header height
        int across = 1;        // cells per row
        int down = 1;          // cells per column of the list
        bool columns = false;  // the list's column-major order
    };
    Geometry Layout();
    // Items per page and per scroll step (a row of cells) of the row-major views.
    void PageMetrics(int& perPage, int& unit);
    int Step(bool horizontal);
    void AttachBar(TbsSkinScrollBar*& slot, TbsSkinScrollBar* bar, bool vertical);
    void UpdateScrollBars();
    void Resized() override;
    void UpdateNotifier();
    void AddMenuItem(const char* caption, std::function<void()> action);
    void ShowError(const std::string& text);
    bool CommitName();
    void EndNameEdit();
    static constexpr platform::UINT_PTR kSlowClickTimer = 0x51C;
    void StartSlowClickTimer();
    void StopSlowClickTimer();

    std::string root_ = "rfDesktop";
    std::string oldRoot_;
    std::string mask_ = "*.*|*.*";
    std::string headerSkinDataName_ = "resizebutton";
    TShellObjectTypes objectTypes_ = otFolders | otNonFolders;
    TViewStyle viewStyle_ = TViewStyle::vsIcon;
    bool sorted_ = true;
    bool autoNavigate_ = true;
    bool autoRefresh_ = false;
    bool autoContextMenus_ = true;
    bool multiSelect_ = false;
    bool reloading_ = false;
    bool rootChanged_ = false;
    std::unique_ptr<TbsShellFolder> current_;
    std::vector<std::unique_ptr<TbsShellFolder>> items_;
    std::vector<bool> selected_;
    std::vector<TbsListColumn> columns_;
    int itemIndex_ = -1;
    int topIndex_ = 0;
    int leftOffset_ = 0;
    TbsSkinScrollBar* hScrollBar_ = nullptr;
    TbsSkinScrollBar* vScrollBar_ = nullptr;
    int sortColumn_ = 0;
    bool sortDescending_ = false;
    std::string searchText_;
    TbsCustomShellComboBox* comboBox_ = nullptr;
    std::unique_ptr<TbsShellChangeNotifier> notifier_;
    skin::TbsSkinPopupMenu* contextMenu_ = nullptr;
    TbsSkinEdit* nameEditor_ = nullptr;
    int editIndex_ = -1;
    std::string editOriginal_;
    bool committing_ = false;
    int slowClickIndex_ = -1;  // an item clicked again while selected, renamed unless a
                               // double click follows
};

// The skinned file list: font and colours from the skin's "listview" object.
class TbsSkinFileListView : public TbsCustomShellListView {
  public:
    explicit TbsSkinFileListView(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinFileListView"; }
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);

    void BindSkinObject() override;

  protected:
    graphics::TColor TextColor() const override;
    graphics::TColor BackColor() const override;
    void SelectListFont(graphics::TFont& font) const override;

  private:
    bool bound_ = false;
    std::string fontName_ = "Arial";
    int fontHeight_ = 14;
    skin::TFontStyles fontStyle_ = 0;
    graphics::TColor fontColor_ = 0;
    graphics::TColor bgColor_ = 0xFFFFFF;
    bool useSkinFont_ = true;
};

}  // namespace skinctrls
