#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "core/string_list.h"
#include "core/utf8.h"

using namespace core;

TEST(StringList, SplitsEveryLineEndAndJoinsWithLineFeeds) {
    TStringList list;
    list.SetText("a\r\nb\nc\rd");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[3], "d");
    EXPECT_EQ(list.Text(), "a\nb\nc\nd\n");
    list.SetText("x\n\ny\n");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], "");
}

TEST(StringList, NamesAndValuesAreCaseInsensitiveByDefault) {
    TStringList list;
    list.Add("Width=32");
    list.Add("noequals");
    list.Add("Name=a=b");
    EXPECT_EQ(list.Values("width"), "32");
    EXPECT_EQ(list.Values("NAME"), "a=b");
    EXPECT_EQ(list.Values("noequals"), "");
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOfName("width"), -1);
    list.SetValue("Width", "16");
    EXPECT_EQ(list[0], "Width=16");
    list.SetValue("Height", "8");
    EXPECT_EQ(list.Count(), 4);
}

TEST(StringList, BadIndexRaisesListError) {
    TStringList list;
    list.Add("one");
    EXPECT_THROW(list[1], EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    list.Insert(1, "two");
    EXPECT_EQ(list[1], "two");
}

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
