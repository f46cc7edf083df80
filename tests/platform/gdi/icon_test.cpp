// Icons: ownership of bitmap copies, GetIconInfo, DrawIconEx mask-then-image, CreateIcon
// rows, the stock application icon.
#include "gdi_fixture.h"

namespace platform {
namespace {

using testing::GdiTest;
using testing::MemDc;
using testing::ScreenBitmap;

// A 4x4 icon: left half transparent (mask 1, colour black), right half opaque red; one
// inverted pixel (mask 1, colour white) at (0, 0).
struct IconParts {
    HBITMAP mask, color;
    IconParts() {
        const BYTE maskRows[4][2] = {{0xC0, 0}, {0xC0, 0}, {0xC0, 0}, {0xC0, 0}};
        mask = CreateBitmap(4, 4, 1, 1, maskRows);
        color = ScreenBitmap(4, 4);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, color);
        PatBlt(dc, 0, 0, 4, 4, BLACKNESS);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT right{2, 0, 4, 4};
        FillRect(dc, &right, red);
        SetPixel(dc, 0, 0, RGB(255, 255, 255));
        DeleteObject(red);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    ~IconParts() {
        DeleteObject(mask);
        DeleteObject(color);
    }
};

TEST_F(GdiTest, IconOwnsCopiesAndDrawsMaskThenImage) {
    IconParts parts;
    ICONINFO ii{TRUE, 0, 0, parts.mask, parts.color};
    HICON icon = CreateIconIndirect(&ii);
    ASSERT_NE(icon, nullptr);
    // Changing the caller's bitmaps afterwards does not change the icon.
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, parts.color);
        PatBlt(dc, 0, 0, 4, 4, WHITENESS);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    MemDc target(ScreenBitmap(6, 6));
    PatBlt(target.dc(), 0, 0, 6, 6, BLACKNESS);
    SetPixel(target.dc(), 2, 2, RGB(0, 0, 200));   // under the transparent half
    SetPixel(target.dc(), 1, 1, RGB(10, 20, 30));  // under the inverting pixel (icon 0,0)
    SetTextColor(target.dc(), RGB(1, 2, 3));       // must not leak into the mask blit
    SetBkColor(target.dc(), RGB(4, 5, 6));
    ASSERT_TRUE(DrawIconEx(target.dc(), 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(target.dc(), 2, 2), RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(target.dc(), 1, 1), RGB(245, 235, 225));
    EXPECT_EQ(GetPixel(target.dc(), 3, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(target.dc(), 4, 4), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(target.dc(), 5, 5), RGB(0, 0, 0));  // outside the icon's own size
    EXPECT_EQ(GetTextColor(target.dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkColor(target.dc()), RGB(4, 5, 6));
    // Stretched to 8x8 with DI_IMAGE only: colour copied, mask ignored.
    MemDc big(ScreenBitmap(8, 8));
    ASSERT_TRUE(DrawIconEx(big.dc(), 0, 0, icon, 8, 8, 0, nullptr, DI_IMAGE));
    EXPECT_EQ(GetPixel(big.dc(), 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(big.dc(), 7, 7), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(big.dc(), 2, 5), RGB(0, 0, 0));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIconEx(target.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
}

TEST_F(GdiTest, GetIconInfoHandsOutNewCopies) {
    IconParts parts;
    ICONINFO ii{TRUE, 0, 0, parts.mask, parts.color};
    HICON icon = CreateIconIndirect(&ii);
    ICONINFO out{};
    ASSERT_TRUE(GetIconInfo(icon, &out));
    EXPECT_TRUE(out.fIcon);
    EXPECT_EQ(out.xHotspot, 2u);
    EXPECT_NE(out.hbmMask, parts.mask);
    EXPECT_NE(out.hbmColor, parts.color);
    BITMAP bm{};
    GetObject(out.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 4);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    BYTE maskBits[8] = {};
    GetBitmapBits(out.hbmMask, sizeof maskBits, maskBits);
    EXPECT_EQ(maskBits[0], 0xC0);
    // The caller's copies are its own: deleting them leaves the icon intact.
    DeleteObject(out.hbmMask);
    DeleteObject(out.hbmColor);
    ICONINFO again{};
    ASSERT_TRUE(GetIconInfo(icon, &again));
    DeleteObject(again.hbmMask);
    DeleteObject(again.hbmColor);
    HICON copy = CopyIcon(icon);
    DestroyIcon(icon);
    MemDc target(ScreenBitmap(4, 4));
    PatBlt(target.dc(), 0, 0, 4, 4, WHITENESS);
    // DrawIcon uses the standard 32x32 size: the top-left 4x4 all comes from icon pixel (0,0),
    // which inverts white to black (at the icon's own size (3,3) would be red).
    EXPECT_TRUE(DrawIcon(target.dc(), 0, 0, copy));
    EXPECT_EQ(GetPixel(target.dc(), 3, 3), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(target.dc(), 0, 0), RGB(0, 0, 0));
    DestroyIcon(copy);
}

TEST_F(GdiTest, CreateIconTakesDeviceDependentRows) {
    const BYTE andBits[2][2] = {{0x40, 0}, {0x00, 0}};                  // 2x2: (1,0) transparent
    const DWORD xorBits[2][2] = {{0x0000FF, 0}, {0x00FF00, 0xFF0000}};  // BGRX rows
    HICON icon =
        CreateIcon(nullptr, 2, 2, 1, 32, &andBits[0][0], reinterpret_cast<const BYTE*>(xorBits));
    ASSERT_NE(icon, nullptr);
    MemDc target(ScreenBitmap(2, 2));
    PatBlt(target.dc(), 0, 0, 2, 2, WHITENESS);
    DrawIconEx(target.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(GetPixel(target.dc(), 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(target.dc(), 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(target.dc(), 0, 1), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(target.dc(), 1, 1), RGB(255, 0, 0));
    DestroyIcon(icon);
    EXPECT_EQ(CreateIcon(nullptr, 2, 2, 1, 8, &andBits[0][0], &andBits[0][0]), nullptr);
    EXPECT_EQ(CreateIcon(nullptr, 0, 2, 1, 32, &andBits[0][0], &andBits[0][0]), nullptr);
}

TEST_F(GdiTest, MonochromeIconKeepsAndAndXorHalvesInOneMask) {
    // 2x2 icon; mask height 4: AND rows then XOR rows.
    const BYTE rows[4][2] = {{0x80, 0}, {0x00, 0}, {0x80, 0}, {0x40, 0}};
    HBITMAP mask = CreateBitmap(2, 4, 1, 1, rows);
    ICONINFO ii{TRUE, 0, 0, mask, nullptr};
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(mask);
    ASSERT_NE(icon, nullptr);
    MemDc target(ScreenBitmap(2, 2));
    PatBlt(target.dc(), 0, 0, 2, 2, BLACKNESS);
    SetPixel(target.dc(), 0, 0, RGB(0, 100, 0));
    DrawIconEx(target.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(GetPixel(target.dc(), 0, 0), RGB(255, 155, 255));  // AND 1 keeps, XOR 1 inverts
    EXPECT_EQ(GetPixel(target.dc(), 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(target.dc(), 1, 1), RGB(255, 255, 255));
    DestroyIcon(icon);
}

TEST_F(GdiTest, StockApplicationIconIsSharedAndIndestructible) {
    HICON a = LoadIcon(nullptr, IDI_APPLICATION);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, LoadIcon(nullptr, IDI_APPLICATION));
    EXPECT_TRUE(DestroyIcon(a));
    ICONINFO ii{};
    ASSERT_TRUE(GetIconInfo(a, &ii));
    BITMAP bm{};
    GetObject(ii.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmHeight, 32);
    DeleteObject(ii.hbmMask);
    DeleteObject(ii.hbmColor);
    MemDc target(ScreenBitmap(32, 32));
    PatBlt(target.dc(), 0, 0, 32, 32, WHITENESS);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    RECT all{0, 0, 32, 32};
    FillRect(target.dc(), &all, green);
    DrawIcon(target.dc(), 0, 0, a);
    EXPECT_EQ(GetPixel(target.dc(), 0, 0), RGB(0, 255, 0));  // transparent corner
    EXPECT_EQ(GetPixel(target.dc(), 2, 4), RGB(0, 0, 0));    // frame
    EXPECT_EQ(GetPixel(target.dc(), 10, 20), RGB(255, 255, 255));
    DeleteObject(green);
    EXPECT_EQ(LoadIcon(nullptr, reinterpret_cast<const char*>(std::uintptr_t{32513})), nullptr);
}

}  // namespace
}  // namespace platform
