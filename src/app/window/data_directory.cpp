#include "app/window/data_directory.h"

#include <system_error>

namespace app {

namespace {
constexpr const char* kDataFolder = "share/tembrin-ico";
constexpr int kLevelsSearched = 3;
}  // namespace

std::filesystem::path ExecutableDirectory() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

std::filesystem::path DataDirectory(const std::filesystem::path& executableDirectory) {
    const std::filesystem::path prefix = executableDirectory.parent_path();
    std::filesystem::path folder = prefix;
    for (int level = 0; level < kLevelsSearched && !folder.empty(); ++level) {
        std::error_code error;
        if (std::filesystem::is_directory(folder / kDataFolder, error)) return folder / kDataFolder;
        if (folder == folder.parent_path()) break;
        folder = folder.parent_path();
    }
    return prefix / kDataFolder;
}

const std::filesystem::path& ProgramDataDirectory() {
    static const std::filesystem::path directory = DataDirectory(ExecutableDirectory());
    return directory;
}

}  // namespace app
