#include "platform/shell/shell_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>

#include "core/utf8.h"
#include "platform/shell/shell_places.h"

namespace platform {
namespace {

using shell_places::ItemKind;

bool IsHiddenName(std::string_view name) {
    return !name.empty() && name[0] == '.';
}

// Hands out records queued up front (virtual folders) and then those of a directory stream,
// read one entry at a time so a very large folder costs nothing until it is walked.
class Enumerator : public IEnumIDList {
  public:
    Enumerator(DWORD flags, std::string path, DIR* dir)
        : flags_(flags), path_(std::move(path)), dir_(dir) {}
    ~Enumerator() override {
        if (dir_ != nullptr) ::closedir(dir_);
    }
    void Queue(ItemKind kind, std::string name) { queued_.push_back({kind, std::move(name)}); }

    HRESULT Next(ULONG count, LPITEMIDLIST* lists, ULONG* fetched) override {
        if (lists == nullptr) return E_POINTER;
        ULONG got = 0;
        while (got < count) {
            auto record = NextRecord();
            if (!record) break;
            lists[got] = shell_places::EncodeRecord(record->kind, record->name);
            if (lists[got] == nullptr) break;
            ++got;
        }
        if (fetched != nullptr) *fetched = got;
        return got == count ? S_OK : S_FALSE;
    }

  private:
    std::optional<shell_places::Record> NextRecord() {
        if (!queued_.empty()) {
            auto record = std::move(queued_.front());
            queued_.pop_front();
            return record;
        }
        while (dir_ != nullptr) {
            const dirent* entry = ::readdir(dir_);
            if (entry == nullptr) break;
            const std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            if (IsHiddenName(name) && !(flags_ & SHCONTF_INCLUDEHIDDEN)) continue;
            const bool folder = IsFolderEntry(*entry);
            if (folder && !(flags_ & SHCONTF_FOLDERS)) continue;
            if (!folder && !(flags_ & SHCONTF_NONFOLDERS)) continue;
            return shell_places::Record{folder ? ItemKind::Folder : ItemKind::File, name};
        }
        return std::nullopt;
    }

    // Links count as what they point to; a broken link is a file.
    bool IsFolderEntry(const dirent& entry) const {
        if (entry.d_type == DT_DIR) return true;
        if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
        struct stat st {};
        const std::string full = (path_ == "/" ? "" : path_) + "/" + entry.d_name;
        return ::stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    DWORD flags_;
    std::string path_;
    DIR* dir_;
    std::deque<shell_places::Record> queued_;
};

enum class FolderKind { Desktop, Computer, Directory };

class NamespaceFolder : public IShellFolder {
  public:
    NamespaceFolder(FolderKind kind, ItemIdListPtr absolute, std::string path)
        : kind_(kind), absolute_(std::move(absolute)), path_(std::move(path)) {}

