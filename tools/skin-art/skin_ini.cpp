#include "skin_ini.h"

#include "core/stream.h"
#include "core/string_list.h"

namespace art {

namespace {
// Digits and commas only, as the skin reader takes them.
std::vector<int> Numbers(const std::string& text) {
    std::vector<int> out(1, 0);
    for (char c : text) {
        if (c == ',')
            out.push_back(0);
        else if (c >= '0' && c <= '9')
            out.back() = out.back() * 10 + (c - '0');
    }
    return out;
}
}  // namespace

SkinIni::SkinIni(const std::string& path) {
    core::TMemoryStream stream;
    stream.LoadFromFile(path);
    core::TStringList lines;
    lines.SetText(std::string(stream.Bytes().begin(), stream.Bytes().end()));
    ini.SetStrings(lines);
}

Box SkinIni::Rect(const std::string& section, const std::string& key) const {
    std::vector<int> n = Numbers(ini.ReadString(section, key, "0,0,0,0"));
    n.resize(4, 0);
    return Box{n[0], n[1], n[2], n[3]};
}

std::pair<int, int> SkinIni::Point(const std::string& section, const std::string& key) const {
    std::vector<int> n = Numbers(ini.ReadString(section, key, "0,0"));
    n.resize(2, 0);
    return {n[0], n[1]};
}

int SkinIni::Int(const std::string& section, const std::string& key, int missing) const {
    return ini.ReadInteger(section, key, missing);
}

std::string SkinIni::Text(const std::string& section, const std::string& key) const {
    return ini.ReadString(section, key, "");
}

std::vector<std::pair<std::string, std::string>> SkinIni::Catalogue(
    const std::string& section) const {
    std::vector<std::pair<std::string, std::string>> out;
    int count = Int(section, "count", 0);
    for (int i = 0; i < count; ++i) {
        std::string value = Text(section, std::to_string(i));
        size_t colon = value.find(':');
        if (colon != std::string::npos)
            out.emplace_back(value.substr(0, colon), value.substr(colon + 1));
    }
    return out;
}

}  // namespace art
