#include "banner/html_container.h"

#include <gtest/gtest.h>

namespace banner {
namespace {

TEST(FontFamilies, TakeTheFirstNameUnquoted) {
    EXPECT_EQ(FirstFontFamily("'Arial', sans-serif"), "Arial");
    EXPECT_EQ(FirstFontFamily("  \"宋体\"  "), "宋体");
    EXPECT_EQ(FirstFontFamily(""), "");
    EXPECT_EQ(FirstFontFamily(" , serif"), "");
}

}  // namespace
}  // namespace banner
