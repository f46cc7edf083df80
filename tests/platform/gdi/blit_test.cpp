// Blits: raster operations, format conversions, masks, clipping and overlap.
#include <cstring>
#include <random>
#include <vector>

#include "gdi_fixture.h"

namespace platform {
namespace {

using testing::GdiTest;
using testing::MemDc;
using testing::ScreenBitmap;

TEST_F(GdiTest, PatBltWhitenessAndBlacknessOnColourAndMonochrome) {
    MemDc colour(ScreenBitmap(3, 3));
    MemDc mono(CreateBitmap(9, 2, 1, 1, nullptr));
    EXPECT_TRUE(PatBlt(colour.dc(), 0, 0, 3, 3, WHITENESS));
    EXPECT_EQ(GetPixel(colour.dc(), 2, 2), RGB(255, 255, 255));
    EXPECT_TRUE(PatBlt(colour.dc(), 1, 1, 1, 1, BLACKNESS));
    EXPECT_EQ(GetPixel(colour.dc(), 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(colour.dc(), 0, 1), RGB(255, 255, 255));
    PatBlt(mono.dc(), 0, 0, 9, 2, WHITENESS);
    BYTE bits[4] = {};
    ASSERT_EQ(GetBitmapBits(mono.bitmap(), sizeof bits, bits), 4);  // 9 bits: WORD rows
    EXPECT_EQ(bits[0], 0xFF);
    EXPECT_EQ(bits[1] & 0x80, 0x80);
    PatBlt(mono.dc(), 0, 0, 9, 2, BLACKNESS);
    GetBitmapBits(mono.bitmap(), sizeof bits, bits);
    EXPECT_EQ(bits[0], 0);
    EXPECT_EQ(bits[1] & 0x80, 0);
    EXPECT_FALSE(PatBlt(colour.dc(), 0, 0, 1, 1, SRCCOPY));  // a source operation without source
}

TEST_F(GdiTest, PatBltWithBrushesAndDstInvert) {
    MemDc m(ScreenBitmap(4, 1));
    PatBlt(m.dc(), 0, 0, 4, 1, BLACKNESS);
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    HGDIOBJ old = SelectObject(m.dc(), brush);
    PatBlt(m.dc(), 0, 0, 2, 1, PATCOPY);
    EXPECT_EQ(GetPixel(m.dc(), 0, 0), RGB(0x12, 0x34, 0x56));
    PatBlt(m.dc(), 0, 0, 1, 1, PATINVERT);
    EXPECT_EQ(GetPixel(m.dc(), 0, 0), RGB(0, 0, 0));
    PatBlt(m.dc(), 1, 0, 2, 1, DSTINVERT);
    EXPECT_EQ(GetPixel(m.dc(), 1, 0), RGB(0xED, 0xCB, 0xA9));
    EXPECT_EQ(GetPixel(m.dc(), 2, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(m.dc(), 3, 0), RGB(0, 0, 0));
    SelectObject(m.dc(), old);
    DeleteObject(brush);
}

struct RopCase {
    DWORD rop;
    COLORREF expected;
};

TEST_F(GdiTest, BitBltRasterOperationsOnWholePixels) {
    const COLORREF src = RGB(0xF0, 0x0F, 0x55), dst = RGB(0xCC, 0xAA, 0x33),
                   pat = RGB(0x81, 0x42, 0x24);
    auto rgbOp = [&](auto f) {
        return RGB(BYTE(f(0xF0, 0xCC, 0x81)), BYTE(f(0x0F, 0xAA, 0x42)), BYTE(f(0x55, 0x33, 0x24)));
    };
    const RopCase cases[] = {
        {SRCCOPY, src},
        {SRCAND, rgbOp([](int s, int d, int) { return s & d; })},
        {SRCPAINT, rgbOp([](int s, int d, int) { return s | d; })},
        {SRCINVERT, rgbOp([](int s, int d, int) { return s ^ d; })},
        {SRCERASE, rgbOp([](int s, int d, int) { return s & ~d; })},
        {NOTSRCCOPY, rgbOp([](int s, int, int) { return ~s; })},
        {NOTSRCERASE, rgbOp([](int s, int d, int) { return ~(s | d); })},
        {MERGECOPY, rgbOp([](int s, int, int p) { return s & p; })},
        {MERGEPAINT, rgbOp([](int s, int d, int) { return ~s | d; })},
        {PATPAINT, rgbOp([](int s, int d, int p) { return p | ~s | d; })},
        {0x00E20746, rgbOp([](int s, int d, int p) { return (d & ~s) | (p & s); })},
    };
    MemDc source(ScreenBitmap(2, 2));
    SetPixel(source.dc(), 1, 1, src);
    MemDc target(ScreenBitmap(2, 2));
    HBRUSH brush = CreateSolidBrush(pat);
    HGDIOBJ old = SelectObject(target.dc(), brush);
    for (const RopCase& c : cases) {
        SetPixel(target.dc(), 0, 0, dst);
        EXPECT_TRUE(BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 1, 1, c.rop));
        EXPECT_EQ(GetPixel(target.dc(), 0, 0), c.expected) << std::hex << c.rop;
    }
    SelectObject(target.dc(), old);
    DeleteObject(brush);
}

TEST_F(GdiTest, ColourToMonochromeUsesTheSourceBackgroundColour) {
    MemDc colour(ScreenBitmap(4, 1));
    const COLORREF row[4] = {RGB(255, 0, 255), RGB(255, 0, 254), RGB(0, 0, 0), RGB(255, 0, 255)};
    for (int x = 0; x < 4; ++x) SetPixel(colour.dc(), x, 0, row[x]);
    MemDc mono(CreateBitmap(4, 1, 1, 1, nullptr));
    SetBkColor(colour.dc(), RGB(255, 0, 255));
    SetBkColor(mono.dc(), RGB(0, 0, 0));  // the destination's colours play no part
    ASSERT_TRUE(BitBlt(mono.dc(), 0, 0, 4, 1, colour.dc(), 0, 0, SRCCOPY));
    BYTE bits[2] = {};
    GetBitmapBits(mono.bitmap(), 2, bits);
    EXPECT_EQ(bits[0] & 0xF0, 0x90);  // 1 0 0 1
    EXPECT_EQ(GetPixel(mono.dc(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(mono.dc(), 1, 0), RGB(0, 0, 0));
}

TEST_F(GdiTest, ColourDibToMonochromeComparesInTheSourceFormat) {
    void* bits = nullptr;
    MemDc dib(testing::MakeDib(2, 1, 16, &bits));
    SetPixel(dib.dc(), 0, 0, RGB(0x10, 0x20, 0x30));  // stored with 5 bits per channel
    SetPixel(dib.dc(), 1, 0, RGB(0x80, 0x20, 0x30));
    MemDc mono(CreateBitmap(2, 1, 1, 1, nullptr));
    SetBkColor(dib.dc(), RGB(0x11, 0x21, 0x31));  // same 5-bit value as pixel 0
    BitBlt(mono.dc(), 0, 0, 2, 1, dib.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(mono.dc(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(mono.dc(), 1, 0), RGB(0, 0, 0));
}

// A 32-bit section whose channel masks are given (BI_BITFIELDS).
HBITMAP MaskedDib32(int width, int height, DWORD red, DWORD green, DWORD blue, void** bits) {
    std::vector<std::uint8_t> buffer(sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD));
    auto* info = reinterpret_cast<BITMAPINFO*>(buffer.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = -height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 32;
    info->bmiHeader.biCompression = BI_BITFIELDS;
    DWORD masks[3] = {red, green, blue};
    std::memcpy(buffer.data() + sizeof(BITMAPINFOHEADER), masks, sizeof masks);
    return CreateDIBSection(nullptr, info, DIB_RGB_COLORS, bits, nullptr, 0);
}

TEST_F(GdiTest, DirectColourBlitsKeepEveryChannelWhereverTheFormatsPutIt) {
    // Copies and shrinking stretches between 24-bit, 32-bit and 32-bit sections with the red
    // and blue channels swapped: each channel arrives whole, in the destination's place.
    std::mt19937 random(7);
    std::vector<COLORREF> colours(16);
    for (COLORREF& c : colours) c = random() & 0xFFFFFF;
    MemDc source(testing::MakeDib(16, 2, 24));
    for (int x = 0; x < 16; ++x) {
        SetPixel(source.dc(), x, 0, colours[static_cast<size_t>(x)]);
        SetPixel(source.dc(), x, 1, colours[static_cast<size_t>(x)]);
    }
    void* swappedBits = nullptr;
    MemDc swapped(MaskedDib32(16, 1, 0x0000FF, 0x00FF00, 0xFF0000, &swappedBits));
    MemDc screen(ScreenBitmap(16, 1));
    MemDc back(testing::MakeDib(16, 1, 24));
    BitBlt(swapped.dc(), 0, 0, 16, 1, source.dc(), 0, 0, SRCCOPY);
    StretchBlt(screen.dc(), 0, 0, 16, 1, source.dc(), 0, 0, 16, 2, SRCCOPY);
    BitBlt(back.dc(), 0, 0, 16, 1, swapped.dc(), 0, 0, SRCCOPY);
    const auto* stored = static_cast<const std::uint32_t*>(swappedBits);
    for (int x = 0; x < 16; ++x) {
        const COLORREF c = colours[static_cast<size_t>(x)];
        EXPECT_EQ(stored[x] & 0xFFFFFF, c) << x;  // red in the low byte, as the masks say
        EXPECT_EQ(GetPixel(swapped.dc(), x, 0), c) << x;
        EXPECT_EQ(GetPixel(screen.dc(), x, 0), c) << x;
        EXPECT_EQ(GetPixel(back.dc(), x, 0), c) << x;
    }
}

TEST_F(GdiTest, MonochromeToColourUsesTheDestinationTextAndBackgroundColours) {
    BYTE maskBits[2] = {0x50, 0};  // 0 1 0 1
    MemDc mono(CreateBitmap(4, 1, 1, 1, maskBits));
    MemDc colour(ScreenBitmap(4, 1));
    SetTextColor(colour.dc(), RGB(10, 20, 30));
    SetBkColor(colour.dc(), RGB(200, 100, 50));
    SetTextColor(mono.dc(), RGB(1, 1, 1));  // the source's colours play no part
    BitBlt(colour.dc(), 0, 0, 4, 1, mono.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(colour.dc(), 0, 0), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(colour.dc(), 1, 0), RGB(200, 100, 50));
    EXPECT_EQ(GetPixel(colour.dc(), 3, 0), RGB(200, 100, 50));
}

TEST_F(GdiTest, MaskBltKeepsDestinationWhereMaskIsOneAndCopiesWhereZero) {
    MemDc src(ScreenBitmap(4, 1));
    MemDc dst(ScreenBitmap(4, 1));
    for (int x = 0; x < 4; ++x) {
        SetPixel(src.dc(), x, 0, RGB(0, 0, 200 + x));
        SetPixel(dst.dc(), x, 0, RGB(50 + x, 0, 0));
    }
    BYTE maskBits[2] = {0xA0, 0};  // 1 0 1 0
    HBITMAP mask = CreateBitmap(4, 1, 1, 1, maskBits);
    ASSERT_TRUE(
        MaskBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, mask, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY)));
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(50, 0, 0));
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(0, 0, 201));
    EXPECT_EQ(GetPixel(dst.dc(), 2, 0), RGB(52, 0, 0));
    EXPECT_EQ(GetPixel(dst.dc(), 3, 0), RGB(0, 0, 203));
    // A mask smaller than the area fails without drawing.
    EXPECT_FALSE(
        MaskBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, mask, 1, 0, MAKEROP4(0x00AA0029, SRCCOPY)));
    HBITMAP colourMask = ScreenBitmap(4, 1);
    EXPECT_FALSE(MaskBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, colourMask, 0, 0,
                         MAKEROP4(0x00AA0029, SRCCOPY)));
    DeleteObject(colourMask);
    DeleteObject(mask);
}

TEST_F(GdiTest, GetPixelAndSetPixelOutsideTheBitmapOrClip) {
    MemDc m(ScreenBitmap(3, 3));
    EXPECT_EQ(GetPixel(m.dc(), -1, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(m.dc(), 3, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(m.dc(), 0, 3, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(m.dc(), 2, 2, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(m.dc(), 2, 2), RGB(1, 2, 3));
    IntersectClipRect(m.dc(), 0, 0, 2, 2);
    EXPECT_EQ(GetPixel(m.dc(), 2, 2), CLR_INVALID);
    EXPECT_EQ(SetPixel(m.dc(), 2, 2, 0), CLR_INVALID);
    SelectClipRgn(m.dc(), nullptr);
    EXPECT_EQ(GetPixel(m.dc(), 2, 2), RGB(1, 2, 3));
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, 0, 0), CLR_INVALID);  // the screen DC has no pixels here
    ReleaseDC(nullptr, screen);
}

TEST_F(GdiTest, BlitsClipSafelyAtEveryEdge) {
    // Random rectangles, many far outside both bitmaps; ASan guards the memory, and a
    // reference model checks which pixels changed.
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-40, 40), size(-30, 30);
    MemDc src(ScreenBitmap(16, 12));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) SetPixel(src.dc(), x, y, RGB(x * 10, y * 10, 7));
    MemDc dst(ScreenBitmap(20, 10));
    for (int round = 0; round < 300; ++round) {
        PatBlt(dst.dc(), 0, 0, 20, 10, BLACKNESS);
        int x = coord(rng), y = coord(rng), w = size(rng), h = size(rng), sx = coord(rng),
            sy = coord(rng);
        ASSERT_TRUE(BitBlt(dst.dc(), x, y, w, h, src.dc(), sx, sy, SRCCOPY));
        // BitBlt with negative sizes covers [x+w, x) and reads [sx+w, sx): no mirroring.
        int x0 = w < 0 ? x + w : x, y0 = h < 0 ? y + h : y, sx0 = w < 0 ? sx + w : sx,
            sy0 = h < 0 ? sy + h : sy;
        for (int py = 0; py < 10; ++py) {
            for (int px = 0; px < 20; ++px) {
                int ox = px - x0, oy = py - y0;
                int qx = sx0 + ox, qy = sy0 + oy;
                bool inside = ox >= 0 && ox < std::abs(w) && oy >= 0 && oy < std::abs(h) &&
                              qx >= 0 && qx < 16 && qy >= 0 && qy < 12;
                COLORREF expected = inside ? RGB(qx * 10, qy * 10, 7) : RGB(0, 0, 0);
                ASSERT_EQ(GetPixel(dst.dc(), px, py), expected)
                    << "round " << round << " at " << px << "," << py;
            }
        }
    }
    // Extreme values do not overflow.
    EXPECT_TRUE(BitBlt(dst.dc(), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, src.dc(), INT32_MAX, 0,
                       SRCCOPY));
    EXPECT_TRUE(StretchBlt(dst.dc(), -5, -5, INT32_MAX, INT32_MAX, src.dc(), INT32_MIN, INT32_MIN,
                           INT32_MAX, 3, SRCCOPY));
    EXPECT_TRUE(PatBlt(dst.dc(), INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, WHITENESS));
}

TEST_F(GdiTest, OverlappingCopyWithinOneBitmapMovesPixelsIntact) {
    MemDc m(ScreenBitmap(8, 8));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) SetPixel(m.dc(), x, y, RGB(x, y, 0));
    BitBlt(m.dc(), 2, 3, 6, 5, m.dc(), 0, 0, SRCCOPY);  // down and right
    EXPECT_EQ(GetPixel(m.dc(), 7, 7), RGB(5, 4, 0));
    EXPECT_EQ(GetPixel(m.dc(), 2, 3), RGB(0, 0, 0));
    BitBlt(m.dc(), 0, 0, 6, 5, m.dc(), 2, 3, SRCCOPY);  // back up and left
    EXPECT_EQ(GetPixel(m.dc(), 5, 4), RGB(5, 4, 0));
    EXPECT_EQ(GetPixel(m.dc(), 0, 0), RGB(0, 0, 0));
}

