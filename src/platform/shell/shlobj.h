#pragma once
// The shell namespace's data types and constants, with the Windows names and values: item id
// lists, the string-return record, enumeration, display-name and attribute flags, and the
// special-folder identifiers. Strings are UTF-8.
#include <cstdint>

#include "platform/base/windef.h"
#include "platform/base/winerror.h"

namespace platform {

// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) and (ERROR_ALREADY_EXISTS).
inline constexpr HRESULT E_FILE_NOT_FOUND = static_cast<HRESULT>(0x80070002);
inline constexpr HRESULT E_ALREADY_EXISTS = static_cast<HRESULT>(0x800700B7);

// A success code carrying a 16-bit value, the way item comparisons return their order.
inline constexpr HRESULT MAKE_COMPARE_RESULT(int order) {
    return static_cast<HRESULT>(static_cast<std::uint16_t>(static_cast<std::int16_t>(order)));
}

// One record of an item id list: a 16-bit size that counts itself, then the data.
#pragma pack(push, 1)
struct SHITEMID {
    USHORT cb;
    BYTE abID[1];
};
struct ITEMIDLIST {
    SHITEMID mkid;
};
#pragma pack(pop)
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;

// A string handed back by a folder.
inline constexpr UINT STRRET_WSTR = 0;    // pOleStr, allocated with the task allocator
inline constexpr UINT STRRET_OFFSET = 1;  // uOffset bytes into the item id it describes
inline constexpr UINT STRRET_CSTR = 2;    // cStr, zero-terminated
inline constexpr int MAX_PATH = 260;
struct STRRET {
    UINT uType = STRRET_CSTR;
    union {
        char* pOleStr;
        UINT uOffset;
        char cStr[MAX_PATH];
    };
    STRRET() : cStr{} {}
};

// Enumeration flags.
inline constexpr DWORD SHCONTF_FOLDERS = 0x0020;
inline constexpr DWORD SHCONTF_NONFOLDERS = 0x0040;
inline constexpr DWORD SHCONTF_INCLUDEHIDDEN = 0x0080;

// Display-name forms.
inline constexpr DWORD SHGDN_NORMAL = 0x0000;
inline constexpr DWORD SHGDN_INFOLDER = 0x0001;
inline constexpr DWORD SHGDN_FORPARSING = 0x8000;

// Item attributes.
inline constexpr ULONG SFGAO_CANCOPY = 0x00000001;
inline constexpr ULONG SFGAO_CANMOVE = 0x00000002;
inline constexpr ULONG SFGAO_CANLINK = 0x00000004;
inline constexpr ULONG SFGAO_CANRENAME = 0x00000010;
inline constexpr ULONG SFGAO_CANDELETE = 0x00000020;
inline constexpr ULONG SFGAO_HASPROPSHEET = 0x00000040;
inline constexpr ULONG SFGAO_LINK = 0x00010000;
inline constexpr ULONG SFGAO_READONLY = 0x00040000;
inline constexpr ULONG SFGAO_HIDDEN = 0x00080000;
inline constexpr ULONG SFGAO_STREAM = 0x00400000;
inline constexpr ULONG SFGAO_FILESYSANCESTOR = 0x10000000;
inline constexpr ULONG SFGAO_FOLDER = 0x20000000;
inline constexpr ULONG SFGAO_FILESYSTEM = 0x40000000;
inline constexpr ULONG SFGAO_HASSUBFOLDER = 0x80000000;

// Special folders.
inline constexpr int CSIDL_DESKTOP = 0;
inline constexpr int CSIDL_INTERNET = 1;
inline constexpr int CSIDL_PROGRAMS = 2;
inline constexpr int CSIDL_CONTROLS = 3;
inline constexpr int CSIDL_PRINTERS = 4;
inline constexpr int CSIDL_PERSONAL = 5;
inline constexpr int CSIDL_FAVORITES = 6;
inline constexpr int CSIDL_STARTUP = 7;
inline constexpr int CSIDL_RECENT = 8;
inline constexpr int CSIDL_SENDTO = 9;
inline constexpr int CSIDL_BITBUCKET = 10;
inline constexpr int CSIDL_STARTMENU = 11;
inline constexpr int CSIDL_DESKTOPDIRECTORY = 16;
inline constexpr int CSIDL_DRIVES = 17;
inline constexpr int CSIDL_NETWORK = 18;
inline constexpr int CSIDL_FONTS = 20;
inline constexpr int CSIDL_TEMPLATES = 21;
inline constexpr int CSIDL_COMMON_STARTMENU = 22;
inline constexpr int CSIDL_COMMON_PROGRAMS = 23;
inline constexpr int CSIDL_COMMON_STARTUP = 24;
inline constexpr int CSIDL_COMMON_DESKTOPDIRECTORY = 25;
inline constexpr int CSIDL_APPDATA = 26;
inline constexpr int CSIDL_PRINTHOOD = 27;

}  // namespace platform
