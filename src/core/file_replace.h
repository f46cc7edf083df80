#pragma once
// Writing a file so that a failure never destroys what was there: the bytes go to a
// temporary file beside the target, which then replaces the target in one step.
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// Raises EFCreateError "Cannot create file "%s". %s" naming `fileName` (full path) when the
// file cannot be written; the existing file, if any, is left untouched then.
void WriteFileReplacing(const std::string& fileName, const std::vector<uint8_t>& bytes);

}  // namespace core
