#include "platform/host/sdl/x_error_guard.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <cstring>

namespace platform {
namespace {

XErrorHandler gPrevious = nullptr;

// SDL wakes an event loop that waits for X events by sending a client message to the window
// it waits on. When another thread wakes the loop just as the loop, woken by something else,
// destroys that window, the message reaches the server after the window is gone and the
// server answers BadWindow, which Xlib's default handler turns into exit(1). The loop is
// running by then and finds the wake-up's event in its queue, so nothing is lost by
// dropping the error.
int DropSendToGoneWindow(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return gPrevious != nullptr ? gPrevious(display, error) : 0;
}

}  // namespace

XErrorGuard::XErrorGuard() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "x11") != 0) return;
    gPrevious = XSetErrorHandler(DropSendToGoneWindow);
    installed_ = true;
}

XErrorGuard::~XErrorGuard() {
    if (installed_) XSetErrorHandler(gPrevious);
}

}  // namespace platform
