// Font resolution, realized metrics and glyph rendering, without a device context.
#include <gtest/gtest.h>

#include <cmath>

#include "core/utf8.h"
#include "platform/gdi/font_realize.h"

namespace platform::text {
namespace {

std::shared_ptr<RealizedFont> Font(const char* face, int height, int weight = 400,
                                   bool italic = false) {
    FontSpec spec;
    spec.faceName = face;
    spec.height = height;
    spec.weight = weight;
    spec.italic = italic;
    return RealizeFont(spec);
}

int Width(RealizedFont& font, const char* utf8) {
    std::lock_guard lock(TextLock());
    return font.Measure(core::Utf8ToUtf32(utf8));
}

TEST(FontResolution, ChineseNamesMapToTheMingFace) {
    for (const char* name : {"宋体", "新宋体", "SimSun", "NSimSun"})
        EXPECT_EQ(Font(name, -12)->Family(), "AR PL UMing CN") << name;
}

TEST(FontResolution, ArialIsLiberationSans) {
    EXPECT_EQ(Font("Arial", 14)->Family(), "Liberation Sans");
}

TEST(FontResolution, LatinFacesFallBackForChineseCharacters) {
    for (const char* name : {"MS Sans Serif", "Arial"}) {
        auto font = Font(name, -11);
        EXPECT_NE(font->Family(), "") << name;
        // Chinese characters must come from a face that has them, Latin ones from the font.
        EXPECT_EQ(font->FamilyFor(U'图'), "AR PL UMing CN") << name;
        EXPECT_EQ(font->FamilyFor(U'A'), font->Family()) << name;
    }
    // The fallback glyph is a real ideograph, not the empty box of the Latin face.
    auto arial = Font("Arial", -12);
    std::lock_guard lock(TextLock());
    EXPECT_EQ(arial->Advance(U'图'), 12);
    EXPECT_GT(arial->Glyph(U'图').rows, 6);
}

TEST(FontResolution, UnknownFaceStillDraws) {
    auto font = Font("No Such Face 123", -12);
    EXPECT_FALSE(font->Family().empty());
    EXPECT_GT(Width(*font, "abc"), 0);
}

TEST(FontMetrics, MingFaceAtTwelvePixelsHasTheKnownAdvances) {
    auto font = Font("宋体", -12);
    EXPECT_EQ(Width(*font, "导出64X64 打开图片"), 108);
    EXPECT_EQ(Width(*font, "导"), 12);
    EXPECT_EQ(Width(*font, "6"), 6);
}

TEST(FontMetrics, TwelvePixelMingGlyphsAreOneBitStrikes) {
    auto font = Font("新宋体", -12);
    std::lock_guard lock(TextLock());
    const GlyphImage& glyph = font->Glyph(U'图');
    EXPECT_TRUE(glyph.mono);
    EXPECT_GT(glyph.width, 0);
    // Every pixel is either off or fully on.
    for (int y = 0; y < glyph.rows; ++y)
        for (int x = 0; x < glyph.width; ++x) {
            const int c = glyph.Coverage(x, y);
            EXPECT_TRUE(c == 0 || c == 255);
        }
    // A size without a strike is anti-aliased.
    auto big = Font("宋体", -40);
    EXPECT_FALSE(big->Glyph(U'图').mono);
}

TEST(FontMetrics, NegativeHeightIsTheEmAndPositiveTheCell) {
    auto em = Font("Arial", -16);
    EXPECT_EQ(em->Ppem(), 16);
    EXPECT_EQ(em->Metrics().height - em->Metrics().internalLeading, 16);
    EXPECT_GT(em->Metrics().internalLeading, 0);  // Arial's cell is taller than its em

    auto cell = Font("Arial", 16);
    EXPECT_EQ(cell->Metrics().height, 16);
    EXPECT_EQ(cell->Metrics().ascent + cell->Metrics().descent, 16);
    EXPECT_LT(cell->Ppem(), 16);
    EXPECT_EQ(cell->Metrics().internalLeading, 16 - cell->Ppem());
    // The same number means a bigger font when it is negative.
    EXPECT_GT(Width(*em, "Hello"), Width(*cell, "Hello"));
}

TEST(FontMetrics, AverageAndMaximumWidthsAreSane) {
    auto font = Font("宋体", -12);
    const FontMetrics& m = font->Metrics();
    EXPECT_EQ(m.aveCharWidth, 6);
    EXPECT_GE(m.maxCharWidth, 12);
    EXPECT_GT(m.ascent, m.descent);
    EXPECT_EQ(m.height, m.ascent + m.descent);
}

TEST(FontMetrics, DefaultHeightGivesAUsableFont) {
    auto font = Font("Arial", 0);
    EXPECT_GT(font->Metrics().height, 8);
    EXPECT_LT(font->Metrics().height, 30);
}

TEST(FontStyle, SyntheticBoldWidensTheMingFace) {
    auto regular = Font("宋体", -12);
    auto bold = Font("宋体", -12, 700);
    EXPECT_EQ(Width(*bold, "图"), Width(*regular, "图") + 1);
    std::lock_guard lock(TextLock());
    auto ink = [](const GlyphImage& g) {
        int n = 0;
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x < g.width; ++x) n += g.Coverage(x, y) != 0;
        return n;
    };
    EXPECT_GT(ink(bold->Glyph(U'图')), ink(regular->Glyph(U'图')));
    // Semi-bold counts as bold; medium does not.
    EXPECT_EQ(Font("宋体", -12, 600)->Advance(U'图'), 13);
    EXPECT_EQ(Font("宋体", -12, 500)->Advance(U'图'), 12);
}

// Mean ink column of the top and the bottom quarter of a glyph.
double Lean(const GlyphImage& g) {
    auto meanX = [&](int y0, int y1) {
        double sum = 0;
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < g.width; ++x)
                if (g.Coverage(x, y) > 127) {
                    sum += x;
                    ++n;
                }
        return n > 0 ? sum / n : 0.0;
    };
    return meanX(0, g.rows / 4) - meanX(g.rows - g.rows / 4, g.rows);
}

TEST(FontStyle, ItalicSlantsTheGlyph) {
    for (int height : {-12, -40}) {  // a bitmap strike size and an outline size
        auto upright = Font("宋体", height);
        auto italic = Font("宋体", height, 400, true);
        std::lock_guard lock(TextLock());
        EXPECT_LT(std::abs(Lean(upright->Glyph(U'I'))), 1.0) << height;
        EXPECT_GT(Lean(italic->Glyph(U'I')), -height / 16.0) << height;
    }
}

TEST(GlyphCache, SecondUseRendersNothing) {
    auto font = Font("宋体", -13);
    (void)Width(*font, "缓存测试 cache");
    const uint64_t before = RenderedGlyphCount();
    (void)Width(*font, "缓存测试 cache");
    (void)Width(*Font("宋体", -13), "测试");
    EXPECT_EQ(RenderedGlyphCount(), before);
    // The same logical font is one realized font.
    EXPECT_EQ(Font("宋体", -13).get(), font.get());
    (void)Width(*font, "新");
    EXPECT_EQ(RenderedGlyphCount(), before + 1);
}

}  // namespace
}  // namespace platform::text
