// Handles: typed resolution, stale and foreign handles, object types, GetObject, SelectObject.
#include <cstring>

#include "gdi_fixture.h"

namespace platform {
namespace {

using testing::GdiTest;
using testing::MemDc;

TEST_F(GdiTest, DeletedHandleNeverResolvesAgain) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_FALSE(DeleteObject(brush));
    LOGBRUSH lb{};
    EXPECT_EQ(GetObject(brush, sizeof lb, &lb), 0);
    // A new object reusing the slot gets a different handle.
    HBRUSH again = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_NE(again, brush);
    EXPECT_EQ(GetObjectType(brush), 0u);
    DeleteObject(again);
}

TEST_F(GdiTest, ForeignValuesAreNotHandles) {
    int local = 0;
    for (void* v : {static_cast<void*>(&local), reinterpret_cast<void*>(1),
                    reinterpret_cast<void*>(0x5B), reinterpret_cast<void*>(~std::uintptr_t{0})}) {
        EXPECT_EQ(GetObjectType(v), 0u);
        EXPECT_FALSE(DeleteObject(v));
        EXPECT_EQ(SelectObject(static_cast<HDC>(v), GetStockObject(BLACK_BRUSH)), nullptr);
        EXPECT_EQ(GetPixel(static_cast<HDC>(v), 0, 0), CLR_INVALID);
        EXPECT_FALSE(BitBlt(static_cast<HDC>(v), 0, 0, 1, 1, nullptr, 0, 0, WHITENESS));
    }
}

TEST_F(GdiTest, HandleOfOneKindDoesNotResolveAsAnother) {
    HBRUSH brush = CreateSolidBrush(0);
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(GetPixel(reinterpret_cast<HDC>(brush), 0, 0), CLR_INVALID);
    EXPECT_EQ(OffsetRgn(reinterpret_cast<HRGN>(brush), 1, 1), ERROR);
    EXPECT_EQ(CreatePatternBrush(reinterpret_cast<HBITMAP>(region)), nullptr);
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(region)));
    DeleteObject(brush);
    DeleteObject(region);
}

TEST_F(GdiTest, ObjectTypesMatchWindowsValues) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 2, 2);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    HRGN rgn = CreateRectRgn(0, 0, 1, 1);
    HPALETTE pal = CreateHalftonePalette(screen);
    EXPECT_EQ(GetObjectType(screen), OBJ_DC);
    EXPECT_EQ(GetObjectType(mem), OBJ_MEMDC);
    EXPECT_EQ(GetObjectType(bmp), OBJ_BITMAP);
    EXPECT_EQ(GetObjectType(pen), OBJ_PEN);
    EXPECT_EQ(GetObjectType(rgn), OBJ_REGION);
    EXPECT_EQ(GetObjectType(pal), OBJ_PAL);
    EXPECT_EQ(GetObjectType(LoadIcon(nullptr, IDI_APPLICATION)), 0u);  // icons are not GDI objects
    EXPECT_FALSE(DeleteObject(mem));                                   // DCs go through DeleteDC
    for (HGDIOBJ o : {HGDIOBJ(bmp), HGDIOBJ(pen), HGDIOBJ(rgn), HGDIOBJ(pal)})
        EXPECT_TRUE(DeleteObject(o));
    EXPECT_TRUE(DeleteDC(mem));
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

TEST_F(GdiTest, StockObjectsAreSharedAndSurviveDeletion) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    EXPECT_EQ(white, GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(DeleteObject(white));
    EXPECT_EQ(GetObjectType(white), OBJ_BRUSH);
    LOGBRUSH lb{};
    ASSERT_EQ(GetObject(GetStockObject(NULL_BRUSH), sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(lb.lbStyle, BS_NULL);
    LOGPEN lp{};
    ASSERT_EQ(GetObject(GetStockObject(BLACK_PEN), sizeof lp, &lp), int(sizeof lp));
    EXPECT_EQ(lp.lopnColor, RGB(0, 0, 0));
    ASSERT_EQ(GetObject(GetStockObject(NULL_PEN), sizeof lp, &lp), int(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, UINT(PS_NULL));
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(STOCK_LAST + 1), nullptr);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_TRUE(DeleteObject(GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_BTNFACE)), OBJ_BRUSH);
}

TEST_F(GdiTest, SelectObjectReturnsThePreviousObject) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 255));
    HBITMAP bmp = testing::ScreenBitmap(4, 4);
    HGDIOBJ oldBrush = SelectObject(dc, red);
    EXPECT_EQ(oldBrush, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, oldBrush), red);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    HGDIOBJ oldBitmap = SelectObject(dc, bmp);
    ASSERT_NE(oldBitmap, nullptr);
    EXPECT_EQ(GetObjectType(oldBitmap), OBJ_BITMAP);
    // A selected bitmap cannot be deleted; once deselected it can.
    EXPECT_FALSE(DeleteObject(bmp));
    EXPECT_EQ(SelectObject(dc, oldBitmap), bmp);
    EXPECT_TRUE(DeleteObject(bmp));
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    DeleteObject(red);
    DeleteDC(dc);
}

TEST_F(GdiTest, DeletedBrushSelectedInADcDrawsNothingAndDoesNotCrash) {
    MemDc m(testing::ScreenBitmap(4, 4));
    PatBlt(m.dc(), 0, 0, 4, 4, WHITENESS);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(m.dc(), brush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(PatBlt(m.dc(), 0, 0, 4, 4, PATCOPY));
    EXPECT_NE(GetPixel(m.dc(), 1, 1), CLR_INVALID);
    SelectObject(m.dc(), old);
}

TEST_F(GdiTest, GetObjectDescribesBitmapsAndDibSections) {
    HBITMAP ddb = testing::ScreenBitmap(5, 3);
    BITMAP bm{};
    ASSERT_EQ(GetObject(ddb, sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmPlanes, 1);
    EXPECT_EQ(bm.bmWidthBytes, 20);
    EXPECT_EQ(bm.bmBits, nullptr);
    HBITMAP mono = CreateBitmap(17, 2, 1, 1, nullptr);
    ASSERT_EQ(GetObject(mono, sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 4);  // 17 bits padded to a WORD
    void* bits = nullptr;
    HBITMAP dib = testing::MakeDib(3, -2, 24, &bits);
    DIBSECTION ds{};
    ASSERT_EQ(GetObject(dib, sizeof ds, &ds), int(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);  // 9 bytes padded to 4
    EXPECT_EQ(ds.dsBm.bmHeight, 2);
    EXPECT_EQ(ds.dsBmih.biHeight, -2);
    EXPECT_EQ(ds.dsBmih.biBitCount, 24);
    EXPECT_EQ(GetObject(dib, 0, nullptr), int(sizeof(DIBSECTION)));
    EXPECT_EQ(GetObject(dib, 4, &bm), 0);  // too small for anything
    DeleteObject(ddb);
    DeleteObject(mono);
    DeleteObject(dib);
}

TEST_F(GdiTest, LiveObjectCountFollowsCreationAndDeletion) {
    int before = LiveGdiObjectCount();
    HRGN a = CreateRectRgn(0, 0, 1, 1);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(LiveGdiObjectCount(), before + 2);
    DeleteObject(a);
    DeleteDC(dc);
    EXPECT_EQ(LiveGdiObjectCount(), before);
}

}  // namespace
}  // namespace platform
