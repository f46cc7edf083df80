#include "core/ini_file.h"

#include "core/convert.h"
#include "core/utf8.h"

namespace core {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

void TMemIniFile::Clear() {
    sections_.clear();
    index_.clear();
}

void TMemIniFile::SetStrings(const TStringList& lines) {
    Clear();
    Section* current = nullptr;
    for (const std::string& raw : lines) {
        std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &AddSection(Trim(line.substr(1, line.size() - 2)));
            continue;
        }
        if (current == nullptr) continue;
        Entry entry;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            entry.key = std::string(line);
        } else {
            entry.key = std::string(Trim(line.substr(0, eq)));
            entry.value = std::string(Trim(line.substr(eq + 1)));
            entry.hasValue = true;
        }
        current->entries.push_back(std::move(entry));
    }
}

void TMemIniFile::SetText(std::string_view text) {
    TStringList lines;
    lines.SetText(text);
    SetStrings(lines);
}

TStringList TMemIniFile::GetStrings() const {
    TStringList lines;
    for (size_t i = 0; i < sections_.size(); ++i) {
        if (i > 0) lines.Add("");
        lines.Add("[" + sections_[i].name + "]");
        for (const Entry& e : sections_[i].entries)
            lines.Add(e.hasValue ? e.key + "=" + e.value : e.key);
    }
    return lines;
}

const TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name) const {
    auto it = index_.find(LowerCaseAscii(name));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

TMemIniFile::Section& TMemIniFile::AddSection(std::string_view name) {
    std::string key = LowerCaseAscii(name);
    auto it = index_.find(key);
    if (it != index_.end()) return sections_[it->second];
    index_.emplace(std::move(key), sections_.size());
    sections_.push_back(Section{std::string(name), {}});
    return sections_.back();
}

void TMemIniFile::Reindex() {
    index_.clear();
    for (size_t i = 0; i < sections_.size(); ++i)
        index_.emplace(LowerCaseAscii(sections_[i].name), i);
}

const TMemIniFile::Entry* TMemIniFile::FindEntry(std::string_view section,
                                                 std::string_view key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return nullptr;
    for (const Entry& e : s->entries)
        if (SameTextAscii(e.key, key)) return &e;
    return nullptr;
}

bool TMemIniFile::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool TMemIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return FindEntry(section, key) != nullptr;
}

std::vector<std::string> TMemIniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) names.push_back(s.name);
    return names;
}

std::vector<std::string> TMemIniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries) keys.push_back(e.key);
    return keys;
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    const Entry* e = FindEntry(section, key);
    return e == nullptr ? std::string(defaultValue) : e->value;
}

int32_t TMemIniFile::ReadInteger(std::string_view section, std::string_view key,
                                 int32_t defaultValue) const {
    const Entry* e = FindEntry(section, key);
    if (e == nullptr) return defaultValue;
    return TryStrToInt(e->value).value_or(defaultValue);
}

void TMemIniFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    Section& s = AddSection(section);
    for (Entry& e : s.entries) {
        if (SameTextAscii(e.key, key)) {
            e.value = std::string(value);
            e.hasValue = true;
            return;
        }
    }
    s.entries.push_back(Entry{std::string(key), std::string(value), true});
}

void TMemIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TMemIniFile::EraseSection(std::string_view section) {
    auto it = index_.find(LowerCaseAscii(section));
    if (it == index_.end()) return;
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
    Reindex();
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view key) {
    auto it = index_.find(LowerCaseAscii(section));
    if (it == index_.end()) return;
    auto& entries = sections_[it->second].entries;
    for (auto e = entries.begin(); e != entries.end(); ++e) {
        if (SameTextAscii(e->key, key)) {
            entries.erase(e);
            return;
        }
    }
}

}  // namespace core
