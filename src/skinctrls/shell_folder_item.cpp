#include "skinctrls/shell_folder_item.h"

#include <sys/stat.h>

#include <strings.h>
#include <cctype>
#include <cstdio>

#include "platform/shell/file_info.h"

namespace skinctrls {

using namespace platform;

namespace {

struct RootName {
    const char* name;
    int csidl;
};

constexpr RootName kRootNames[] = {
    {"rfDesktop", 0},
    {"rfMyComputer", 17},
    {"rfNetwork", 18},
    {"rfRecycleBin", 10},
    {"rfAppData", 26},
    {"rfCommonDesktopDirectory", 25},
    {"rfCommonPrograms", 23},
    {"rfCommonStartMenu", 22},
    {"rfCommonStartup", 24},
    {"rfControlPanel", 3},
    {"rfDesktopDirectory", 16},
    {"rfFavorites", 6},
    {"rfFonts", 20},
    {"rfInternet", 1},
    {"rfPersonal", 5},
    {"rfPrinters", 4},
    {"rfPrintHood", 27},
    {"rfPrograms", 2},
    {"rfRecent", 8},
    {"rfSendTo", 9},
    {"rfStartMenu", 11},
    {"rfStartup", 7},
    {"rfTemplates", 21},
};

std::string OleMessage(HRESULT result) {
    switch (result) {
        case E_ACCESSDENIED:
            return "Access is denied";
        case E_FILE_NOT_FOUND:
            return "The system cannot find the file specified";
        case E_ALREADY_EXISTS:
            return "Cannot create a file when that file already exists";
        case E_INVALIDARG:
            return "The parameter is incorrect";
        case E_OUTOFMEMORY:
            return "Not enough storage is available to complete this operation";
        case E_NOTIMPL:
            return "Not implemented";
        default:
            return "Unspecified error";
    }
}

std::string FormatSize(std::int64_t bytes) {
    const std::int64_t kb = (bytes + 1023) / 1024;
    return std::to_string(kb) + " KB";
}

std::string FormatTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
    return text;
}

}  // namespace

void OleCheck(HRESULT result) {
    if (FAILED(result)) throw EOleSysError(OleMessage(result));
}

std::shared_ptr<IShellFolder> DesktopFolder() {
    std::shared_ptr<IShellFolder> desktop;
    OleCheck(SHGetDesktopFolder(&desktop));
    return desktop;
}

std::string StrRetText(STRRET& value, LPCITEMIDLIST list) {
    std::string text = StrRetToString(value, list);
    if (text.size() > 1 && text[0] == '?' && std::isdigit(static_cast<unsigned char>(text[1]))) {
        std::erase(text, '?');
    }
    return text;
}

TbsShellFolder::TbsShellFolder(TbsShellFolder* parent, LPCITEMIDLIST id,
                               std::shared_ptr<IShellFolder> folder)
    : parent_(parent), relative_(ILClone(id)), folder_(std::move(folder)) {
    if (!relative_) throw core::EOutOfMemory("Out of memory");
    absolute_.reset(parent_ ? ILCombine(parent_->AbsoluteID(), id) : ILClone(id));
    for (TbsShellFolder* p = parent_; p != nullptr; p = p->parent_) ++level_;
}

IShellFolder& TbsShellFolder::ShellFolder() {
    if (!folder_) {
        auto desktop = DesktopFolder();
        bindResult_ = S_OK;
        if (!ILIsEmpty(absolute_.get())) {
            bindResult_ = desktop->BindToObject(absolute_.get(), nullptr, &folder_);
            if (SUCCEEDED(bindResult_) && !folder_) bindResult_ = E_FAIL;
        }
        if (FAILED(bindResult_) || !folder_) folder_ = desktop;
    }
    return *folder_;
}

IShellFolder& TbsShellFolder::ParentShellFolder() {
    if (parent_ != nullptr) return parent_->ShellFolder();
    if (!desktop_) desktop_ = DesktopFolder();
    return *desktop_;
}

std::string TbsShellFolder::ItemDisplayName() {
    STRRET name;
    const LPCITEMIDLIST id = parent_ ? relative_.get() : absolute_.get();
    if (FAILED(ParentShellFolder().GetDisplayNameOf(id, SHGDN_INFOLDER, &name))) return {};
    return StrRetText(name, ILIsEmpty(id) ? id : ILFindLastID(id));
}

std::string TbsShellFolder::ItemParsingName() {
    STRRET name;
    if (FAILED(DesktopFolder()->GetDisplayNameOf(absolute_.get(), SHGDN_FORPARSING, &name))) {
        return {};
    }
    return StrRetText(name, absolute_.get());
}

std::string TbsShellFolder::ItemFileSystemPath() const {
    std::string path;
    return SHGetPathFromIDListEx(absolute_.get(), path) ? path : std::string();
}

ULONG TbsShellFolder::Capabilities() {
    ULONG bits = SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_HASPROPSHEET | SFGAO_FILESYSTEM |
                 SFGAO_FOLDER | SFGAO_LINK | SFGAO_HIDDEN | SFGAO_READONLY | SFGAO_STREAM;
    LPCITEMIDLIST id = parent_ ? relative_.get() : absolute_.get();
    if (FAILED(ParentShellFolder().GetAttributesOf(1, &id, &bits))) return 0;
    return bits;
}

