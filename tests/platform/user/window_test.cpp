#include "platform/user/user_fixture.h"

namespace platform::testing {
namespace {

using Windows = UserTest;

TEST_F(Windows, CreatingAndShowingATopLevelWindowSendsWindowsOrder) {
    HWND w = TopLevel(10, 20, 200, 100, WS_OVERLAPPEDWINDOW);
    ASSERT_NE(w, nullptr);
    const std::vector<UINT> created = TheRecorder().Messages(w);
    const std::vector<UINT> expectedCreate{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE,
                                           WM_CREATE,        WM_SIZE,     WM_MOVE};
    EXPECT_EQ(created, expectedCreate);

    TheRecorder().log.clear();
    ShowWindow(w, SW_SHOW);
    const auto shown =
        TheRecorder().Only(w, {WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_ACTIVATEAPP, WM_NCACTIVATE,
                               WM_ACTIVATE, WM_SETFOCUS, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE});
    const std::vector<UINT> expectedShow{WM_SHOWWINDOW,      WM_WINDOWPOSCHANGING, WM_ACTIVATEAPP,
                                         WM_NCACTIVATE,      WM_ACTIVATE,          WM_SETFOCUS,
                                         WM_WINDOWPOSCHANGED};
    EXPECT_EQ(shown, expectedShow);
    EXPECT_EQ(GetActiveWindow(), w);
    EXPECT_EQ(GetFocus(), w);
    EXPECT_TRUE(IsWindowVisible(w));

    TheRecorder().log.clear();
    SetWindowPos(w, nullptr, 30, 40, 300, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    const std::vector<UINT> expectedMove{WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE,
                                         WM_WINDOWPOSCHANGED,  WM_MOVE,          WM_SIZE};
    EXPECT_EQ(TheRecorder().Only(w, {WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE,
                                     WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
              expectedMove);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.right, 330);
    // The size message carries the client size: the default frame is 4 wide, the caption 19.
    const Logged& size = TheRecorder().log.back();
    EXPECT_EQ(size.message, WM_SIZE);
    EXPECT_EQ(LOWORD(std::uintptr_t(size.lParam)), 300 - 8);
    EXPECT_EQ(HIWORD(std::uintptr_t(size.lParam)), 150 - 8 - 19);
}

TEST_F(Windows, ActivationMovesBetweenWindowsAndDeactivatesTheOldOne) {
    HWND a = TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    HWND b = TopLevel(50, 50, 100, 100, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetActiveWindow(), b);
    TheRecorder().log.clear();
    SetActiveWindow(a);
    const std::vector<UINT> oldSide{WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS};
    EXPECT_EQ(TheRecorder().Only(b, {WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS}), oldSide);
    const std::vector<UINT> newSide{WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS};
    EXPECT_EQ(TheRecorder().Only(a, {WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}), newSide);
    EXPECT_EQ(GetWindow(a, GW_HWNDFIRST), a);  // activation brings it to the top

    // Destroying the active window hands the activation to the next one.
    DestroyWindow(a);
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_FALSE(IsWindow(a));
}

TEST_F(Windows, ChildCreationNotifiesTheParentAndDestructionRunsParentFirst) {
    HWND top = TopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    HWND child = Child(top, 10, 10, 50, 50, WS_CHILD | WS_VISIBLE, 7);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), top);
    EXPECT_EQ(GetWindowLongPtr(child, GWLP_ID), 7);
    ASSERT_EQ(TheRecorder().Count(top, WM_PARENTNOTIFY), 1u);
    HWND grandChild = Child(child, 1, 1, 5, 5);
    TheRecorder().log.clear();
    DestroyWindow(top);
    std::vector<std::pair<HWND, UINT>> order;
    for (const Logged& l : TheRecorder().log) {
        if (l.message == WM_DESTROY || l.message == WM_NCDESTROY)
            order.emplace_back(l.window, l.message);
    }
    const std::vector<std::pair<HWND, UINT>> expected{
        {top, WM_DESTROY},          {child, WM_DESTROY},   {grandChild, WM_DESTROY},
        {grandChild, WM_NCDESTROY}, {child, WM_NCDESTROY}, {top, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(grandChild));
    // Stale handles are refused safely.
    EXPECT_FALSE(ShowWindow(child, SW_SHOW));
    EXPECT_EQ(SendMessage(child, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(child, WM_USER, 0, 0));
}

TEST_F(Windows, ChildWithoutParentAndUnknownClassAreRefused) {
    EXPECT_EQ(
        CreateWindowEx(0, "Recorder", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                             nullptr),
              nullptr);
    // Class names compare without regard to case, as on Windows.
    EXPECT_NE(
        CreateWindowEx(0, "recorder", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
}

// Subclassing: each procedure passes on to the one it replaced.
std::vector<std::string> gChain;
WNDPROC gOriginal = nullptr;
WNDPROC gMiddle = nullptr;

LRESULT MiddleProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_USER + 1) gChain.push_back("middle");
    return CallWindowProc(gOriginal, w, m, wp, lp);
}

LRESULT OuterProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_USER + 1) {
        gChain.push_back("outer");
        if (wp == 1) return 42;  // answered here, the rest never sees it
    }
    return CallWindowProc(gMiddle, w, m, wp, lp);
}

TEST_F(Windows, SubclassingChainsCallThePreviousProcedures) {
    HWND w = TopLevel(0, 0, 10, 10);
    gChain.clear();
    gOriginal = reinterpret_cast<WNDPROC>(SetWindowLongPtr(w, GWLP_WNDPROC, LONG_PTR(&MiddleProc)));
    EXPECT_EQ(gOriginal, &RecorderProc);
    gMiddle = reinterpret_cast<WNDPROC>(SetWindowLongPtr(w, GWLP_WNDPROC, LONG_PTR(&OuterProc)));
    EXPECT_EQ(gMiddle, &MiddleProc);
    TheRecorder().log.clear();
    SendMessage(w, WM_USER + 1, 0, 0);
    EXPECT_EQ(gChain, (std::vector<std::string>{"outer", "middle"}));
    EXPECT_EQ(TheRecorder().Count(w, WM_USER + 1), 1u);
    gChain.clear();
    EXPECT_EQ(SendMessage(w, WM_USER + 1, 1, 0), 42);
    EXPECT_EQ(gChain, std::vector<std::string>{"outer"});
    // Posted messages take the same chain through DispatchMessage.
    gChain.clear();
    PostMessage(w, WM_USER + 1, 0, 0);
    Pump();
    EXPECT_EQ(gChain, (std::vector<std::string>{"outer", "middle"}));
    // Unsubclassing restores the original.
    SetWindowLongPtr(w, GWLP_WNDPROC, LONG_PTR(gOriginal));
    gChain.clear();
    SendMessage(w, WM_USER + 1, 0, 0);
    EXPECT_TRUE(gChain.empty());
}

TEST_F(Windows, TextPropertiesAndLongsRoundTrip) {
    HWND w = TopLevel(0, 0, 10, 10);
    EXPECT_TRUE(SetWindowText(w, "TembrinICO图标生成工具"));
    char buffer[64];
    EXPECT_EQ(GetWindowText(w, buffer, sizeof buffer),
              int(std::string("TembrinICO图标生成工具").size()));
    EXPECT_STREQ(buffer, "TembrinICO图标生成工具");
    // A short buffer never splits a character.
    char small[13];
    EXPECT_EQ(GetWindowText(w, small, sizeof small), 10);
    EXPECT_STREQ(small, "TembrinICO");
    EXPECT_TRUE(SetProp(w, "Owner", reinterpret_cast<HANDLE>(std::uintptr_t{5})));
    EXPECT_EQ(GetProp(w, "owner"), reinterpret_cast<HANDLE>(std::uintptr_t{5}));
    EXPECT_EQ(RemoveProp(w, "Owner"), reinterpret_cast<HANDLE>(std::uintptr_t{5}));
    EXPECT_EQ(GetProp(w, "Owner"), nullptr);
    SetWindowLongPtr(w, GWLP_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtr(w, GWLP_USERDATA), 1234);
    EXPECT_EQ(GetWindowLongPtr(w, GWL_STYLE) & LONG_PTR(WS_POPUP), LONG_PTR(WS_POPUP));
}

TEST_F(Windows, CoordinatesMapThroughNestedClientAreas) {
    HWND top = TopLevel(100, 50, 300, 300, WS_POPUP | WS_BORDER | WS_VISIBLE);
    HWND child = Child(top, 20, 30, 100, 100, WS_CHILD | WS_VISIBLE | WS_BORDER);
    POINT p{0, 0};
    ClientToScreen(child, &p);
    // Border 1 on the top-level, child at (20,30), border 1 on the child.
    EXPECT_EQ(p.x, 100 + 1 + 20 + 1);
    EXPECT_EQ(p.y, 50 + 1 + 30 + 1);
    ScreenToClient(top, &p);
    EXPECT_EQ(p.x, 21);
    EXPECT_EQ(p.y, 31);
    POINT q{5, 5};
    MapWindowPoints(child, top, &q, 1);
    EXPECT_EQ(q.x, 26);
    EXPECT_EQ(q.y, 36);
    EXPECT_EQ(WindowFromPoint(POINT{100 + 1 + 20 + 50, 50 + 1 + 30 + 50}), child);
    EXPECT_EQ(WindowFromPoint(POINT{100 + 250, 50 + 250}), top);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), nullptr);
    // Disabled and hidden children are passed over.
    EnableWindow(child, FALSE);
    EXPECT_EQ(WindowFromPoint(POINT{100 + 1 + 20 + 50, 50 + 1 + 30 + 50}), top);
    EnableWindow(child, TRUE);
    ShowWindow(child, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(POINT{100 + 1 + 20 + 50, 50 + 1 + 30 + 50}), top);
}

