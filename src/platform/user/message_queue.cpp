// The message queue and loop: posted messages, input, paint and timer messages in Windows'
// order of priority, and a wait that sleeps until the next input, posted message, worker call
// or timer (never polling).
#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>

#include "platform/host/virtual/virtual_host.h"
#include "platform/thread/main_thread_loop.h"
#include "platform/thread/sync.h"
#include "platform/thread/ui_thread.h"
#include "platform/user/input_internal.h"
#include "platform/user/queue_internal.h"
#include "platform/user/window.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// Windows never fires timers more often than this.
constexpr UINT kMinimumTimerInterval = 10;

struct Timer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    UINT interval = 0;
    TIMERPROC proc = nullptr;
    Clock::time_point due;
};

struct Queue {
    // Guarded by `mutex`: what other threads may touch.
    std::mutex mutex;
    std::deque<MSG> posted;
    bool quit = false;
    int quitCode = 0;
    bool mainKnown = false;
    std::thread::id mainId;

    // User-interface thread only.
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimer = 0x7F00;
    std::deque<HostEvent> raw;
    std::deque<MSG> input;
    DWORD lastTime = 0;
    POINT lastPos{0, 0};
};

Queue& TheQueue() {
    static Queue queue;
    return queue;
}

struct HostSlot {
    std::mutex mutex;
    std::unique_ptr<Host> host;
};

HostSlot& TheHost() {
    static HostSlot slot;
    return slot;
}

bool Matches(const MSG& msg, HWND filter, UINT first, UINT last) {
    if (filter != nullptr && msg.hwnd != filter && !IsChild(filter, msg.hwnd)) return false;
    if (first == 0 && last == 0) return true;
    return msg.message >= first && msg.message <= last;
}

bool InRange(UINT message, UINT first, UINT last) {
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

void Stamp(MSG& msg) {
    msg.time = QueueTime();
    msg.pt = CursorPosition();
}

// Moves every waiting host event into the raw input list; consecutive moves merge.
void DrainHost() {
    Queue& q = TheQueue();
    HostEvent event;
    while (CurrentHost().NextEvent(event, 0)) {
        if (event.type == HostEventType::MouseMove && !q.raw.empty() &&
            q.raw.back().type == HostEventType::MouseMove) {
            q.raw.back() = event;
        } else {
            q.raw.push_back(event);
        }
    }
}

bool TakePosted(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
    Queue& q = TheQueue();
    std::lock_guard lock(q.mutex);
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (!Matches(*it, filter, first, last)) continue;
        *msg = *it;
        if (remove) q.posted.erase(it);
        return true;
    }
    return false;
}

bool TakeInput(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
    Queue& q = TheQueue();
    for (;;) {
        for (auto it = q.input.begin(); it != q.input.end(); ++it) {
            if (!Matches(*it, filter, first, last)) continue;
            *msg = *it;
            if (remove) {
                q.input.erase(it);
                NoteRemovedInput(*msg);
            }
            return true;
        }
        if (q.raw.empty()) return false;
        const HostEvent event = q.raw.front();
        q.raw.pop_front();
        CookInput(event, q.input);
    }
}

bool TakeQuit(MSG* msg, UINT first, UINT last, bool remove) {
    Queue& q = TheQueue();
    std::lock_guard lock(q.mutex);
    if (!q.quit || !InRange(WM_QUIT, first, last)) return false;
    *msg = MSG{nullptr, WM_QUIT, WPARAM(q.quitCode), 0, 0, {0, 0}};
    if (remove) q.quit = false;
    return true;
}

bool TakeTimer(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
    if (!InRange(WM_TIMER, first, last)) return false;
    Queue& q = TheQueue();
    const Clock::time_point now = Clock::now();
    for (Timer& timer : q.timers) {
        if (timer.due > now) continue;
        if (filter != nullptr && timer.window != filter && !IsChild(filter, timer.window)) continue;
        *msg = MSG{timer.window,
                   WM_TIMER,
                   timer.id,
                   LPARAM(reinterpret_cast<std::uintptr_t>(timer.proc)),
                   0,
                   {0, 0}};
        if (remove) {
            // Keep the cadence; a timer that fell behind does not fire in bursts.
            timer.due += std::chrono::milliseconds(timer.interval);
            if (timer.due <= now) timer.due = now + std::chrono::milliseconds(timer.interval);
        }
        return true;
    }
    return false;
}

