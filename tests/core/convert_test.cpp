#include <gtest/gtest.h>

#include "core/convert.h"
#include "core/exceptions.h"

using namespace core;

TEST(StrToInt, RaisesTheConversionErrorWithTheText) {
    EXPECT_EQ(StrToInt("$10"), 16);
    EXPECT_EQ(StrToInt("-$10"), -16);
    try {
        StrToInt("");
        FAIL() << "an empty text converted";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid integer value");
    }
    EXPECT_THROW(StrToInt("1 2"), EConvertError);
    EXPECT_THROW(StrToInt("99999999999"), EConvertError);
}
