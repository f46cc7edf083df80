#pragma once
// Where the namespace's places are on this machine and how an item is written into one
// record of an item id list: a kind byte, then the name, then a zero byte.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell/item_id_list.h"

namespace platform::shell_places {

enum class ItemKind : BYTE {
    Computer = 0x1F,  // the root of the volumes
    Home = 0x1E,      // the user's home folder
    Volume = 0x2F,    // a mounted volume; the name is its absolute path
    Folder = 0x31,
    File = 0x32,
};

struct Record {
    ItemKind kind;
    std::string name;  // raw file-name bytes
};

// Decodes one record; nothing for a record that is not one of ours.
std::optional<Record> DecodeRecord(LPCITEMIDLIST record);
LPITEMIDLIST EncodeRecord(ItemKind kind, std::string_view name);
// Offset of the name inside an encoded record (for strings returned by offset).
inline constexpr UINT kNameOffset = sizeof(USHORT) + 1;

std::string HomePath();
// ~/Desktop when it is a folder, else the home folder.
std::string DesktopPath();
// "/" first, then the mount points of removable and extra media, in mount order.
std::vector<std::string> VolumePaths();

// Where an absolute list points in the file system; nothing for the desktop's virtual items
// ("Computer") or lists that are not ours. The desktop itself maps to DesktopPath().
std::optional<std::string> PathOf(LPCITEMIDLIST absolute);
// The absolute list of an existing absolute path, through its volume; null when the path is
// not absolute or does not exist.
LPITEMIDLIST ListOfPath(std::string_view path);

bool IsZipName(std::string_view name);
// Display text of raw file-name bytes: invalid UTF-8 becomes U+FFFD.
std::string DisplayText(std::string_view raw);

}  // namespace platform::shell_places