TEST_F(GdiTest, BlitHonoursClipRegionAndViewportOrigin) {
    MemDc src(ScreenBitmap(4, 4));
    PatBlt(src.dc(), 0, 0, 4, 4, WHITENESS);
    MemDc dst(ScreenBitmap(8, 8));
    PatBlt(dst.dc(), 0, 0, 8, 8, BLACKNESS);
    HRGN clip = CreateRectRgn(3, 3, 8, 8);
    SelectClipRgn(dst.dc(), clip);
    SetViewportOrgEx(dst.dc(), 2, 2, nullptr);
    BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, SRCCOPY);  // lands on device 2..5
    SetViewportOrgEx(dst.dc(), 0, 0, nullptr);
    SelectClipRgn(dst.dc(), nullptr);
    EXPECT_EQ(GetPixel(dst.dc(), 2, 2), RGB(0, 0, 0));  // clipped away
    EXPECT_EQ(GetPixel(dst.dc(), 3, 3), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dst.dc(), 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dst.dc(), 6, 6), RGB(0, 0, 0));
    DeleteObject(clip);
}

TEST_F(GdiTest, PatternBrushTilesFromTheBrushOrigin) {
    BYTE bits[4] = {0x80, 0, 0x40, 0};  // 2x2: (0,0)=1 (1,1)=1
    HBITMAP pattern = CreateBitmap(2, 2, 1, 1, bits);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);  // the brush keeps its own copy
    MemDc m(ScreenBitmap(4, 2));
    SetTextColor(m.dc(), RGB(255, 0, 0));
    SetBkColor(m.dc(), RGB(0, 0, 255));
    HGDIOBJ old = SelectObject(m.dc(), brush);
    PatBlt(m.dc(), 0, 0, 4, 2, PATCOPY);
    EXPECT_EQ(GetPixel(m.dc(), 0, 0), RGB(0, 0, 255));  // bit 1 -> background colour
    EXPECT_EQ(GetPixel(m.dc(), 1, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(m.dc(), 2, 0), RGB(0, 0, 255));
    SetBrushOrgEx(m.dc(), 1, 0, nullptr);
    PatBlt(m.dc(), 0, 0, 4, 2, PATCOPY);
    EXPECT_EQ(GetPixel(m.dc(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(m.dc(), 1, 0), RGB(0, 0, 255));
    SelectObject(m.dc(), old);
    DeleteObject(brush);
}

}  // namespace
}  // namespace platform
