// Shared set-up for the window-service tests: a fresh virtual screen per test, a window class
// that records the messages it receives, and a pump that runs the loop until it is idle.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "platform/host/virtual/virtual_host.h"
#include "platform/user/user.h"

namespace platform::testing {

struct Logged {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Messages seen by windows of the "Recorder" class; `handlers` may answer a message instead of
// DefWindowProc (return true to stop).
struct Recorder {
    std::vector<Logged> log;
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> handler;

    std::vector<UINT> Messages(HWND window) const {
        std::vector<UINT> out;
        for (const Logged& l : log) {
            if (l.window == window) out.push_back(l.message);
        }
        return out;
    }
    // The messages of `window` restricted to those listed in `interesting`, in order.
    std::vector<UINT> Only(HWND window, std::initializer_list<UINT> interesting) const {
        std::vector<UINT> out;
        for (const Logged& l : log) {
            if (l.window == window &&
                std::find(interesting.begin(), interesting.end(), l.message) != interesting.end()) {
                out.push_back(l.message);
            }
        }
        return out;
    }
    size_t Count(HWND window, UINT message) const {
        return size_t(std::count_if(log.begin(), log.end(), [&](const Logged& l) {
            return l.window == window && l.message == message;
        }));
    }
};

inline Recorder& TheRecorder() {
    static Recorder recorder;
    return recorder;
}

inline LRESULT RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Recorder& r = TheRecorder();
    r.log.push_back(Logged{window, message, wParam, lParam});
    LRESULT result = 0;
    if (r.handler && r.handler(window, message, wParam, lParam, result)) return result;
    return DefWindowProc(window, message, wParam, lParam);
}

class UserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto host = std::make_unique<VirtualHost>(800, 600);
        host_ = host.get();
        ResetWindowServices();
        SetHost(std::move(host));
        TheRecorder() = Recorder{};
        gdiObjects_ = LiveGdiObjectCount();
        WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = RecorderProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_WINDOW + 1));
        wc.lpszClassName = "Recorder";
        ASSERT_NE(RegisterClassEx(&wc), 0);
    }
    void TearDown() override {
        ResetWindowServices();
        TheRecorder() = Recorder{};
        // Windows give back their backing bitmaps, regions and DCs.
        if (!HasFatalFailure()) {
            EXPECT_EQ(LiveGdiObjectCount(), gdiObjects_) << "drawing objects left behind";
        }
    }

    // Runs every message that is ready, then returns (the loop presents on the way out).
    static void Pump() {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }

    static HWND TopLevel(int x, int y, int w, int h, DWORD style = WS_POPUP, DWORD exStyle = 0) {
        return CreateWindowEx(exStyle, "Recorder", "top", style, x, y, w, h, nullptr, nullptr,
                              nullptr, nullptr);
    }
    static HWND Child(HWND parent, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE,
                      int id = 0) {
        return CreateWindowEx(0, "Recorder", "child", style, x, y, w, h, parent,
                              reinterpret_cast<HMENU>(std::uintptr_t(id)), nullptr, nullptr);
    }

    VirtualHost* host_ = nullptr;
    int gdiObjects_ = 0;
};

}  // namespace platform::testing
