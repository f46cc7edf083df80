// Device contexts: capabilities, state, SaveDC/RestoreDC, mapping, clipping and surface DCs.
#include "gdi_fixture.h"

namespace platform {
namespace {

using testing::GdiTest;
using testing::MemDc;
using testing::ScreenBitmap;

TEST_F(GdiTest, DeviceCapsDescribeATrueColourScreen) {
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_NE(GetDeviceCaps(screen, RASTERCAPS) & RC_STRETCHBLT, 0);
    EXPECT_EQ(GetDeviceCaps(nullptr, BITSPIXEL), 0);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 0);  // already released
}

TEST_F(GdiTest, NewDcDefaults) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(GetPolyFillMode(dc), ALTERNATE);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), GetStockObject(DEFAULT_PALETTE));
    BITMAP bm{};
    GetObject(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(SetBkMode(dc, 7), 0);
    EXPECT_EQ(SetROP2(dc, 0), 0);
    DeleteDC(dc);
    EXPECT_EQ(GetTextColor(dc), CLR_INVALID);
}

TEST_F(GdiTest, SaveAndRestoreDcBringBackStateAndSelections) {
    MemDc m(ScreenBitmap(4, 4));
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    int level = SaveDC(m.dc());
    EXPECT_EQ(level, 1);
    SetTextColor(m.dc(), RGB(1, 2, 3));
    SetViewportOrgEx(m.dc(), 5, 6, nullptr);
    HGDIOBJ old = SelectObject(m.dc(), brush);
    IntersectClipRect(m.dc(), 0, 0, 1, 1);
    EXPECT_EQ(SaveDC(m.dc()), 2);
    SetTextColor(m.dc(), RGB(4, 5, 6));
    EXPECT_TRUE(RestoreDC(m.dc(), -1));
    EXPECT_EQ(GetTextColor(m.dc()), RGB(1, 2, 3));
    EXPECT_TRUE(RestoreDC(m.dc(), 1));
    EXPECT_EQ(GetTextColor(m.dc()), RGB(0, 0, 0));
    POINT org{};
    GetViewportOrgEx(m.dc(), &org);
    EXPECT_EQ(org.x, 0);
    EXPECT_EQ(GetCurrentObject(m.dc(), OBJ_BRUSH), old);
    RECT box{};
    EXPECT_EQ(GetClipBox(m.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 4);
    EXPECT_FALSE(RestoreDC(m.dc(), 1));  // nothing saved any more
    EXPECT_FALSE(RestoreDC(m.dc(), 0));
    DeleteObject(brush);
}

TEST_F(GdiTest, RestoreDcReselectsTheSavedBitmap) {
    HBITMAP a = ScreenBitmap(2, 2), b = ScreenBitmap(3, 3);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(dc, a);
    SaveDC(dc);
    SelectObject(dc, b);
    RestoreDC(dc, -1);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), a);
    EXPECT_TRUE(DeleteObject(b));  // no longer selected anywhere
    EXPECT_FALSE(DeleteObject(a));
    SelectObject(dc, original);
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(a));
}

TEST_F(GdiTest, AnisotropicMappingConvertsBothWays) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 100, 50, nullptr);
    SetWindowExtEx(dc, 1000, 500, nullptr);
    SetViewportOrgEx(dc, 10, 20, nullptr);
    SetViewportExtEx(dc, 200, -100, nullptr);
    POINT pts[2] = {{100, 50}, {600, 300}};
    ASSERT_TRUE(LPtoDP(dc, pts, 2));
    EXPECT_EQ(pts[0].x, 10);
    EXPECT_EQ(pts[0].y, 20);
    EXPECT_EQ(pts[1].x, 110);  // 500 * 200 / 1000 + 10
    EXPECT_EQ(pts[1].y, -30);  // 250 * -100 / 500 + 20
    ASSERT_TRUE(DPtoLP(dc, pts, 2));
    EXPECT_EQ(pts[1].x, 600);
    EXPECT_EQ(pts[1].y, 300);
    SIZE ext{};
    GetViewportExtEx(dc, &ext);
    EXPECT_EQ(ext.cy, -100);
    EXPECT_FALSE(SetWindowExtEx(dc, 0, 5, nullptr));
    // Back to MM_TEXT: extents are ignored and only origins count.
    SetMapMode(dc, MM_TEXT);
    EXPECT_TRUE(SetViewportExtEx(dc, 7, 7, nullptr));
    POINT p{0, 0};
    LPtoDP(dc, &p, 1);
    EXPECT_EQ(p.x, -90);  // 0 - 100 + 10
    EXPECT_EQ(p.y, -30);
    OffsetViewportOrgEx(dc, 5, 5, nullptr);
    POINT q{100, 50};
    LPtoDP(dc, &q, 1);
    EXPECT_EQ(q.x, 15);
    DeleteDC(dc);
}

TEST_F(GdiTest, IsotropicMappingKeepsUnitsSquare) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, 100, 100, nullptr);
    SetViewportExtEx(dc, 400, 200, nullptr);
    SIZE ext{};
    GetViewportExtEx(dc, &ext);
    EXPECT_EQ(ext.cx, 200);
    EXPECT_EQ(ext.cy, 200);
    DeleteDC(dc);
}