TEST_F(Windows, MaximiseFillsTheWorkAreaAndRestoreBringsTheBoundsBack) {
    host_->SetWorkArea(HostRect{0, 0, 800, 560});
    HWND w = TopLevel(100, 100, 300, 200, WS_OVERLAPPEDWINDOW);
    TheRecorder().log.clear();
    ShowWindow(w, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(w));
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, -4);  // the frame lies just off the work area
    EXPECT_EQ(r.top, -4);
    EXPECT_EQ(r.right, 804);
    EXPECT_EQ(r.bottom, 564);
    bool sawMaximised = false;
    for (const Logged& l : TheRecorder().log)
        sawMaximised |= l.message == WM_SIZE && l.wParam == SIZE_MAXIMIZED;
    EXPECT_TRUE(sawMaximised);
    ShowWindow(w, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(w));
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right, 400);
    ShowWindow(w, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(w));
    EXPECT_TRUE(host_->VisibleWindows().empty());
}

TEST_F(Windows, MonitorsReportTheScreenAndTheWorkArea) {
    host_->SetWorkArea(HostRect{0, 0, 800, 570});
    HWND w = TopLevel(10, 10, 50, 50, WS_POPUP | WS_VISIBLE);
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    ASSERT_TRUE(GetMonitorInfo(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &info));
    EXPECT_EQ(info.rcMonitor.right, 800);
    EXPECT_EQ(info.rcMonitor.bottom, 600);
    EXPECT_EQ(info.rcWork.bottom, 570);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.bottom, 570);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(MonitorFromPoint(POINT{-5, -5}, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_NE(MonitorFromPoint(POINT{-5, -5}, MONITOR_DEFAULTTONEAREST), nullptr);
}

}  // namespace
}  // namespace platform::testing

