#include <gtest/gtest.h>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "skin/skin_image_compose.h"

namespace {

using platform::COLORREF;

// A bitmap whose every pixel tells where it came from: red = x, green = y.
COLORREF Source(int x, int y) {
    return COLORREF(x) | (COLORREF(y) << 8) | (0x40u << 16);
}

void MakeSource(graphics::TBitmap& b, int w, int h) {
    b.SetWidth(w);
    b.SetHeight(h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) platform::SetPixel(b.Canvas().Handle(), x, y, Source(x, y));
}

void Blank(graphics::TBitmap& b, int w, int h) {
    b.SetWidth(w);
    b.SetHeight(h);
    platform::PatBlt(b.Canvas().Handle(), 0, 0, w, h, platform::WHITENESS);
}

COLORREF At(graphics::TBitmap& b, int x, int y) {
    return platform::GetPixel(b.Canvas().Handle(), x, y) & 0xFFFFFF;
}

TEST(ThreePieceRule, EndsUnscaledAndTheMiddleTiledWithTheLastTileCut) {
    graphics::TBitmap src, dest;
    MakeSource(src, 10, 3);
    Blank(dest, 40, 5);
    // Left part 2 columns, right part 3, middle columns 2..6 (5 wide).
    skin::DrawThreePiece(dest.Canvas().Handle(), 4, 1, 20, src.Canvas().Handle(),
                         graphics::Rect(0, 0, 10, 3), 2, 3, false);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(At(dest, 4, 1 + y), Source(0, y));
        EXPECT_EQ(At(dest, 5, 1 + y), Source(1, y));
        // Middle: 15 columns from x 6 = three whole tiles of 5.
        for (int i = 0; i < 15; ++i) EXPECT_EQ(At(dest, 6 + i, 1 + y), Source(2 + i % 5, y)) << i;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(At(dest, 21 + i, 1 + y), Source(7 + i, y));
    }
    // Outside the row and below the source height nothing changed.
    EXPECT_EQ(At(dest, 3, 1), 0xFFFFFFu);
    EXPECT_EQ(At(dest, 24, 1), 0xFFFFFFu);
    EXPECT_EQ(At(dest, 10, 4), 0xFFFFFFu);
    EXPECT_EQ(At(dest, 10, 0), 0xFFFFFFu);

    // A row of 12: middle of 7 = one tile and a cut one of 2.
    Blank(dest, 40, 5);
    skin::DrawThreePiece(dest.Canvas().Handle(), 0, 0, 12, src.Canvas().Handle(),
                         graphics::Rect(0, 0, 10, 3), 2, 3, false);
    EXPECT_EQ(At(dest, 7, 0), Source(2, 0));
    EXPECT_EQ(At(dest, 8, 0), Source(3, 0));
    EXPECT_EQ(At(dest, 9, 0), Source(7, 0));
    EXPECT_EQ(At(dest, 12, 0), 0xFFFFFFu);
}

TEST(ThreePieceRule, StretchedMiddleAndASourceRectInsideThePicture) {
    graphics::TBitmap src, dest;
    MakeSource(src, 20, 6);
    Blank(dest, 30, 4);
    // Source (10,2)-(14,4): left 1, right 1, middle 2 columns stretched to 8.
    skin::DrawThreePiece(dest.Canvas().Handle(), 0, 0, 10, src.Canvas().Handle(),
                         graphics::Rect(10, 2, 14, 4), 1, 1, true);
    EXPECT_EQ(At(dest, 0, 0), Source(10, 2));
    EXPECT_EQ(At(dest, 9, 1), Source(13, 3));
    for (int x = 1; x < 5; ++x) EXPECT_EQ(At(dest, x, 0), Source(11, 2)) << x;
    for (int x = 5; x < 9; ++x) EXPECT_EQ(At(dest, x, 0), Source(12, 2)) << x;
    EXPECT_EQ(At(dest, 0, 2), 0xFFFFFFu);
}

