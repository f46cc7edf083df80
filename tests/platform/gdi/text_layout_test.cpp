// DrawText layout with a font of fixed advances: half-width 6, full-width 12, lines 13 high.
#include <gtest/gtest.h>

#include "core/utf8.h"
#include "platform/gdi/text_layout.h"

namespace platform::text {
namespace {

class FixedMeasure final : public TextMeasure {
  public:
    int Advance(char32_t ch) override { return IsBreakableWide(ch) ? 12 : 6; }
    int LineHeight() override { return 13; }
    int ExternalLeading() override { return 2; }
    int AveCharWidth() override { return 6; }
};

TextLayout Lay(const char* text, LayoutBox box, unsigned format) {
    FixedMeasure measure;
    return LayoutText(core::Utf8ToUtf32(text), box, format, measure);
}

std::string LineText(const LaidLine& line) {
    return core::Utf32ToUtf8(line.chars);
}

TEST(DrawTextLayout, CalcRectOfASingleLine) {
    const TextLayout t = Lay("导出64X64", {10, 20, 10, 20}, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(t.extent.left, 10);
    EXPECT_EQ(t.extent.top, 20);
    EXPECT_EQ(t.extent.right, 10 + 24 + 30);
    EXPECT_EQ(t.extent.bottom, 20 + 13);
    EXPECT_EQ(t.height, 13);
}

TEST(DrawTextLayout, LineFeedsMakeLinesUnlessSingleLine) {
    const TextLayout multi = Lay("ab\r\ncdef\nx\rz", {0, 0, 100, 100}, DT_CALCRECT);
    ASSERT_EQ(multi.lines.size(), 4u);
    EXPECT_EQ(LineText(multi.lines[1]), "cdef");
    EXPECT_EQ(multi.extent.right, 24);
    EXPECT_EQ(multi.height, 52);
    EXPECT_EQ(multi.lines[3].top, 39);

    const TextLayout single = Lay("ab\r\ncd", {0, 0, 100, 100}, DT_SINGLELINE);
    ASSERT_EQ(single.lines.size(), 1u);
    EXPECT_EQ(LineText(single.lines[0]), "abcd");
}

TEST(DrawTextLayout, WordBreakAtSpacesAndBetweenChineseCharacters) {
    // 40 pixels hold six half-width characters.
    const TextLayout words = Lay("one two three", {0, 0, 40, 0}, DT_WORDBREAK | DT_CALCRECT);
    ASSERT_EQ(words.lines.size(), 3u);
    EXPECT_EQ(LineText(words.lines[0]), "one");
    EXPECT_EQ(LineText(words.lines[1]), "two");
    EXPECT_EQ(LineText(words.lines[2]), "three");
    EXPECT_EQ(words.extent.right, 30);  // the widest line, not the box
    EXPECT_EQ(words.extent.bottom, 39);

    const TextLayout cjk = Lay("打开图片文件", {0, 0, 40, 0}, DT_WORDBREAK);
    ASSERT_EQ(cjk.lines.size(), 2u);
    EXPECT_EQ(LineText(cjk.lines[0]), "打开图");
    EXPECT_EQ(LineText(cjk.lines[1]), "片文件");

    // Closing punctuation stays with the character before it.
    const TextLayout punct = Lay("打开图，好", {0, 0, 40, 0}, DT_WORDBREAK);
    ASSERT_EQ(punct.lines.size(), 2u);
    EXPECT_EQ(LineText(punct.lines[0]), "打开");
    EXPECT_EQ(LineText(punct.lines[1]), "图，好");
}

TEST(DrawTextLayout, AWordWiderThanTheBoxStaysWholeAndWidensTheExtent) {
    const TextLayout t = Lay("ab extraordinary cd", {0, 0, 40, 0}, DT_WORDBREAK | DT_CALCRECT);
    ASSERT_EQ(t.lines.size(), 3u);
    EXPECT_EQ(LineText(t.lines[1]), "extraordinary");
    EXPECT_EQ(t.extent.right, 13 * 6);
}

TEST(DrawTextLayout, SingleLineIgnoresWordBreak) {
    const TextLayout t = Lay("one two three", {0, 0, 40, 0}, DT_WORDBREAK | DT_SINGLELINE);
    EXPECT_EQ(t.lines.size(), 1u);
}

TEST(DrawTextLayout, HorizontalAndVerticalPlacement) {
    const LayoutBox box{0, 0, 73, 22};
    const TextLayout centred = Lay("打开", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(centred.lines[0].left, (73 - 24) / 2);
    EXPECT_EQ(centred.lines[0].top, (22 - 13) / 2);
    EXPECT_EQ(centred.lines[0].x[1], (73 - 24) / 2 + 12);
    EXPECT_EQ(centred.height, (22 - 13) / 2 + 13);

    const TextLayout right = Lay("ab", box, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    EXPECT_EQ(right.lines[0].left, 73 - 12);
    EXPECT_EQ(right.lines[0].top, 22 - 13);

    // Vertical placement needs a single line.
    const TextLayout multi = Lay("ab", box, DT_VCENTER);
    EXPECT_EQ(multi.lines[0].top, 0);
}

TEST(DrawTextLayout, PrefixUnderlinesTheFollowingCharacter) {
    const TextLayout t = Lay("Mi&nimize", {5, 0, 100, 20}, DT_SINGLELINE);
    EXPECT_EQ(LineText(t.lines[0]), "Minimize");
    ASSERT_EQ(t.lines[0].underlines.size(), 1u);
    EXPECT_EQ(t.lines[0].underlines[0], std::make_pair(5 + 12, 5 + 18));  // under "n"
    EXPECT_EQ(t.width, 48);
}

TEST(DrawTextLayout, DoubleAmpersandIsALiteralAmpersand) {
    const TextLayout t = Lay("A&&B", {0, 0, 100, 20}, DT_SINGLELINE);
    EXPECT_EQ(LineText(t.lines[0]), "A&B");
    EXPECT_TRUE(t.lines[0].underlines.empty());

    const TextLayout literal = Lay("A&B", {0, 0, 100, 20}, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(LineText(literal.lines[0]), "A&B");
    EXPECT_TRUE(literal.lines[0].underlines.empty());

    const TextLayout hidden = Lay("&Close", {0, 0, 100, 20}, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(LineText(hidden.lines[0]), "Close");
    EXPECT_TRUE(hidden.lines[0].underlines.empty());

    const TextLayout trailing = Lay("ab&", {0, 0, 100, 20}, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(trailing.extent.right, 12);
}

TEST(DrawTextLayout, EndEllipsisCutsToTheBox) {
    const TextLayout t = Lay("abcdefghij", {0, 0, 40, 13}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(LineText(t.lines[0]), "abc...");
    EXPECT_LE(t.lines[0].width, 40);
    const TextLayout fits = Lay("abcdef", {0, 0, 40, 13}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(LineText(fits.lines[0]), "abcdef");
    const TextLayout tiny = Lay("abcdef", {0, 0, 5, 13}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(LineText(tiny.lines[0]), "...");
    const TextLayout word = Lay("ab extraordinary", {0, 0, 40, 0}, DT_WORDBREAK | DT_WORD_ELLIPSIS);
    ASSERT_EQ(word.lines.size(), 2u);
    EXPECT_EQ(LineText(word.lines[0]), "ab");
    EXPECT_EQ(LineText(word.lines[1]), "ext...");
}

TEST(DrawTextLayout, PathEllipsisKeepsTheLastComponent) {
    const TextLayout t =
        Lay("C:\\Pictures\\Holiday\\photo.bmp", {0, 0, 120, 13}, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    // "\photo.bmp" is 10 characters, "..." 3: 7 characters of the head fit in 20.
    EXPECT_EQ(LineText(t.lines[0]), "C:\\Pict...\\photo.bmp");
    EXPECT_LE(t.lines[0].width, 120);

    const TextLayout narrow =
        Lay("C:\\dir\\averyverylongname.bmp", {0, 0, 60, 13}, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    EXPECT_LE(narrow.lines[0].width, 60);
    EXPECT_EQ(LineText(narrow.lines[0]).substr(0, 3), "...");
}

TEST(DrawTextLayout, EllipsisDropsAnUnderlineThatWasCutAway) {
    const TextLayout t = Lay("abcdefg&h", {0, 0, 40, 13}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(LineText(t.lines[0]), "abc...");
    EXPECT_TRUE(t.lines[0].underlines.empty());
}

TEST(DrawTextLayout, TabsExpandToEightAverageCharacters) {
    const TextLayout t = Lay("a\tb", {0, 0, 200, 13}, DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(t.lines[0].x[2], 48);
    const TextLayout plain = Lay("a\tb", {0, 0, 200, 13}, DT_SINGLELINE);
    EXPECT_EQ(plain.lines[0].x[2], 12);
    // DT_TABSTOP takes the tab size from the second byte, which is then no format bit
    // (0x0800 would otherwise read as DT_NOPREFIX).
    const TextLayout four =
        Lay("a\t&b", {0, 0, 200, 13}, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4u << 8));
    EXPECT_EQ(four.lines[0].x[2], 24);
    EXPECT_EQ(LineText(four.lines[0]), "a\tb");
    const TextLayout eight =
        Lay("a\t&b", {0, 0, 200, 13}, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (8u << 8));
    EXPECT_EQ(LineText(eight.lines[0]), "a\tb");
}

TEST(DrawTextLayout, HugeBoxesAndLongLinesDoNotOverflow) {
    const LayoutBox whole{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    const TextLayout t = Lay("centre 中心", whole, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.lines[0].left, -t.lines[0].width / 2);

    // 50 000 characters of huge advances saturate instead of wrapping around.
    class Wide final : public TextMeasure {
      public:
        int Advance(char32_t) override { return 1 << 20; }
        int LineHeight() override { return 10; }
        int ExternalLeading() override { return 0; }
        int AveCharWidth() override { return 5; }
    } wide;
    const std::u32string many(50000, U'x');
    const TextLayout big = LayoutText(many, {0, 0, 100, 100}, DT_SINGLELINE | DT_CALCRECT, wide);
    EXPECT_GT(big.extent.right, 1 << 25);
}

TEST(DrawTextLayout, EllipsesOfVeryLongLinesAreFound) {
    // 200 000 characters: cutting one character at a time would take minutes.
    FixedMeasure measure;
    std::u32string path(200000, U'a');
    path += U"\\name.bmp";
    for (unsigned flag : {DT_END_ELLIPSIS, DT_PATH_ELLIPSIS}) {
        const TextLayout t = LayoutText(path, {0, 0, 120, 13}, DT_SINGLELINE | flag, measure);
        EXPECT_EQ(t.lines[0].width, 120) << flag;
    }
    const TextLayout path1 =
        LayoutText(path, {0, 0, 120, 13}, DT_SINGLELINE | DT_PATH_ELLIPSIS, measure);
    EXPECT_EQ(LineText(path1.lines[0]), "aaaaaaaa...\\name.bmp");
}

TEST(DrawTextLayout, EmptyTextHasNoLines) {
    const TextLayout t = Lay("", {3, 4, 50, 50}, DT_CALCRECT);
    EXPECT_TRUE(t.lines.empty());
    EXPECT_EQ(t.height, 0);
    EXPECT_EQ(t.extent.right, 3);
    EXPECT_EQ(t.extent.bottom, 4);
}

TEST(DrawTextLayout, ExternalLeadingOnlyWhenAsked) {
    EXPECT_EQ(Lay("a\nb", {0, 0, 50, 50}, 0).height, 26);
    EXPECT_EQ(Lay("a\nb", {0, 0, 50, 50}, DT_EXTERNALLEADING).height, 30);
}

}  // namespace
}  // namespace platform::text
