// The coverage mask that glyphs are drawn into before the text colour is blended.
#include "platform/gdi/text_mask.h"

#include <gtest/gtest.h>

#include "platform/gdi/font_face.h"

namespace platform::text {
namespace {

TEST(CoverageMask, OneBitAndGrayGlyphsLandAtTheirPlace) {
    GlyphImage mono;
    mono.mono = true;
    mono.width = 10;
    mono.rows = 2;
    mono.pitch = 2;
    mono.left = 1;
    mono.top = 2;
    mono.bits = {0x80, 0x40, 0x00, 0x01};  // (0,0) and (9,0) set in row 0? see below
    // Row 0: bits 0 and 9; row 1: none of the first 8, bit 15 is past the width.
    CoverageMask mask(0, 0, 20, 10);
    mask.DrawGlyph(mono, 5, 6);  // first column at x 6, first row at y 4
    EXPECT_EQ(mask.At(6, 4), 255);
    EXPECT_EQ(mask.At(15, 4), 255);
    EXPECT_EQ(mask.At(7, 4), 0);
    EXPECT_EQ(mask.At(6, 5), 0);

    GlyphImage gray;
    gray.width = 2;
    gray.rows = 1;
    gray.pitch = 2;
    gray.bits = {128, 40};
    gray.top = 1;
    mask.DrawGlyph(gray, 6, 5);  // row 4: stronger coverage wins
    EXPECT_EQ(mask.At(6, 4), 255);
    EXPECT_EQ(mask.At(7, 4), 40);
}

TEST(CoverageMask, ClipsAtItsEdges) {
    GlyphImage gray;
    gray.width = 4;
    gray.rows = 4;
    gray.pitch = 4;
    gray.bits.assign(16, 200);
    gray.top = 4;
    CoverageMask mask(10, 10, 3, 3);
    mask.DrawGlyph(gray, 8, 12);  // covers x 8..11, y 8..11: only 10..11 × 10..11 inside
    EXPECT_EQ(mask.At(10, 10), 200);
    EXPECT_EQ(mask.At(11, 11), 200);
    EXPECT_EQ(mask.At(12, 12), 0);
    mask.FillBar(-100, 12, 100, 13);
    EXPECT_EQ(mask.At(12, 12), 255);
    EXPECT_EQ(mask.At(9, 12), 0);  // outside the mask reads as nothing
}

}  // namespace
}  // namespace platform::text
