// The frame's strips, on small synthetic pictures.
#include <gtest/gtest.h>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "skin/frame_region.h"
#include "skin/frame_strips.h"

using namespace skin;
using namespace platform;

namespace {

// A picture whose pixel (x, y) is RGB(x * 20, y * 20, 0): every column and row tells where it
// came from.
std::unique_ptr<graphics::TBitmap> GridPicture(int w, int h) {
    auto bitmap = std::make_unique<graphics::TBitmap>();
    bitmap->SetWidth(w);
    bitmap->SetHeight(h);
    HDC dc = bitmap->Canvas().Handle();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(dc, x, y, RGB(x * 20, y * 20, 0));
    return bitmap;
}

int SourceColumn(graphics::TBitmap& strip, int x, int y) {
    return GetRValue(GetPixel(strip.Canvas().Handle(), x, y)) / 20;
}

int SourceRow(graphics::TBitmap& strip, int x, int y) {
    return GetGValue(GetPixel(strip.Canvas().Handle(), x, y)) / 20;
}

class FrameStripsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        picture_ = GridPicture(10, 10);
        info_.LTPoint = {3, 3};
        info_.RTPoint = {6, 3};
        info_.LBPoint = {3, 6};
        info_.RBPoint = {6, 6};
        info_.ClRect = {2, 2, 8, 8};
    }
    TbsFrameStrips Build(int w, int h, bool stretch = false) {
        TbsStripSource source;
        source.Dc = picture_->Canvas().Handle();
        source.Width = 10;
        source.Height = 10;
        source.Inner = info_.ClRect;
        source.TopStretch = source.LeftStretch = stretch;
        return BuildFrameStrips(source, info_, MapFrameGeometry(info_, 10, 10, w, h));
    }
    std::unique_ptr<graphics::TBitmap> picture_;
    TbsSkinFormInfo info_;
};

TEST_F(FrameStripsTest, TopStripKeepsTheCornersAndTilesTheEdge) {
    TbsFrameStrips strips = Build(16, 14);  // dx = 6, dy = 4
    ASSERT_TRUE(strips.Top.Bitmap);
    graphics::TBitmap& top = *strips.Top.Bitmap;
    EXPECT_EQ(top.Width(), 16);
    EXPECT_EQ(top.Height(), 2);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(SourceColumn(top, x, 1), x);           // left corner
    for (int x = 3; x < 12; ++x) EXPECT_EQ(SourceColumn(top, x, 1), 3 + x % 3);  // tiles from 0
    for (int x = 12; x < 16; ++x) EXPECT_EQ(SourceColumn(top, x, 1), x - 6);     // right corner
    EXPECT_EQ(SourceRow(top, 5, 1), 1);
}

TEST_F(FrameStripsTest, SideStripsTileBetweenTheirCornerPieces) {
    TbsFrameStrips strips = Build(16, 14);
    ASSERT_TRUE(strips.Left.Bitmap);
    graphics::TBitmap& left = *strips.Left.Bitmap;
    EXPECT_EQ(left.Width(), 2);
    EXPECT_EQ(left.Height(), 14 - 2 - 2);
    EXPECT_EQ(strips.Left.At, (graphics::TPoint{0, 2}));
    EXPECT_EQ(SourceRow(left, 1, 0), 2);  // the piece from the client top to the corner point
    EXPECT_EQ(SourceRow(left, 1, 9), 7);  // the piece from the corner point to the client bottom
    EXPECT_EQ(SourceRow(left, 1, 4), 3 + 4 % 3);
    ASSERT_TRUE(strips.Right.Bitmap);
    EXPECT_EQ(strips.Right.At, (graphics::TPoint{14, 2}));
    EXPECT_EQ(SourceColumn(*strips.Right.Bitmap, 0, 5), 8);
    ASSERT_TRUE(strips.Bottom.Bitmap);
    EXPECT_EQ(strips.Bottom.At, (graphics::TPoint{0, 12}));
    EXPECT_EQ(SourceRow(*strips.Bottom.Bitmap, 0, 0), 8);
}

TEST_F(FrameStripsTest, StretchedEdgesSpanTheMappedCornerPoints) {
    TbsFrameStrips strips = Build(16, 14, true);
    graphics::TBitmap& top = *strips.Top.Bitmap;
    // Three source columns over nine strip columns: each three times.
    for (int x = 3; x < 12; ++x) EXPECT_EQ(SourceColumn(top, x, 1), 3 + (x - 3) / 3) << x;
    EXPECT_EQ(SourceColumn(top, 12, 1), 6);
}

TEST_F(FrameStripsTest, APictureSmallerThanItsPointsIsCutWithoutReachingOutside) {
    auto tiny = GridPicture(2, 2);
    TbsStripSource source;
    source.Dc = tiny->Canvas().Handle();
    source.Width = 2;
    source.Height = 2;
    source.Inner = info_.ClRect;  // reaches past the picture
    TbsFrameStrips strips =
        BuildFrameStrips(source, info_, MapFrameGeometry(info_, 10, 10, 16, 14));
    ASSERT_TRUE(strips.Top.Bitmap);
    EXPECT_EQ(strips.Top.Bitmap->Width(), 16);
    // The bottom strip would be -6 rows high: skipped.
    EXPECT_FALSE(strips.Bottom.Bitmap);
    HRGN region = MaskRegion(strips, graphics::Rect(2, 2, 14, 12));
    EXPECT_TRUE(PtInRegion(region, 5, 5));
    DeleteObject(region);
}

TEST_F(FrameStripsTest, StripsWithoutSizeOrEdgeAreSkipped) {
    info_.RTPoint = {3, 3};  // no top edge piece
    TbsFrameStrips strips = Build(16, 14);
    EXPECT_FALSE(strips.Top.Bitmap);
    EXPECT_TRUE(strips.Bottom.Bitmap);
    info_.ClRect = {0, 2, 8, 8};  // no left strip
    EXPECT_FALSE(Build(16, 14).Left.Bitmap);
}

}  // namespace
