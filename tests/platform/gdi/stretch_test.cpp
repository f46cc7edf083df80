// Stretching: which rows and columns COLORONCOLOR keeps, how the other modes combine groups,
// mirroring, and the stretch mode of a new DC.
#include "gdi_fixture.h"
#include "platform/gdi/raster.h"

namespace platform {
namespace {

using testing::GdiTest;
using testing::MemDc;
using testing::ScreenBitmap;

// A bitmap whose pixel (x, y) encodes its coordinates.
HBITMAP Coordinates(int w, int h) {
    HBITMAP b = ScreenBitmap(w, h);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(dc, x, y, RGB(x, y, 1));
    SelectObject(dc, old);
    DeleteDC(dc);
    return b;
}

TEST_F(GdiTest, NewDcStartsInBlackOnWhite) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetStretchBltMode(dc), BLACKONWHITE);
    EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
    EXPECT_EQ(GetStretchBltMode(dc), COLORONCOLOR);
    EXPECT_EQ(SetStretchBltMode(dc, 0), 0);  // invalid mode refused
    EXPECT_EQ(GetStretchBltMode(dc), COLORONCOLOR);
    DeleteDC(dc);
}

TEST_F(GdiTest, ColorOnColorEnlarging16To32RepeatsEveryRowAndColumn) {
    MemDc src(Coordinates(16, 16));
    MemDc dst(ScreenBitmap(32, 32));
    SetStretchBltMode(dst.dc(), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 32, 32, src.dc(), 0, 0, 16, 16, SRCCOPY));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(GetPixel(dst.dc(), x, y), RGB(x / 2, y / 2, 1)) << x << "," << y;
}

TEST_F(GdiTest, ColorOnColorShrinking64To32KeepsOddColumnsAndEvenRows) {
    MemDc src(Coordinates(64, 64));
    MemDc dst(ScreenBitmap(32, 32));
    SetStretchBltMode(dst.dc(), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 32, 32, src.dc(), 0, 0, 64, 64, SRCCOPY));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(GetPixel(dst.dc(), x, y), RGB(2 * x + 1, 2 * y, 1)) << x << "," << y;
}

TEST(StretchAxis, GroupsFollowTheRoundingRule) {
    // 5 -> 3: group of s is floor((6s + 2) / 10): 0,0,1,2,2.
    AxisMapping m = MapAxis(5, 3, 0, 3, false, true);
    EXPECT_EQ(m.first, (std::vector<std::int64_t>{0, 2, 3}));
    EXPECT_EQ(m.last, (std::vector<std::int64_t>{1, 2, 4}));
    EXPECT_EQ(m.index, m.last);
    AxisMapping rows = MapAxis(5, 3, 0, 3, false, false);
    EXPECT_EQ(rows.index, rows.first);
    // 3 -> 7: floor((6d + 2) / 14): 0,0,1,1,1,2,2.
    AxisMapping up = MapAxis(3, 7, 0, 7, false, true);
    EXPECT_EQ(up.index, (std::vector<std::int64_t>{0, 0, 1, 1, 1, 2, 2}));
    // Mirrored: the same choices in reverse order; a partial range maps only that range.
    AxisMapping mirrored = MapAxis(3, 7, 2, 5, true, true);
    EXPECT_EQ(mirrored.index, (std::vector<std::int64_t>{1, 1, 1}));
    // Huge sizes do not overflow.
    AxisMapping huge = MapAxis(4294967295LL, 2, 0, 2, false, false);
    EXPECT_EQ(huge.first[0], 0);
    EXPECT_GT(huge.first[1], 2000000000LL);
}

TEST_F(GdiTest, BlackOnWhiteShrinkAndsTheGroupWhiteOnBlackOrsIt) {
    // 4x1 -> 2x1: groups {0,1} and {2,3}.
    MemDc src(ScreenBitmap(4, 1));
    SetPixel(src.dc(), 0, 0, RGB(0xF0, 0xFF, 0x0F));
    SetPixel(src.dc(), 1, 0, RGB(0x3C, 0x0F, 0xFF));
    SetPixel(src.dc(), 2, 0, RGB(255, 255, 255));
    SetPixel(src.dc(), 3, 0, RGB(0, 0, 0));
    MemDc dst(ScreenBitmap(2, 1));
    ASSERT_EQ(GetStretchBltMode(dst.dc()), BLACKONWHITE);
    StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(0x30, 0x0F, 0x0F));
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(0, 0, 0));
    // Mirrored: the groups swap places.
    StretchBlt(dst.dc(), 2, 0, -2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(0x30, 0x0F, 0x0F));
    SetStretchBltMode(dst.dc(), WHITEONBLACK);
    StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(0xFC, 0xFF, 0xFF));
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(255, 255, 255));
}

