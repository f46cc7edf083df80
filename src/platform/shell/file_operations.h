#pragma once
// What the file list does to the items it shows, with the system's own error texts: moving
// an item to the desktop's trash, deleting it for good, and what a properties box tells
// about it. (Renaming goes through the item's folder.)
#include <cstdint>
#include <ctime>
#include <string>

namespace platform {

struct FileOperationResult {
    bool ok = true;
    std::string error;  // the system's text when not ok
};

enum class TrashOutcome { Trashed, NoTrash, Failed };

struct TrashResult {
    TrashOutcome outcome = TrashOutcome::Trashed;
    std::string error;  // the system's text when Failed
};

// Moves a file or folder to the trash; NoTrash when the item's volume has no trash.
TrashResult MoveToTrash(const std::string& path);
// Removes a file, or a folder with everything in it.
FileOperationResult DeleteForGood(const std::string& path);

struct ItemProperties {
    bool exists = false;
    bool folder = false;
    std::uint64_t size = 0;  // bytes of a file
    std::time_t modified = 0;
    int itemCount = 0;  // entries of a folder
    std::string error;  // the system's text when it could not be read
};
ItemProperties ReadItemProperties(const std::string& path);

}  // namespace platform
