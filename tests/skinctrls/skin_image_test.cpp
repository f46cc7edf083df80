#include <gtest/gtest.h>

#include "skin_fixture.h"
#include "skinctrls/skin_image.h"

namespace skinctrls {
namespace {

using graphics::TBitmap;
using testing::Code;
using testing::FillBitmap;
using testing::Pixel;

// A picture whose every pixel names its own place.
class SkinImageTest : public ::testing::Test {
  protected:
    void SetUp() override { FillBitmap(picture_, 32, 32, Code); }
    // The colour the result must show when it holds the picture's pixel (x, y).
    static uint32_t From(int x, int y) { return Code(x, y); }
    TBitmap picture_;
};

TEST_F(SkinImageTest, HorizontalKeepsTheEndsAndTilesTheMiddleWithTheLastTileCut) {
    // Skin piece 12 × 4 at (2,1): left end 3, right end 2, middle 7 wide; 10 pixels of gap.
    TBitmap result;
    ComposeHorizontalImage(result, 15, picture_, graphics::Rect(2, 1, 14, 5), 3, 2, false);
    ASSERT_EQ(result.Width(), 15);
    ASSERT_EQ(result.Height(), 4);
    EXPECT_EQ(Pixel(result, 0, 0), From(2, 1));
    EXPECT_EQ(Pixel(result, 2, 3), From(4, 4));
    EXPECT_EQ(Pixel(result, 3, 0), From(5, 1));   // first tile
    EXPECT_EQ(Pixel(result, 9, 2), From(11, 3));  // its last column
    EXPECT_EQ(Pixel(result, 10, 0), From(5, 1));  // second tile, cut after 3 columns
    EXPECT_EQ(Pixel(result, 12, 1), From(7, 2));
    EXPECT_EQ(Pixel(result, 13, 0), From(12, 1));  // right end untouched by the tiles
    EXPECT_EQ(Pixel(result, 14, 3), From(13, 4));
}

TEST_F(SkinImageTest, HorizontalNarrowerThanItsEndsDrawsNoMiddle) {
    TBitmap result;
    ComposeHorizontalImage(result, 4, picture_, graphics::Rect(2, 1, 14, 5), 3, 2, false);
    ASSERT_EQ(result.Width(), 4);
    EXPECT_EQ(Pixel(result, 0, 0), From(2, 1));
    EXPECT_EQ(Pixel(result, 1, 0), From(3, 1));
    EXPECT_EQ(Pixel(result, 2, 0), From(12, 1));  // the right end over the left one
    EXPECT_EQ(Pixel(result, 3, 0), From(13, 1));
}

TEST_F(SkinImageTest, HorizontalWithStretchRepeatsWholeColumns) {
    TBitmap result;
    ComposeHorizontalImage(result, 19, picture_, graphics::Rect(2, 1, 14, 5), 3, 2, true);
    // The 7 middle columns become 14: each shown twice, no blending.
    EXPECT_EQ(Pixel(result, 3, 0), From(5, 1));
    EXPECT_EQ(Pixel(result, 4, 0), From(5, 1));
    EXPECT_EQ(Pixel(result, 5, 0), From(6, 1));
    EXPECT_EQ(Pixel(result, 16, 0), From(11, 1));
    EXPECT_EQ(Pixel(result, 17, 0), From(12, 1));
}

TEST_F(SkinImageTest, VerticalKeepsTheEndsAndTilesDown) {
    // Piece 4 × 10 at (1,2): top end 2, bottom end 3, middle 5 high; height 14 leaves 9.
    TBitmap result;
    ComposeVerticalImage(result, 14, picture_, graphics::Rect(1, 2, 5, 12), 2, 3, false);
    ASSERT_EQ(result.Width(), 4);
    ASSERT_EQ(result.Height(), 14);
    EXPECT_EQ(Pixel(result, 0, 0), From(1, 2));
    EXPECT_EQ(Pixel(result, 0, 2), From(1, 4));
    EXPECT_EQ(Pixel(result, 3, 6), From(4, 8));
    EXPECT_EQ(Pixel(result, 0, 7), From(1, 4));   // second tile
    EXPECT_EQ(Pixel(result, 0, 10), From(1, 7));  // cut before the bottom end
    EXPECT_EQ(Pixel(result, 0, 11), From(1, 9));
    EXPECT_EQ(Pixel(result, 2, 13), From(3, 11));
}

class NinePartTest : public SkinImageTest {
  protected:
    void SetUp() override {
        SkinImageTest::SetUp();
        // A 20 × 20 piece at (5,5), resized to 30 × 26 (dx 10, dy 6).
        g_.LT = {6, 6};
        g_.RT = {14, 6};
        g_.LB = {6, 14};
        g_.RB = {14, 14};
        g_.ClRect = graphics::Rect(4, 4, 16, 16);
        g_.NewLT = {6, 6};
        g_.NewRT = {24, 6};
        g_.NewLB = {6, 20};
        g_.NewRB = {24, 20};
        g_.NewClRect = graphics::Rect(4, 4, 26, 22);
    }
    // The picture's pixel at a place relative to the piece.
    static uint32_t Skin(int x, int y) { return Code(x + 5, y + 5); }
    const TRect piece_ = graphics::Rect(5, 5, 25, 25);
    TbsSkinGeometry g_;
};

TEST_F(NinePartTest, CornersStayAndEdgesTileBetweenTheResizedPoints) {
    TBitmap r;
    ComposeNinePartImage(r, 30, 26, picture_, piece_, g_, true);
    ASSERT_EQ(r.Width(), 30);
    ASSERT_EQ(r.Height(), 26);
    // Corners.
    EXPECT_EQ(Pixel(r, 0, 0), Skin(0, 0));
    EXPECT_EQ(Pixel(r, 5, 3), Skin(5, 3));
    EXPECT_EQ(Pixel(r, 24, 0), Skin(14, 0));
    EXPECT_EQ(Pixel(r, 29, 3), Skin(19, 3));
    EXPECT_EQ(Pixel(r, 26, 20), Skin(16, 14));
    EXPECT_EQ(Pixel(r, 29, 25), Skin(19, 19));
    EXPECT_EQ(Pixel(r, 0, 25), Skin(0, 19));
    // Top edge: source columns 6..13 tiled from x 6 and cut at 24.
    EXPECT_EQ(Pixel(r, 6, 0), Skin(6, 0));
    EXPECT_EQ(Pixel(r, 14, 0), Skin(6, 0));
    EXPECT_EQ(Pixel(r, 23, 1), Skin(7, 1));
    // Bottom, left and right edges.
    EXPECT_EQ(Pixel(r, 14, 25), Skin(6, 19));
    EXPECT_EQ(Pixel(r, 0, 14), Skin(0, 6));
    EXPECT_EQ(Pixel(r, 3, 19), Skin(3, 11));
    EXPECT_EQ(Pixel(r, 29, 15), Skin(19, 7));
    // Client piece tiled in a grid from the client rect's corner.
    EXPECT_EQ(Pixel(r, 4, 4), Skin(4, 4));
    EXPECT_EQ(Pixel(r, 16, 4), Skin(4, 4));
    EXPECT_EQ(Pixel(r, 25, 21), Skin(13, 9));
}

TEST_F(NinePartTest, WithoutTheClientPieceTheMiddleIsLeftAlone) {
    TBitmap r;
    ComposeNinePartImage(r, 30, 26, picture_, piece_, g_, false);
    EXPECT_EQ(Pixel(r, 10, 10), 0xFFFFFFu);  // a new bitmap's white
    EXPECT_EQ(Pixel(r, 0, 0), Skin(0, 0));
}

TEST_F(NinePartTest, CoincidingPointsDrawNothing) {
    g_.RB = g_.LT;
    TBitmap r;
    ComposeNinePartImage(r, 30, 26, picture_, piece_, g_, true);
    EXPECT_EQ(Pixel(r, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(Pixel(r, 29, 25), 0xFFFFFFu);
}

TEST_F(NinePartTest, StretchedClientByTypeFullAndHorizontal) {
    g_.StretchEffect = true;
    g_.StretchType = skin::TbsStretchType::bsstFull;
    TBitmap full;
    ComposeNinePartImage(full, 30, 26, picture_, piece_, g_, true);
    // 12 × 12 stretched over 22 × 18: the corners of the client area show the piece's corners.
    EXPECT_EQ(Pixel(full, 4, 4), Skin(4, 4));
    EXPECT_EQ(Pixel(full, 25, 21), Skin(15, 15));
    g_.StretchType = skin::TbsStretchType::bsstHorz;
    TBitmap horz;
    ComposeNinePartImage(horz, 30, 26, picture_, piece_, g_, true);
    // Stretched to the height only, tiled across: column 16 starts the piece again.
    EXPECT_EQ(Pixel(horz, 16, 4), Skin(4, 4));
    EXPECT_EQ(Pixel(horz, 16, 21), Skin(4, 15));
}

TEST_F(SkinImageTest, StretchedImageScalesTheClientAndKeepsTheCorners) {
    TBitmap r;
    ComposeStretchedImage(r, 40, 20, picture_, graphics::Rect(5, 5, 25, 25),
                          graphics::Rect(4, 4, 16, 16));
    ASSERT_EQ(r.Width(), 40);
    EXPECT_EQ(Pixel(r, 0, 0), Code(5, 5));
    EXPECT_EQ(Pixel(r, 36, 0), Code(21, 5));    // the right corner, moved by 20
    EXPECT_EQ(Pixel(r, 4, 4), Code(9, 9));      // client piece start
    EXPECT_EQ(Pixel(r, 35, 15), Code(20, 20));  // client piece end, stretched
}

}  // namespace
}  // namespace skinctrls
