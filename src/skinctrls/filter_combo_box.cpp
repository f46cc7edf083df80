#include "skinctrls/filter_combo_box.h"

#include "core/utf8.h"

namespace skinctrls {

TbsSkinFilterComboBox::TbsSkinFilterComboBox(ui::TComponent* owner) : TbsSkinCustomComboBox(owner) {
    SetFilter(kDefaultFilter);
}

void TbsSkinFilterComboBox::SetFilter(const std::string& value) {
    if (!filter_.empty() && core::LowerCaseAscii(value) == core::LowerCaseAscii(filter_)) return;
    filter_ = value;
    BuildLists();
}

void TbsSkinFilterComboBox::BuildLists() {
    std::vector<std::string> descriptions;
    masks_.clear();
    size_t pos = 0;
    while (pos < filter_.size()) {
        const size_t bar = filter_.find('|', pos);
        // A trailing description without a mask is dropped.
        if (bar == std::string::npos) break;
        const size_t next = filter_.find('|', bar + 1);
        const size_t end = next == std::string::npos ? filter_.size() : next;
        descriptions.push_back(filter_.substr(pos, bar - pos));
        masks_.push_back(filter_.substr(bar + 1, end - bar - 1));
        pos = next == std::string::npos ? filter_.size() : next + 1;
    }
    SetItems(std::move(descriptions));
    if (!masks_.empty()) SetItemIndex(0);
}

std::string TbsSkinFilterComboBox::Mask() {
    if (masks_.empty()) return "*.*";
    if (ItemIndex() < 0) SetItemIndex(int(masks_.size()) - 1);
    return masks_[size_t(ItemIndex())];
}

}  // namespace skinctrls
