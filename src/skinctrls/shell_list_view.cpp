#include "skinctrls/shell_list_view.h"

#include <strings.h>

#include <algorithm>

#include "core/utf8.h"
#include "graphics/bitmap.h"
#include "platform/shell/file_info.h"
#include "platform/shell/image_list.h"
#include "platform/user/winuser.h"
#include "skinctrls/shell_combo_box.h"
#include "skinctrls/shell_list_view_layout.h"
#include "skinctrls/shell_mask.h"
#include "skinctrls/skin_edit.h"
#include "skinctrls/skin_geometry.h"
#include "ui/draw_utils.h"
#include "ui/wait_cursor.h"

namespace skinctrls {

using namespace platform;
using graphics::TBitmap;
using graphics::TCanvas;
using graphics::TColor;
using namespace shell_list_layout;

namespace {

constexpr int kVkF2 = 0x71;
constexpr int kVkF5 = 0x74;

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

TbsCustomShellListView::TbsCustomShellListView(ui::TComponent* owner) : TbsSkinControl(owner) {
    SetTabStop(true);
    SetColor(graphics::clWindow);
    Font().SetName("Arial");
    Font().SetHeight(14);
    SetSkinDataName("listview");
}

TbsCustomShellListView::~TbsCustomShellListView() {
    // The editor goes with the base class, after the items: it must not commit then.
    editIndex_ = -1;
    if (nameEditor_ != nullptr) nameEditor_->OnExit = nullptr;
    notifier_.reset();
    SetHScrollBar(nullptr);
    SetVScrollBar(nullptr);
    SetShellComboBox(nullptr);
    ClearItems();
}

void TbsCustomShellListView::SetRoot(const std::string& value) {
    if (SameRoot(value, root_)) return;
    oldRoot_ = root_;
    root_ = value;
    CreateRootAndReload(false);
}

// A root that cannot be reached leaves the previous root in place.
void TbsCustomShellListView::CreateRootAndReload(bool tellCombo) {
    ItemIdListPtr list;
    try {
        list = CreateRootFolder(root_);
    } catch (...) {
        root_ = oldRoot_;
        throw;
    }
    ClearItems();
    current_ = std::make_unique<TbsShellFolder>(nullptr, list.get());
    rootChanged_ = !tellCombo;
    ReloadFolder();
}

void TbsCustomShellListView::SetAutoRefresh(bool value) {
    autoRefresh_ = value;
    UpdateNotifier();
}

void TbsCustomShellListView::UpdateNotifier() {
    const std::string path = current_ ? current_->ItemFileSystemPath() : std::string();
    if (!autoRefresh_ || path.empty()) {
        notifier_.reset();
        return;
    }
    if (notifier_ && notifier_->Path() == path) return;
    notifier_.reset();
    notifier_ = std::make_unique<TbsShellChangeNotifier>(path, [this] {
        if (autoRefresh_ && !reloading_) Refresh();
    });
}

void TbsCustomShellListView::SetObjectTypes(TShellObjectTypes value) {
    objectTypes_ = value & (otFolders | otNonFolders | otHidden);
    if (!(ComponentState() & ui::csLoading)) ReloadFolder();
}

void TbsCustomShellListView::SetMask(const std::string& value) {
    if (value == mask_) return;
    mask_ = value;
    ReloadFolder();
}

void TbsCustomShellListView::SetSorted(bool value) {
    if (value == sorted_) return;
    sorted_ = value;
    RebuildItems();
}

void TbsCustomShellListView::SetViewStyle(TViewStyle value) {
    if (value == viewStyle_) return;
    viewStyle_ = value;
    if (viewStyle_ == TViewStyle::vsReport) BuildColumns();
    topIndex_ = 0;
    EnsureVisible(itemIndex_);
    UpdateScrollBars();
    Invalidate();
}

void TbsCustomShellListView::SetMultiSelect(bool value) {
    multiSelect_ = value;
    if (!multiSelect_) {
        const int keep = itemIndex_;
        ClearSelection();
        if (keep >= 0) SetSelected(keep, true);
    }
}

void TbsCustomShellListView::SetShellComboBox(TbsCustomShellComboBox* value) {
    if (value == comboBox_) return;
    if (comboBox_ != nullptr) {
        comboBox_->ListViewLinked(nullptr);
        comboBox_->RemoveFreeNotification(this);
    }
    comboBox_ = value;
    if (comboBox_ != nullptr) {
        comboBox_->FreeNotification(this);
        comboBox_->SetRoot(root_);
        comboBox_->ListViewLinked(this);
    }
}

void TbsCustomShellListView::Notification(ui::TComponent* component, ui::TOperation operation) {
    TbsSkinControl::Notification(component, operation);
    if (operation != ui::TOperation::opRemove) return;
    if (component == comboBox_) comboBox_ = nullptr;
    if (component == hScrollBar_) hScrollBar_ = nullptr;
    if (component == vScrollBar_) vScrollBar_ = nullptr;
}

void TbsCustomShellListView::AttachBar(TbsSkinScrollBar*& slot, TbsSkinScrollBar* bar,
                                       bool vertical) {
    if (bar == slot) return;
    if (slot != nullptr) {
        slot->OnChange = nullptr;
        slot->RemoveFreeNotification(this);
    }
    slot = bar;
    if (bar == nullptr) return;
    bar->FreeNotification(this);
    bar->OnChange = [this, vertical](ui::TComponent*) {
        if (vertical && vScrollBar_ != nullptr) {
            int perPage = 1, unit = 1;
            PageMetrics(perPage, unit);
            topIndex_ = std::clamp(vScrollBar_->Position() * unit, 0, std::max(Count() - 1, 0));
        } else if (!vertical && hScrollBar_ != nullptr) {
            leftOffset_ = std::max(hScrollBar_->Position(), 0);
        }
        Invalidate();
    };
    UpdateScrollBars();
}

void TbsCustomShellListView::UpdateScrollBars() {
    const Geometry layout = Layout();
    if (vScrollBar_ != nullptr) {
        int perPage = 1, unit = 1;
        PageMetrics(perPage, unit);
        const int rows = (Count() + unit - 1) / unit;
        const int pageRows = std::max(perPage / unit, 1);
        const bool needed = !layout.columns && rows > pageRows;
        vScrollBar_->SetEnabled(needed);
        if (needed) {
            vScrollBar_->SetRange(0, rows - 1, pageRows, topIndex_ / unit);
        } else {
            vScrollBar_->SetRange(0, 0, 0, 0);
        }
    }
    if (hScrollBar_ != nullptr) {
        int total = 0;
        if (viewStyle_ == TViewStyle::vsReport) {
            for (const TbsListColumn& column : columns_) total += column.Width;
        } else if (layout.columns) {
            total = (Count() + layout.down - 1) / layout.down * layout.cellWidth;
        }
        const bool needed = total > Width();
        if (!needed) leftOffset_ = 0;
        hScrollBar_->SetEnabled(needed);
        if (needed) {
            leftOffset_ = std::min(leftOffset_, total - Width());
            hScrollBar_->SetRange(0, total - 1, Width(), leftOffset_);
        } else {
            hScrollBar_->SetRange(0, 0, 0, 0);
        }
    }
}

void TbsCustomShellListView::Resized() {
    TbsSkinControl::Resized();
    EnsureVisible(itemIndex_);
    UpdateScrollBars();
}

void TbsCustomShellListView::CreateHandleDone() {
    TbsSkinControl::CreateHandleDone();
    // A folder opened before the window existed is kept; the combo still hears of it.
    if (!current_) {
        CreateRootAndReload(true);
    } else if (comboBox_ != nullptr) {
        comboBox_->ShowFolderChain(current_->AbsoluteID());
    }
}

void TbsCustomShellListView::DestroyWnd() {
    ClearItems();
    TbsSkinControl::DestroyWnd();
}

void TbsCustomShellListView::NavigateToFolder(LPCITEMIDLIST absolute) {
    if (reloading_ || absolute == nullptr) return;
    if (current_ && DesktopFolder()->CompareIDs(0, absolute, current_->AbsoluteID()) == S_OK) {
        return;
    }
    ClearItems();  // the items point at the folder being replaced
    current_ = std::make_unique<TbsShellFolder>(nullptr, absolute);
    ReloadFolder();
    if (OnFolderChanged) OnFolderChanged(this);
}

void TbsCustomShellListView::ReloadFolder() {
    if (reloading_ || !current_) return;
    reloading_ = true;
    const bool autoRefresh = autoRefresh_;
    autoRefresh_ = false;
    try {
        if (!rootChanged_ && comboBox_ != nullptr)
            comboBox_->ShowFolderChain(current_->AbsoluteID());
        rootChanged_ = false;
        RebuildItems();
        if (viewStyle_ == TViewStyle::vsReport) BuildColumns();
        UpdateScrollBars();
    } catch (...) {
        autoRefresh_ = autoRefresh;
        reloading_ = false;
        throw;
    }
    autoRefresh_ = autoRefresh;
    reloading_ = false;
    UpdateNotifier();
}

void TbsCustomShellListView::ClearItems() {
    if (editIndex_ >= 0) {  // the edited item goes
        editIndex_ = -1;
        if (nameEditor_ != nullptr && !(ComponentState() & ui::csDestroying)) nameEditor_->Hide();
    }
    items_.clear();
    selected_.clear();
    itemIndex_ = -1;
    topIndex_ = 0;
}

void TbsCustomShellListView::RebuildItems() {
    if ((ComponentState() & ui::csLoading) && !HandleAllocated()) return;
    if (!current_) return;
    ClearItems();
    Invalidate();
    const ui::TWaitCursor waiting;
    std::unique_ptr<IEnumIDList> enumerator;
    IShellFolder& folder = current_->ShellFolder();
    // A folder that cannot be bound is reported, not replaced by the desktop's items, which
    // would be listed under the wrong parent.
    OleCheck(current_->BindResult());
    OleCheck(folder.EnumObjects(nullptr, DWORD(objectTypes_) * 32, &enumerator));
    LPITEMIDLIST id = nullptr;
    ULONG fetched = 0;
    while (enumerator && enumerator->Next(1, &id, &fetched) == S_OK && fetched == 1) {
        ItemIdListPtr owned(id);
        auto item = std::make_unique<TbsShellFolder>(current_.get(), id);
        bool canAdd = true;
        if (!item->ItemIsFolder()) {
            const std::string path = item->ItemFileSystemPath();
            canAdd = MaskMatches(mask_, path.substr(path.rfind('/') + 1));
        }
        if (canAdd && OnAddFolder) OnAddFolder(this, item.get(), canAdd);
        if (canAdd) items_.push_back(std::move(item));
    }
    selected_.assign(items_.size(), false);
    if (sorted_) SortItems();
    UpdateScrollBars();
}

void TbsCustomShellListView::SortItems() {
    IShellFolder& folder = current_->ShellFolder();
    std::stable_sort(items_.begin(), items_.end(), [&](const auto& a, const auto& b) {
        return DefaultCompare(folder, *a, *b) < 0;
    });
}

int TbsCustomShellListView::CompareForColumn(TbsShellFolder& a, TbsShellFolder& b, int column) {
    int order = DefaultCompare(current_->ShellFolder(), a, b);
    const bool fa = a.ItemIsFolder(), fb = b.ItemIsFolder();
    if (column != 0) {
        const int columnCount =
            std::max<int>(static_cast<int>(columns_.size()), kFileSystemColumns);
        if (!a.DetailsLoaded()) a.LoadColumnDetails(columnCount);
        if (!b.DetailsLoaded()) b.LoadColumnDetails(columnCount);
        // Without a time in the fourth detail these are not file-system columns.
        if (a.Details(dcModified).find(':') == std::string::npos) return order;
    }
    if (fa != fb) return fa ? -1 : 1;
    switch (column) {
        case dcSize:
            if (a.FileSize() != b.FileSize()) return a.FileSize() < b.FileSize() ? -1 : 1;
            return order;
        case dcType:
            if (!fa) {
                const int byType =
                    ::strcasecmp(a.Details(dcType).c_str(), b.Details(dcType).c_str());
                if (byType != 0) return byType < 0 ? -1 : 1;
            }
            return order;
        case dcModified:
            if (!fa && a.LastWriteTime() != b.LastWriteTime()) {
                return a.LastWriteTime() < b.LastWriteTime() ? -1 : 1;
            }
            return order;
        default: {
            const int byName =
                ::strcasecmp(a.ItemDisplayName().c_str(), b.ItemDisplayName().c_str());
            return byName != 0 ? (byName < 0 ? -1 : 1) : order;
        }
    }
}

void TbsCustomShellListView::ColumnClick(int column) {
    if (column < 0 || !current_) return;
    if (column != 0 && static_cast<int>(columns_.size()) < kFileSystemColumns) return;
    sortDescending_ = column == sortColumn_ ? !sortDescending_ : false;
    sortColumn_ = column;
    const int sign = sortDescending_ ? -1 : 1;
    TbsShellFolder* focused = itemIndex_ >= 0 ? items_[size_t(itemIndex_)].get() : nullptr;
    std::vector<TbsShellFolder*> chosen;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (selected_[i]) chosen.push_back(items_[i].get());
    }
    std::stable_sort(items_.begin(), items_.end(), [&](const auto& a, const auto& b) {
        return sign * CompareForColumn(*a, *b, column) < 0;
    });
    // The selection follows its items.
    for (size_t i = 0; i < items_.size(); ++i) {
        selected_[i] = std::find(chosen.begin(), chosen.end(), items_[i].get()) != chosen.end();
        if (items_[i].get() == focused) itemIndex_ = static_cast<int>(i);
    }
    Invalidate();
}

void TbsCustomShellListView::BuildColumns() {
    columns_.clear();
    TBitmap probe;
    probe.SetWidth(1);
    probe.SetHeight(1);
    SelectListFont(probe.Canvas().Font());
    const int x = std::max(probe.Canvas().TextWidth("X"), 1);
    const skin::TbsResourceStrData* strings =
        SkinData() != nullptr ? SkinData()->ResourceStrData() : nullptr;
    auto caption = [&](const char* key, const char* text) {
        return strings != nullptr ? strings->GetResStr(key) : std::string(text);
    };
    const bool fileSystem = current_ && (current_->ItemFileSystemPath().size() > 0 ||
                                         ILIsEmpty(current_->AbsoluteID()));
    columns_.push_back({caption("FLV_NAME", "Name"), 25 * x, TColumnAlignment::taLeftJustify});
    if (!fileSystem) return;
    columns_.push_back({caption("FLV_SIZE", "Size"), 10 * x, TColumnAlignment::taRightJustify});
    columns_.push_back({caption("FLV_TYPE", "Type"), 10 * x, TColumnAlignment::taLeftJustify});
    columns_.push_back(
        {caption("FLV_MODIFIED", "Modified"), 14 * x, TColumnAlignment::taLeftJustify});
}

void TbsCustomShellListView::OpenFolderPath(const std::string& path) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(DesktopFolder()->ParseDisplayName(nullptr, nullptr, path.c_str(), nullptr, &list,
                                                 nullptr)) ||
        list == nullptr) {
        throw core::Exception("Error setting path: \"%s\"", {path});
    }
    ItemIdListPtr owned(list);
    NavigateToFolder(list);
}

