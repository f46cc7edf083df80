#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "graphics/color.h"
#include "platform/gdi/gdi.h"

using namespace graphics;

TEST(Color, SystemColorsResolveThroughThePlatformAndOthersStay) {
    EXPECT_EQ(ColorToRGB(clBtnFace), platform::GetSysColor(15));
    EXPECT_EQ(ColorToRGB(clWindowText), platform::GetSysColor(8));
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(ColorToRGB(0x02123456), 0x02123456u);
    EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFFu);
    EXPECT_LT(clBtnFace, 0);
}

TEST(Color, TheNameTableHasItsFixedOrder) {
    size_t count = 0;
    const TColorName* names = ColorNames(count);
    ASSERT_EQ(count, 52u);
    EXPECT_STREQ(names[0].name, "clBlack");
    EXPECT_STREQ(names[15].name, "clWhite");
    EXPECT_STREQ(names[19].name, "clMedGray");
    EXPECT_STREQ(names[20].name, "clActiveBorder");
    EXPECT_STREQ(names[29].name, "clDefault");
    EXPECT_STREQ(names[45].name, "clNone");
    EXPECT_STREQ(names[51].name, "clWindowText");
    EXPECT_EQ(names[24].value, clBtnFace);
}

TEST(Color, NamesAndNumbersConvertBothWays) {
    EXPECT_EQ(ColorToString(clSkyBlue), "clSkyBlue");
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(StringToColor("$00123456"), 0x123456);
    EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
    EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(IdentToColor("clNothing"), std::nullopt);
    try {
        StringToColor("");
        FAIL();
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid integer value");
    }
    EXPECT_THROW(StringToColor("12abc"), core::EConvertError);
    EXPECT_THROW(StringToColor("$1FFFFFFFF"), core::EConvertError);
}
