#include <gtest/gtest.h>

#include "skin_fixture.h"
#include "skinctrls/glyph_layout.h"

namespace skinctrls {
namespace {

using testing::FillBitmap;
using testing::Pixel;

struct LayoutCase {
    TbsButtonLayout layout;
    int margin;
    int gw;
    TPoint glyph;
    TPoint caption;
};

TEST(GlyphLayout, PlacesGlyphAndCaptionByLayoutAndMargin) {
    // Rect 100 × 40, glyph gw × 16, caption 40 × 12, spacing 4; centre (50, 20).
    const TRect rect = graphics::Rect(0, 0, 100, 40);
    const LayoutCase cases[] = {
        {TbsButtonLayout::blGlyphLeft, -1, 16, {20, 12}, {40, 14}},
        {TbsButtonLayout::blGlyphRight, -1, 16, {64, 12}, {20, 14}},
        {TbsButtonLayout::blGlyphTop, -1, 16, {42, 4}, {30, 24}},
        {TbsButtonLayout::blGlyphBottom, -1, 16, {42, 20}, {30, 4}},
        {TbsButtonLayout::blGlyphLeft, 5, 16, {5, 12}, {25, 14}},
        {TbsButtonLayout::blGlyphRight, 5, 16, {79, 12}, {35, 14}},
        {TbsButtonLayout::blGlyphTop, 5, 16, {42, 5}, {30, 25}},
        {TbsButtonLayout::blGlyphBottom, 5, 16, {42, 19}, {30, 3}},
        // Without a glyph the spacing does not count: the caption alone is centred.
        {TbsButtonLayout::blGlyphLeft, -1, 0, {30, 12}, {30, 14}},
    };
    for (const LayoutCase& c : cases) {
        TbsGlyphAndCaptionPlace p =
            CalcGlyphAndCaptionLayout(rect, c.gw, 16, 40, 12, c.margin, 4, c.layout);
        SCOPED_TRACE(::testing::Message()
                     << "layout " << int(c.layout) << " margin " << c.margin << " gw " << c.gw);
        EXPECT_EQ(p.glyph, c.glyph);
        EXPECT_EQ(p.caption, c.caption);
    }
}

TEST(GlyphLayout, FrameNumberFollowsTheState) {
    // active, down, enabled, glyphs → frame
    EXPECT_EQ(GlyphFrameNumber(true, true, true, 3), 3);
    EXPECT_EQ(GlyphFrameNumber(true, true, true, 2), 1);  // no pressed frame in the strip
    EXPECT_EQ(GlyphFrameNumber(true, false, true, 4), 4);
    EXPECT_EQ(GlyphFrameNumber(true, false, true, 3), 1);
    EXPECT_EQ(GlyphFrameNumber(false, false, false, 4), 2);
    EXPECT_EQ(GlyphFrameNumber(false, false, false, 1), 1);
    EXPECT_EQ(GlyphFrameNumber(false, false, true, 4), 1);
}

TEST(GlyphLayout, DrawsTheChosenFrameWithItsCornerColourTransparent) {
    // A strip of two 4 × 4 frames: red and green, each with a magenta bottom-left corner.
    graphics::TBitmap glyph;
    FillBitmap(glyph, 8, 4, [](int x, int y) -> uint32_t {
        if (x % 4 == 0 && y == 3) return 0xFF00FF;
        return x < 4 ? 0x0000FF : 0x00FF00;
    });
    for (int frame : {1, 2}) {
        graphics::TBitmap target;
        FillBitmap(target, 20, 20, [](int, int) -> uint32_t { return 0x123456; });
        DrawGlyphAndCaption(target.Canvas(), graphics::Rect(0, 0, 20, 20), -1, false, frame, 2,
                            glyph, "", TbsButtonLayout::blGlyphLeft, 1);
        // Centred: the frame covers (8,8)-(12,12).
        EXPECT_EQ(Pixel(target, 9, 9), frame == 1 ? 0x0000FFu : 0x00FF00u);
        EXPECT_EQ(Pixel(target, 8, 11), 0x123456u);  // the transparent corner
        EXPECT_EQ(Pixel(target, 7, 9), 0x123456u);
        EXPECT_EQ(Pixel(target, 12, 9), 0x123456u);
    }
    // Pressed moves everything one pixel down and right.
    graphics::TBitmap target;
    FillBitmap(target, 20, 20, [](int, int) -> uint32_t { return 0x123456; });
    DrawGlyphAndCaption(target.Canvas(), graphics::Rect(0, 0, 20, 20), -1, true, 1, 2, glyph, "",
                        TbsButtonLayout::blGlyphLeft, 1);
    EXPECT_EQ(Pixel(target, 8, 9), 0x123456u);
    EXPECT_EQ(Pixel(target, 12, 12), 0x0000FFu);
}

}  // namespace
}  // namespace skinctrls
