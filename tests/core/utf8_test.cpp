#include <gtest/gtest.h>

#include "core/utf8.h"

using namespace core;

TEST(Utf8, RoundTripsChineseAndAstralText) {
    std::string text = "导出64X64 打开图片 😀";
    EXPECT_EQ(CodePointCount(text), 14u);
    EXPECT_EQ(Utf32ToUtf8(Utf8ToUtf32(text)), text);
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    EXPECT_TRUE(IsValidUtf8(text));
}

TEST(Utf8, MalformedBytesBecomeReplacementWithoutOverrun) {
    std::string bad = "a\xE5\xAF";  // truncated three-byte sequence
    size_t offset = 1;
    EXPECT_EQ(NextCodePoint(bad, offset), kReplacementCharacter);
    EXPECT_LE(offset, bad.size());
    EXPECT_FALSE(IsValidUtf8(bad));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong slash
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Utf8, PreviousCodePointStartStepsOverWholeCharacters) {
    std::string text = "a图b";
    EXPECT_EQ(PreviousCodePointStart(text, 4), 1u);
    EXPECT_EQ(PreviousCodePointStart(text, 1), 0u);
    EXPECT_EQ(PreviousCodePointStart(text, 0), 0u);
}

TEST(Utf8, AsciiCaseMappingLeavesMultiByteTextAlone) {
    EXPECT_EQ(LowerCaseAscii("Photo.PNG"), "photo.png");
    EXPECT_EQ(LowerCaseAscii("图标.ICO"), "图标.ico");
    EXPECT_TRUE(SameTextAscii("GIF", "gif"));
    EXPECT_FALSE(SameTextAscii("gif", "gifs"));
}