void TbsCustomShellListView::GoToParent() {
    if (!current_) return;
    ItemIdListPtr parent(ILCloneParent(current_->AbsoluteID()));
    NavigateToFolder(parent.get());
}

void TbsCustomShellListView::Refresh() {
    if (!current_) return;
    const int keep = itemIndex_;
    ClearSelection();
    ItemIdListPtr absolute(ILClone(current_->AbsoluteID()));
    ClearItems();
    current_ = std::make_unique<TbsShellFolder>(nullptr, absolute.get());
    ReloadFolder();
    if (keep >= 0 && keep < Count()) SetItemIndex(keep);
}

std::string TbsCustomShellListView::CurrentFolderPath() {
    return current_ ? current_->ItemParsingName() : std::string();
}

std::string TbsCustomShellListView::SelectedFilePath() {
    if (itemIndex_ < 0 || !selected_[size_t(itemIndex_)]) return {};
    TbsShellFolder& item = *items_[size_t(itemIndex_)];
    return item.ItemIsFolder() ? std::string() : item.ItemFileSystemPath();
}

std::vector<std::string> TbsCustomShellListView::SelectedFilePaths() {
    std::vector<std::string> paths;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (selected_[i] && !items_[i]->ItemIsFolder())
            paths.push_back(items_[i]->ItemFileSystemPath());
    }
    return paths;
}

