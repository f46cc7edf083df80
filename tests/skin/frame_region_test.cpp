// The window shape from the frame's mask pictures.
#include "skin/frame_region.h"

#include <gtest/gtest.h>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "skin/frame_strips.h"

using namespace skin;
using namespace platform;

namespace {

// A bitmap from rows of '#' (black) and '.' (white).
std::unique_ptr<graphics::TBitmap> MaskFrom(const std::vector<std::string>& rows) {
    auto bitmap = std::make_unique<graphics::TBitmap>();
    bitmap->SetWidth(int(rows[0].size()));
    bitmap->SetHeight(int(rows.size()));
    HDC dc = bitmap->Canvas().Handle();
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            SetPixel(dc, int(x), int(y), rows[y][x] == '#' ? RGB(0, 0, 0) : RGB(255, 255, 255));
    return bitmap;
}

TEST(FrameRegionTest, BlackRunsBecomeOneRowRectangles) {
    auto mask = MaskFrom({"##.#..", "......", "######"});
    const std::vector<RECT> runs = BlackRuns(*mask, {10, 20});
    ASSERT_EQ(runs.size(), 3u);
    auto same = [](const RECT& a, RECT b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    EXPECT_TRUE(same(runs[0], {10, 20, 12, 21}));
    EXPECT_TRUE(same(runs[1], {13, 20, 14, 21}));
    EXPECT_TRUE(same(runs[2], {10, 22, 16, 23}));
}

TEST(FrameRegionTest, RunCountIsBounded) {
    // 100 runs on each of 102 rows: more than one conversion holds.
    auto bitmap = std::make_unique<graphics::TBitmap>();
    bitmap->SetWidth(200);
    bitmap->SetHeight(102);
    HDC dc = bitmap->Canvas().Handle();
    for (int y = 0; y < 102; ++y)
        for (int x = 0; x < 200; ++x)
            SetPixel(dc, x, y, x % 2 == 0 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    EXPECT_EQ(BlackRuns(*bitmap, {0, 0}, kMaxRegionRuns).size(), size_t(kMaxRegionRuns));
}

TEST(FrameRegionTest, MaskRegionIsTheSolidAreaAndTheBlackOfTheStrips) {
    TbsFrameStrips strips;
    strips.Top.Bitmap = MaskFrom({".####.", "######"});
    strips.Top.At = {0, 0};
    HRGN region = MaskRegion(strips, graphics::Rect(0, 2, 6, 6));
    EXPECT_FALSE(PtInRegion(region, 0, 0));  // a cut corner
    EXPECT_TRUE(PtInRegion(region, 1, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 1));
    EXPECT_TRUE(PtInRegion(region, 3, 4));  // the solid area
    EXPECT_FALSE(PtInRegion(region, 3, 6));
    DeleteObject(region);
}

}  // namespace
