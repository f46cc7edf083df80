#pragma once
// File information for an item: its icon in the system image lists, display and type names
// and attributes.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/shell/image_list.h"
#include "platform/shell/shlobj.h"

namespace platform {

inline constexpr UINT SHGFI_LARGEICON = 0x0000;
inline constexpr UINT SHGFI_SMALLICON = 0x0001;
inline constexpr UINT SHGFI_OPENICON = 0x0002;
inline constexpr UINT SHGFI_PIDL = 0x0008;
inline constexpr UINT SHGFI_DISPLAYNAME = 0x0200;
inline constexpr UINT SHGFI_TYPENAME = 0x0400;
inline constexpr UINT SHGFI_ATTRIBUTES = 0x0800;
inline constexpr UINT SHGFI_SYSICONINDEX = 0x4000;

struct SHFILEINFO {
    HICON hIcon = nullptr;
    int iIcon = 0;
    DWORD dwAttributes = 0;
    char szDisplayName[MAX_PATH] = {};
    char szTypeName[80] = {};
};

// `path` is a file-system path, or with SHGFI_PIDL an absolute item id list. With
// SHGFI_SYSICONINDEX the result is the system image list (small or large) that `iIcon`
// indexes; otherwise non-zero on success. A path that does not exist still gets the icon of a
// file (or of a volume for a drive-style root such as "C:\").
std::uintptr_t SHGetFileInfo(const char* path, DWORD fileAttributes, SHFILEINFO* info,
                             UINT infoSize, UINT flags);

// The type text of a file name: "Folder" for folders, else "<EXT> File" or "File".
std::string TypeNameOf(std::string_view name, bool folder);

}  // namespace platform
