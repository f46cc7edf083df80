#pragma once
// The library's user-interface texts as "name=text" lines, looked up by name.
#include <string>
#include <string_view>

#include "core/string_list.h"

namespace skin {

class TbsResourceStrData {
  public:
    // Filled with the English texts.
    TbsResourceStrData();
    // The form's string table component derives from it.
    virtual ~TbsResourceStrData() = default;

    core::TStringList& ResStrings() { return resStrings_; }
    void SetResStrings(const core::TStringList& lines) { resStrings_ = lines; }
    int32_t CharSet() const { return charSet_; }
    void SetCharSet(int32_t value) { charSet_ = value; }

    // The text after the first "=" of the first line whose name matches, or an empty text.
    std::string GetResStr(std::string_view name) const;

  private:
    core::TStringList resStrings_;
    int32_t charSet_ = 1;
};

}  // namespace skin
