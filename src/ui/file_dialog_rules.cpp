#include "ui/file_dialog_rules.h"

namespace ui {

namespace {

constexpr char kSeparator = '/';

}  // namespace

TFilterList ParseFilter(const std::string& filter) {
    TFilterList list;
    size_t pos = 0;
    while (pos < filter.size()) {
        size_t bar = filter.find('|', pos);
        if (bar == std::string::npos) break;  // a description without a mask
        std::string description = filter.substr(pos, bar - pos);
        size_t next = filter.find('|', bar + 1);
        std::string mask =
            filter.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1);
        list.descriptions.push_back(description);
        list.masks.push_back(mask);
        if (next == std::string::npos) break;
        pos = next + 1;
    }
    return list;
}

std::string ExtractFileName(const std::string& path) {
    size_t slash = path.rfind(kSeparator);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFilePath(const std::string& path) {
    size_t slash = path.rfind(kSeparator);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileExt(const std::string& path) {
    std::string name = ExtractFileName(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string IncludeTrailingSeparator(const std::string& folder) {
    if (!folder.empty() && folder.back() == kSeparator) return folder;
    return folder + kSeparator;
}

std::string FilterDefaultExtension(const std::string& mask) {
    if (mask.find(".*") != std::string::npos) return {};
    std::string first = mask.substr(0, mask.find(';'));
    return ExtractFileExt(first);
}

std::optional<std::string> AcceptFileName(const TAcceptContext& c) {
    const std::string folder = IncludeTrailingSeparator(c.folder);
    const std::string& edit = c.editText;
    // A full path typed into the edit stands for itself.
    const bool absolute = !edit.empty() && edit.front() == kSeparator;
    const std::string plain = absolute ? edit : folder + edit;
    std::string named = plain;
    if (ExtractFileExt(plain).empty()) {
        named += c.defaultExt.empty() ? FilterDefaultExtension(c.filterMask) : "." + c.defaultExt;
    }
    auto exists = [&](const std::string& path) { return c.fileExists && c.fileExists(path); };

    if (!c.saveMode && c.checkFileExists && c.selectedPath.empty() && !edit.empty() &&
        !exists(named))
        return std::nullopt;
    if (edit.empty()) return std::nullopt;
    if (c.saveMode) {
        if (plain.find('*') != std::string::npos) return std::nullopt;
        if (c.overwritePrompt && exists(named)) {
            if (c.confirmOverwrite && c.confirmOverwrite()) return plain;
            return std::nullopt;
        }
        return plain;
    }
    std::string result = c.selectedPath.empty() ? named : c.selectedPath;
    if (c.checkFileExists && !exists(result)) return std::nullopt;
    return result;
}

std::string AcceptedFileName(const std::string& resultName, bool saveMode, const std::string& mask,
                             const std::string& defaultExt) {
    std::string name = resultName;
    if (!saveMode) return name;
    if (mask.find(".*") == std::string::npos && ExtractFileExt(name).empty())
        name += FilterDefaultExtension(mask);
    if (ExtractFileExt(name).empty() && !defaultExt.empty()) name += "." + defaultExt;
    return name;
}

}  // namespace ui
