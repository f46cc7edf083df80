#include <gtest/gtest.h>

#include <functional>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "skin/mask_region.h"

namespace skin {
namespace {

using namespace platform;

// A picture whose pixel (x, y) has the colour `color(x, y)` (COLORREF layout).
void FillBitmap(graphics::TBitmap& bitmap, int width, int height,
                const std::function<COLORREF(int, int)>& color) {
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixel(bitmap.Canvas().Handle(), x, y, color(x, y));
}

TEST(MaskRegion, BlackRunsBecomeOneRowRectangles) {
    // Row 0: black at 1..2 and 4; row 1: nearly black (1,0,0) is not black; row 2: all black.
    graphics::TBitmap mask;
    FillBitmap(mask, 5, 3, [](int x, int y) -> uint32_t {
        if (y == 0) return (x == 1 || x == 2 || x == 4) ? 0 : 0xFFFFFF;
        if (y == 1) return 0x000001;
        return 0;
    });
    std::vector<RECT> runs = BlackRuns(mask);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].left, 1);
    EXPECT_EQ(runs[0].right, 3);
    EXPECT_EQ(runs[0].top, 0);
    EXPECT_EQ(runs[0].bottom, 1);
    EXPECT_EQ(runs[1].left, 4);
    EXPECT_EQ(runs[1].right, 5);
    EXPECT_EQ(runs[2].left, 0);
    EXPECT_EQ(runs[2].right, 5);
    EXPECT_EQ(runs[2].top, 2);

    HRGN region = RegionFromMask(mask);
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(PtInRegion(region, 1, 0));
    EXPECT_FALSE(PtInRegion(region, 3, 0));
    EXPECT_FALSE(PtInRegion(region, 2, 1));
    EXPECT_TRUE(PtInRegion(region, 4, 2));
    DeleteObject(region);
}

TEST(MaskRegion, HoldsMoreRunsThanAFixedTableWould) {
    // Every other pixel black: 100 runs per row, 150 rows = 15000 runs.
    graphics::TBitmap mask;
    FillBitmap(mask, 200, 150, [](int x, int) -> uint32_t { return x % 2 == 0 ? 0 : 0xFFFFFF; });
    EXPECT_EQ(BlackRuns(mask).size(), 15000u);
    HRGN region = RegionFromMask(mask);
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(PtInRegion(region, 198, 149));
    EXPECT_FALSE(PtInRegion(region, 199, 149));
    DeleteObject(region);
}

TEST(MaskRegion, AMaskWithoutBlackGivesAnEmptyShape) {
    graphics::TBitmap mask;
    FillBitmap(mask, 4, 4, [](int, int) -> uint32_t { return 0xFFFFFF; });
    EXPECT_TRUE(BlackRuns(mask).empty());
    HRGN region = RegionFromMask(mask);
    ASSERT_NE(region, nullptr);
    RECT box{};
    EXPECT_EQ(GetRgnBox(region, &box), NULLREGION);
    DeleteObject(region);
    graphics::TBitmap none;
    EXPECT_TRUE(BlackRuns(none).empty());
}

TEST(MaskRegion, BlackRunsAreInsideEverythingElseOutside) {
    graphics::TBitmap mask;
    FillBitmap(mask, 6, 3, [](int x, int y) -> COLORREF {
        if (y == 1 && (x == 1 || x == 2 || x == 4)) return 0;
        return x == 5 && y == 2 ? 0x010000 : 0xFFFFFF;  // nearly black is outside
    });
    HRGN region = RegionFromMask(mask);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = y == 1 && (x == 1 || x == 2 || x == 4);
            EXPECT_EQ(bool(PtInRegion(region, x, y)), inside) << x << "," << y;
        }
    }
    DeleteObject(region);
}

}  // namespace
}  // namespace skin
