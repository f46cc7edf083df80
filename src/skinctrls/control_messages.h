#pragma once
// Messages the skinned controls send one another.
#include "platform/user/winuser.h"
#include "ui/control.h"

namespace skinctrls {

// Sent by a control to its children when its stretched background changed.
inline constexpr platform::UINT WM_PARENTBACKGROUNDCHANGED = platform::WM_USER + 260;
}  // namespace skinctrls
