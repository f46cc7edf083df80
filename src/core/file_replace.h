#pragma once
// Writing a file so that a failure never destroys what was there: the bytes go to a
// temporary file beside the target, which then replaces the target in one step. Symbolic
// links are written through (the file they name is replaced, the links stay), the old file's
// permissions are kept, and where the folder allows no new file but the file itself may be
// written, the file is overwritten in place.
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// Raises EFCreateError "Cannot create file "%s". %s" naming `fileName` (full path) when the
// file cannot be written; the existing file, if any, is left untouched then.
void WriteFileReplacing(const std::string& fileName, const std::vector<uint8_t>& bytes);

}  // namespace core
