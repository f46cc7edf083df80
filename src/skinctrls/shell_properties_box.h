#pragma once
// The file list's properties box: a small skinned window telling an item's name, type,
// location, size (with the exact bytes), last change and, for folders, how many items they
// hold. It takes the skin of the window the list is on.
#include <string>
#include <utility>
#include <vector>

#include "ui/form.h"

namespace skinctrls {

class TbsShellFolder;
class TbsCustomShellListView;

// "1.5 KB (1,536 bytes)"; below a kilobyte only the bytes.
std::string SizeText(std::uint64_t bytes);

class TbsPropertiesBox : public ui::TForm {
  public:
    TbsPropertiesBox(TbsCustomShellListView& list, TbsShellFolder& item);
    const char* ClassName() const override { return "TbsPropertiesBox"; }
    // The rows shown: label and value.
    const std::vector<std::pair<std::string, std::string>>& Rows() const { return rows_; }

  private:
    void CollectRows(TbsShellFolder& item);
    std::vector<std::pair<std::string, std::string>> rows_;
};

// Shows the box modally.
void ShowPropertiesBox(TbsCustomShellListView& list, TbsShellFolder& item);

}  // namespace skinctrls
