#pragma once
// The file list's name filter: a mask of patterns separated by ";" or "|", each matched under
// the file-mask rules.
#include <string>
#include <string_view>

namespace skinctrls {

// "*" any run, "?" one character, "[a-z]" / "[!abc]" a set; ASCII letters match without
// regard to case, other characters exactly.
bool MatchesFileMask(std::string_view name, std::string_view pattern);

// True when `fileName` passes one of the mask's patterns: a pattern that contains "." and
// matches, or the pattern "*". Patterns without "." (other than "*") and empty ones never pass.
bool MaskMatches(std::string_view mask, std::string_view fileName);

}  // namespace skinctrls