TEST_F(GdiTest, ClipFunctionsCombineInDeviceCoordinates) {
    MemDc m(ScreenBitmap(20, 20));
    RECT box{};
    EXPECT_EQ(GetClipBox(m.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 20);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(m.dc(), probe), 0);
    EXPECT_EQ(IntersectClipRect(m.dc(), 2, 2, 10, 10), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(m.dc(), 4, 4, 6, 6), COMPLEXREGION);
    EXPECT_TRUE(PtVisible(m.dc(), 3, 3));
    EXPECT_FALSE(PtVisible(m.dc(), 5, 5));
    EXPECT_FALSE(PtVisible(m.dc(), 12, 3));
    RECT r{11, 11, 15, 15};
    EXPECT_FALSE(RectVisible(m.dc(), &r));
    EXPECT_EQ(GetClipRgn(m.dc(), probe), 1);
    HRGN expected = CreateRectRgn(2, 2, 10, 10);
    HRGN hole = CreateRectRgn(4, 4, 6, 6);
    CombineRgn(expected, expected, hole, RGN_DIFF);
    EXPECT_TRUE(EqualRgn(probe, expected));
    // The viewport origin moves logical rectangles; the clip box comes back in logical units.
    SetViewportOrgEx(m.dc(), 1, 1, nullptr);
    EXPECT_EQ(GetClipBox(m.dc(), &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 9);
    SetViewportOrgEx(m.dc(), 0, 0, nullptr);
    HRGN extra = CreateRectRgn(15, 15, 30, 30);
    EXPECT_EQ(ExtSelectClipRgn(m.dc(), extra, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtVisible(m.dc(), 19, 19));
    EXPECT_EQ(ExtSelectClipRgn(m.dc(), nullptr, RGN_AND), ERROR);
    EXPECT_EQ(SelectClipRgn(m.dc(), nullptr), SIMPLEREGION);
    EXPECT_TRUE(PtVisible(m.dc(), 5, 5));
    // The region selected is copied: editing it later changes nothing.
    SelectClipRgn(m.dc(), hole);
    OffsetRgn(hole, 10, 10);
    EXPECT_TRUE(PtVisible(m.dc(), 5, 5));
    EXPECT_FALSE(PtVisible(m.dc(), 15, 15));
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(SelectClipRgn(m.dc(), empty), NULLREGION);
    EXPECT_EQ(GetClipBox(m.dc(), &box), NULLREGION);
    for (HRGN h : {probe, expected, hole, extra, empty}) DeleteObject(h);
}

TEST_F(GdiTest, SurfaceDcDrawsAtItsOriginInsideTheVisibleRegion) {
    HBITMAP surface = ScreenBitmap(20, 20);
    MemDc whole(ScreenBitmap(1, 1));  // only for reading back
    HRGN visible = CreateRectRgn(5, 5, 15, 15);
    HDC dc = CreateSurfaceDC(surface, POINT{5, 5}, visible);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), OBJ_DC);
    EXPECT_EQ(SelectObject(dc, whole.bitmap()), nullptr);  // window DCs keep their surface
    PatBlt(dc, -5, -5, 30, 30, WHITENESS);
    RECT box{};
    GetClipBox(dc, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 10);
    // The application clip narrows; selecting none returns to the visible region.
    IntersectClipRect(dc, 0, 0, 2, 2);
    GetClipBox(dc, &box);
    EXPECT_EQ(box.right, 2);
    SelectClipRgn(dc, nullptr);
    GetClipBox(dc, &box);
    EXPECT_EQ(box.right, 10);
    // Moving the origin and visible region.
    HRGN moved = CreateRectRgn(0, 0, 4, 4);
    EXPECT_TRUE(SetSurfaceDCVisibleRegion(dc, moved, POINT{0, 0}));
    SetPixel(dc, 1, 1, RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc, 6, 6), CLR_INVALID);
    EXPECT_FALSE(DeleteObject(surface));  // still in use by the DC
    DeleteDC(dc);
    HDC reader = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(reader, surface);
    EXPECT_EQ(GetPixel(reader, 4, 4), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(reader, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(reader, 14, 14), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(reader, 15, 15), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(reader, 1, 1), RGB(1, 2, 3));
    SelectObject(reader, old);
    DeleteDC(reader);
    DeleteObject(surface);
    DeleteObject(visible);
    DeleteObject(moved);
}

HBITMAP gWindowSurface = nullptr;
int gReleased = 0;
HDC GetTestWindowDc(HWND) {
    return CreateSurfaceDC(gWindowSurface, POINT{0, 0}, nullptr);
}
int ReleaseTestWindowDc(HWND, HDC dc) {
    ++gReleased;
    return DeleteDC(dc);
}

TEST_F(GdiTest, WindowDcsComeFromTheWindowLayerHooks) {
    HWND window = reinterpret_cast<HWND>(std::uintptr_t{0x1234});
    EXPECT_EQ(GetDC(window), nullptr);  // no window layer yet
    gWindowSurface = ScreenBitmap(3, 3);
    SetWindowDcHooks(GetTestWindowDc, ReleaseTestWindowDc);
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(SetPixel(dc, 2, 2, RGB(9, 8, 7)), RGB(9, 8, 7));
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    EXPECT_EQ(gReleased, 1);
    EXPECT_EQ(GetObjectType(dc), 0u);
    SetWindowDcHooks(nullptr, nullptr);
    DeleteObject(gWindowSurface);
}

TEST_F(GdiTest, ScreenSizeIsSetByTheWindowLayer) {
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    SetScreenSize(1280, 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1280);
    ReleaseDC(nullptr, screen);
    SetScreenSize(0, -1);  // ignored
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    RECT work{0, 0, 1280, 990};
    SetWorkArea(work);
    EXPECT_EQ(GetWorkArea().bottom, 990);
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 1280);
    SetScreenSize(w, h);
    SetWorkArea({0, 0, w, h});
}

}  // namespace
}  // namespace platform
