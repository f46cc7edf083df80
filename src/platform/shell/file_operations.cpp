#include "platform/shell/file_operations.h"

#include <gio/gio.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace platform {

namespace {

struct ObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
using FilePtr = std::unique_ptr<GFile, ObjectUnref>;

struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using ErrorPtr = std::unique_ptr<GError, ErrorFree>;

}  // namespace

TrashResult MoveToTrash(const std::string& path) {
    FilePtr file(g_file_new_for_path(path.c_str()));
    GError* raw = nullptr;
    if (g_file_trash(file.get(), nullptr, &raw)) return {};
    ErrorPtr error(raw);
    // A volume without a trash: GIO says so, or (when it finds no trash folder to move the
    // item to) reports "not found" although the item is still there.
    std::error_code ignored;
    const bool stillThere = std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
    if (g_error_matches(error.get(), G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED) ||
        (stillThere && g_error_matches(error.get(), G_IO_ERROR, G_IO_ERROR_NOT_FOUND)))
        return {TrashOutcome::NoTrash, error->message};
    return {TrashOutcome::Failed, error->message};
}

FileOperationResult DeleteForGood(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(path, error);
    if (error) return {false, error.message()};
    return {};
}

ItemProperties ReadItemProperties(const std::string& path) {
    ItemProperties properties;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && ::lstat(path.c_str(), &info) != 0) {
        properties.error = std::strerror(errno);
        return properties;
    }
    properties.exists = true;
    properties.folder = S_ISDIR(info.st_mode);
    properties.size = properties.folder ? 0 : std::uint64_t(info.st_size);
    properties.modified = info.st_mtime;
    if (properties.folder) {
        std::error_code error;
        for (auto it = std::filesystem::directory_iterator(path, error);
             !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
            ++properties.itemCount;
        }
        if (error) properties.error = error.message();
    }
    return properties;
}

}  // namespace platform