bool TbsShellFolder::ItemIsFolder() {
    if (isFolder_ < 0) isFolder_ = ComputeIsFolder() ? 1 : 0;  // sorting asks many times
    return isFolder_ == 1;
}

bool TbsShellFolder::ComputeIsFolder() {
    if (ILIsEmpty(absolute_.get())) return true;  // the desktop
    if (!(Capabilities() & SFGAO_FOLDER)) return false;
    std::string ext = ItemFileSystemPath();
    ext = ext.size() >= 4 ? ext.substr(ext.size() - 4) : std::string();
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext != ".ZIP";
}

int TbsShellFolder::ImageIndex(bool large, bool open) const {
    SHFILEINFO info;
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
    if (open) flags |= SHGFI_OPENICON;
    SHGetFileInfo(reinterpret_cast<const char*>(absolute_.get()), 0, &info, sizeof info, flags);
    return info.iIcon;
}

void TbsShellFolder::LoadColumnDetails(int columnCount) {
    details_.assign(std::max(columnCount, 1), std::string());
    details_[0] = ItemDisplayName();
    const bool folder = ItemIsFolder();
    const std::string path = ItemFileSystemPath();
    struct stat st {};
    const bool found = !path.empty() && ::stat(path.c_str(), &st) == 0;
    fileSize_ = folder || !found ? -1 : static_cast<std::int64_t>(st.st_size);
    lastWrite_ = found ? st.st_mtime : 0;
    if (columnCount > dcSize && fileSize_ >= 0) details_[dcSize] = FormatSize(fileSize_);
    if (columnCount > dcType) details_[dcType] = TypeNameOf(details_[0], folder);
    if (columnCount > dcModified && found) details_[dcModified] = FormatTime(lastWrite_);
    detailsLoaded_ = true;
}

const std::string& TbsShellFolder::Details(int column) {
    if (!detailsLoaded_) {
        throw core::EInvalidOperation("%s: Missing call to LoadColumnDetails", {ItemDisplayName()});
    }
    static const std::string kNone;
    if (column < 0 || column >= static_cast<int>(details_.size())) return kNone;
    return details_[column];
}

void TbsShellFolder::Rename(const std::string& newName) {
    if (!(Capabilities() & SFGAO_CANRENAME)) return;
    LPITEMIDLIST renamed = nullptr;
    const LPCITEMIDLIST id = parent_ ? relative_.get() : absolute_.get();
    const HRESULT result =
        ParentShellFolder().SetNameOf(nullptr, id, newName.c_str(), SHGDN_INFOLDER, &renamed);
    if (FAILED(result) || renamed == nullptr) {
        // The file system's own reason, where it gave one, tells the user what to do.
        const std::string reason = core::SysErrorMessage(ErrnoFromHResult(result));
        if (reason.empty()) throw core::Exception("Rename to %s failed", {newName});
        throw core::Exception("Rename to %s failed: %s", {newName, reason});
    }
    ItemIdListPtr newId(renamed);
    if (parent_ != nullptr) {
        // The shell hands back the new relative list.
        absolute_.reset(ILCombine(parent_->AbsoluteID(), newId.get()));
        relative_ = std::move(newId);
    } else {
        absolute_.reset(ILClone(newId.get()));
        relative_ = std::move(newId);
    }
    folder_.reset();
    isFolder_ = -1;
    detailsLoaded_ = false;
}

int RootFolderCsidl(const std::string& text) {
    for (const RootName& root : kRootNames) {
        if (::strcasecmp(root.name, text.c_str()) == 0) return root.csidl;
    }
    return -1;
}

bool SameRoot(const std::string& a, const std::string& b) {
    if (RootFolderCsidl(a) >= 0 || RootFolderCsidl(b) >= 0) {
        return ::strcasecmp(a.c_str(), b.c_str()) == 0;
    }
    return a == b;
}

ItemIdListPtr CreateRootFolder(const std::string& text) {
    std::string root = text;
    LPITEMIDLIST list = nullptr;
    HRESULT result = E_INVALIDARG;
    const int csidl = RootFolderCsidl(root);
    if (csidl >= 0) {
        result = SHGetSpecialFolderLocation(nullptr, csidl, &list);
    } else if (!root.empty()) {
        if (root.back() == ':') root += '\\';
        result = DesktopFolder()->ParseDisplayName(nullptr, nullptr, root.c_str(), nullptr, &list,
                                                   nullptr);
    }
    if (FAILED(result) || list == nullptr) {
        SHFree(list);
        throw core::Exception("Error setting path: \"%s\"", {root});
    }
    return ItemIdListPtr(list);
}

int DefaultCompare(IShellFolder& folder, TbsShellFolder& a, TbsShellFolder& b) {
    const bool fa = a.ItemIsFolder(), fb = b.ItemIsFolder();
    if (fa != fb) return fa ? -1 : 1;
    const HRESULT result = folder.CompareIDs(0, a.RelativeID(), b.RelativeID());
    return static_cast<std::int16_t>(result & 0xFFFF);
}

}  // namespace skinctrls
