#include "platform/user/user_fixture.h"

namespace platform::testing {
namespace {

using NonClient = UserTest;

// A frame like the skinned one: 4 pixels on three sides, 27 at the top, its own hit test with
// sizing on the left edge, the caption strip, and the neutral code elsewhere in the frame.
bool SkinLikeFrame(HWND, UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message == WM_NCCALCSIZE) {
        RECT* r = reinterpret_cast<RECT*>(lParam);
        r->left += 4;
        r->top += 27;
        r->right -= 4;
        r->bottom -= 4;
        result = 0;
        return true;
    }
    if (message == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = POINT{200, 31};
        result = 0;
        return true;
    }
    return false;
}

LRESULT SkinHitTest(HWND window, POINT screen) {
    RECT r;
    GetWindowRect(window, &r);
    const int x = screen.x - r.left;
    const int y = screen.y - r.top;
    if (x >= 4 && y >= 27 && x < r.right - r.left - 4 && y < r.bottom - r.top - 4) return HTCLIENT;
    if (x < 4) return HTLEFT;
    if (x >= r.right - r.left - 4 && y >= r.bottom - r.top - 4) return HTBOTTOMRIGHT;
    if (y < 27) return HTCAPTION;
    return HTOBJECT;
}

TEST_F(NonClient, CustomProcedureDecidesTheClientAreaAndHitCodes) {
    TheRecorder().handler = [](HWND w, UINT m, WPARAM wp, LPARAM lp, LRESULT& result) {
        if (m == WM_NCHITTEST) {
            result = SkinHitTest(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return true;
        }
        return SkinLikeFrame(w, m, wp, lp, result);
    };
    HWND w = TopLevel(100, 100, 476, 513, WS_POPUP | WS_THICKFRAME | WS_VISIBLE);
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 468);
    EXPECT_EQ(client.bottom, 482);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    EXPECT_EQ(origin.x, 104);
    EXPECT_EQ(origin.y, 127);

    // Mouse input follows the procedure's answers: client, caption and the neutral code.
    TheRecorder().log.clear();
    // Moves that wait in the queue together merge into the last, so each is read on its own.
    for (int y : {200, 10, 511}) {
        host_->MouseMove(100 + 200, 100 + y);
        Pump();
    }
    std::vector<std::pair<UINT, WPARAM>> moves;
    for (const Logged& l : TheRecorder().log) {
        if (l.message == WM_MOUSEMOVE) moves.emplace_back(l.message, 0);
        if (l.message == WM_NCMOUSEMOVE) moves.emplace_back(l.message, l.wParam);
    }
    const std::vector<std::pair<UINT, WPARAM>> expected{
        {WM_MOUSEMOVE, 0}, {WM_NCMOUSEMOVE, WPARAM(HTCAPTION)}, {WM_NCMOUSEMOVE, WPARAM(HTOBJECT)}};
    EXPECT_EQ(moves, expected);
    // Client coordinates of the client move.
    for (const Logged& l : TheRecorder().log) {
        if (l.message == WM_MOUSEMOVE) {
            EXPECT_EQ(GET_X_LPARAM(l.lParam), 200 - 4);
            EXPECT_EQ(GET_Y_LPARAM(l.lParam), 200 - 27);
        }
    }
}

TEST_F(NonClient, DefaultFrameHitCodesFollowTheStyles) {
    HWND w = TopLevel(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    auto hit = [&](int x, int y) {
        return SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(100 + x, 100 + y));
    };
    EXPECT_EQ(hit(150, 100), HTCLIENT);
    EXPECT_EQ(hit(150, 10), HTCAPTION);
    EXPECT_EQ(hit(1, 100), HTLEFT);
    EXPECT_EQ(hit(298, 100), HTRIGHT);
    EXPECT_EQ(hit(150, 1), HTTOP);
    EXPECT_EQ(hit(150, 198), HTBOTTOM);
    EXPECT_EQ(hit(1, 1), HTTOPLEFT);
    EXPECT_EQ(hit(298, 198), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(1, 198), HTBOTTOMLEFT);
    EXPECT_EQ(hit(298, 1), HTTOPRIGHT);
    EXPECT_EQ(hit(400, 100), HTNOWHERE);
    // A thin border without sizing answers HTBORDER.
    HWND thin = TopLevel(500, 100, 100, 100, WS_POPUP | WS_BORDER | WS_VISIBLE);
    EXPECT_EQ(SendMessage(thin, WM_NCHITTEST, 0, MAKELPARAM(500, 150)), HTBORDER);
    RECT adjusted{0, 0, 100, 100};
    AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, FALSE, 0);
    EXPECT_EQ(adjusted.left, -4);
    EXPECT_EQ(adjusted.top, -23);
    EXPECT_EQ(adjusted.right, 104);
}

