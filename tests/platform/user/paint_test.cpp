#include "platform/user/user_fixture.h"

namespace platform::testing {
namespace {

class Painting : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        TheRecorder().handler = [this](HWND w, UINT m, WPARAM, LPARAM, LRESULT& r) {
            if (m != WM_PAINT) return false;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            painted_.emplace_back(w, ps.rcPaint);
            RECT client;
            GetClientRect(w, &client);
            HBRUSH brush = CreateSolidBrush(colors_[w]);
            FillRect(dc, &client, brush);  // deliberately the whole client: clipping must hold it
            DeleteObject(brush);
            EndPaint(w, &ps);
            r = 0;
            return true;
        };
    }

    std::map<HWND, COLORREF> colors_;
    std::vector<std::pair<HWND, RECT>> painted_;
};

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST_F(Painting, OnlyTheInvalidAreaIsRepainted) {
    HWND w = TopLevel(100, 100, 200, 100, WS_POPUP | WS_VISIBLE);
    colors_[w] = kRed;
    Pump();
    EXPECT_EQ(host_->PixelAt(150, 150), 0xFF0000u);
    EXPECT_EQ(host_->PixelAt(299, 199), 0xFF0000u);
    EXPECT_EQ(host_->PixelAt(300, 150), VirtualHost::kDesktopColor);

    colors_[w] = kBlue;
    painted_.clear();
    RECT part{10, 20, 30, 40};
    InvalidateRect(w, &part, FALSE);
    Pump();
    ASSERT_EQ(painted_.size(), 1u);
    EXPECT_EQ(painted_[0].second.left, 10);
    EXPECT_EQ(painted_[0].second.bottom, 40);
    EXPECT_EQ(host_->PixelAt(110, 120), 0x0000FFu);
    EXPECT_EQ(host_->PixelAt(129, 139), 0x0000FFu);
    EXPECT_EQ(host_->PixelAt(130, 139), 0xFF0000u);
    EXPECT_EQ(host_->PixelAt(110, 140), 0xFF0000u);
    // Nothing invalid: no paint at all, and validated parts are not repainted.
    painted_.clear();
    InvalidateRect(w, nullptr, FALSE);
    ValidateRect(w, nullptr);
    Pump();
    EXPECT_TRUE(painted_.empty());
}

TEST_F(Painting, ClipChildrenKeepsTheParentOffItsChildren) {
    HWND parent = TopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND child = Child(parent, 50, 50, 40, 40);
    colors_[parent] = kRed;
    colors_[child] = kGreen;
    Pump();
    EXPECT_EQ(host_->PixelAt(60, 60), 0x00FF00u);
    EXPECT_EQ(host_->PixelAt(10, 10), 0xFF0000u);
    // Repainting the parent alone leaves the child's pixels alone.
    colors_[parent] = kBlue;
    painted_.clear();
    InvalidateRect(parent, nullptr, TRUE);
    Pump();
    ASSERT_EQ(painted_.size(), 1u);
    EXPECT_EQ(painted_[0].first, parent);
    EXPECT_EQ(host_->PixelAt(60, 60), 0x00FF00u);
    EXPECT_EQ(host_->PixelAt(10, 10), 0x0000FFu);
    EXPECT_EQ(host_->PixelAt(49, 60), 0x0000FFu);
    EXPECT_EQ(host_->PixelAt(90, 60), 0x0000FFu);
}

TEST_F(Painting, WithoutClipChildrenTheChildrenRepaintOverTheParent) {
    HWND parent = TopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    HWND child = Child(parent, 50, 50, 40, 40);
    HWND sibling = Child(parent, 70, 70, 40, 40);  // below `child` in the z-order
    colors_[parent] = kRed;
    colors_[child] = kGreen;
    colors_[sibling] = kBlue;
    Pump();
    painted_.clear();
    InvalidateRect(parent, nullptr, TRUE);
    Pump();
    // Parent first, then the children it covered.
    ASSERT_EQ(painted_.size(), 3u);
    EXPECT_EQ(painted_[0].first, parent);
    EXPECT_EQ(host_->PixelAt(60, 60), 0x00FF00u);
    // Where the two children overlap the upper one wins; the lower one is clipped.
    EXPECT_EQ(host_->PixelAt(80, 80), 0x00FF00u);
    EXPECT_EQ(host_->PixelAt(100, 100), 0x0000FFu);
    // Moving a child repaints what it uncovered.
    SetWindowPos(child, nullptr, 120, 120, 40, 40, SWP_NOZORDER);
    Pump();
    EXPECT_EQ(host_->PixelAt(55, 55), 0xFF0000u);
    EXPECT_EQ(host_->PixelAt(125, 125), 0x00FF00u);
}

TEST_F(Painting, EraseUsesTheClassBrushAndFrameIsPaintedBeforeTheClient) {
    TheRecorder().handler = nullptr;  // everything by default
    HWND w = TopLevel(10, 10, 100, 80, WS_POPUP | WS_BORDER | WS_VISIBLE);
    Pump();
    const std::vector<UINT> order = TheRecorder().Only(w, {WM_PAINT, WM_NCPAINT, WM_ERASEBKGND});
    EXPECT_EQ(order, (std::vector<UINT>{WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}));
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const std::uint32_t expected = (std::uint32_t(GetRValue(window)) << 16) |
                                   (std::uint32_t(GetGValue(window)) << 8) | GetBValue(window);
    EXPECT_EQ(host_->PixelAt(50, 50), expected);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    const std::uint32_t border = (std::uint32_t(GetRValue(frame)) << 16) |
                                 (std::uint32_t(GetGValue(frame)) << 8) | GetBValue(frame);
    EXPECT_EQ(host_->PixelAt(10, 50), border);
}