int MillisecondsToNextTimer() {
    Queue& q = TheQueue();
    if (q.timers.empty()) return -1;
    Clock::time_point next = q.timers.front().due;
    for (const Timer& timer : q.timers) next = std::min(next, timer.due);
    const auto wait =
        std::chrono::duration_cast<std::chrono::microseconds>(next - Clock::now()).count();
    if (wait <= 0) return 0;
    return int((wait + 999) / 1000);
}

bool Fetch(MSG* msg, HWND filter, UINT first, UINT last, UINT flags, bool wait) {
    NoteMainThread();
    const bool remove = (flags & PM_REMOVE) != 0;
    Queue& q = TheQueue();
    for (;;) {
        ServeMainThreadCalls();
        DrainHost();
        bool found = TakePosted(msg, filter, first, last, remove) ||
                     TakeInput(msg, filter, first, last, remove) ||
                     TakeQuit(msg, first, last, remove);
        if (!found && InRange(WM_PAINT, first, last)) {
            if (HWND paint = FindWindowToPaint();
                paint != nullptr &&
                (filter == nullptr || paint == filter || IsChild(filter, paint))) {
                *msg = MSG{paint, WM_PAINT, 0, 0, 0, {0, 0}};
                Stamp(*msg);
                found = true;
            }
        }
        if (!found && TakeTimer(msg, filter, first, last, remove)) {
            Stamp(*msg);
            found = true;
        }
        if (found) {
            if (remove) {
                q.lastTime = msg->time;
                q.lastPos = msg->pt;
            }
            return true;
        }
        PresentWindows();
        if (!wait) return false;
        if (HasMainThreadCalls()) continue;
        HostEvent event;
        if (CurrentHost().NextEvent(event, MillisecondsToNextTimer())) q.raw.push_back(event);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void SetHost(std::unique_ptr<Host> host) {
    InstallWindowDcHooks();
    HostSlot& slot = TheHost();
    std::lock_guard lock(slot.mutex);
    slot.host = std::move(host);
    if (slot.host) {
        // GetSystemMetrics answers from the drawing services' copy of the screen.
        const HostRect screen = slot.host->ScreenBounds();
        const HostRect work = slot.host->WorkArea();
        SetScreenSize(screen.Width(), screen.Height());
        SetWorkArea(RECT{work.left, work.top, work.right, work.bottom});
    }
}

Host& CurrentHost() {
    HostSlot& slot = TheHost();
    std::lock_guard lock(slot.mutex);
    if (!slot.host) {
        slot.host = std::make_unique<VirtualHost>();
        const HostRect screen = slot.host->ScreenBounds();
        const HostRect work = slot.host->WorkArea();
        SetScreenSize(screen.Width(), screen.Height());
        SetWorkArea(RECT{work.left, work.top, work.right, work.bottom});
    }
    return *slot.host;
}

void NoteMainThread() {
    Queue& q = TheQueue();
    std::lock_guard lock(q.mutex);
    if (!q.mainKnown) {
        q.mainKnown = true;
        q.mainId = std::this_thread::get_id();
    }
}

bool MainThreadKnown() {
    Queue& q = TheQueue();
    std::lock_guard lock(q.mutex);
    return q.mainKnown;
}

std::thread::id MainThreadId() {
    Queue& q = TheQueue();
    std::lock_guard lock(q.mutex);
    return q.mainKnown ? q.mainId : std::thread::id();
}

void WakeMessageLoop() {
    CurrentHost().Wake();
}

DWORD QueueTime() {
    return GetTickCount();
}

namespace {

// This queue's loop, as the thread services below the window layer reach it.
class WindowMessageLoop final : public MainThreadLoop {
  public:
    bool MainThreadKnown() override { return platform::MainThreadKnown(); }
    std::thread::id MainThreadId() override { return platform::MainThreadId(); }
    void Wake() override { WakeMessageLoop(); }
    bool DispatchWaitingMessages() override {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        return true;
    }
};

WindowMessageLoop windowMessageLoop;

// Installed when the program starts. It lives in this file because every program that has a
// window or reads a message links it; the thread services' own slot is constant-initialised,
// so the order of the files' start-up does not matter.
[[maybe_unused]] const bool windowMessageLoopInstalled =
    (InstallMainThreadLoop(&windowMessageLoop), true);

}  // namespace

void PostInternal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Queue& q = TheQueue();
    MSG msg{window, message, wParam, lParam, QueueTime(), CursorPosition()};
    {
        std::lock_guard lock(q.mutex);
        q.posted.push_back(msg);
    }
}

void PurgeWindowMessages(HWND window) {
    Queue& q = TheQueue();
    {
        std::lock_guard lock(q.mutex);
        q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(),
                                      [&](const MSG& m) { return m.hwnd == window; }),
                       q.posted.end());
    }
    q.input.erase(std::remove_if(q.input.begin(), q.input.end(),
                                 [&](const MSG& m) { return m.hwnd == window; }),
                  q.input.end());
}

