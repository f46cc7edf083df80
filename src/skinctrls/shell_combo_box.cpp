#include "skinctrls/shell_combo_box.h"

#include <strings.h>

#include <algorithm>

#include "graphics/bitmap.h"
#include "ui/draw_utils.h"

namespace skinctrls {

using namespace platform;

TbsCustomShellComboBox::TbsCustomShellComboBox(ui::TComponent* owner)
    : TbsSkinCustomComboBox(owner) {
    OnComboBoxDrawItem = [this](ui::TComponent*, graphics::TCanvas& canvas, int index, bool,
                                TRect rect) { DrawEntry(canvas, index, rect, false); };
    OnListBoxDrawItem = [this](ui::TComponent*, graphics::TCanvas& canvas, int index, TRect rect,
                               bool) { DrawEntry(canvas, index, rect, true); };
}

TbsCustomShellComboBox::~TbsCustomShellComboBox() {
    SetShellListView(nullptr);
    entries_.clear();
}

void TbsCustomShellComboBox::SetRoot(const std::string& value) {
    if (SameRoot(value, root_)) return;
    oldRoot_ = root_;
    root_ = value;
    try {
        Rebuild();
    } catch (...) {
        root_ = oldRoot_;
        throw;
    }
    if (listView_ != nullptr) listView_->SetRoot(root_);
}

void TbsCustomShellComboBox::SetShellListView(TbsCustomShellListView* value) {
    if (value == listView_) return;
    if (listView_ != nullptr) {
        listView_->ComboBoxLinked(nullptr);
        listView_->RemoveFreeNotification(this);
    }
    listView_ = value;
    if (listView_ != nullptr) {
        listView_->FreeNotification(this);
        listView_->SetRoot(root_);
        listView_->ComboBoxLinked(this);
    }
}

void TbsCustomShellComboBox::Notification(ui::TComponent* component, ui::TOperation operation) {
    TbsSkinCustomComboBox::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && component == listView_) listView_ = nullptr;
}

void TbsCustomShellComboBox::CreateHandleDone() {
    TbsSkinCustomComboBox::CreateHandleDone();
    Rebuild();
}

void TbsCustomShellComboBox::DestroyWnd() {
    entries_.clear();
    SyncItems(-1);
    TbsSkinCustomComboBox::DestroyWnd();
}

int TbsCustomShellComboBox::AddEntry(int at, std::unique_ptr<TbsShellFolder> folder, int depth) {
    TbsShellComboEntry entry;
    entry.Text = folder->ItemDisplayName();
    entry.ImageIndex = folder->ImageIndex(false);
    entry.Depth = depth;
    entry.Folder = std::move(folder);
    at = std::clamp(at, 0, Count());
    entries_.insert(entries_.begin() + at, std::move(entry));
    return at;
}

// The folder's children of the combo's object types, in the folder's own order, inserted
// after entry `after`.
void TbsCustomShellComboBox::AddChildren(int after, TbsShellFolder& parent, int depth) {
    std::unique_ptr<IEnumIDList> enumerator;
    IShellFolder& folder = parent.ShellFolder();
    if (FAILED(folder.EnumObjects(nullptr, DWORD(objectTypes_) * 32, &enumerator)) || !enumerator) {
        return;  // an unreadable folder simply has no children here
    }
    std::vector<ItemIdListPtr> children;
    LPITEMIDLIST id = nullptr;
    ULONG fetched = 0;
    while (enumerator->Next(1, &id, &fetched) == S_OK && fetched == 1) children.emplace_back(id);
    std::stable_sort(children.begin(), children.end(), [&](const auto& a, const auto& b) {
        return static_cast<std::int16_t>(folder.CompareIDs(0, a.get(), b.get()) & 0xFFFF) < 0;
    });
    int at = after + 1;
    for (const auto& child : children) {
        ItemIdListPtr absolute(ILCombine(parent.AbsoluteID(), child.get()));
        AddEntry(at++, std::make_unique<TbsShellFolder>(nullptr, absolute.get()), depth);
    }
}

