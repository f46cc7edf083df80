#pragma once
// The single-line edit's letter-case styles: the edit converts all text it takes (typed,
// pasted, set or given at creation) to upper or lower case.
#include "platform/base/windef.h"

namespace platform {

inline constexpr DWORD ES_UPPERCASE = 0x0008;
inline constexpr DWORD ES_LOWERCASE = 0x0010;

}  // namespace platform
