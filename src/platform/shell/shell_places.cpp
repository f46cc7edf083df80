#include "platform/shell/shell_places.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/utf8.h"

namespace platform::shell_places {
namespace {

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// /proc/mounts writes blanks and backslashes in paths as octal escapes.
std::string UnescapeMountPath(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string octal = field.substr(i + 1, 3);
            if (octal.size() == 3 && octal.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(octal, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool IsMediaMount(const std::string& path) {
    for (const char* prefix : {"/media/", "/mnt/", "/run/media/"}) {
        if (path.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

// Splits an absolute path into its names, dropping "." and empty parts and resolving ".."
// by name; nothing when the path climbs above the root.
std::optional<std::vector<std::string>> SplitPath(std::string_view path) {
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= path.size()) {
        size_t end = path.find('/', at);
        if (end == std::string_view::npos) end = path.size();
        std::string part(path.substr(at, end - at));
        if (part == "..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(std::move(part));
        }
        at = end + 1;
    }
    return parts;
}

std::string JoinPath(const std::vector<std::string>& parts, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i) out += "/" + parts[i];
    return out.empty() ? "/" : out;
}

}  // namespace

std::optional<Record> DecodeRecord(LPCITEMIDLIST record) {
    const std::string_view data = ILRecordData(record);
    if (data.size() < 2 || data.back() != '\0') return std::nullopt;
    const auto kind = static_cast<ItemKind>(static_cast<BYTE>(data[0]));
    switch (kind) {
        case ItemKind::Computer:
        case ItemKind::Home:
        case ItemKind::Volume:
        case ItemKind::Folder:
        case ItemKind::File:
            break;
        default:
            return std::nullopt;
    }
    std::string name(data.substr(1, data.size() - 2));
    if (name.find('\0') != std::string::npos) return std::nullopt;
    if ((kind == ItemKind::Folder || kind == ItemKind::File) &&
        (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")) {
        return std::nullopt;  // a name that would step out of its folder
    }
    if (kind == ItemKind::Volume && (name.empty() || name[0] != '/')) return std::nullopt;
    return Record{kind, std::move(name)};
}

LPITEMIDLIST EncodeRecord(ItemKind kind, std::string_view name) {
    std::string data;
    data += static_cast<char>(kind);
    data += name;
    data += '\0';
    return ILCreateRecord(data);
}

std::string HomePath() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/' && IsDirectory(home)) return home;
    return "/";
}

std::string DesktopPath() {
    const std::string home = HomePath();
    const std::string desktop = (home == "/" ? "" : home) + "/Desktop";
    return IsDirectory(desktop) ? desktop : home;
}

std::vector<std::string> VolumePaths() {
    std::vector<std::string> volumes{"/"};
    std::ifstream mounts("/proc/mounts");
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint;
        if (!(fields >> device >> mountPoint)) continue;
        mountPoint = UnescapeMountPath(mountPoint);
        if (IsMediaMount(mountPoint) && IsDirectory(mountPoint)) volumes.push_back(mountPoint);
    }
    return volumes;
}

std::optional<std::string> PathOf(LPCITEMIDLIST absolute) {
    if (absolute == nullptr) return std::nullopt;
    std::string path = DesktopPath();
    bool fileSystem = true;
    for (LPCITEMIDLIST p = absolute; !ILIsEmpty(p); p = ILGetNext(p)) {
        const auto record = DecodeRecord(p);
        if (!record) return std::nullopt;
        switch (record->kind) {
            case ItemKind::Computer:
                if (p != absolute) return std::nullopt;
                fileSystem = false;
                break;
            case ItemKind::Home:
                if (p != absolute) return std::nullopt;
                path = HomePath();
                break;
            case ItemKind::Volume:
                if (fileSystem) return std::nullopt;  // volumes live under Computer only
                path = record->name;
                fileSystem = true;
                break;
            case ItemKind::Folder:
            case ItemKind::File:
                if (!fileSystem) return std::nullopt;
                path = (path == "/" ? "" : path) + "/" + record->name;
                break;
        }
    }
    if (!fileSystem) return std::nullopt;
    return path;
}

LPITEMIDLIST ListOfPath(std::string_view path) {
    if (path.empty() || path[0] != '/') return nullptr;
    const auto parts = SplitPath(path);
    if (!parts) return nullptr;
    const std::string full = JoinPath(*parts, parts->size());
    if (!Exists(full)) return nullptr;
    // The volume is the longest mount point that holds the path.
    std::string volume = "/";
    size_t volumeDepth = 0;
    for (const std::string& v : VolumePaths()) {
        const auto vparts = SplitPath(v);
        if (!vparts || vparts->size() <= volumeDepth || vparts->size() > parts->size()) continue;
        if (std::equal(vparts->begin(), vparts->end(), parts->begin())) {
            volume = v;
            volumeDepth = vparts->size();
        }
    }
    ItemIdListPtr list(EncodeRecord(ItemKind::Computer, "Computer"));
    ItemIdListPtr volumeRecord(EncodeRecord(ItemKind::Volume, volume));
    list.reset(ILCombine(list.get(), volumeRecord.get()));
    for (size_t i = volumeDepth; i < parts->size() && list; ++i) {
        const bool last = i + 1 == parts->size();
        const ItemKind kind =
            !last || IsDirectory(JoinPath(*parts, i + 1)) ? ItemKind::Folder : ItemKind::File;
        ItemIdListPtr record(EncodeRecord(kind, (*parts)[i]));
        list.reset(ILCombine(list.get(), record.get()));
    }
    return list.release();
}

bool IsZipName(std::string_view name) {
    if (name.size() < 4) return false;
    std::string ext(name.substr(name.size() - 4));
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext == ".ZIP";
}

std::string DisplayText(std::string_view raw) {
    if (core::IsValidUtf8(raw)) return std::string(raw);
    std::string out;
    size_t at = 0;
    while (at < raw.size()) core::AppendCodePoint(out, core::NextCodePoint(raw, at));
    return out;
}

}  // namespace platform::shell_places
