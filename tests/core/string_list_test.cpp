#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "core/string_list.h"

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
