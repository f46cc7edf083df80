#pragma once
// Which of the files dropped on the window is opened.
#include <string>

#include "platform/user/user.h"

namespace app {

// The first dropped name that is not a folder (empty when only folders were dropped). Frees
// the drop: WM_DROPFILES hands it over to its receiver.
std::string FirstDroppedFile(platform::HDROP drop);

}  // namespace app
