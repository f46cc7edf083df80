// The frame's strips and the window shape, on small synthetic pictures.
#include <gtest/gtest.h>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "platform/user/winuser.h"
#include "skin/frame_hit_test.h"
#include "skin/frame_inactive_effect.h"
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

TEST(FrameHitTestTest, PlainFrameCornersAreWhereTwoBordersMeet) {
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {2, 2}), HTTOPLEFT);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {2, 3}), HTLEFT);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {97, 79}), HTBOTTOMRIGHT);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, false, {2, 40}), HTBORDER);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {50, 21}), HTCAPTION);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {50, 22}), HTCLIENT);
    EXPECT_EQ(PlainHitTest(100, 80, 3, 19, true, {100, 40}), HTNOWHERE);
}

TEST(FrameHitTestTest, RolledUpOrMinimizedFrameOnlyKnowsTheCaption) {
    TbsSkinFormInfo info;
    info.ClRect = {4, 27, 281, 206};
    const TbsFrameGeometry g = MapFrameGeometry(info, 285, 210, 476, 513);
    TbsHitTestState s;
    s.RolledUpOrMinimized = true;
    s.Sizeable = true;
    s.BorderWidth = 3;
    EXPECT_EQ(SkinHitTest(g, s, {1, 100}), kNeutralHit);
    EXPECT_EQ(SkinHitTest(g, s, {100, 100}), kNeutralHit);
    s.OnCaption = true;
    EXPECT_EQ(SkinHitTest(g, s, {100, 10}), HTCAPTION);
    // A hot object keeps the mouse on the frame while the pointer is off every object.
    s = {};
    s.Sizeable = true;
    s.BorderWidth = 3;
    s.ObjectHot = true;
    EXPECT_EQ(SkinHitTest(g, s, {1, 100}), kNeutralHit);
    EXPECT_EQ(SkinHitTest(g, s, {100, 100}), HTCLIENT);
}

TEST(FrameGeometryTest, MappedGeometryMovesWithTheWindowSize) {
    TbsSkinFormInfo info;
    info.ClRect = {4, 27, 281, 206};
    info.CaptionRect = {3, 5, 282, 24};
    info.RTPoint = {274, 30};
    info.LBPoint = {8, 200};
    info.ButtonsRect = {200, 2, 260, 20};  // right of the middle: moves with the right edge
    info.MaskRectArea = {4, 3, 282, 206};
    const TbsFrameGeometry g = MapFrameGeometry(info, 285, 210, 476, 513);
    EXPECT_EQ(g.Client, graphics::Rect(4, 27, 472, 509));
    EXPECT_EQ(g.Caption, graphics::Rect(3, 5, 473, 24));
    EXPECT_EQ(g.Buttons, graphics::Rect(391, 2, 451, 20));
    EXPECT_EQ(g.MaskArea, graphics::Rect(4, 3, 473, 509));
    EXPECT_EQ(g.RT, (graphics::TPoint{465, 30}));
    EXPECT_EQ(g.LB, (graphics::TPoint{8, 503}));
    // A rect spanning the top edge stretches; one in the right corner moves.
    EXPECT_EQ(MapPictureRect({3, 5, 282, 24}, g, info), graphics::Rect(3, 5, 473, 24));
    EXPECT_EQ(MapPictureRect({276, 5, 280, 24}, g, info), graphics::Rect(467, 5, 471, 24));
    EXPECT_EQ(MapPictureRect({2, 202, 6, 208}, g, info), graphics::Rect(2, 505, 6, 511));
}

}  // namespace

namespace {

uint32_t PixelRgb(graphics::TBitmap& b, int x, int y) {
    return uint32_t(GetPixel(b.Canvas().Handle(), x, y));
}

TEST(FrameInactiveEffectTest, EffectsChangeEveryPixelByTheirRule) {
    auto make = [] {
        auto b = std::make_unique<graphics::TBitmap>();
        b->SetWidth(3);
        b->SetHeight(1);
        SetPixel(b->Canvas().Handle(), 0, 0, RGB(100, 50, 200));
        SetPixel(b->Canvas().Handle(), 1, 0, RGB(0, 0, 0));
        SetPixel(b->Canvas().Handle(), 2, 0, RGB(200, 200, 200));
        return b;
    };
    auto b = make();
    ApplyInactiveEffect(*b, TbsInactiveEffect::ieGrayscale);
    const uint32_t gray = PixelRgb(*b, 0, 0);
    EXPECT_EQ(GetRValue(gray), GetGValue(gray));
    EXPECT_EQ(GetGValue(gray), GetBValue(gray));
    EXPECT_EQ(GetRValue(gray), (200 * 11 + 50 * 59 + 100 * 30) / 100);
    b = make();
    ApplyInactiveEffect(*b, TbsInactiveEffect::ieInvert);
    EXPECT_EQ(PixelRgb(*b, 1, 0), RGB(255, 255, 255));
    b = make();
    ApplyInactiveEffect(*b, TbsInactiveEffect::ieBrightness);
    EXPECT_EQ(PixelRgb(*b, 1, 0), RGB(127, 127, 127));
    b = make();
    ApplyInactiveEffect(*b, TbsInactiveEffect::ieDarkness);
    EXPECT_EQ(PixelRgb(*b, 2, 0), RGB(140, 140, 140));
    b = make();
    ApplyInactiveEffect(*b, TbsInactiveEffect::ieSplitBlur);
    EXPECT_EQ(GetRValue(PixelRgb(*b, 1, 0)), (100 + 200 + 0 + 0) / 4);
}

}  // namespace