TEST(ThreePieceRule, OffsetsBeyondTheSourceOrARowNarrowerThanTheEndsStayInside) {
    graphics::TBitmap src, dest;
    MakeSource(src, 10, 2);
    Blank(dest, 20, 2);
    skin::DrawThreePiece(dest.Canvas().Handle(), 2, 0, 4, src.Canvas().Handle(),
                         graphics::Rect(0, 0, 10, 2), 50, -3, false);
    EXPECT_EQ(At(dest, 1, 0), 0xFFFFFFu);
    EXPECT_EQ(At(dest, 2, 0), Source(0, 0));
    EXPECT_EQ(At(dest, 5, 0), Source(3, 0));
    EXPECT_EQ(At(dest, 6, 0), 0xFFFFFFu);
    skin::DrawThreePiece(dest.Canvas().Handle(), 0, 0, 0, src.Canvas().Handle(),
                         graphics::Rect(0, 0, 10, 2), 2, 2, false);
    skin::DrawThreePiece(dest.Canvas().Handle(), 0, 0, 5, src.Canvas().Handle(),
                         graphics::Rect(5, 0, 5, 2), 2, 2, false);
    EXPECT_EQ(At(dest, 10, 0), 0xFFFFFFu);
}

// A 12 x 10 picture: corner points (3,3) (9,3) (3,7) (9,7), middle (2,2)-(10,8).
skin::TbsFrameCut SmallCut() {
    skin::TbsFrameCut cut;
    cut.leftTop = {3, 3};
    cut.rightTop = {9, 3};
    cut.leftBottom = {3, 7};
    cut.rightBottom = {9, 7};
    cut.middle = graphics::Rect(2, 2, 10, 8);
    return cut;
}

TEST(FrameComposition, CornersUnscaledEdgesTiledAndTheMiddleUntouched) {
    graphics::TBitmap src, dest;
    MakeSource(src, 12, 10);
    Blank(dest, 30, 25);
    skin::ComposeFrame(dest.Canvas().Handle(), 30, 25, src.Canvas().Handle(), 12, 10, SmallCut());
    const int dx = 18, dy = 15;
    // Top-left corner piece: columns 0..2 of the top two rows.
    EXPECT_EQ(At(dest, 0, 0), Source(0, 0));
    EXPECT_EQ(At(dest, 2, 1), Source(2, 1));
    // Top edge: columns 3..8 tiled from x = 0, corners drawn over the tiles.
    EXPECT_EQ(At(dest, 3, 0), Source(3 + 3 % 6, 0));
    EXPECT_EQ(At(dest, 14, 1), Source(3 + 14 % 6, 1));
    // Top-right corner piece at 9 + dx.
    EXPECT_EQ(At(dest, 9 + dx, 0), Source(9, 0));
    EXPECT_EQ(At(dest, 29, 1), Source(11, 1));
    // Bottom strip: rows 8..9 at the window's bottom.
    EXPECT_EQ(At(dest, 0, 23), Source(0, 8));
    EXPECT_EQ(At(dest, 29, 24), Source(11, 9));
    // Left strip: rows 2..3 (middle top to left-top y) at its top, rows 7..8 at its bottom,
    // the edge rows 3..7 tiled from the strip's top in between.
    EXPECT_EQ(At(dest, 0, 2), Source(0, 2));
    EXPECT_EQ(At(dest, 1, 22), Source(1, 7));
    EXPECT_EQ(At(dest, 0, 2 + 5), Source(0, 3 + 5 % 4));
    // Right strip: columns 10..11 at the right edge.
    EXPECT_EQ(At(dest, 28, 2), Source(10, 2));
    EXPECT_EQ(At(dest, 29, 22), Source(11, 7));
    (void)dy;
    // The middle is left for the caller.
    EXPECT_EQ(At(dest, 15, 12), 0xFFFFFFu);
    EXPECT_EQ(At(dest, 2, 2), 0xFFFFFFu);
    EXPECT_EQ(At(dest, 27, 22), 0xFFFFFFu);
}

