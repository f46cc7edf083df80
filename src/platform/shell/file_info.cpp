#include "platform/shell/file_info.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "platform/shell/shell_folder.h"
#include "platform/shell/shell_places.h"

namespace platform {
namespace {

using shell_places::ItemKind;

struct ItemFacts {
    int icon = kIconFile;
    bool folder = false;
    std::string name;  // display text
    ULONG attributes = 0;
};

void CopyText(char* out, std::size_t size, const std::string& text) {
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

bool LooksLikeDriveRoot(std::string_view path) {
    return path.size() >= 2 && path.size() <= 3 &&
           std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           (path.size() == 2 || path[2] == '\\' || path[2] == '/');
}

ItemFacts FactsOfList(LPCITEMIDLIST list, bool open) {
    ItemFacts facts;
    if (ILIsEmpty(list)) {
        facts.icon = kIconDesktop;
        facts.folder = true;
        facts.name = "Desktop";
        facts.attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR;
        return facts;
    }
    std::shared_ptr<IShellFolder> desktop;
    if (SUCCEEDED(SHGetDesktopFolder(&desktop))) {
        STRRET name;
        if (SUCCEEDED(desktop->GetDisplayNameOf(list, SHGDN_NORMAL, &name))) {
            facts.name = StrRetToString(name, ILFindLastID(list));
        }
        ULONG attributes = ~0u;
        if (SUCCEEDED(desktop->GetAttributesOf(1, &list, &attributes))) {
            facts.attributes = attributes;
        }
    }
    const auto record = shell_places::DecodeRecord(ILFindLastID(list));
    if (!record) return facts;
    switch (record->kind) {
        case ItemKind::Computer:
            facts.icon = kIconComputer;
            facts.folder = true;
            break;
        case ItemKind::Home:
            facts.icon = kIconHome;
            facts.folder = true;
            break;
        case ItemKind::Volume:
            facts.icon = kIconVolume;
            facts.folder = true;
            break;
        case ItemKind::Folder:
            facts.icon = open ? kIconFolderOpen : kIconFolder;
            facts.folder = true;
            break;
        case ItemKind::File:
            facts.icon = shell_places::IsZipName(record->name) ? kIconArchive : kIconFile;
            break;
    }
    return facts;
}

ItemFacts FactsOfPath(const char* path, bool open) {
    ItemFacts facts;
    const std::string_view text(path);
    facts.name = shell_places::DisplayText(text.substr(text.rfind('/') + 1));
    struct stat st {};
    if (::stat(path, &st) == 0 && S_ISDIR(st.st_mode)) {
        facts.icon = text == "/" ? kIconVolume : (open ? kIconFolderOpen : kIconFolder);
        facts.folder = true;
        facts.attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM;
    } else if (LooksLikeDriveRoot(text)) {
        facts.icon = kIconVolume;
        facts.folder = true;
    } else {
        facts.icon = shell_places::IsZipName(text) ? kIconArchive : kIconFile;
        facts.attributes = SFGAO_FILESYSTEM;
    }
    return facts;
}

}  // namespace

std::string TypeNameOf(std::string_view name, bool folder) {
    if (folder) return "Folder";
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) return "File";
    std::string ext(name.substr(dot + 1));
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext + " File";
}

std::uintptr_t SHGetFileInfo(const char* path, DWORD, SHFILEINFO* info, UINT infoSize, UINT flags) {
    if (path == nullptr) return 0;
    if (info != nullptr && infoSize < sizeof(SHFILEINFO)) return 0;
    const bool open = (flags & SHGFI_OPENICON) != 0;
    const ItemFacts facts = (flags & SHGFI_PIDL)
                                ? FactsOfList(reinterpret_cast<LPCITEMIDLIST>(path), open)
                                : FactsOfPath(path, open);
    if (info != nullptr) {
        info->hIcon = nullptr;
        info->iIcon = facts.icon;
        if (flags & SHGFI_ATTRIBUTES) info->dwAttributes = facts.attributes;
        if (flags & SHGFI_DISPLAYNAME) {
            CopyText(info->szDisplayName, sizeof info->szDisplayName, facts.name);
        }
        if (flags & SHGFI_TYPENAME) {
            CopyText(info->szTypeName, sizeof info->szTypeName,
                     TypeNameOf(facts.name, facts.folder));
        }
    }
    if (flags & SHGFI_SYSICONINDEX) {
        return reinterpret_cast<std::uintptr_t>(SystemImageList((flags & SHGFI_SMALLICON) != 0));
    }
    return 1;
}

}  // namespace platform
