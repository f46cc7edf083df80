// Input routing internals: raw host events become window messages when the queue reads them.
#pragma once

#include <deque>

#include "platform/host/host.h"
#include "platform/user/winuser.h"

namespace platform {

// Turns one host event into the messages it stands for (possibly none): hit testing, mouse
// activation, cursor shape, parent notification and double clicks happen here, at the time
// the queue reaches the event, as on Windows.
void CookInput(const HostEvent& event, std::deque<MSG>& out);
// Updates the key state GetKeyState reports when a key or button message leaves the queue.
void NoteRemovedInput(const MSG& msg);
// A drop of files: WM_DROPFILES for the window that accepts them (drop_files.cpp).
void CookDrop(const HostEvent& event, std::deque<MSG>& out);
void ResetDrops();
POINT CursorPosition();
void ResetInputState();

}  // namespace platform
