#pragma once
// One item of the shell namespace as the folder controls hold it: its parent, its id lists,
// names, flags, icon and the detail texts shown in the file list's columns.
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "core/exceptions.h"
#include "platform/shell/shell_folder.h"

namespace skinctrls {

// A failing shell call's error.
class EOleSysError : public core::Exception {
  public:
    using Exception::Exception;
    const char* ClassName() const override { return "EOleSysError"; }
};

// Raises EOleSysError for a failure code.
void OleCheck(platform::HRESULT result);

// The desktop folder (raises when the shell cannot give it).
std::shared_ptr<platform::IShellFolder> DesktopFolder();

// Text of a string a folder handed back: when it has more than one character, starts with
// "?" and has a digit second, every "?" is removed.
std::string StrRetText(platform::STRRET& value, platform::LPCITEMIDLIST list);

// Detail columns of the file-system fallback.
enum TbsDetailColumn : int { dcName = 0, dcSize = 1, dcType = 2, dcModified = 3 };
inline constexpr int kFileSystemColumns = 4;

class TbsShellFolder {
  public:
    // `id` is relative to the parent (or absolute for an item without parent) and is copied.
    // `folder` is the item's own folder interface when the caller has it already.
    TbsShellFolder(TbsShellFolder* parent, platform::LPCITEMIDLIST id,
                   std::shared_ptr<platform::IShellFolder> folder = nullptr);

    TbsShellFolder* Parent() const { return parent_; }
    platform::LPCITEMIDLIST RelativeID() const { return relative_.get(); }
    platform::LPCITEMIDLIST AbsoluteID() const { return absolute_.get(); }
    int Level() const { return level_; }
    // The item's folder interface, bound on first use; the desktop's when binding fails.
    platform::IShellFolder& ShellFolder();
    // S_OK, or the error of binding the item's own folder (the desktop stood in for it).
    platform::HRESULT BindResult() const { return bindResult_; }
    // The folder that holds the item (the desktop for items without parent).
    platform::IShellFolder& ParentShellFolder();

    std::string ItemDisplayName();
    std::string ItemParsingName();
    std::string ItemFileSystemPath() const;
    // Folder attribute from the parent, except zip archives, which count as files.
    bool ItemIsFolder();
    platform::ULONG Capabilities();
    int ImageIndex(bool large, bool open = false) const;

    // Fills the detail texts (name, size, type, modified) from the file system.
    void LoadColumnDetails(int columnCount);
    bool DetailsLoaded() const { return detailsLoaded_; }
    // Raises "%s: Missing call to LoadColumnDetails" when the details were not loaded.
    const std::string& Details(int column);
    // Raw values behind the size and modified columns (size -1 for folders).
    std::int64_t FileSize() const { return fileSize_; }
    std::time_t LastWriteTime() const { return lastWrite_; }

    // Renames the item through its parent folder; raises "Rename to %s failed" on refusal,
    // followed by the file system's reason when it gave one.
    void Rename(const std::string& newName);

  private:
    bool ComputeIsFolder();

    TbsShellFolder* parent_;
    platform::ItemIdListPtr relative_;
    platform::ItemIdListPtr absolute_;
    std::shared_ptr<platform::IShellFolder> folder_;
    std::shared_ptr<platform::IShellFolder> desktop_;  // parent of items without parent
    platform::HRESULT bindResult_ = platform::S_OK;
    int isFolder_ = -1;  // unknown until first asked
    int level_ = 0;
    bool detailsLoaded_ = false;
    std::vector<std::string> details_;
    std::int64_t fileSize_ = -1;
    std::time_t lastWrite_ = 0;
};

// Roots of the folder controls: a `TRootFolder` name ("rfDesktop", "rfMyComputer", ...)
// or a path. Returns the CSIDL of a name, or -1 for a path.
int RootFolderCsidl(const std::string& text);
// Whether two root texts name the same root: names of `TRootFolder` without regard to case,
// paths exactly (folder names differ by case on this system).
bool SameRoot(const std::string& a, const std::string& b);
// The absolute list of a root; raises "Error setting path: \"%s\"" with the text as used
// (a path ending in ":" gets a "\" appended first).
platform::ItemIdListPtr CreateRootFolder(const std::string& text);

// The default order of two items in `folder`: folders first, then the folder's comparison on
// column 0 (the signed low 16 bits of its result).
int DefaultCompare(platform::IShellFolder& folder, TbsShellFolder& a, TbsShellFolder& b);

}  // namespace skinctrls
