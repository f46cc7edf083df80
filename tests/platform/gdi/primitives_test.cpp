// Drawing primitives and the coverage blender the text drawing uses.
#include "gdi_fixture.h"
#include "platform/gdi/dc.h"
#include "support/white_canvas.h"

namespace platform {
namespace {

using testing::GdiTest;
using testing::MemDc;

using testing_support::WhiteCanvas;

TEST_F(GdiTest, FillFrameAndInvertRect) {
    WhiteCanvas c(8, 8);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    RECT r{1, 1, 5, 4};
    EXPECT_EQ(FillRect(c.Dc(), &r, blue), 1);
    EXPECT_EQ(c.Count(RGB(0, 0, 255)), 12);  // right and bottom edges excluded
    RECT f{0, 0, 8, 8};
    FrameRect(c.Dc(), &f, blue);
    EXPECT_EQ(c.Count(RGB(0, 0, 255)), 12 + 28);
    EXPECT_EQ(GetPixel(c.Dc(), 7, 7), RGB(0, 0, 255));
    RECT i{4, 3, 6, 5};
    InvertRect(c.Dc(), &i);
    EXPECT_EQ(GetPixel(c.Dc(), 4, 3), RGB(255, 255, 0));  // was blue
    EXPECT_EQ(GetPixel(c.Dc(), 5, 4), RGB(0, 0, 0));      // was white
    // A system colour index + 1 stands for that colour's brush.
    RECT s{6, 1, 7, 2};
    FillRect(c.Dc(), &s, reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_BTNFACE + 1)));
    EXPECT_EQ(GetPixel(c.Dc(), 6, 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(FillRect(c.Dc(), &s, nullptr), 0);
    DeleteObject(blue);
}

TEST_F(GdiTest, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    WhiteCanvas c(10, 10);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
    HGDIOBJ op = SelectObject(c.Dc(), pen), ob = SelectObject(c.Dc(), brush);
    Rectangle(c.Dc(), 1, 1, 6, 5);
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 14);  // 5x4 outline
    EXPECT_EQ(c.Count(RGB(0, 255, 0)), 6);   // 3x2 inside
    EXPECT_EQ(GetPixel(c.Dc(), 5, 4), RGB(255, 0, 0));
    // Without a pen the filled area is one pixel narrower and shorter.
    SelectObject(c.Dc(), GetStockObject(NULL_PEN));
    PatBlt(c.Dc(), 0, 0, 10, 10, WHITENESS);
    Rectangle(c.Dc(), 1, 1, 6, 5);
    EXPECT_EQ(c.Count(RGB(0, 255, 0)), 4 * 3);
    // Null brush: outline only.
    SelectObject(c.Dc(), pen);
    SelectObject(c.Dc(), GetStockObject(NULL_BRUSH));
    PatBlt(c.Dc(), 0, 0, 10, 10, WHITENESS);
    Rectangle(c.Dc(), 0, 0, 10, 10);
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 36);
    EXPECT_EQ(c.Count(RGB(255, 255, 255)), 64);
    SelectObject(c.Dc(), op);
    SelectObject(c.Dc(), ob);
    DeleteObject(pen);
    DeleteObject(brush);
}

TEST_F(GdiTest, LinesLeaveOutTheirLastPointAndFollowTheMixMode) {
    WhiteCanvas c(10, 10);
    MoveToEx(c.Dc(), 1, 1, nullptr);
    EXPECT_TRUE(LineTo(c.Dc(), 6, 1));
    EXPECT_EQ(c.Count(RGB(0, 0, 0)), 5);
    EXPECT_EQ(GetPixel(c.Dc(), 6, 1), RGB(255, 255, 255));
    POINT pos{};
    GetCurrentPositionEx(c.Dc(), &pos);
    EXPECT_EQ(pos.x, 6);
    // Diagonal: one pixel per step.
    LineTo(c.Dc(), 9, 4);
    EXPECT_EQ(GetPixel(c.Dc(), 8, 3), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.Dc(), 9, 4), RGB(255, 255, 255));
    // R2_NOT inverts what is there, whatever the pen.
    SetROP2(c.Dc(), R2_NOT);
    MoveToEx(c.Dc(), 0, 1, nullptr);
    LineTo(c.Dc(), 3, 1);
    EXPECT_EQ(GetPixel(c.Dc(), 0, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.Dc(), 1, 1), RGB(255, 255, 255));
    SetROP2(c.Dc(), R2_COPYPEN);
}

