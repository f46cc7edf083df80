#pragma once

namespace platform {

// While it lives, an X error that only says a wake-up went to a window already gone is
// dropped instead of ending the program (see x_error_guard.cpp); every other X error goes to
// the handler that was there before. Does nothing when SDL does not run on X.
class XErrorGuard {
  public:
    XErrorGuard();
    ~XErrorGuard();
    XErrorGuard(const XErrorGuard&) = delete;
    XErrorGuard& operator=(const XErrorGuard&) = delete;

  private:
    bool installed_ = false;
};

}  // namespace platform