void TbsCustomShellListView::SetItemIndex(int index) {
    if (index < -1 || index >= Count()) return;
    std::vector<bool> next = selected_;
    if (!multiSelect_) std::fill(next.begin(), next.end(), false);
    if (index >= 0) next[size_t(index)] = true;
    ApplySelection(std::move(next), index);
    EnsureVisible(index);
}

bool TbsCustomShellListView::Selected(int index) const {
    return index >= 0 && index < Count() && selected_[size_t(index)];
}

void TbsCustomShellListView::SetSelected(int index, bool value) {
    if (index < 0 || index >= Count()) return;
    std::vector<bool> next = selected_;
    if (value && !multiSelect_) std::fill(next.begin(), next.end(), false);
    next[size_t(index)] = value;
    ApplySelection(std::move(next), value ? index : itemIndex_);
}

void TbsCustomShellListView::ClearSelection() {
    ApplySelection(std::vector<bool>(selected_.size(), false), -1);
}

// Takes the new selection and tells OnSelectItem of every item whose state changed, those
// losing the selection first.
void TbsCustomShellListView::ApplySelection(std::vector<bool> next, int focus) {
    std::vector<int> lost, gained;
    for (size_t i = 0; i < next.size() && i < selected_.size(); ++i) {
        if (selected_[i] && !next[i]) lost.push_back(static_cast<int>(i));
        if (!selected_[i] && next[i]) gained.push_back(static_cast<int>(i));
    }
    selected_ = std::move(next);
    itemIndex_ = focus;
    Invalidate();
    if (!OnSelectItem) return;
    for (int i : lost) OnSelectItem(this, i, false);
    for (int i : gained) OnSelectItem(this, i, true);
}

