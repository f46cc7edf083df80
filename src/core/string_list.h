#pragma once
// An ordered list of text lines with "name=value" access, as the INI object and the dialogs
// use it.
#include <string>
#include <string_view>
#include <vector>

namespace core {

class TStringList {
  public:
    TStringList() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    // Raises EListError "List index out of bounds (%d)" for a bad index.
    const std::string& operator[](int index) const;
    std::string& operator[](int index);

    int Add(std::string line);
    void Insert(int index, std::string line);
    void Delete(int index);
    void Clear() { items_.clear(); }

    // Case-sensitivity applies to IndexOf, IndexOfName and Values; ASCII letters only, as the
    // program's names are ASCII.
    void SetCaseSensitive(bool value) { caseSensitive_ = value; }
    int IndexOf(std::string_view line) const;

    // The part of line `index` before the first "=", and the part after it.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    int IndexOfName(std::string_view name) const;
    std::string Values(std::string_view name) const;
    void SetValue(std::string_view name, std::string_view value);

    // All lines joined with line feeds, each line ended by one.
    std::string Text() const;
    // Splits on CR LF, LF or CR; a final line without an end is kept.
    void SetText(std::string_view text);

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    bool Same(std::string_view a, std::string_view b) const;
    void CheckIndex(int index, int limit) const;

    std::vector<std::string> items_;
    bool caseSensitive_ = false;
};

}  // namespace core