TEST_F(GdiTest, DottedPenLeavesGapsOpaqueModeFillsThem) {
    WhiteCanvas c(12, 2);
    HPEN dot = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(c.Dc(), dot);
    SetBkMode(c.Dc(), TRANSPARENT);
    MoveToEx(c.Dc(), 0, 0, nullptr);
    LineTo(c.Dc(), 12, 0);
    EXPECT_EQ(c.Count(RGB(0, 0, 0)), 6);  // 3 on, 3 off
    EXPECT_EQ(GetPixel(c.Dc(), 3, 0), RGB(255, 255, 255));
    SetBkMode(c.Dc(), OPAQUE);
    SetBkColor(c.Dc(), RGB(0, 0, 200));
    MoveToEx(c.Dc(), 0, 1, nullptr);
    LineTo(c.Dc(), 12, 1);
    EXPECT_EQ(GetPixel(c.Dc(), 3, 1), RGB(0, 0, 200));
    SelectObject(c.Dc(), old);
    DeleteObject(dot);
}

TEST_F(GdiTest, PolygonFillModesDifferOnSelfOverlap) {
    // A five-point star: its centre is inside for WINDING, outside for ALTERNATE.
    const POINT star[5] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    WhiteCanvas c(21, 21);
    SelectObject(c.Dc(), GetStockObject(NULL_PEN));
    SelectObject(c.Dc(), GetStockObject(BLACK_BRUSH));
    Polygon(c.Dc(), star, 5);
    EXPECT_EQ(GetPixel(c.Dc(), 10, 10), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(c.Dc(), 10, 3), RGB(0, 0, 0));
    SetPolyFillMode(c.Dc(), WINDING);
    Polygon(c.Dc(), star, 5);
    EXPECT_EQ(GetPixel(c.Dc(), 10, 10), RGB(0, 0, 0));
    SelectObject(c.Dc(), GetStockObject(WHITE_BRUSH));
    SelectObject(c.Dc(), GetStockObject(BLACK_PEN));
    EXPECT_FALSE(Polygon(c.Dc(), star, 1));
}

TEST_F(GdiTest, EllipseIsSymmetricAndTouchesItsBox) {
    WhiteCanvas c(12, 9);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    HGDIOBJ old = SelectObject(c.Dc(), brush);
    Ellipse(c.Dc(), 1, 1, 11, 8);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(GetPixel(c.Dc(), x, y), GetPixel(c.Dc(), 11 - x, 8 - y)) << x << "," << y;
    EXPECT_EQ(GetPixel(c.Dc(), 1, 4), RGB(0, 0, 0));   // left extreme is outline
    EXPECT_EQ(GetPixel(c.Dc(), 10, 4), RGB(0, 0, 0));  // right extreme
    EXPECT_EQ(GetPixel(c.Dc(), 5, 1), RGB(0, 0, 0));   // top
    EXPECT_EQ(GetPixel(c.Dc(), 5, 4), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(c.Dc(), 1, 1), RGB(255, 255, 255));  // corners stay
    EXPECT_EQ(GetPixel(c.Dc(), 11, 4), RGB(255, 255, 255));
    SelectObject(c.Dc(), old);
    DeleteObject(brush);
}

TEST_F(GdiTest, RoundRectCutsOnlyTheCorners) {
    WhiteCanvas c(10, 10);
    SelectObject(c.Dc(), GetStockObject(BLACK_BRUSH));
    RoundRect(c.Dc(), 0, 0, 10, 10, 6, 6);
    EXPECT_EQ(GetPixel(c.Dc(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(c.Dc(), 0, 5), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.Dc(), 5, 9), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.Dc(), 9, 9), RGB(255, 255, 255));
    SelectObject(c.Dc(), GetStockObject(WHITE_BRUSH));
}

TEST_F(GdiTest, PieFillsOnlyItsSweep) {
    WhiteCanvas c(21, 21);
    SelectObject(c.Dc(), GetStockObject(BLACK_BRUSH));
    SelectObject(c.Dc(), GetStockObject(NULL_PEN));
    // From the right (3 o'clock) counter-clockwise to the top (12 o'clock): the upper-right
    // quarter.
    Pie(c.Dc(), 0, 0, 21, 21, 20, 10, 10, 0);
    EXPECT_EQ(GetPixel(c.Dc(), 15, 5), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.Dc(), 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(c.Dc(), 15, 15), RGB(255, 255, 255));
    SelectObject(c.Dc(), GetStockObject(WHITE_BRUSH));
    SelectObject(c.Dc(), GetStockObject(BLACK_PEN));
}