void TbsCustomShellComboBox::Rebuild() {
    updating_ = true;
    try {
        entries_.clear();
        SyncItems(-1);
        ItemIdListPtr root = CreateRootFolder(root_);
        AddEntry(0, std::make_unique<TbsShellFolder>(nullptr, root.get()), 0);
        AddChildren(0, *entries_[0].Folder, 1);
        if (::strcasecmp(root_.c_str(), "rfDesktop") == 0) {
            LPITEMIDLIST computer = nullptr;
            if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer))) {
                ItemIdListPtr owned(computer);
                const int at = IndexOf(computer);
                if (at >= 0) AddChildren(at, *entries_[size_t(at)].Folder, 2);
            }
        }
        SyncItems(0);
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
}

void TbsCustomShellComboBox::SyncItems(int index) {
    const bool updating = updating_;
    updating_ = true;
    std::vector<std::string> texts;
    for (const TbsShellComboEntry& entry : entries_) texts.push_back(entry.Text);
    SetItems(std::move(texts));
    SetItemIndex(index);
    updating_ = updating;
}

int TbsCustomShellComboBox::IndexOf(LPCITEMIDLIST absolute) {
    auto desktop = DesktopFolder();
    for (int i = 0; i < Count(); ++i) {
        if (desktop->CompareIDs(0, entries_[size_t(i)].Folder->AbsoluteID(), absolute) == S_OK) {
            return i;
        }
    }
    return -1;
}

void TbsCustomShellComboBox::ShowFolderChain(LPCITEMIDLIST absolute) {
    if (updating_ || absolute == nullptr) return;
    if (ItemIndex() >= 0 && IndexOf(absolute) == ItemIndex()) return;
    Rebuild();
    updating_ = true;
    auto chain = ILAncestorChain(absolute);
    // From the deepest ancestor up, the first one already listed anchors the rest.
    int anchor = -1;
    size_t anchored = 0;
    for (size_t i = chain.size(); i-- > 0;) {
        anchor = IndexOf(chain[i].get());
        if (anchor >= 0) {
            anchored = i;
            break;
        }
    }
    if (anchor < 0) {
        // The desktop root is the empty list, which is no record of the chain.
        if (ILIsEmpty(entries_[0].Folder->AbsoluteID())) anchor = 0, anchored = SIZE_MAX;
    }
    if (anchor >= 0) {
        int at = anchor;
        int depth = entries_[size_t(at)].Depth;
        for (size_t i = anchored == SIZE_MAX ? 0 : anchored + 1; i < chain.size(); ++i) {
            at = AddEntry(at + 1, std::make_unique<TbsShellFolder>(nullptr, chain[i].get()),
                          ++depth);
        }
        const int found = IndexOf(absolute);
        SyncItems(found >= 0 ? found : ItemIndex());
    }
    updating_ = false;
}

void TbsCustomShellComboBox::Change() {
    const int index = ItemIndex();
    if (updating_ || ListOpen() || index < 0 || index >= Count()) return;
    if (listView_ != nullptr) {
        ItemIdListPtr target(ILClone(entries_[size_t(index)].Folder->AbsoluteID()));
        listView_->NavigateToFolder(target.get());
    }
}

HIMAGELIST TbsCustomShellComboBox::Images() const {
    return images_ != nullptr ? images_ : SystemImageList(true);
}

int TbsCustomShellComboBox::EntryIconLeft(int index, bool dropped) const {
    if (!dropped || index < 0 || index >= Count()) return 0;
    int width = 16, height = 16;
    ImageList_GetIconSize(Images(), &width, &height);
    return entries_[size_t(index)].Depth * width / 2;
}

void TbsCustomShellComboBox::DrawEntry(graphics::TCanvas& canvas, int index,
                                       const graphics::TRect& rect, bool dropped) {
    if (index < 0 || index >= Count()) return;
    int width = 16, height = 16;
    ImageList_GetIconSize(Images(), &width, &height);
    const int left = rect.left + EntryIconLeft(index, dropped);
    ImageList_Draw(Images(), entries_[size_t(index)].ImageIndex, canvas.Handle(), left,
                   rect.top + (rect.Height() - height) / 2, ILD_NORMAL);
    const int textHeight = canvas.TextHeight("Wg");
    canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
    canvas.TextOut(left + width + 4, rect.top + (rect.Height() - textHeight) / 2,
                   entries_[size_t(index)].Text);
}

TbsSkinShellComboBox::TbsSkinShellComboBox(ui::TComponent* owner) : TbsCustomShellComboBox(owner) {}

}  // namespace skinctrls
