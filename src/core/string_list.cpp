#include "core/string_list.h"

#include "core/exceptions.h"
#include "core/resource_strings.h"
#include "core/utf8.h"

namespace core {

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) throw EListError(strings::SListIndexError, {index});
}

const std::string& TStringList::operator[](int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)];
}

std::string& TStringList::operator[](int index) {
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)];
}

int TStringList::Add(std::string line) {
    items_.push_back(std::move(line));
    return Count() - 1;
}

void TStringList::Insert(int index, std::string line) {
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, std::move(line));
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
}

bool TStringList::Same(std::string_view a, std::string_view b) const {
    return caseSensitive_ ? a == b : SameTextAscii(a, b);
}

int TStringList::IndexOf(std::string_view line) const {
    for (int i = 0; i < Count(); ++i)
        if (Same(items_[static_cast<size_t>(i)], line)) return i;
    return -1;
}

std::string TStringList::Names(int index) const {
    const std::string& line = (*this)[index];
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int index) const {
    const std::string& line = (*this)[index];
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

int TStringList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& line = items_[static_cast<size_t>(i)];
        size_t eq = line.find('=');
        if (eq != std::string::npos && Same(std::string_view(line).substr(0, eq), name)) return i;
    }
    return -1;
}

std::string TStringList::Values(std::string_view name) const {
    int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStringList::SetValue(std::string_view name, std::string_view value) {
    std::string line = std::string(name) + "=" + std::string(value);
    int index = IndexOfName(name);
    if (index < 0)
        Add(std::move(line));
    else
        items_[static_cast<size_t>(index)] = std::move(line);
}

std::string TStringList::Text() const {
    std::string text;
    for (const auto& line : items_) {
        text += line;
        text += '\n';
    }
    return text;
}

void TStringList::SetText(std::string_view text) {
    items_.clear();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        items_.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) items_.emplace_back(text.substr(start));
}

}  // namespace core
