#include "platform/user/user_fixture.h"

namespace platform::testing {
namespace {

using Input = UserTest;

TEST_F(Input, CaptureRoutesEveryMouseMessageToTheCapturingWindow) {
    HWND top = TopLevel(100, 100, 300, 300, WS_POPUP | WS_VISIBLE);
    HWND a = Child(top, 0, 0, 100, 100);
    HWND b = Child(top, 150, 150, 100, 100);
    TheRecorder().handler = [a](HWND w, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (w == a && m == WM_LBUTTONDOWN) SetCapture(a);
        if (w == a && m == WM_LBUTTONUP) ReleaseCapture();
        r = 0;
        return false;
    };
    host_->MouseDown(150, 150);
    Pump();
    EXPECT_EQ(GetCapture(), a);
    TheRecorder().log.clear();
    host_->MouseMove(300, 300);  // over b, but a holds the capture
    Pump();
    EXPECT_EQ(TheRecorder().Count(b, WM_MOUSEMOVE), 0u);
    ASSERT_EQ(TheRecorder().Count(a, WM_MOUSEMOVE), 1u);
    for (const Logged& l : TheRecorder().log) {
        if (l.window == a && l.message == WM_MOUSEMOVE) {
            EXPECT_EQ(GET_X_LPARAM(l.lParam), 200);  // client coordinates, outside the window
            EXPECT_EQ(GET_Y_LPARAM(l.lParam), 200);
            EXPECT_TRUE(l.wParam & MK_LBUTTON);
        }
    }
    host_->MouseUp(300, 300);
    Pump();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(TheRecorder().Count(a, WM_LBUTTONUP), 1u);
    EXPECT_EQ(TheRecorder().Count(a, WM_CAPTURECHANGED), 1u);
    // Without capture the same move goes to the window under the pointer.
    host_->MouseMove(301, 301);
    Pump();
    EXPECT_EQ(TheRecorder().Count(b, WM_MOUSEMOVE), 1u);
}

TEST_F(Input, ClickingAnInactiveWindowActivatesItAndNotifiesParents) {
    HWND first = TopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    HWND second = TopLevel(300, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    HWND child = Child(first, 10, 10, 50, 50);
    EXPECT_EQ(GetActiveWindow(), second);
    TheRecorder().log.clear();
    host_->Click(20, 20);
    Pump();
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(TheRecorder().Count(child, WM_MOUSEACTIVATE), 1u);
    EXPECT_EQ(TheRecorder().Count(first, WM_MOUSEACTIVATE), 1u);  // passed up by DefWindowProc
    EXPECT_EQ(TheRecorder().Count(first, WM_PARENTNOTIFY), 1u);
    EXPECT_EQ(TheRecorder().Count(child, WM_LBUTTONDOWN), 1u);
    // A window that answers MA_NOACTIVATEANDEAT is neither activated nor clicked.
    TheRecorder().handler = [second](HWND w, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (w == second && m == WM_MOUSEACTIVATE) {
            r = MA_NOACTIVATEANDEAT;
            return true;
        }
        return false;
    };
    TheRecorder().log.clear();
    host_->Click(350, 50);
    Pump();
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(TheRecorder().Count(second, WM_LBUTTONDOWN), 0u);
    EXPECT_EQ(TheRecorder().Count(second, WM_LBUTTONUP), 1u);
}

TEST_F(Input, FocusMovesWithKillAndSetMessagesAndKeysFollowIt) {
    HWND top = TopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    HWND a = Child(top, 0, 0, 50, 50);
    HWND b = Child(top, 60, 0, 50, 50);
    SetFocus(a);
    TheRecorder().log.clear();
    EXPECT_EQ(SetFocus(b), a);
    ASSERT_EQ(TheRecorder().log.size(), 2u);
    EXPECT_EQ(TheRecorder().log[0].window, a);
    EXPECT_EQ(TheRecorder().log[0].message, UINT(WM_KILLFOCUS));
    EXPECT_EQ(HWND(TheRecorder().log[0].wParam), b);
    EXPECT_EQ(TheRecorder().log[1].window, b);
    EXPECT_EQ(TheRecorder().log[1].message, UINT(WM_SETFOCUS));
    EXPECT_EQ(GetFocus(), b);

    TheRecorder().log.clear();
    host_->KeyDown(VK_SHIFT);
    host_->PressKey('A');
    host_->Type("中");
    host_->KeyUp(VK_SHIFT);
    host_->PressKey(VK_BACK);
    Pump();
    EXPECT_EQ(TheRecorder().Count(b, WM_KEYDOWN), 3u);
    EXPECT_EQ(TheRecorder().Count(a, WM_KEYDOWN), 0u);
    // Text from the host arrives as characters; keys produce only control characters.
    std::vector<WPARAM> chars;
    for (const Logged& l : TheRecorder().log) {
        if (l.message == WM_CHAR) chars.push_back(l.wParam);
    }
    EXPECT_EQ(chars, (std::vector<WPARAM>{0x4E2D, 8}));
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 1, 1);  // toggled once

    // Disabling the focused window drops the focus.
    EnableWindow(b, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Input, KeyStateFollowsTheMessagesReadNotTheQueue) {
    HWND top = TopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    SHORT stateInside = 0;
    TheRecorder().handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (m == WM_KEYDOWN) stateInside = GetKeyState(VK_CONTROL);
        return false;
    };
    host_->KeyDown(VK_CONTROL);
    host_->KeyUp(VK_CONTROL);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, top);
    EXPECT_EQ(msg.message, UINT(WM_KEYDOWN));
    DispatchMessage(&msg);
    EXPECT_LT(stateInside, 0);  // down while its key-down is handled, although released since
    Pump();
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

TEST_F(Input, MouseLeaveArrivesOnceWhenThePointerLeavesATrackedWindow) {
    HWND top = TopLevel(0, 0, 300, 300, WS_POPUP | WS_VISIBLE);
    HWND a = Child(top, 0, 0, 100, 100);
    host_->MouseMove(50, 50);
    Pump();
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, a, 0};
    ASSERT_TRUE(TrackMouseEvent(&track));
    host_->MouseMove(60, 60);
    Pump();
    EXPECT_EQ(TheRecorder().Count(a, WM_MOUSELEAVE), 0u);
    host_->MouseMove(200, 200);
    Pump();
    host_->MouseMove(210, 210);
    Pump();
    EXPECT_EQ(TheRecorder().Count(a, WM_MOUSELEAVE), 1u);
    // Asking while the pointer is already elsewhere reports the leave at once.
    ASSERT_TRUE(TrackMouseEvent(&track));
    Pump();
    EXPECT_EQ(TheRecorder().Count(a, WM_MOUSELEAVE), 2u);
}

TEST_F(Input, CursorShapesComeFromTheHitCode) {
    HWND w = TopLevel(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    (void)w;
    host_->MouseMove(101, 200);
    Pump();
    EXPECT_EQ(host_->Cursor(), HostCursor::SizeWE);
    host_->MouseMove(398, 298);
    Pump();
    EXPECT_EQ(host_->Cursor(), HostCursor::SizeNWSE);
    host_->MouseMove(250, 200);
    Pump();
    EXPECT_EQ(host_->Cursor(), HostCursor::Arrow);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(LoadCursor(nullptr, reinterpret_cast<LPCSTR>(std::uintptr_t{1})), nullptr);
}

TEST_F(Input, WheelGoesToTheFocusWithScreenCoordinates) {
    HWND top = TopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    HWND a = Child(top, 0, 0, 50, 50);
    HWND b = Child(top, 100, 100, 50, 50);
    SetFocus(a);
    host_->Wheel(120, 120, -240);  // over b, but the focus is on a
    Pump();
    EXPECT_EQ(TheRecorder().Count(b, WM_MOUSEWHEEL), 0u);
    ASSERT_EQ(TheRecorder().Count(a, WM_MOUSEWHEEL), 1u);
    for (const Logged& l : TheRecorder().log) {
        if (l.message == WM_MOUSEWHEEL) {
            EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(l.wParam), -240);
            EXPECT_EQ(GET_X_LPARAM(l.lParam), 120);
        }
    }
}

TEST_F(Input, DoubleClicksNeedTheClassStyleInTheClientArea) {
    HWND top = TopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    host_->Click(50, 50);
    host_->Click(51, 51);
    host_->Click(52, 52);
    Pump();
    EXPECT_EQ(TheRecorder().Count(top, WM_LBUTTONDBLCLK), 1u);
    EXPECT_EQ(TheRecorder().Count(top, WM_LBUTTONDOWN), 2u);
}

}  // namespace
}  // namespace platform::testing
