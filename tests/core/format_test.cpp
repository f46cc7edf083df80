#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "core/format.h"

using namespace core;

TEST(Format, FillsPlaceholdersInOrder) {
    EXPECT_EQ(Format("Cannot assign a %s to a %s", {"TIcon", "TBitmap"}),
              "Cannot assign a TIcon to a TBitmap");
    EXPECT_EQ(Format("JPEG error #%d", {53}), "JPEG error #53");
    EXPECT_EQ(Format("%d%%", {-7}), "-7%");
    EXPECT_EQ(Format("%x", {255}), "FF");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
}

TEST(Format, KeepsUnmatchedPlaceholdersAndForeignCharacters) {
    EXPECT_EQ(Format("Unknown picture file extension (.%s)", {}),
              "Unknown picture file extension (.%s)");
    EXPECT_EQ(Format("%q %s", {"x"}), "%q x");
    EXPECT_EQ(Format("trailing %", {1}), "trailing %");
    EXPECT_EQ(Format("导出%s图标", {"ICO"}), "导出ICO图标");
}
