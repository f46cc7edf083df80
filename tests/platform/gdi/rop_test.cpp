// The raster operation codes: every ternary code against its truth table, and the names.
#include "platform/gdi/rop.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "platform/gdi/gdi.h"

namespace platform {
namespace {

// Reference: bit (P*4 + S*2 + D) of the code gives each result bit.
std::uint32_t ReferenceRop(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    std::uint32_t out = 0;
    for (int bit = 0; bit < 32; ++bit) {
        int idx = int(((p >> bit) & 1) * 4 + ((s >> bit) & 1) * 2 + ((d >> bit) & 1));
        out |= ((code >> idx) & 1u) << bit;
    }
    return out;
}

TEST(RopTable, AllTernaryCodesMatchTheirTruthTable) {
    std::mt19937 rng(7);
    for (int code = 0; code < 256; ++code) {
        for (int k = 0; k < 8; ++k) {
            std::uint32_t p = rng(), s = rng(), d = rng();
            ASSERT_EQ(ApplyRop3(std::uint8_t(code), p, s, d),
                      ReferenceRop(std::uint8_t(code), p, s, d))
                << "code " << code;
        }
    }
}

TEST(RopTable, NamedOperationsCarryTheirCodes) {
    EXPECT_EQ(Rop3Code(SRCCOPY), 0xCC);
    EXPECT_EQ(Rop3Code(SRCAND), 0x88);
    EXPECT_EQ(Rop3Code(SRCERASE), 0x44);
    EXPECT_EQ(Rop3Code(MERGECOPY), 0xC0);
    EXPECT_TRUE(Rop3UsesSource(0xCC));
    EXPECT_FALSE(Rop3UsesSource(0xF0));
    EXPECT_FALSE(Rop3UsesDest(0xCC));
    EXPECT_EQ(Rop2ToRop3(R2_COPYPEN), 0xF0);
    EXPECT_EQ(Rop2ToRop3(R2_NOT), 0x55);
    EXPECT_EQ(Rop2ToRop3(R2_XORPEN), 0x5A);
    EXPECT_EQ(Rop2ToRop3(R2_NOP), 0xAA);
    EXPECT_EQ(MAKEROP4(0x00AA0029, SRCCOPY), 0xCCAA0029u);
}

}  // namespace
}  // namespace platform