int TbsCustomShellListView::FindItem(const std::string& text, int start, bool wrap) {
    const std::string wanted = UpperAscii(text);
    const int count = Count();
    if (count == 0) return -1;
    start = std::clamp(start, 0, count - 1);
    for (int pass = 0; pass < (wrap ? 2 : 1); ++pass) {
        const int from = pass == 0 ? start : 0;
        const int to = pass == 0 ? count : start;
        for (int i = from; i < to; ++i) {
            if (UpperAscii(items_[size_t(i)]->ItemDisplayName()).rfind(wanted, 0) == 0) return i;
        }
    }
    return -1;
}

bool TbsCustomShellListView::OpenSelectedFolder() {
    if (itemIndex_ < 0 || !selected_[size_t(itemIndex_)]) return false;
    TbsShellFolder& item = *items_[size_t(itemIndex_)];
    if (!item.ItemIsFolder()) return false;
    ItemIdListPtr target(ILClone(item.AbsoluteID()));
    NavigateToFolder(target.get());
    return true;
}

void TbsCustomShellListView::KeyDown(uint16_t& key, ui::TShiftState shift) {
    TbsSkinControl::KeyDown(key, shift);
    if (key != VK_BACK) searchText_.clear();
    if (autoNavigate_) {
        if (key == VK_BACK) {
            GoToParent();
            key = 0;
            return;
        }
        if (key == VK_RETURN && (shift & ui::ssAlt)) {
            ShowProperties();
            key = 0;
            return;
        }
        if (key == VK_RETURN) {
            if (OpenSelectedFolder()) key = 0;
            return;
        }
        if (key == kVkF5) {
            Refresh();
            key = 0;
            return;
        }
    }
    if (key == kVkF2) {
        if (Selected(itemIndex_)) EditItemName(itemIndex_);
        key = 0;
        return;
    }
    const int last = Count() - 1;
    int next = itemIndex_;
    switch (key) {
        case VK_UP:
            next = std::max(itemIndex_ - Step(false), 0);
            break;
        case VK_DOWN:
            next = std::min(itemIndex_ + Step(false), last);
            break;
        case VK_LEFT:
        case VK_RIGHT:
            if (Step(true) == 0) return;
            next = key == VK_LEFT ? std::max(itemIndex_ - Step(true), 0)
                                  : std::min(itemIndex_ + Step(true), last);
            break;
        case VK_HOME:
            next = 0;
            break;
        case VK_END:
            next = last;
            break;
        default:
            return;
    }
    if (last >= 0) SetItemIndex(next);
    key = 0;
}