TEST_F(NonClient, CaptionDragRunsTheMoveLoop) {
    HWND w = TopLevel(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    TheRecorder().log.clear();
    host_->MouseDown(200, 110);
    host_->MouseMove(230, 150);
    host_->MouseMove(260, 170);
    host_->MouseUp(260, 170);
    Pump();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 160);
    EXPECT_EQ(r.top, 160);
    EXPECT_EQ(r.right - r.left, 300);
    auto loop = TheRecorder().Only(w, {WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE});
    loop.erase(std::unique(loop.begin(), loop.end()), loop.end());  // queued moves may merge
    const std::vector<UINT> expected{WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE};
    EXPECT_EQ(loop, expected);
    EXPECT_EQ(GetCapture(), nullptr);
    // The host window followed.
    const auto shown = host_->VisibleWindows();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(host_->WindowBounds(shown[0]).left, 160);
}

TEST_F(NonClient, SizeLoopHonoursTheMinimumTrackSize) {
    TheRecorder().handler = [](HWND w, UINT m, WPARAM wp, LPARAM lp, LRESULT& result) {
        if (m == WM_NCHITTEST) {
            result = SkinHitTest(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return true;
        }
        return SkinLikeFrame(w, m, wp, lp, result);
    };
    HWND w = TopLevel(100, 100, 476, 513, WS_POPUP | WS_THICKFRAME | WS_VISIBLE);
    // Drag the bottom-right corner far up and left: the window stops at 200 x 31.
    host_->MouseDown(100 + 474, 100 + 511);
    host_->MouseMove(100 + 300, 100 + 300);
    host_->MouseMove(0, 0);
    host_->MouseUp(0, 0);
    Pump();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 31);
    EXPECT_GE(TheRecorder().Count(w, WM_SIZING), 1u);
    EXPECT_GE(TheRecorder().Count(w, WM_GETMINMAXINFO), 1u);

    // The left edge: the right side stays put while the left follows the pointer.
    SetWindowPos(w, nullptr, 100, 100, 476, 513, SWP_NOZORDER);
    host_->MouseDown(101, 300);
    host_->MouseMove(51, 300);
    host_->MouseUp(51, 300);
    Pump();
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.right, 576);
}

TEST_F(NonClient, EscapeCancelsTheLoopAndPutsTheWindowBack) {
    HWND w = TopLevel(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    host_->MouseDown(200, 110);
    host_->MouseMove(300, 300);
    host_->PressKey(VK_ESCAPE);
    host_->MouseUp(300, 300);
    Pump();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
}

TEST_F(NonClient, RightClickAsksForAContextMenuAtTheScreenPoint) {
    HWND top = TopLevel(100, 100, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND child = Child(top, 10, 10, 100, 100);
    host_->Click(150, 150, kHostRightButton);
    Pump();
    // The child does not handle it, so it reaches the parent, with screen coordinates.
    ASSERT_EQ(TheRecorder().Count(child, WM_CONTEXTMENU), 1u);
    ASSERT_EQ(TheRecorder().Count(top, WM_CONTEXTMENU), 1u);
    for (const Logged& l : TheRecorder().log) {
        if (l.message == WM_CONTEXTMENU && l.window == top) {
            EXPECT_EQ(HWND(l.wParam), child);
            EXPECT_EQ(GET_X_LPARAM(l.lParam), 150);
            EXPECT_EQ(GET_Y_LPARAM(l.lParam), 150);
        }
    }
}

}  // namespace
}  // namespace platform::testing
