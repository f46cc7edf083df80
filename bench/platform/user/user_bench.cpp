// The message loop's round trip, a full repaint of a window the size of the main window, and
// how late a timer fires while the loop sleeps in GetMessage.
#include <benchmark/benchmark.h>

#include "platform/host/virtual/virtual_host.h"
#include "platform/thread/sync.h"
#include "platform/user/user.h"

namespace platform {
namespace {

LRESULT CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) return 0;
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        HBRUSH brush = CreateSolidBrush(RGB(0x40, 0x80, LONG_PTR(window) & 0xFF));
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

void Setup() {
    ResetWindowServices();
    SetHost(std::make_unique<VirtualHost>(1024, 768));
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = CountingProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_BTNFACE + 1));
    wc.lpszClassName = "Bench";
    RegisterClassEx(&wc);
}

void Drain() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

void BM_PostAndDispatch(benchmark::State& state) {
    Setup();
    HWND w =
        CreateWindowEx(0, "Bench", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    for (auto _ : state) {
        PostMessage(w, WM_USER, 1, 2);
        PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
        DispatchMessage(&msg);
    }
    ResetWindowServices();
}
BENCHMARK(BM_PostAndDispatch);

// 468 x 482 client, 20 children in a 5 x 4 grid, invalidated whole and repainted, presented.
void BM_FullRepaint(benchmark::State& state) {
    Setup();
    HWND top = CreateWindowEx(0, "Bench", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100,
                              468, 482, nullptr, nullptr, nullptr, nullptr);
    for (int i = 0; i < 20; ++i) {
        CreateWindowEx(0, "Bench", "", WS_CHILD | WS_VISIBLE, 10 + (i % 5) * 90, 10 + (i / 5) * 115,
                       80, 100, top, nullptr, nullptr, nullptr);
    }
    Drain();
    for (auto _ : state) {
        RedrawWindow(top, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        Drain();  // paints all 21 windows and presents the backing bitmap
    }
    ResetWindowServices();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

// One 20 ms timer tick per iteration, served by GetMessage; "late_ms" is the mean delay past
// the tick's due time (the tests only check that ticks are never early).
void BM_TimerLateness(benchmark::State& state) {
    Setup();
    HWND w =
        CreateWindowEx(0, "Bench", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    constexpr DWORD kPeriod = 20;
    double lateness = 0;
    for (auto _ : state) {
        const DWORD due = GetTickCount() + kPeriod;
        SetTimer(w, 1, kPeriod, nullptr);
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0) && msg.message != WM_TIMER) DispatchMessage(&msg);
        lateness += double(GetTickCount() - due);
        KillTimer(w, 1);
    }
    state.counters["late_ms"] = benchmark::Counter(lateness, benchmark::Counter::kAvgIterations);
    ResetWindowServices();
}
BENCHMARK(BM_TimerLateness)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
}  // namespace platform
