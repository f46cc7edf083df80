#pragma once
// The shell namespace over the file system. The desktop is the namespace's root (its files
// are those of ~/Desktop, or of the home folder when there is none); below it stand
// "Computer", whose children are the volumes ("/" and the mounted media), and "Home". Folders
// are reached through `IShellFolder`, items through item id lists relative to their folder.
#include <memory>
#include <string>

#include "platform/shell/item_id_list.h"
#include "platform/shell/shlobj.h"

namespace platform {

class IEnumIDList {
  public:
    virtual ~IEnumIDList() = default;
    // Up to `count` relative lists; S_FALSE when fewer than asked remained.
    virtual HRESULT Next(ULONG count, LPITEMIDLIST* lists, ULONG* fetched) = 0;
};

class IShellFolder {
  public:
    virtual ~IShellFolder() = default;
    // `name` is a path relative to this folder (for the desktop: an absolute path); the result
    // is relative to this folder.
    virtual HRESULT ParseDisplayName(HWND owner, void* bindContext, const char* name, ULONG* eaten,
                                     LPITEMIDLIST* list, ULONG* attributes) = 0;
    virtual HRESULT EnumObjects(HWND owner, DWORD flags,
                                std::unique_ptr<IEnumIDList>* enumerator) = 0;
    virtual HRESULT BindToObject(LPCITEMIDLIST list, void* bindContext,
                                 std::shared_ptr<IShellFolder>* folder) = 0;
    // The order of two items in the low 16 bits of a success code (signed); `column` 0 is the
    // name.
    virtual HRESULT CompareIDs(LPARAM column, LPCITEMIDLIST a, LPCITEMIDLIST b) = 0;
    // `inOut` holds the attributes asked for and receives those all the items have.
    virtual HRESULT GetAttributesOf(UINT count, LPCITEMIDLIST* lists, ULONG* inOut) = 0;
    virtual HRESULT GetDisplayNameOf(LPCITEMIDLIST list, DWORD flags, STRRET* name) = 0;
    virtual HRESULT SetNameOf(HWND owner, LPCITEMIDLIST list, const char* name, DWORD flags,
                              LPITEMIDLIST* newList) = 0;
};

HRESULT SHGetDesktopFolder(std::shared_ptr<IShellFolder>* folder);
HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, LPITEMIDLIST* list);
// The file-system path of an absolute list into a buffer of MAX_PATH; FALSE when there is
// none or it does not fit.
BOOL SHGetPathFromIDList(LPCITEMIDLIST list, char* path);
// The same without the length limit; false when the item has no file-system path.
bool SHGetPathFromIDListEx(LPCITEMIDLIST list, std::string& path);

// The text of a string a folder handed back for `list`; frees a task-allocated string.
std::string StrRetToString(STRRET& value, LPCITEMIDLIST list);

// A failing file-system call's errno as the result code folders return: the codes above for
// the errors they name, any other errno in the low word of a facility of its own.
HRESULT HResultFromErrno(int error);
// The errno a folder's result code stands for; 0 when it stands for none.
int ErrnoFromHResult(HRESULT code);

}  // namespace platform
