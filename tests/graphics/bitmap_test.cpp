#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "graphics/bitmap.h"
#include "graphics/bitmap_canvas.h"
#include "graphics/canvas.h"
#include "support/gdi_leak_check.h"

using namespace graphics;

namespace {

class BitmapTest : public testing_support::NoGdiLeaks {};

void MakeBitmap(TBitmap& bitmap, int width, int height) {
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
}

void Fill(TBitmap& bitmap, TColor color) {
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

}  // namespace

TEST_F(BitmapTest, NewBitmapIsWhiteAndReportsItsCornerAsMaskColor) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.StorageKind(), TBitmapHandleType::DeviceDependent);
    MakeBitmap(bitmap, 16, 16);
    EXPECT_EQ(bitmap.Canvas().ReadPixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(bitmap.Canvas().ReadPixel(15, 15), 0xFFFFFFu);
    EXPECT_EQ(bitmap.MaskColor(), 0x02FFFFFFu);
    EXPECT_EQ(bitmap.MaskColorMode(), TTransparentMode::Automatic);
    EXPECT_EQ(bitmap.Canvas().ClipBounds(), Rect(0, 0, 16, 16));
}

TEST_F(BitmapTest, WidthAloneLeavesNoHandleAndHeightThenCreatesIt) {
    TBitmap bitmap;
    bitmap.SetWidth(5);
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Height(), 0);
    bitmap.SetHeight(3);
    EXPECT_FALSE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Canvas().ReadPixel(4, 2), 0xFFFFFFu);
    EXPECT_EQ(bitmap.Canvas().ReadPixel(5, 2), 0xFFFFFFFFu);  // outside
}

TEST_F(BitmapTest, ResizingKeepsOldPixelsTopLeft) {
    TBitmap bitmap;
    MakeBitmap(bitmap, 4, 4);
    bitmap.Canvas().WritePixel(1, 1, clRed);
    bitmap.SetWidth(2);
    bitmap.SetHeight(2);
    EXPECT_EQ(bitmap.Canvas().ReadPixel(1, 1), 0x0000FFu);
    EXPECT_EQ(bitmap.Canvas().ReadPixel(0, 0), 0xFFFFFFu);
}

TEST_F(BitmapTest, CopyOnWriteKeepsCopiesIndependent) {
    TBitmap a, b;
    MakeBitmap(a, 8, 8);
    a.Canvas().WritePixel(2, 2, clBlue);
    b.CopyFrom(&a);
    EXPECT_EQ(a.Image().RefCount(), 2);
    b.Canvas().WritePixel(2, 2, clLime);
    a.Canvas().WritePixel(3, 3, clRed);
    EXPECT_EQ(a.Canvas().ReadPixel(2, 2), 0xFF0000u);
    EXPECT_EQ(b.Canvas().ReadPixel(2, 2), 0x00FF00u);
    EXPECT_EQ(b.Canvas().ReadPixel(3, 3), 0xFFFFFFu);
    EXPECT_EQ(a.Canvas().ReadPixel(3, 3), 0x0000FFu);
    EXPECT_EQ(a.Image().RefCount(), 1);
    EXPECT_EQ(b.Image().RefCount(), 1);
}

TEST_F(BitmapTest, CopyFromCarriesMaskSettingsAndRejectsOtherClasses) {
    TBitmap a, b;
    MakeBitmap(a, 2, 2);
    a.SetMaskColor(clRed);
    a.SetTransparent(true);
    b.CopyFrom(&a);
    EXPECT_EQ(b.MaskColorMode(), TTransparentMode::Fixed);
    EXPECT_EQ(b.MaskColor(), 0x020000FFu);
    EXPECT_TRUE(b.Transparent());
    b.CopyFrom(nullptr);
    EXPECT_TRUE(b.IsEmpty());
}

TEST_F(BitmapTest, FixedMaskColorStaysWhileAutomaticFollowsTheCorner) {
    TBitmap fixed, automatic;
    MakeBitmap(fixed, 4, 4);
    MakeBitmap(automatic, 4, 4);
    fixed.SetMaskColorMode(TTransparentMode::Fixed);
    EXPECT_EQ(fixed.MaskColor(), 0x02FFFFFFu);
    fixed.Canvas().WritePixel(0, 3, clRed);
    automatic.Canvas().WritePixel(0, 3, clRed);
    EXPECT_EQ(fixed.MaskColor(), 0x02FFFFFFu);
    EXPECT_EQ(automatic.MaskColor(), 0x020000FFu);
    automatic.SetMaskColor(clDefault);
    EXPECT_EQ(automatic.MaskColorMode(), TTransparentMode::Automatic);
}

