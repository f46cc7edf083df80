#include "platform/thread/sync.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

namespace {

struct Event {
    std::mutex mutex;
    std::condition_variable changed;
    bool manualReset = false;
    bool signalled = false;
};

// Events live in a table keyed by handle value, so a stale or foreign handle is reported as a
// failure rather than dereferenced. shared_ptr keeps an event alive for a waiter while another
// thread closes the handle.
struct EventTable {
    std::mutex mutex;
    std::map<std::uintptr_t, std::shared_ptr<Event>> events;
    std::uintptr_t next = 0x7E000004;
};

EventTable& Events() {
    static EventTable table;
    return table;
}

std::shared_ptr<Event> Find(HANDLE handle) {
    EventTable& table = Events();
    std::lock_guard lock(table.mutex);
    auto it = table.events.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == table.events.end() ? nullptr : it->second;
}

}  // namespace

HANDLE CreateEvent(LPVOID, BOOL manualReset, BOOL initialState, LPCSTR) {
    auto event = std::make_shared<Event>();
    event->manualReset = manualReset != FALSE;
    event->signalled = initialState != FALSE;
    EventTable& table = Events();
    std::lock_guard lock(table.mutex);
    const std::uintptr_t value = table.next;
    table.next += 4;
    table.events[value] = std::move(event);
    return reinterpret_cast<HANDLE>(value);
}

BOOL SetEvent(HANDLE handle) {
    std::shared_ptr<Event> event = Find(handle);
    if (!event) return FALSE;
    {
        std::lock_guard lock(event->mutex);
        event->signalled = true;
    }
    if (event->manualReset) {
        event->changed.notify_all();
    } else {
        event->changed.notify_one();
    }
    return TRUE;
}

BOOL ResetEvent(HANDLE handle) {
    std::shared_ptr<Event> event = Find(handle);
    if (!event) return FALSE;
    std::lock_guard lock(event->mutex);
    event->signalled = false;
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    std::shared_ptr<Event> event = Find(handle);
    if (!event) return WAIT_FAILED;
    std::unique_lock lock(event->mutex);
    auto isSet = [&] { return event->signalled; };
    if (milliseconds == INFINITE) {
        event->changed.wait(lock, isSet);
    } else if (!event->changed.wait_for(lock, std::chrono::milliseconds(milliseconds), isSet)) {
        return WAIT_TIMEOUT;
    }
    if (!event->manualReset) event->signalled = false;
    return WAIT_OBJECT_0;
}

BOOL CloseHandle(HANDLE handle) {
    EventTable& table = Events();
    std::lock_guard lock(table.mutex);
    return table.events.erase(reinterpret_cast<std::uintptr_t>(handle)) == 1 ? TRUE : FALSE;
}

DWORD GetTickCount() {
    using namespace std::chrono;
    return DWORD(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

DWORD timeGetTime() {
    return GetTickCount();
}

void Sleep(DWORD milliseconds) {
    if (milliseconds == 0) {
        std::this_thread::yield();
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

}  // namespace platform