TEST(FrameComposition, StretchedEdgesSpanTheMappedPoints) {
    graphics::TBitmap src, dest;
    MakeSource(src, 12, 10);
    Blank(dest, 24, 10);
    skin::TbsFrameCut cut = SmallCut();
    cut.topStretch = true;
    skin::ComposeFrame(dest.Canvas().Handle(), 24, 10, src.Canvas().Handle(), 12, 10, cut);
    // Top edge columns 3..8 (6 wide) stretched over 3..21 (18 wide): each source column thrice.
    EXPECT_EQ(At(dest, 3, 0), Source(3, 0));
    EXPECT_EQ(At(dest, 5, 0), Source(3, 0));
    EXPECT_EQ(At(dest, 6, 0), Source(4, 0));
    EXPECT_EQ(At(dest, 20, 0), Source(8, 0));
    EXPECT_EQ(At(dest, 21, 0), Source(9, 0));
}

TEST(FrameComposition, AnEmptyEdgePieceSkipsItsStrip) {
    graphics::TBitmap src, dest;
    MakeSource(src, 12, 10);
    Blank(dest, 20, 20);
    skin::TbsFrameCut cut = SmallCut();
    cut.rightTop = cut.leftTop;  // no top edge piece
    skin::ComposeFrame(dest.Canvas().Handle(), 20, 20, src.Canvas().Handle(), 12, 10, cut);
    EXPECT_EQ(At(dest, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(At(dest, 0, 19), Source(0, 9));
}

TEST(AreaFill, TiledOrStretchedByType) {
    graphics::TBitmap src, dest;
    MakeSource(src, 4, 3);
    Blank(dest, 20, 20);
    const graphics::TRect area = graphics::Rect(2, 2, 11, 9);
    skin::FillByStretchType(dest.Canvas().Handle(), area, src.Canvas().Handle(),
                            graphics::Rect(0, 0, 4, 3), false, skin::TbsStretchType::bsstFull);
    EXPECT_EQ(At(dest, 2, 2), Source(0, 0));
    EXPECT_EQ(At(dest, 7, 6), Source(1, 1));
    EXPECT_EQ(At(dest, 10, 8), Source(0, 0));
    EXPECT_EQ(At(dest, 11, 8), 0xFFFFFFu);
    EXPECT_EQ(At(dest, 10, 9), 0xFFFFFFu);

    Blank(dest, 20, 20);
    skin::FillByStretchType(dest.Canvas().Handle(), graphics::Rect(0, 0, 8, 6),
                            src.Canvas().Handle(), graphics::Rect(0, 0, 4, 3), true,
                            skin::TbsStretchType::bsstFull);
    EXPECT_EQ(At(dest, 7, 5), Source(3, 2));
    EXPECT_EQ(At(dest, 1, 1), Source(0, 0));
    // Horizontal: stretched to the height, repeated across.
    Blank(dest, 20, 20);
    skin::FillByStretchType(dest.Canvas().Handle(), graphics::Rect(0, 0, 8, 6),
                            src.Canvas().Handle(), graphics::Rect(0, 0, 4, 3), true,
                            skin::TbsStretchType::bsstHorz);
    EXPECT_EQ(At(dest, 5, 5), Source(1, 2));
    // Vertical: stretched to the width, repeated downward.
    Blank(dest, 20, 20);
    skin::FillByStretchType(dest.Canvas().Handle(), graphics::Rect(0, 0, 8, 6),
                            src.Canvas().Handle(), graphics::Rect(0, 0, 4, 3), true,
                            skin::TbsStretchType::bsstVert);
    EXPECT_EQ(At(dest, 7, 4), Source(3, 1));
}

}  // namespace
