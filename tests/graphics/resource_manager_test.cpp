#include <gtest/gtest.h>

#include "graphics/graphics_objects.h"
#include "graphics/resource_manager.h"

using namespace graphics;

TEST(ResourceManager, HashRotatesThenXors) {
    const uint8_t bytes[] = {0x01, 0x02};
    // 0 -> rotl5(0) ^ 1 = 0x0001 -> rotl5 = 0x0020 ^ 2 = 0x0022
    EXPECT_EQ(ResourceHash(bytes, 2), 0x0022);
    const uint8_t high[] = {0xFF, 0xFF, 0xFF, 0xFF};
    // the rotation wraps the top bits back to the bottom
    uint16_t h = 0;
    for (uint8_t b : high) h = static_cast<uint16_t>(((h << 5) | (h >> 11)) ^ b);
    EXPECT_EQ(ResourceHash(high, 4), h);
}

TEST(ResourceManager, EqualDescriptionsShareOneEntry) {
    int before = PenManager().EntryCount();
    {
        TPen a, b;
        a.SetColor(0x123456);
        b.SetColor(0x123456);
        EXPECT_EQ(a.Handle(), b.Handle());
        EXPECT_EQ(PenManager().EntryCount(), before + 1);
        b.SetWidth(3);
        EXPECT_NE(a.Handle(), b.Handle());
    }
    EXPECT_EQ(PenManager().EntryCount(), before);
}
