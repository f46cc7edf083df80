// The message queue's internals shared with the thread services and the modal loops.
#pragma once

#include <thread>

#include "platform/user/winuser.h"

namespace platform {

// The user-interface thread: noted by the first window creation or message read.
void NoteMainThread();
bool MainThreadKnown();
std::thread::id MainThreadId();
// Ends a wait for messages; safe from any thread.
void WakeMessageLoop();

// Drops posted messages and timers of a window that is going away.
void PurgeWindowMessages(HWND window);
void KillWindowTimers(HWND window);
void ResetQueue();

// Posts a message at the back of the posted queue without checking the window.
void PostInternal(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Milliseconds on the queue's clock (the value of MSG::time).
DWORD QueueTime();

}  // namespace platform
