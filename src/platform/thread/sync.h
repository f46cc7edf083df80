// Events, waits and time, with their Windows names. Event handles are valid in every thread.
#pragma once

#include "platform/base/windef.h"

namespace platform {

// Wait limits and results.
inline constexpr DWORD INFINITE = 0xFFFFFFFFu;
inline constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
inline constexpr DWORD WAIT_TIMEOUT = 0x00000102;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;

// Manual-reset events stay set until ResetEvent; auto-reset events release one waiter and
// clear themselves. The name and security attributes are not supported (pass nullptr).
HANDLE CreateEvent(LPVOID attributes, BOOL manualReset, BOOL initialState, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
// WAIT_OBJECT_0 when the event is set, WAIT_TIMEOUT after `milliseconds` (INFINITE waits
// without limit), WAIT_FAILED for a handle that is not a live event.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL CloseHandle(HANDLE handle);

// Milliseconds since an arbitrary start, wrapping at 2^32, from a monotonic clock.
DWORD GetTickCount();
DWORD timeGetTime();
void Sleep(DWORD milliseconds);

}  // namespace platform