void TbsCustomShellListView::KeyPress(char32_t& key) {
    TbsSkinControl::KeyPress(key);
    if (key < 32) return;
    std::string typed = searchText_;
    core::AppendCodePoint(typed, key);
    const int found = FindItem(typed, std::max(itemIndex_, 0), true);
    if (found >= 0) {
        searchText_ = typed;
        SetItemIndex(found);
    }
}

void TbsCustomShellListView::MouseDown(ui::TMouseButton button, ui::TShiftState shift, int x,
                                       int y) {
    const bool hadFocus = Focused();
    if (CanFocus()) SetFocus();
    TbsSkinControl::MouseDown(button, shift, x, y);
    if (viewStyle_ == TViewStyle::vsReport) {
        TBitmap probe;
        probe.SetWidth(1);
        probe.SetHeight(1);
        SelectListFont(probe.Canvas().Font());
        if (y < HeaderHeight(probe.Canvas())) {
            int left = -leftOffset_;
            for (size_t c = 0; c < columns_.size(); ++c) {
                if (x >= left && x < left + columns_[c].Width) ColumnClick(static_cast<int>(c));
                left += columns_[c].Width;
            }
            return;
        }
    }
    const int index = ItemAt(x, y);
    if (multiSelect_ && (shift & ui::ssCtrl) && index >= 0) {
        SetSelected(index, !Selected(index));
        return;
    }
    // A second, slow click on the selected item's name renames it.
    const bool again = hadFocus && button == ui::TMouseButton::mbLeft && !(shift & ui::ssDouble) &&
                       index >= 0 && index == itemIndex_ && Selected(index);
    if (button == ui::TMouseButton::mbRight && index >= 0 && Selected(index)) return;
    SetItemIndex(index);
    if (again) {
        slowClickIndex_ = index;
        StartSlowClickTimer();
    }
}

