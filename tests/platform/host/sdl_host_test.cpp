// The SDL host on a real X server: a small window is shown under Xvfb, clicked with real X
// input through xdotool, and the result is read back from the window layer and the screen.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/host/sdl/sdl_host.h"
#include "platform/thread/sync.h"
#include "platform/user/user.h"

namespace platform {
namespace {

bool HaveTool(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string RunCommand(const std::string& command, int* status) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), int(buffer.size()), pipe) != nullptr) output += buffer.data();
    *status = pclose(pipe);
    return output;
}

COLORREF gFill = RGB(0, 160, 0);
POINT gClick{-1, -1};
std::map<HWND, COLORREF> gColors;  // windows painted in a fixed colour
std::map<HWND, int> gClicks;

LRESULT ClickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            HBRUSH brush = CreateSolidBrush(gColors.count(window) ? gColors[window] : gFill);
            RECT client;
            GetClientRect(window, &client);
            FillRect(dc, &client, brush);
            DeleteObject(brush);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            ++gClicks[window];
            if (gColors.count(window)) return 0;
            gClick = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            gFill = RGB(200, 0, 0);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        default:
            return DefWindowProc(window, message, wParam, lParam);
    }
}

void PumpFor(DWORD milliseconds, bool (*done)()) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds && !(done && done())) {
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
        Sleep(5);
    }
}

// Runs inside Xvfb only, started by the test below.
TEST(SdlHostChild, ShowsClicksAndPresents) {
    if (std::getenv("TEMBRIN_SDL_CHILD") == nullptr) GTEST_SKIP() << "runs only under the Xvfb test";
    SetHost(std::make_unique<SdlHost>());
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ClickProc;
    wc.lpszClassName = "SdlClick";
    ASSERT_NE(RegisterClassEx(&wc), 0);
    HWND w = CreateWindowEx(0, "SdlClick", "click me", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, nullptr, nullptr,
                            nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    PumpFor(500, nullptr);
    int status = 0;
    RunCommand("xdotool mousemove 150 140 click 1", &status);
    EXPECT_EQ(status, 0);
    PumpFor(3000, [] { return gClick.x >= 0; });
    EXPECT_EQ(gClick.x, 50);
    EXPECT_EQ(gClick.y, 40);
    PumpFor(300, nullptr);
    if (HaveTool("import")) {
        const std::string pixel = RunCommand("import -window root -crop 1x1+150+140 txt:- 2>/dev/null", &status);
        EXPECT_NE(pixel.find("(200,0,0)"), std::string::npos) << pixel;
    }
    std::printf("CLICK %d %d\n", int(gClick.x), int(gClick.y));

    // A shaped window: outside its region the click and the pixels belong to the window below.
    HWND below = CreateWindowEx(0, "SdlClick", "below", WS_POPUP, 350, 300, 300, 200, nullptr, nullptr, nullptr,
                                nullptr);
    HWND shaped = CreateWindowEx(0, "SdlClick", "shaped", WS_POPUP, 400, 320, 200, 150, nullptr, nullptr, nullptr,
                                 nullptr);
    gColors[below] = RGB(0, 0, 200);
    gColors[shaped] = RGB(200, 200, 0);
    SetWindowRgn(shaped, CreateRectRgn(0, 0, 100, 150), FALSE);
    ShowWindow(below, SW_SHOW);
    ShowWindow(shaped, SW_SHOW);
    PumpFor(500, nullptr);
    RunCommand("xdotool mousemove 550 400 click 1", &status);
    PumpFor(1500, nullptr);
    EXPECT_EQ(gClicks[below], 1);
    EXPECT_EQ(gClicks[shaped], 0);
    // The click activated the window below, which came to the top; bring the shaped one back.
    SetActiveWindow(shaped);
    PumpFor(300, nullptr);
    RunCommand("xdotool mousemove 450 400 click 1", &status);
    PumpFor(1500, nullptr);
    EXPECT_EQ(gClicks[shaped], 1);
    if (HaveTool("import")) {
        const std::string outside = RunCommand("import -window root -crop 1x1+550+400 txt:- 2>/dev/null", &status);
        EXPECT_NE(outside.find("(0,0,200)"), std::string::npos) << outside;
        const std::string inside = RunCommand("import -window root -crop 1x1+450+400 txt:- 2>/dev/null", &status);
        EXPECT_NE(inside.find("(200,200,0)"), std::string::npos) << inside;
    }
    // Dragging a caption with the real pointer runs the move loop; the window lands where the
    // pointer took it.
    HWND framed = CreateWindowEx(0, "SdlClick", "framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 480, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    PumpFor(400, nullptr);
    RunCommand("(sleep 0.3; xdotool mousemove 150 490 mousedown 1; sleep 0.2; xdotool mousemove 200 470; sleep 0.2; "
               "xdotool mousemove 260 450; sleep 0.2; xdotool mouseup 1) &",
               &status);
    PumpFor(2500, nullptr);
    RECT r;
    GetWindowRect(framed, &r);
    EXPECT_EQ(r.left, 160);
    EXPECT_EQ(r.top, 440);
    ResetWindowServices();
    SetHost(nullptr);
}

TEST(SdlHost, WindowUnderXvfbReceivesRealClicks) {
    if (!HaveTool("xvfb-run") || !HaveTool("xdotool")) GTEST_SKIP() << "xvfb-run or xdotool is not installed";
    const std::string self = std::string(TEMBRIN_BINARY_DIR) + "/tests/platform_user_tests";
    const std::string command =
        "TEMBRIN_SDL_CHILD=1 SDL_VIDEODRIVER=x11 ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s '-screen 0 800x600x24' " +
        self + " --gtest_filter=SdlHostChild.* 2>&1";
    int status = -1;
    const std::string output = RunCommand(command, &status);
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("CLICK 50 40"), std::string::npos) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

}  // namespace
}  // namespace platform