TEST_F(BitmapTest, MaskHasOnesExactlyWhereTheMaskColorIs) {
    TBitmap bitmap;
    MakeBitmap(bitmap, 5, 3);
    bitmap.Canvas().WritePixel(1, 0, clRed);
    bitmap.Canvas().WritePixel(4, 2, 0xFEFFFF);  // near white is not white
    platform::HBITMAP mask = bitmap.MaskBitmapHandle();
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(bitmap.MaskBitmapHandle(), mask);  // cached
    platform::HDC dc = platform::CreateCompatibleDC(nullptr);
    platform::HGDIOBJ old = platform::SelectObject(dc, mask);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            bool opaque = (x == 1 && y == 0) || (x == 4 && y == 2);
            EXPECT_EQ(platform::GetPixel(dc, x, y), opaque ? 0x000000u : 0xFFFFFFu)
                << x << "," << y;
        }
    platform::SelectObject(dc, old);
    platform::DeleteDC(dc);
}

TEST_F(BitmapTest, MaskOfClNoneIsAllOpaque) {
    TBitmap bitmap;
    MakeBitmap(bitmap, 3, 3);
    bitmap.SetMaskColor(clNone);
    platform::HBITMAP mask = bitmap.MaskBitmapHandle();
    platform::HDC dc = platform::CreateCompatibleDC(nullptr);
    platform::HGDIOBJ old = platform::SelectObject(dc, mask);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(platform::GetPixel(dc, x, y), 0u);
    platform::SelectObject(dc, old);
    platform::DeleteDC(dc);
}

TEST_F(BitmapTest, EnlargedDrawRepeatsPixelsWithoutSmoothing) {
    TBitmap source, target;
    MakeBitmap(source, 2, 2);
    source.Canvas().WritePixel(0, 0, clBlack);
    source.Canvas().WritePixel(1, 1, clRed);
    MakeBitmap(target, 4, 4);
    target.Canvas().DrawGraphic(Rect(0, 0, 4, 4), &source);
    const uint32_t expected[4][4] = {{0, 0, 0xFFFFFF, 0xFFFFFF},
                                     {0, 0, 0xFFFFFF, 0xFFFFFF},
                                     {0xFFFFFF, 0xFFFFFF, 0xFF, 0xFF},
                                     {0xFFFFFF, 0xFFFFFF, 0xFF, 0xFF}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(target.Canvas().ReadPixel(x, y), expected[y][x]);
}

TEST_F(BitmapTest, TransparentDrawKeepsTheBackgroundWhereTheMaskColorIs) {
    for (int size : {3, 6}) {  // unscaled (one masked blit) and scaled (the AND/XOR pair)
        TBitmap source, target;
        MakeBitmap(source, 3, 3);
        Fill(source, clLime);
        source.Canvas().WritePixel(1, 1, clRed);
        source.SetTransparent(true);  // bottom-left lime is the key
        MakeBitmap(target, 6, 6);
        Fill(target, clBlue);
        target.Canvas().DrawGraphic(Rect(0, 0, size, size), &source);
        int scale = size / 3;
        EXPECT_EQ(target.Canvas().ReadPixel(0, 0), 0xFF0000u) << size;
        EXPECT_EQ(target.Canvas().ReadPixel(1 * scale, 1 * scale), 0x0000FFu) << size;
        EXPECT_EQ(target.Canvas().ReadPixel(5, 5), 0xFF0000u) << size;
    }
}

TEST_F(BitmapTest, PixelFormatsAndScanLines) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    MakeBitmap(bitmap, 3, 2);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(bitmap.StorageKind(), TBitmapHandleType::DeviceIndependent);
    auto* row = static_cast<uint8_t*>(bitmap.ScanLine(0));
    row[0] = 0x10, row[1] = 0x20, row[2] = 0x30;  // blue, green, red of (0, 0)
    EXPECT_EQ(bitmap.Canvas().ReadPixel(0, 0), 0x102030u);
    try {
        bitmap.ScanLine(2);
        FAIL();
    } catch (const core::EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Scan line index out of range");
    }
    try {
        bitmap.SetPixelFormat(TPixelFormat::pfCustom);
        FAIL();
    } catch (const core::EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Invalid pixel format");
    }
}

TEST_F(BitmapTest, CanvasContextsAreReleasedAfterEachMessage) {
    TBitmap bitmap;
    MakeBitmap(bitmap, 2, 2);
    bitmap.Canvas().ReadPixel(0, 0);
    EXPECT_EQ(MemoryContextCount(), 1);
    FreeMemoryContexts();
    EXPECT_EQ(MemoryContextCount(), 0);
    EXPECT_EQ(bitmap.Canvas().ReadPixel(0, 0), 0xFFFFFFu);  // recreated on demand
}

TEST_F(BitmapTest, BitmapHandleMakesTheImagePrivate) {
    TBitmap a, b;
    MakeBitmap(a, 2, 2);
    b.CopyFrom(&a);
    platform::HBITMAP handle = b.BitmapHandle();
    EXPECT_NE(handle, nullptr);
    EXPECT_EQ(a.Image().RefCount(), 1);
    EXPECT_NE(a.BitmapHandle(), handle);
}