TEST_F(GdiTest, BlackOnWhiteKeepsThinBlackLinesOfAMonochromePicture) {
    // A one-pixel black column in a white 1-bit picture survives halving only when groups are
    // ANDed; COLORONCOLOR, taking the odd columns, drops the even column 2.
    MemDc src(CreateBitmap(8, 2, 1, 1, nullptr));
    PatBlt(src.dc(), 0, 0, 8, 2, WHITENESS);
    PatBlt(src.dc(), 2, 0, 1, 2, BLACKNESS);
    MemDc dst(CreateBitmap(4, 1, 1, 1, nullptr));
    StretchBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, 8, 2, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(255, 255, 255));
    SetStretchBltMode(dst.dc(), COLORONCOLOR);
    StretchBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, 8, 2, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(255, 255, 255));
}

TEST_F(GdiTest, HalftoneAveragesTheGroup) {
    MemDc src(ScreenBitmap(2, 2));
    SetPixel(src.dc(), 0, 0, RGB(0, 0, 0));
    SetPixel(src.dc(), 1, 0, RGB(255, 100, 0));
    SetPixel(src.dc(), 0, 1, RGB(255, 100, 0));
    SetPixel(src.dc(), 1, 1, RGB(255, 0, 4));
    MemDc dst(ScreenBitmap(1, 1));
    SetStretchBltMode(dst.dc(), HALFTONE);
    StretchBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(191, 50, 1));
}

TEST_F(GdiTest, NegativeExtentsMirror) {
    MemDc src(Coordinates(4, 2));
    MemDc dst(ScreenBitmap(4, 2));
    SetStretchBltMode(dst.dc(), COLORONCOLOR);
    // Destination width -4 from x = 4 covers columns 0..3, mirrored.
    ASSERT_TRUE(StretchBlt(dst.dc(), 4, 0, -4, 2, src.dc(), 0, 0, 4, 2, SRCCOPY));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(GetPixel(dst.dc(), x, 0), RGB(3 - x, 0, 1));
    // Source height negative: upside down.
    ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 2, src.dc(), 0, 2, 4, -2, SRCCOPY));
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(1, 1, 1));
    EXPECT_EQ(GetPixel(dst.dc(), 1, 1), RGB(1, 0, 1));
    // Both negative: no mirror.
    ASSERT_TRUE(StretchBlt(dst.dc(), 4, 2, -4, -2, src.dc(), 4, 2, -4, -2, SRCCOPY));
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(0, 0, 1));
    EXPECT_EQ(GetPixel(dst.dc(), 3, 1), RGB(3, 1, 1));
}

TEST_F(GdiTest, StretchSourcePartlyOutsideLeavesThoseDestinationPixels) {
    MemDc src(Coordinates(4, 4));
    MemDc dst(ScreenBitmap(8, 8));
    PatBlt(dst.dc(), 0, 0, 8, 8, BLACKNESS);
    SetStretchBltMode(dst.dc(), COLORONCOLOR);
    // Source x from -2: destination columns 0..3 (source -2..-1) stay black.
    StretchBlt(dst.dc(), 0, 0, 8, 8, src.dc(), -2, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 3, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dst.dc(), 4, 0), RGB(0, 0, 1));
    EXPECT_EQ(GetPixel(dst.dc(), 7, 7), RGB(1, 3, 1));
}

TEST_F(GdiTest, StretchIntoAnisotropicMappingScalesBitBlt) {
    MemDc src(Coordinates(2, 2));
    MemDc dst(ScreenBitmap(4, 4));
    SetStretchBltMode(dst.dc(), COLORONCOLOR);
    SetMapMode(dst.dc(), MM_ANISOTROPIC);
    SetWindowExtEx(dst.dc(), 1, 1, nullptr);
    SetViewportExtEx(dst.dc(), 2, 2, nullptr);
    BitBlt(dst.dc(), 0, 0, 2, 2, src.dc(), 0, 0, SRCCOPY);
    SetMapMode(dst.dc(), MM_TEXT);
    EXPECT_EQ(GetPixel(dst.dc(), 3, 3), RGB(1, 1, 1));
    EXPECT_EQ(GetPixel(dst.dc(), 1, 2), RGB(0, 1, 1));
}

}  // namespace
}  // namespace platform
