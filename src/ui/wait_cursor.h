#pragma once
// The hourglass for as long as the holder lives: long work on the user-interface thread shows
// it, and the previous cursor comes back however the work ends.
#include "platform/user/user.h"

namespace ui {

class TWaitCursor {
  public:
    TWaitCursor()
        : previous_(platform::SetCursor(platform::LoadCursor(nullptr, platform::IDC_WAIT))) {}
    ~TWaitCursor() { platform::SetCursor(previous_); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

  private:
    platform::HCURSOR previous_;
};

}  // namespace ui