void TbsCustomShellListView::DblClick() {
    StopSlowClickTimer();
    if (autoNavigate_) OpenSelectedFolder();
    TbsSkinControl::DblClick();
}

TColor TbsCustomShellListView::TextColor() const {
    return const_cast<TbsCustomShellListView*>(this)->Font().Color();
}
TColor TbsCustomShellListView::BackColor() const {
    return Color();
}
void TbsCustomShellListView::SelectListFont(graphics::TFont& font) const {
    font.CopyFrom(&const_cast<TbsCustomShellListView*>(this)->Font());
}

TbsCustomShellListView::Geometry TbsCustomShellListView::Layout() {
    TBitmap probe;
    probe.SetWidth(1);
    probe.SetHeight(1);
    SelectListFont(probe.Canvas().Font());
    Geometry layout;
    layout.cellHeight = RowHeight(probe.Canvas());
    switch (viewStyle_) {
        case TViewStyle::vsIcon:
            layout.cellWidth = kIconCellWidth;
            layout.cellHeight = kIconCellHeight;
            layout.across = std::max(Width() / kIconCellWidth, 1);
            break;
        case TViewStyle::vsSmallIcon:
            layout.cellWidth = kSmallIconCellWidth;
            layout.across = std::max(Width() / kSmallIconCellWidth, 1);
            break;
        case TViewStyle::vsList:
            layout.cellWidth = kListColumnWidth;
            layout.down = std::max(Height() / layout.cellHeight, 1);
            layout.columns = true;
            break;
        case TViewStyle::vsReport:
            layout.cellWidth = 0;
            for (const TbsListColumn& column : columns_) layout.cellWidth += column.Width;
            layout.cellWidth = std::max(layout.cellWidth, Width());
            layout.top = HeaderHeight(probe.Canvas());
            break;
    }
    return layout;
}

void TbsCustomShellListView::PageMetrics(int& perPage, int& unit) {
    const Geometry layout = Layout();
    unit = layout.across;
    perPage = std::max((Height() - layout.top) / layout.cellHeight, 1) * unit;
}