namespace platform::testing {
namespace {

TEST_F(Windows, WindowsDestroyedWhileHandlingTheirOwnMessagesAreSafe) {
    HWND top = TopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    HWND child = Child(top, 10, 10, 50, 50);
    TheRecorder().handler = [&](HWND w, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (w == child && m == WM_LBUTTONDOWN) {
            DestroyWindow(top);  // a click handler that closes its form
            r = 0;
            return true;
        }
        return false;
    };
    PostMessage(child, WM_USER, 0, 0);  // still queued when the window goes
    host_->Click(20, 20);
    host_->MouseMove(30, 30);
    Pump();
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(TheRecorder().Count(child, WM_USER), 1u);  // posted before the click: delivered first
    EXPECT_EQ(TheRecorder().Count(child, WM_LBUTTONUP), 0u);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Windows, DestroyingTheWindowInsideItsMoveLoopEndsTheLoop) {
    HWND w = TopLevel(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TheRecorder().handler = [&](HWND hwnd, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (hwnd == w && m == WM_MOVING) DestroyWindow(w);
        return false;
    };
    host_->MouseDown(200, 110);
    host_->MouseMove(250, 150);
    host_->MouseMove(260, 160);
    Pump();
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(GetCapture(), nullptr);
    host_->MouseUp(260, 160);
    Pump();
}

}  // namespace
}  // namespace platform::testing

namespace platform::testing {
namespace {

TEST_F(Windows, MessageOnlyWindowsTakeMessagesButNeverShow) {
    HWND w = CreateWindowEx(0, "Recorder", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, HWND_MESSAGE,
                            nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    ShowWindow(w, SW_SHOW);
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(GetParent(w), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_TRUE(host_->VisibleWindows().empty());
    EXPECT_EQ(WindowFromPoint(POINT{50, 50}), nullptr);
    PostMessage(w, WM_USER + 3, 0, 0);
    Pump();
    EXPECT_EQ(TheRecorder().Count(w, WM_USER + 3), 1u);
    EXPECT_TRUE(DestroyWindow(w));
}

}  // namespace
}  // namespace platform::testing