void KillWindowTimers(HWND window) {
    auto& timers = TheQueue().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const Timer& t) { return t.window == window; }),
                 timers.end());
}

void ResetQueue() {
    Queue& q = TheQueue();
    {
        std::lock_guard lock(q.mutex);
        q.posted.clear();
        q.quit = false;
        q.mainKnown = false;
    }
    q.timers.clear();
    q.input.clear();
    q.raw.clear();
    HostEvent event;
    while (CurrentHost().NextEvent(event, 0)) {
    }
    ResetInputState();
}

// ---------------------------------------------------------------------------------------------

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool fromMain = !MainThreadKnown() || IsMainThread();
    // Other threads cannot look at the window table; a stale handle is dropped at dispatch.
    if (fromMain && window != nullptr && FromHandle(window) == nullptr) return FALSE;
    PostInternal(window, message, wParam, lParam);
    if (!fromMain) WakeMessageLoop();
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    Queue& q = TheQueue();
    {
        std::lock_guard lock(q.mutex);
        q.quit = true;
        q.quitCode = exitCode;
    }
    if (MainThreadKnown() && !IsMainThread()) WakeMessageLoop();
}

BOOL GetMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
    if (msg == nullptr) return FALSE;
    Fetch(msg, window, filterMin, filterMax, PM_REMOVE, true);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (msg == nullptr) return FALSE;
    return Fetch(msg, window, filterMin, filterMax, removeFlags, false) ? TRUE : FALSE;
}

BOOL WaitMessage() {
    MSG msg;
    Fetch(&msg, nullptr, 0, 0, PM_NOREMOVE, true);
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    // Printable text arrives from the host's text input (keyboard layouts and input methods);
    // keys produce only the control characters.
    unsigned ch = 0;
    const int key = int(msg->wParam);
    const bool control = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
    if (key == VK_BACK || key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE) {
        ch = unsigned(key == VK_RETURN ? '\r' : key);
    } else if (control && key >= 'A' && key <= 'Z') {
        ch = unsigned(key - 'A' + 1);
    }
    if (ch != 0) {
        Queue& q = TheQueue();
        MSG charMsg{msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR,
                    ch,        msg->lParam,
                    msg->time, msg->pt};
        std::lock_guard lock(q.mutex);
        q.posted.push_front(charMsg);
    }
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg == nullptr) return 0;
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        auto proc = reinterpret_cast<TIMERPROC>(static_cast<std::uintptr_t>(msg->lParam));
        const auto& timers = TheQueue().timers;
        const bool live = std::any_of(timers.begin(), timers.end(), [&](const Timer& t) {
            return t.window == msg->hwnd && t.id == msg->wParam && t.proc == proc;
        });
        if (live) proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    Window* window = FromHandle(msg->hwnd);
    if (window == nullptr) return 0;
    return CallWindowProc(window->proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetMessageTime() {
    return TheQueue().lastTime;
}

DWORD GetMessagePos() {
    const POINT p = TheQueue().lastPos;
    return DWORD(MAKELPARAM(p.x, p.y));
}

BOOL InSendMessage() {
    return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Timers

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    NoteMainThread();
    if (window != nullptr && LiveWindow(window) == nullptr) return 0;
    Queue& q = TheQueue();
    const UINT interval = std::clamp<UINT>(elapseMs, kMinimumTimerInterval, 0x7FFFFFFF);
    if (window == nullptr) {
        const bool known = std::any_of(q.timers.begin(), q.timers.end(), [&](const Timer& t) {
            return t.window == nullptr && t.id == id && id != 0;
        });
        if (!known) id = q.nextThreadTimer++;
    }
    const Clock::time_point due = Clock::now() + std::chrono::milliseconds(interval);
    for (Timer& timer : q.timers) {
        if (timer.window == window && timer.id == id) {
            timer.interval = interval;
            timer.proc = proc;
            timer.due = due;
            return id == 0 ? 1 : id;
        }
    }
    q.timers.push_back(Timer{window, id, interval, proc, due});
    return id == 0 ? 1 : id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    auto& timers = TheQueue().timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer& t) { return t.window == window && t.id == id; });
    if (it == timers.end()) return FALSE;
    timers.erase(it);
    return TRUE;
}

}  // namespace platform