// How far the arrow keys move: the list moves across columns by a column's worth of items,
// the small icons vertically by a row.
int TbsCustomShellListView::Step(bool horizontal) {
    const Geometry layout = Layout();
    if (layout.columns) return horizontal ? layout.down : 1;
    if (viewStyle_ == TViewStyle::vsSmallIcon) return horizontal ? 1 : layout.across;
    return horizontal ? 0 : 1;  // the large icons and the report keep single steps
}

graphics::TRect TbsCustomShellListView::ItemRect(int index) {
    if (index < 0 || index >= Count()) return {};
    const Geometry layout = Layout();
    int x = 0, y = 0;
    if (layout.columns) {
        x = index / layout.down * layout.cellWidth - leftOffset_;
        y = index % layout.down * layout.cellHeight;
    } else {
        const int place = index - topIndex_;
        x = (place % layout.across) * layout.cellWidth;
        y = layout.top +
            (place >= 0 ? place / layout.across : (place - layout.across + 1) / layout.across) *
                layout.cellHeight;
        if (viewStyle_ == TViewStyle::vsReport) x -= leftOffset_;
    }
    return graphics::Rect(x, y, x + layout.cellWidth, y + layout.cellHeight);
}

void TbsCustomShellListView::EnsureVisible(int index) {
    if (index < 0) return;
    const Geometry layout = Layout();
    if (layout.columns) {
        const int left = index / layout.down * layout.cellWidth;
        const int before = leftOffset_;
        if (left < leftOffset_) leftOffset_ = left;
        if (left + layout.cellWidth > leftOffset_ + Width())
            leftOffset_ = std::max(left + layout.cellWidth - Width(), 0);
        if (leftOffset_ != before) UpdateScrollBars();
        return;
    }
    int perPage = 1, unit = 1;
    PageMetrics(perPage, unit);
    const int before = topIndex_;
    if (index < topIndex_) topIndex_ = index / unit * unit;
    if (index >= topIndex_ + perPage) topIndex_ = (index - perPage + unit) / unit * unit;
    if (topIndex_ != before) UpdateScrollBars();
}

int TbsCustomShellListView::ItemAt(int x, int y) {
    const Geometry layout = Layout();
    if (x < 0 || y < layout.top) return -1;
    int index = -1;
    if (layout.columns) {
        const int row = y / layout.cellHeight;
        if (row < layout.down) index = (x + leftOffset_) / layout.cellWidth * layout.down + row;
    } else {
        const int column = viewStyle_ == TViewStyle::vsReport ? 0 : x / layout.cellWidth;
        if (column < layout.across)
            index = topIndex_ + (y - layout.top) / layout.cellHeight * layout.across + column;
    }
    return index >= 0 && index < Count() ? index : -1;
}

TbsSkinFileListView::TbsSkinFileListView(ui::TComponent* owner) : TbsCustomShellListView(owner) {}

void TbsSkinFileListView::SetUseSkinFont(bool value) {
    useSkinFont_ = value;
    Invalidate();
}

void TbsSkinFileListView::BindSkinObject() {
    TbsCustomShellListView::BindSkinObject();
    const auto* object = dynamic_cast<const skin::TbsDataSkinListView*>(SkinObject());
    bound_ = object != nullptr;
    if (!bound_) return;
    fontName_ = object->FontName;
    fontHeight_ = object->FontHeight;
    fontStyle_ = object->FontStyle;
    fontColor_ = object->FontColor;
    bgColor_ = object->BGColor;
}

TColor TbsSkinFileListView::TextColor() const {
    return bound_ ? fontColor_ : TbsCustomShellListView::TextColor();
}

TColor TbsSkinFileListView::BackColor() const {
    return bound_ ? bgColor_ : TbsCustomShellListView::BackColor();
}

void TbsSkinFileListView::SelectListFont(graphics::TFont& font) const {
    TbsCustomShellListView::SelectListFont(font);
    if (!bound_ || !useSkinFont_) return;
    font.SetName(fontName_);
    font.SetStyle(fontStyle_);
    font.SetHeight(fontHeight_);
}

}  // namespace skinctrls