TEST_F(GdiTest, HatchBrushBackgroundFollowsTheBackgroundMode) {
    WhiteCanvas c(8, 8);
    HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, RGB(255, 0, 0));
    RECT r{0, 0, 8, 8};
    SetBkColor(c.Dc(), RGB(0, 0, 255));
    FillRect(c.Dc(), &r, hatch);
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 8);
    EXPECT_EQ(c.Count(RGB(0, 0, 255)), 56);
    PatBlt(c.Dc(), 0, 0, 8, 8, WHITENESS);
    SetBkMode(c.Dc(), TRANSPARENT);
    FillRect(c.Dc(), &r, hatch);
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 8);
    EXPECT_EQ(c.Count(RGB(255, 255, 255)), 56);
    DeleteObject(hatch);
    EXPECT_EQ(CreateHatchBrush(17, 0), nullptr);
}

TEST_F(GdiTest, BlendCoverageMixesClipsAndThresholdsOnIndexedSurfaces) {
    WhiteCanvas c(4, 2);
    DcObject* dc = ResolveDc(c.Dc());
    ASSERT_NE(dc, nullptr);
    const std::uint8_t cov[2][4] = {{0, 255, 128, 64}, {255, 255, 255, 255}};
    IntersectClipRect(c.Dc(), 0, 0, 4, 1);  // the second row is clipped away
    BlendCoverage(*dc, 0, 0, &cov[0][0], 4, 2, 4, RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.Dc(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(c.Dc(), 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.Dc(), 2, 0), RGB(127, 127, 127));
    EXPECT_EQ(GetPixel(c.Dc(), 3, 0), RGB(191, 191, 191));
    SelectClipRgn(c.Dc(), nullptr);
    EXPECT_EQ(GetPixel(c.Dc(), 0, 1), RGB(255, 255, 255));
    // Far outside: nothing happens, nothing is read out of range.
    BlendCoverage(*dc, -100, 50, &cov[0][0], 4, 2, 4, 0);
    BlendCoverage(*dc, INT32_MAX - 1, INT32_MAX - 1, &cov[0][0], 4, 2, 4, 0);
    // On a 1-bit surface coverage is thresholded.
    MemDc mono(CreateBitmap(4, 1, 1, 1, nullptr));
    PatBlt(mono.dc(), 0, 0, 4, 1, WHITENESS);
    BlendCoverage(*ResolveDc(mono.dc()), 0, 0, &cov[0][0], 4, 1, 4, RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(mono.dc(), 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(mono.dc(), 2, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(mono.dc(), 3, 0), RGB(255, 255, 255));
}

TEST_F(GdiTest, PalettesAndSystemColours) {
    HDC screen = GetDC(nullptr);
    HPALETTE half = CreateHalftonePalette(screen);
    EXPECT_EQ(GetPaletteEntries(half, 0, 0, nullptr), 256u);
    EXPECT_EQ(GetNearestPaletteIndex(half, RGB(0, 0, 0)), 0u);
    PALETTEENTRY e{};
    UINT i = GetNearestPaletteIndex(half, RGB(50, 100, 150));
    ASSERT_EQ(GetPaletteEntries(half, i, 1, &e), 1u);
    EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), RGB(51, 102, 153));
    EXPECT_EQ(GetPaletteEntries(half, 250, 10, nullptr), 256u);
    PALETTEENTRY tail[10] = {};
    EXPECT_EQ(GetPaletteEntries(half, 250, 10, tail), 6u);  // only what exists
    EXPECT_EQ(GetPaletteEntries(half, 300, 1, tail), 0u);
    HPALETTE old = SelectPalette(screen, half, FALSE);
    EXPECT_EQ(old, GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(RealizePalette(screen), 0u);
    SelectPalette(screen, old, FALSE);
    std::vector<std::uint8_t> buffer(sizeof(LOGPALETTE) + 2 * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = 3;
    lp->palPalEntry[2] = {1, 2, 3, PC_NOCOLLAPSE};
    HPALETTE mine = CreatePalette(lp);
    EXPECT_EQ(GetPaletteEntries(mine, 2, 1, &e), 1u);
    EXPECT_EQ(e.peBlue, 3);
    WORD count = 0;
    EXPECT_EQ(GetObject(mine, sizeof count, &count), 2);
    EXPECT_EQ(count, 3);
    lp->palVersion = 0x200;
    EXPECT_EQ(CreatePalette(lp), nullptr);
    DeleteObject(mine);
    DeleteObject(half);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 0, 128));
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
    EXPECT_EQ(GetSystemMetrics(SM_CYICON), 32);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    SetLastError(ERROR_INVALID_HANDLE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    char text[64];
    EXPECT_GT(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_INVALID_HANDLE, 0, text,
                            sizeof text, nullptr),
              0u);
    EXPECT_STREQ(text, "The handle is invalid.\r\n");
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_INVALID_HANDLE, 0, text, 5,
                            nullptr),
              0u);
}

}  // namespace
}  // namespace platform
