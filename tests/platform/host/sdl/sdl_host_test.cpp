// The SDL host on a real X server: a small window is shown under Xvfb, clicked with real X
// input through xdotool, and the result is read back from the window layer and the screen.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "platform/host/sdl/sdl_host.h"
#include "platform/thread/sync.h"
#include "platform/user/user.h"
#include "support/required_tools.h"

// Last: Xlib defines macros with common names.
#include <X11/Xlib.h>

namespace platform {
namespace {

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

// Serves the window's messages until `done` holds or `milliseconds` pass. The X server and
// the sanitizers may be slow on a loaded machine: waits end on what happened, and their limits
// only stop a test that went wrong.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 20000) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done()) {
        if (GetTickCount() - start >= milliseconds) return false;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
        Sleep(5);
    }
    return true;
}

// Waits until the X server shows a window of that title.
void WaitUntilMapped(const std::string& title) {
    int status = 0;
    RunCommand("timeout 20 xdotool search --sync --onlyvisible --name '^" + title + "$' >/dev/null",
               &status);
    EXPECT_EQ(status, 0) << title << " never appeared";
    PumpUntil([] { return false; }, 50);
}

// Reads the X screen until the pixel holds `rgb` ("(r,g,b)"), serving the windows meanwhile.
bool ScreenShows(int x, int y, const std::string& rgb) {
    std::string seen;
    const std::string command = "import -window root -crop 1x1+" + std::to_string(x) + "+" +
                                std::to_string(y) + " txt:- 2>/dev/null";
    bool shown = PumpUntil([&] {
        int status = 0;
        seen = RunCommand(command, &status);
        return seen.find(rgb) != std::string::npos;
    });
    EXPECT_TRUE(shown) << x << "," << y << ": " << seen;
    return shown;
}

// Runs inside Xvfb only, started by the test below.
TEST(SdlHostChild, ShowsClicksAndPresents) {
    if (std::getenv("TEMBRIN_SDL_CHILD") == nullptr)
        GTEST_SKIP() << "runs only under the Xvfb test";
    SetHost(std::make_unique<SdlHost>());
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ClickProc;
    wc.lpszClassName = "SdlClick";
    ASSERT_NE(RegisterClassEx(&wc), 0);
    HWND w = CreateWindowEx(0, "SdlClick", "click me", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150,
                            nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    WaitUntilMapped("click me");
    int status = 0;
    RunCommand("xdotool mousemove 150 140 click 1", &status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(PumpUntil([] { return gClick.x >= 0; }));
    EXPECT_EQ(gClick.x, 50);
    EXPECT_EQ(gClick.y, 40);
    ScreenShows(150, 140, "(200,0,0)");
    std::printf("CLICK %d %d\n", int(gClick.x), int(gClick.y));

    // A shaped window: outside its region the click and the pixels belong to the window below.
    HWND below = CreateWindowEx(0, "SdlClick", "below", WS_POPUP, 350, 300, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
    HWND shaped = CreateWindowEx(0, "SdlClick", "shaped", WS_POPUP, 400, 320, 200, 150, nullptr,
                                 nullptr, nullptr, nullptr);
    gColors[below] = RGB(0, 0, 200);
    gColors[shaped] = RGB(200, 200, 0);
    SetWindowRgn(shaped, CreateRectRgn(0, 0, 100, 150), FALSE);
    ShowWindow(below, SW_SHOW);
    ShowWindow(shaped, SW_SHOW);
    WaitUntilMapped("below");
    WaitUntilMapped("shaped");
    // The shaped window is on top: its picture inside the region, the one below outside it.
    ScreenShows(450, 400, "(200,200,0)");
    RunCommand("xdotool mousemove 550 400 click 1", &status);
    EXPECT_TRUE(PumpUntil([&] { return gClicks[below] + gClicks[shaped] > 0; }));
    EXPECT_EQ(gClicks[below], 1);
    EXPECT_EQ(gClicks[shaped], 0);
    ScreenShows(550, 400, "(0,0,200)");
    // The click activated the window below, which came to the top; bring the shaped one back.
    SetActiveWindow(shaped);
    ScreenShows(450, 400, "(200,200,0)");
    RunCommand("xdotool mousemove 450 400 click 1", &status);
    EXPECT_TRUE(PumpUntil([&] { return gClicks[below] + gClicks[shaped] > 1; }));
    EXPECT_EQ(gClicks[shaped], 1);
    EXPECT_EQ(gClicks[below], 1);
    // Dragging a caption with the real pointer runs the move loop; the window lands where the
    // pointer took it.
    HWND framed = CreateWindowEx(0, "SdlClick", "framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 480,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
    WaitUntilMapped("framed");
    RunCommand(
        "(sleep 0.3; xdotool mousemove 150 490 mousedown 1; sleep 0.2; xdotool mousemove 200 470; "
        "sleep 0.2; "
        "xdotool mousemove 260 450; sleep 0.2; xdotool mouseup 1) &",
        &status);
    RECT r{};
    // The move loop runs inside one dispatch and returns once the button is up.
    PumpUntil([&] {
        GetWindowRect(framed, &r);
        return r.left == 160 && r.top == 440;
    });
    EXPECT_EQ(r.left, 160);
    EXPECT_EQ(r.top, 440);
    ResetWindowServices();
    SetHost(nullptr);
}

// SDL wakes a waiting event loop from another thread (a worker's result, a folder change)
// with a message to the window the loop waits on; when the loop destroys that window at the
// same moment, the message reaches the X server after the window is gone. That answer must
// not end the program, as Xlib's default handler would. The race itself needs a preempted
// thread to show; the message it leaves behind is sent here directly.
TEST(SdlHostChild, AWakeUpSentToAWindowAlreadyGoneDoesNotEndTheProgram) {
    if (std::getenv("TEMBRIN_SDL_CHILD") == nullptr)
        GTEST_SKIP() << "runs only under the Xvfb test";
    SdlHost host;
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window gone =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(display, gone);
    XEvent wakeUp{};
    wakeUp.xclient.type = ClientMessage;
    wakeUp.xclient.window = gone;
    wakeUp.xclient.format = 32;
    XSendEvent(display, gone, False, NoEventMask, &wakeUp);
    XSync(display, False);
    XCloseDisplay(display);
    std::printf("WAKE-UP SURVIVED\n");
}

TEST(SdlHost, WindowUnderXvfbReceivesRealClicks) {
    // The child reads pixels back with ImageMagick's import.
    for (const char* tool : {"xvfb-run", "xdotool", "import"})
        TEMBRIN_REQUIRE(testing_support::HaveProgram(tool), tool);
    const std::string self = std::string(TEMBRIN_BINARY_DIR) + "/tests/platform_user_tests";
    const std::string command =
        "TEMBRIN_SDL_CHILD=1 SDL_VIDEODRIVER=x11 ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s "
        "'-screen 0 800x600x24' " +
        self + " --gtest_filter=SdlHostChild.* 2>&1";
    int status = -1;
    const std::string output = RunCommand(command, &status);
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("CLICK 50 40"), std::string::npos) << output;
    EXPECT_NE(output.find("WAKE-UP SURVIVED"), std::string::npos) << output;
    EXPECT_NE(output.find("[  PASSED  ] 2 tests"), std::string::npos) << output;
}

}  // namespace
}  // namespace platform
