#include "skinctrls/shell_folder_item.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/shell/item_id_list.h"

namespace skinctrls {
namespace {

TEST(ShellStrRet, QuestionMarksGoOnlyFromTextsStartingWithQuestionMarkAndDigit) {
    auto text = [](const char* value) {
        platform::STRRET s;
        s.uType = platform::STRRET_CSTR;
        std::snprintf(s.cStr, sizeof s.cStr, "%s", value);
        return StrRetText(s, nullptr);
    };
    EXPECT_EQ(text("?1?2 items?"), "12 items");
    EXPECT_EQ(text("?a?b"), "?a?b");
    EXPECT_EQ(text("?"), "?");
    EXPECT_EQ(text("a?1"), "a?1");
    // A string handed back by offset is read inside its item id only.
    platform::ItemIdListPtr record(platform::ILCreateRecord(std::string("\x31name", 5)));
    platform::STRRET byOffset;
    byOffset.uType = platform::STRRET_OFFSET;
    byOffset.uOffset = 3;
    EXPECT_EQ(StrRetText(byOffset, record.get()), "name");
    byOffset.uOffset = 400;
    EXPECT_EQ(StrRetText(byOffset, record.get()), "");
}

}  // namespace
}  // namespace skinctrls
