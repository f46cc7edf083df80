#pragma once
// Where the program's run-time files (the banner page) live: share/tembrin-ico beside the
// folder that holds the executable, the same layout in an installed prefix and in a build
// folder, so that neither a source nor a build path is compiled into the program.
#include <filesystem>

namespace app {

// The folder of the running executable (empty when the system cannot tell).
std::filesystem::path ExecutableDirectory();

// The nearest share/tembrin-ico at or above the parent of `executableDirectory`, at most
// three levels up: prefix/bin -> prefix/share/tembrin-ico once installed,
// build/src/app -> build/share/tembrin-ico in a build folder. When none exists, the place an
// installed program would use, so that a missing file shows as such.
std::filesystem::path DataDirectory(const std::filesystem::path& executableDirectory);

// DataDirectory of the running executable.
const std::filesystem::path& ProgramDataDirectory();

}  // namespace app