    HRESULT ParseDisplayName(HWND, void*, const char* name, ULONG* eaten, LPITEMIDLIST* list,
                             ULONG* attributes) override {
        if (name == nullptr || list == nullptr) return E_INVALIDARG;
        *list = nullptr;
        std::string full = name;
        if (kind_ == FolderKind::Directory && (full.empty() || full[0] != '/')) {
            full = (path_ == "/" ? "" : path_) + "/" + full;
        }
        if (kind_ == FolderKind::Computer || full.empty() || full[0] != '/') {
            return E_INVALIDARG;
        }
        ItemIdListPtr absolute(shell_places::ListOfPath(full));
        if (!absolute) return E_FILE_NOT_FOUND;
        // The result is relative to this folder, which must hold the path.
        const UINT own = ILGetCount(absolute_.get());
        LPCITEMIDLIST p = absolute.get();
        for (UINT i = 0; i < own; ++i) {
            if (kind_ == FolderKind::Directory && ILIsEmpty(p)) return E_INVALIDARG;
            p = ILGetNext(p);
        }
        if (kind_ == FolderKind::Directory) {
            ItemIdListPtr prefix(ILClone(absolute.get()));
            const UINT total = ILGetCount(absolute.get());
            for (UINT i = own; i < total; ++i) ILRemoveLastID(prefix.get());
            if (CompareLists(prefix.get(), absolute_.get()) != 0) return E_INVALIDARG;
        }
        *list = ILClone(p);
        if (eaten != nullptr) *eaten = static_cast<ULONG>(std::strlen(name));
        if (attributes != nullptr && *attributes != 0) {
            LPCITEMIDLIST one = *list;
            GetAttributesOf(1, &one, attributes);
        }
        return *list != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT EnumObjects(HWND, DWORD flags, std::unique_ptr<IEnumIDList>* out) override {
        if (out == nullptr) return E_POINTER;
        out->reset();
        DIR* dir = nullptr;
        if (kind_ != FolderKind::Computer) {
            dir = ::opendir(path_.c_str());
            if (dir == nullptr) return HResultFromErrno(errno);
        }
        auto enumerator = std::make_unique<Enumerator>(flags, path_, dir);
        if (kind_ == FolderKind::Desktop && (flags & SHCONTF_FOLDERS)) {
            enumerator->Queue(ItemKind::Computer, "Computer");
            enumerator->Queue(ItemKind::Home, "Home");
        }
        if (kind_ == FolderKind::Computer && (flags & SHCONTF_FOLDERS)) {
            for (const std::string& volume : shell_places::VolumePaths()) {
                enumerator->Queue(ItemKind::Volume, volume);
            }
        }
        *out = std::move(enumerator);
        return S_OK;
    }

    HRESULT BindToObject(LPCITEMIDLIST list, void*,
                         std::shared_ptr<IShellFolder>* folder) override {
        if (folder == nullptr) return E_POINTER;
        folder->reset();
        if (list == nullptr) return E_INVALIDARG;
        ItemIdListPtr absolute(ILCombine(absolute_.get(), list));
        return BindAbsolute(std::move(absolute), folder);
    }

    HRESULT CompareIDs(LPARAM, LPCITEMIDLIST a, LPCITEMIDLIST b) override {
        if (a == nullptr || b == nullptr) return E_INVALIDARG;
        return MAKE_COMPARE_RESULT(CompareLists(a, b));
    }

    HRESULT GetAttributesOf(UINT count, LPCITEMIDLIST* lists, ULONG* inOut) override {
        if (inOut == nullptr) return E_POINTER;
        if (count > 0 && lists == nullptr) return E_INVALIDARG;
        ULONG common = ~0u;
        for (UINT i = 0; i < count; ++i) common &= AttributesOf(lists[i]);
        *inOut &= common;
        return S_OK;
    }

    HRESULT GetDisplayNameOf(LPCITEMIDLIST list, DWORD flags, STRRET* name) override {
        if (list == nullptr || name == nullptr) return E_INVALIDARG;
        ItemIdListPtr absolute(ILCombine(absolute_.get(), list));
        if (flags & SHGDN_FORPARSING) {
            const LPCITEMIDLIST last = ILFindLastID(absolute.get());
            const auto record = shell_places::DecodeRecord(last);
            if (record && record->kind == ItemKind::Computer) {
                return SetWide(name, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
            }
            const auto path = shell_places::PathOf(absolute.get());
            if (!path) return E_INVALIDARG;
            return SetWide(name, *path);
        }
        if (ILIsEmpty(list)) return SetWide(name, ILIsEmpty(absolute_.get()) ? "Desktop" : "");
        const LPCITEMIDLIST last = ILFindLastID(list);
        const auto record = shell_places::DecodeRecord(last);
        if (!record) return E_INVALIDARG;
        std::string text = record->name;
        if (record->kind == ItemKind::Volume && text != "/")
            text = text.substr(text.rfind('/') + 1);
        if (last == list && core::IsValidUtf8(text) && text == record->name) {
            name->uType = STRRET_OFFSET;  // the name stands in the record itself
            name->uOffset = shell_places::kNameOffset;
            return S_OK;
        }
        return SetWide(name, shell_places::DisplayText(text));
    }

    HRESULT SetNameOf(HWND, LPCITEMIDLIST list, const char* newName, DWORD,
                      LPITEMIDLIST* newList) override {
        if (newList != nullptr) *newList = nullptr;
        if (list == nullptr || newName == nullptr) return E_INVALIDARG;
        const auto record = shell_places::DecodeRecord(ILFindLastID(list));
        const std::string name = newName;
        if (!record || (record->kind != ItemKind::Folder && record->kind != ItemKind::File) ||
            name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
            return E_INVALIDARG;
        }
        ItemIdListPtr absolute(ILCombine(absolute_.get(), list));
        const auto oldPath = shell_places::PathOf(absolute.get());
        if (!oldPath) return E_INVALIDARG;
        const std::string newPath = oldPath->substr(0, oldPath->rfind('/') + 1) + name;
        if (::renameat2(AT_FDCWD, oldPath->c_str(), AT_FDCWD, newPath.c_str(), RENAME_NOREPLACE) !=
            0) {
            return HResultFromErrno(errno);
        }
        if (newList != nullptr) {
            ItemIdListPtr parent(ILCloneParent(list));
            ItemIdListPtr renamed(shell_places::EncodeRecord(record->kind, name));
            *newList = ILCombine(parent.get(), renamed.get());
        }
        return S_OK;
    }

    static HRESULT BindAbsolute(ItemIdListPtr absolute, std::shared_ptr<IShellFolder>* folder) {
        if (ILIsEmpty(absolute.get())) {
            return SHGetDesktopFolder(folder);
        }
        const auto last = shell_places::DecodeRecord(ILFindLastID(absolute.get()));
        if (!last) return E_INVALIDARG;
        if (last->kind == ItemKind::Computer) {
            if (ILGetCount(absolute.get()) != 1) return E_INVALIDARG;
            *folder = std::make_shared<NamespaceFolder>(FolderKind::Computer, std::move(absolute),
                                                        std::string());
            return S_OK;
        }
        if (last->kind == ItemKind::File) return E_INVALIDARG;  // archives are not browsed
        const auto path = shell_places::PathOf(absolute.get());
        if (!path) return E_INVALIDARG;
        struct stat st {};
        if (::stat(path->c_str(), &st) != 0) return HResultFromErrno(errno);
        if (!S_ISDIR(st.st_mode)) return E_INVALIDARG;
        *folder =
            std::make_shared<NamespaceFolder>(FolderKind::Directory, std::move(absolute), *path);
        return S_OK;
    }

  private:
    static HRESULT SetWide(STRRET* name, const std::string& text) {
        auto* copy = static_cast<char*>(SHAlloc(text.size() + 1));
        if (copy == nullptr) return E_OUTOFMEMORY;
        std::memcpy(copy, text.c_str(), text.size() + 1);
        name->uType = STRRET_WSTR;
        name->pOleStr = copy;
        return S_OK;
    }

    // Virtual items first (Computer, Home, volumes), then folders and files by name without
    // regard to ASCII case, ties broken byte by byte so that distinct names never tie.
    static int CompareRecords(LPCITEMIDLIST a, LPCITEMIDLIST b) {
        const auto ra = shell_places::DecodeRecord(a);
        const auto rb = shell_places::DecodeRecord(b);
        if (!ra || !rb) {
            const std::string_view da = ILRecordData(a), db = ILRecordData(b);
            return da < db ? -1 : da > db ? 1 : 0;
        }
        const int ka = Rank(ra->kind), kb = Rank(rb->kind);
        if (ka != kb) return ka < kb ? -1 : 1;
        const int folded = ::strcasecmp(ra->name.c_str(), rb->name.c_str());
        if (folded != 0) return folded < 0 ? -1 : 1;
        const int exact = ra->name.compare(rb->name);
        return exact < 0 ? -1 : exact > 0 ? 1 : 0;
    }

    static int Rank(ItemKind kind) {
        switch (kind) {
            case ItemKind::Computer:
                return 0;
            case ItemKind::Home:
                return 1;
            case ItemKind::Volume:
                return 2;
            default:
                return 3;  // folders and files share one order by name
        }
    }

    static int CompareLists(LPCITEMIDLIST a, LPCITEMIDLIST b) {
        while (!ILIsEmpty(a) && !ILIsEmpty(b)) {
            const int order = CompareRecords(a, b);
            if (order != 0) return order;
            a = ILGetNext(a);
            b = ILGetNext(b);
        }
        return ILIsEmpty(a) ? (ILIsEmpty(b) ? 0 : -1) : 1;
    }

    ULONG AttributesOf(LPCITEMIDLIST list) const {
        if (list == nullptr) return 0;
        const auto record = shell_places::DecodeRecord(ILFindLastID(list));
        if (!record) return 0;
        constexpr ULONG kFolderBits = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR;
        switch (record->kind) {
            case ItemKind::Computer:
                return kFolderBits;
            case ItemKind::Home:
            case ItemKind::Volume:
                return kFolderBits | SFGAO_FILESYSTEM | SFGAO_HASPROPSHEET;
            default:
                break;
        }
        ULONG bits = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK |
                     SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_HASPROPSHEET;
        if (record->kind == ItemKind::Folder) bits |= kFolderBits;
        // The shell browses zip archives like folders; callers that want files check the name.
        if (record->kind == ItemKind::File && shell_places::IsZipName(record->name)) {
            bits |= SFGAO_FOLDER | SFGAO_STREAM;
        }
        if (IsHiddenName(record->name)) bits |= SFGAO_HIDDEN;
        ItemIdListPtr absolute(ILCombine(absolute_.get(), list));
        if (const auto path = shell_places::PathOf(absolute.get())) {
            struct stat st {};
            if (::lstat(path->c_str(), &st) == 0 && S_ISLNK(st.st_mode)) bits |= SFGAO_LINK;
            if (::access(path->c_str(), W_OK) != 0) bits |= SFGAO_READONLY;
        }
        return bits;
    }

    FolderKind kind_;
    ItemIdListPtr absolute_;
    std::string path_;
};

}  // namespace

HRESULT SHGetDesktopFolder(std::shared_ptr<IShellFolder>* folder) {
    if (folder == nullptr) return E_POINTER;
    ItemIdListPtr empty(ILCreateRecord({}));
    if (!empty) return E_OUTOFMEMORY;
    ILRemoveLastID(empty.get());
    *folder = std::make_shared<NamespaceFolder>(FolderKind::Desktop, std::move(empty),
                                                shell_places::DesktopPath());
    return S_OK;
}

HRESULT SHGetSpecialFolderLocation(HWND, int csidl, LPITEMIDLIST* list) {
    if (list == nullptr) return E_POINTER;
    *list = nullptr;
    const std::string home = shell_places::HomePath();
    std::string path;
    switch (csidl) {
        case CSIDL_DESKTOP: {
            *list = static_cast<LPITEMIDLIST>(SHAlloc(sizeof(USHORT)));
            return *list ? S_OK : E_OUTOFMEMORY;
        }
        case CSIDL_DRIVES:
            *list = shell_places::EncodeRecord(ItemKind::Computer, "Computer");
            return *list ? S_OK : E_OUTOFMEMORY;
        case CSIDL_PERSONAL:
            *list = shell_places::EncodeRecord(ItemKind::Home, "Home");
            return *list ? S_OK : E_OUTOFMEMORY;
        case CSIDL_DESKTOPDIRECTORY:
            path = shell_places::DesktopPath();
            break;
        case CSIDL_APPDATA:
            path = home + "/.config";
            break;
        case CSIDL_TEMPLATES:
            path = home + "/Templates";
            break;
        case CSIDL_FONTS:
            path = "/usr/share/fonts";
            break;
        default:
            return E_INVALIDARG;  // no such place on this system
    }
    *list = shell_places::ListOfPath(path);
    return *list ? S_OK : E_FILE_NOT_FOUND;
}

bool SHGetPathFromIDListEx(LPCITEMIDLIST list, std::string& path) {
    const auto found = shell_places::PathOf(list);
    if (!found) return false;
    path = *found;
    return true;
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST list, char* path) {
    if (path == nullptr) return FALSE;
    path[0] = '\0';
    std::string found;
    if (!SHGetPathFromIDListEx(list, found) || found.size() >= MAX_PATH) return FALSE;
    std::memcpy(path, found.c_str(), found.size() + 1);
    return TRUE;
}

std::string StrRetToString(STRRET& value, LPCITEMIDLIST list) {
    std::string text;
    switch (value.uType) {
        case STRRET_WSTR:
            if (value.pOleStr != nullptr) text = value.pOleStr;
            SHFree(value.pOleStr);
            value.pOleStr = nullptr;
            break;
        case STRRET_OFFSET:
            if (list != nullptr && value.uOffset < ILGetSize(list)) {
                const char* at = reinterpret_cast<const char*>(list) + value.uOffset;
                text.assign(at, ::strnlen(at, ILGetSize(list) - value.uOffset));
            }
            break;
        default:
            text.assign(value.cStr, ::strnlen(value.cStr, MAX_PATH));
            break;
    }
    return text;
}

namespace {

// The facility of result codes that carry an errno.
constexpr unsigned kFacilityErrno = 0x7E;

}  // namespace

HRESULT HResultFromErrno(int error) {
    switch (error) {
        case EACCES:
            return E_ACCESSDENIED;
        case ENOENT:
            return E_FILE_NOT_FOUND;
        case EEXIST:
            return E_ALREADY_EXISTS;
        case ENOMEM:
            return E_OUTOFMEMORY;
        default:
            if (error <= 0 || error > 0xFFFF) return E_FAIL;
            return static_cast<HRESULT>(0x80000000u | (kFacilityErrno << 16) | unsigned(error));
    }
}

int ErrnoFromHResult(HRESULT code) {
    switch (code) {
        case E_ACCESSDENIED:
            return EACCES;
        case E_FILE_NOT_FOUND:
            return ENOENT;
        case E_ALREADY_EXISTS:
            return EEXIST;
        case E_OUTOFMEMORY:
            return ENOMEM;
        default: {
            const auto bits = static_cast<unsigned>(code);
            if ((bits & 0xFFFF0000u) != (0x80000000u | (kFacilityErrno << 16))) return 0;
            return int(bits & 0xFFFFu);
        }
    }
}

}  // namespace platform
