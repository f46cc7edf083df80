#include "skinctrls/shell_properties_box.h"

#include <gtest/gtest.h>

namespace skinctrls {
namespace {

TEST(SizeTextTest, ShowsBytesAndAReadableSize) {
    EXPECT_EQ(SizeText(0), "0 bytes");
    EXPECT_EQ(SizeText(1023), "1,023 bytes");
    EXPECT_EQ(SizeText(1024), "1.0 KB (1,024 bytes)");
    EXPECT_EQ(SizeText(5u * 1024 * 1024 + 1), "5.0 MB (5,242,881 bytes)");
}

}  // namespace
}  // namespace skinctrls
