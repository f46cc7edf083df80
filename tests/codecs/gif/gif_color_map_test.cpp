#include "codecs/gif/gif_color_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/gif/gif_data.h"

using namespace codecs::gif;

TEST(GIFColorMap, CapacityBitsAndLookups) {
    EXPECT_EQ(TGIFColorMap::CapacityFor(0), 16);
    EXPECT_EQ(TGIFColorMap::CapacityFor(16), 16);
    EXPECT_EQ(TGIFColorMap::CapacityFor(17), 32);
    EXPECT_EQ(TGIFColorMap::CapacityFor(33), 64);
    EXPECT_EQ(TGIFColorMap::CapacityFor(250), 256);
    EXPECT_EQ(TGIFColorMap::CapacityFor(256), 256);

    TGIFData data;
    std::vector<std::string> warnings;
    data.SetOnWarning(
        [&](const void*, TGIFSeverity, const std::string& m) { warnings.push_back(m); });
    TGIFColorMap& map = data.GlobalColorMap();
    EXPECT_EQ(map.BitsPerPixel(), 0);
    try {
        map.Color(0);
        FAIL() << "no error";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message(), "Color table is empty");
    }
    map.Add({1, 2, 3});
    EXPECT_EQ(map.BitsPerPixel(), 1);
    map.Add({4, 5, 6});
    map.Add({7, 8, 9});
    EXPECT_EQ(map.BitsPerPixel(), 2);
    EXPECT_EQ(map.Capacity(), 16);
    EXPECT_EQ(map.Color(2), (TGIFColor{7, 8, 9}));
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(map.Color(3), (TGIFColor{1, 2, 3}));
    EXPECT_EQ(map.Color(-1), (TGIFColor{1, 2, 3}));
    EXPECT_EQ(warnings, (std::vector<std::string>{"Invalid color index", "Invalid color index"}));
    map.SetCount(129);
    EXPECT_EQ(map.BitsPerPixel(), 8);
    EXPECT_EQ(map.Capacity(), 160);
}
