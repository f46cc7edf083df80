#include <sys/resource.h>

#include <chrono>

#include "platform/thread/sync.h"
#include "platform/user/user_fixture.h"

namespace platform::testing {
namespace {

using Timers = UserTest;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// How late timers fire is measured in bench/platform/user (BM_TimerLateness): on a loaded
// machine only the order and the lower bounds hold.
TEST_F(Timers, TimersFireInOrderAndNeverEarlyWhileTheLoopSleeps) {
    HWND w = TopLevel(0, 0, 10, 10);
    std::vector<DWORD> ticks;
    TheRecorder().handler = [&](HWND, UINT m, WPARAM id, LPARAM, LRESULT&) {
        if (m == WM_TIMER && id == 7) {
            ticks.push_back(GetTickCount());
            if (ticks.size() == 5) PostQuitMessage(0);
        }
        return false;
    };
    const DWORD start = GetTickCount();
    ASSERT_EQ(SetTimer(w, 7, 60, nullptr), 7u);
    const double cpuBefore = CpuSeconds();
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
    const double cpuUsed = CpuSeconds() - cpuBefore;
    ASSERT_EQ(ticks.size(), 5u);
    for (size_t i = 0; i < ticks.size(); ++i) {
        // A tick is due on the 60 ms grid from SetTimer; the clock reads whole milliseconds.
        EXPECT_GE(ticks[i] + 1, start + DWORD(60 * (i + 1))) << "tick " << i << " early";
        if (i > 0) {
            EXPECT_GT(ticks[i], ticks[i - 1]) << "tick " << i;
        }
    }
    // Waiting sleeps: five wake-ups cost a sliver of processor time, however long they took.
    EXPECT_LT(cpuUsed, 0.05);
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_TRUE(KillTimer(w, 7));
    EXPECT_FALSE(KillTimer(w, 7));
}

void CALLBACKProc(HWND, UINT, UINT_PTR, DWORD);
int gProcCalls = 0;
void CALLBACKProc(HWND, UINT message, UINT_PTR, DWORD) {
    if (message == WM_TIMER) ++gProcCalls;
}

TEST_F(Timers, TimerProceduresAndKilledTimersAndDestroyedWindows) {
    gProcCalls = 0;
    const UINT_PTR id = SetTimer(nullptr, 0, 10, CALLBACKProc);
    ASSERT_NE(id, 0u);
    Sleep(25);
    Pump();
    EXPECT_EQ(gProcCalls, 1);  // a late timer fires once, not once per missed period
    KillTimer(nullptr, id);
    Sleep(25);
    Pump();
    EXPECT_EQ(gProcCalls, 1);

    HWND w = TopLevel(0, 0, 10, 10);
    SetTimer(w, 1, 10, nullptr);
    DestroyWindow(w);
    EXPECT_FALSE(KillTimer(w, 1));  // destroying the window ended its timers
    EXPECT_EQ(SetTimer(w, 1, 10, nullptr), 0u);
}

TEST_F(Timers, PostedMessagesComeBeforeInputPaintAndTimers) {
    HWND w = TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    Pump();
    SetTimer(w, 3, 10, nullptr);
    Sleep(20);
    InvalidateRect(w, nullptr, FALSE);
    host_->MouseMove(50, 50);
    PostMessage(w, WM_USER + 5, 0, 0);
    std::vector<UINT> order;
    MSG msg;
    while (order.size() < 4 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_USER + 5 || msg.message == WM_MOUSEMOVE || msg.message == WM_PAINT ||
            msg.message == WM_TIMER) {
            order.push_back(msg.message);
        }
        DispatchMessage(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 5, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
}

}  // namespace
}  // namespace platform::testing