TEST_F(Painting, WindowRegionsShapeHitTestingAndTheScreen) {
    HWND below = TopLevel(0, 0, 300, 300, WS_POPUP | WS_VISIBLE);
    HWND shaped = TopLevel(50, 50, 100, 100, WS_POPUP | WS_VISIBLE);
    colors_[below] = kBlue;
    colors_[shaped] = kRed;
    // Only the left half of the shaped window belongs to it.
    ASSERT_TRUE(SetWindowRgn(shaped, CreateRectRgn(0, 0, 50, 100), TRUE));
    Pump();
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), shaped);
    EXPECT_EQ(WindowFromPoint(POINT{120, 60}), below);
    EXPECT_EQ(SendMessage(shaped, WM_NCHITTEST, 0, MAKELPARAM(120, 60)), HTNOWHERE);
    EXPECT_EQ(host_->PixelAt(60, 60), 0xFF0000u);
    EXPECT_EQ(host_->PixelAt(120, 60), 0x0000FFu);
    // A click outside the region falls through to the window below.
    TheRecorder().log.clear();
    host_->Click(120, 60);
    Pump();
    EXPECT_EQ(TheRecorder().Count(below, WM_LBUTTONDOWN), 1u);
    EXPECT_EQ(TheRecorder().Count(shaped, WM_LBUTTONDOWN), 0u);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(shaped, copy), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(copy, 49, 99));
    EXPECT_FALSE(PtInRegion(copy, 50, 0));
    DeleteObject(copy);

    // A child's region limits its painting and its hit testing.
    HWND child = Child(below, 200, 200, 50, 50);
    colors_[child] = kGreen;
    SetWindowRgn(child, CreateRectRgn(0, 0, 25, 50), TRUE);
    Pump();
    EXPECT_EQ(host_->PixelAt(210, 210), 0x00FF00u);
    EXPECT_EQ(host_->PixelAt(240, 210), 0x0000FFu);
    EXPECT_EQ(WindowFromPoint(POINT{240, 210}), below);
    // Removing the region restores the whole window (brought back above the clicked one).
    SetWindowRgn(shaped, nullptr, TRUE);
    SetActiveWindow(shaped);
    Pump();
    EXPECT_EQ(WindowFromPoint(POINT{120, 60}), shaped);
    EXPECT_EQ(host_->PixelAt(120, 60), 0xFF0000u);
}

TEST_F(Painting, TopMostWindowsStayAboveOnTheScreen) {
    HWND topmost = TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    HWND normal = TopLevel(50, 50, 100, 100, WS_POPUP | WS_VISIBLE);
    colors_[topmost] = kGreen;
    colors_[normal] = kRed;
    Pump();
    EXPECT_EQ(GetActiveWindow(), normal);
    EXPECT_EQ(host_->PixelAt(75, 75), 0x00FF00u);
    EXPECT_EQ(WindowFromPoint(POINT{75, 75}), topmost);
    EXPECT_EQ(host_->PixelAt(125, 125), 0xFF0000u);
}

TEST_F(Painting, GetDCDrawsIntoTheWindowOutsideOfPainting) {
    HWND w = TopLevel(10, 10, 100, 100, WS_POPUP | WS_VISIBLE);
    HWND child = Child(w, 50, 50, 20, 20);
    colors_[w] = kRed;
    colors_[child] = kGreen;
    Pump();
    HDC dc = GetDC(child);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(WindowFromDC(dc), child);
    HBRUSH brush = CreateSolidBrush(kBlue);
    RECT all{-100, -100, 100, 100};
    FillRect(dc, &all, brush);  // clipped to the child
    DeleteObject(brush);
    EXPECT_EQ(ReleaseDC(child, dc), 1);
    Pump();
    EXPECT_EQ(host_->PixelAt(65, 65), 0x0000FFu);
    EXPECT_EQ(host_->PixelAt(55, 55), 0xFF0000u);
    // The window DC reaches the frame; the client DC does not.
    HDC windowDc = GetWindowDC(w);
    EXPECT_NE(windowDc, nullptr);
    EXPECT_EQ(ReleaseDC(w, windowDc), 1);
}

TEST_F(Painting, ScreenshotsAreWrittenAsBitmaps) {
    HWND w = TopLevel(0, 0, 20, 10, WS_POPUP | WS_VISIBLE);
    colors_[w] = kRed;
    Pump();
    const std::string path = std::string(TEMBRIN_BINARY_DIR) + "/virtual_screen_test.bmp";
    ASSERT_TRUE(host_->SaveScreenshot(path));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::vector<unsigned char> bytes(54 + 2400 * 600 + 16);
    const size_t size = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    std::remove(path.c_str());
    EXPECT_EQ(size, size_t(54 + 800 * 3 * 600));
    EXPECT_EQ(bytes[0], 'B');
    // The top-left pixel sits in the last row of the bottom-up file: red.
    const size_t topLeft = 54 + size_t(599) * 800 * 3;
    EXPECT_EQ(bytes[topLeft + 2], 0xFF);
    EXPECT_EQ(bytes[topLeft + 1], 0x00);
}

}  // namespace
}  // namespace platform::testing
