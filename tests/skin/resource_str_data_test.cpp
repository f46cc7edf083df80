#include "skin/resource_str_data.h"

#include <gtest/gtest.h>

#include "core/string_list.h"

using namespace skin;

namespace {

TEST(ResourceStrData, LooksUpTheFirstMatchingName) {
    TbsResourceStrData strings;
    EXPECT_EQ(strings.CharSet(), 1);
    EXPECT_EQ(strings.GetResStr("MI_MINCAPTION"), "Mi&nimize");
    EXPECT_EQ(strings.GetResStr("MENUBUTTON_HINT"), "System menu");
    EXPECT_EQ(strings.GetResStr("MSG_OVERWRITE"), "Do you want to overwrite old file?");
    EXPECT_EQ(strings.GetResStr("NOPE"), "");
    core::TStringList lines;
    lines.Add("A=first=part");
    lines.Add("A=second");
    lines.Add("no separator");
    strings.SetResStrings(lines);
    EXPECT_EQ(strings.GetResStr("A"), "first=part");
    EXPECT_EQ(strings.GetResStr("no separator"), "");
}

}  // namespace
