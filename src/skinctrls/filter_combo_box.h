#pragma once
// The file dialogs' file-type box: a skinned combo box filled from a filter string of
// "description|mask" pairs, which knows the mask of the chosen entry.
#include <string>
#include <vector>

#include "skinctrls/skin_combo_box.h"

namespace skinctrls {

class TbsSkinFilterComboBox : public TbsSkinCustomComboBox {
  public:
    static constexpr const char* kDefaultFilter = "All files (*.*)|*.*";

    explicit TbsSkinFilterComboBox(ui::TComponent* owner);
    const char* ClassName() const override { return "TbsSkinFilterComboBox"; }

    const std::string& Filter() const { return filter_; }
    // Fills the items from the pairs and selects the first; a filter equal to the present one
    // (ignoring letter case) changes nothing.
    void SetFilter(const std::string& value);
    // The mask of the selected entry; with none selected the last entry is selected first;
    // "*.*" when there are no entries.
    std::string Mask();
    const std::vector<std::string>& Masks() const { return masks_; }

  private:
    void BuildLists();

    std::string filter_;
    std::vector<std::string> masks_;
};

}  // namespace skinctrls
