#pragma once
// The in-memory INI object the skin description is parsed into.
//
// Grammar: every line is trimmed of blanks and control characters; empty lines and lines
// starting with ";" are skipped; "[name]" opens a section (lines before the first section are
// ignored); inside a section "key=value" is an entry split at the first "=", and a line without
// "=" is a key with no value. Section and key names match without regard to the case of ASCII
// letters; values come back exactly as written. A repeated section header continues the first
// section of that name, and of two equal keys the first one answers.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/string_list.h"

namespace core {

class TMemIniFile {
  public:
    TMemIniFile() = default;
    explicit TMemIniFile(const TStringList& lines) { SetStrings(lines); }

    // Replaces the content with the parsed lines.
    void SetStrings(const TStringList& lines);
    void SetText(std::string_view text);
    // The content as lines: each section as "[name]" and its entries, sections separated by an
    // empty line.
    TStringList GetStrings() const;
    void Clear();

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> ReadSections() const;
    // The keys of a section in the order written.
    std::vector<std::string> ReadSection(std::string_view section) const;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // The value as an integer (decimal, "0x", "0X" or "$" hexadecimal); the default when the
    // key is missing or its value is not a number.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

  private:
    struct Entry {
        std::string key;
        std::string value;
        bool hasValue = false;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    const Section* FindSection(std::string_view name) const;
    Section& AddSection(std::string_view name);
    const Entry* FindEntry(std::string_view section, std::string_view key) const;
    void Reindex();

    std::vector<Section> sections_;
    // Lower-cased section name to its index in sections_.
    std::unordered_map<std::string, size_t> index_;
};

}  // namespace core
