#include <gtest/gtest.h>

#include "core/exceptions.h"

using namespace core;

TEST(Exceptions, CarryMessageAndClassName) {
    EInvalidGraphic e("Unknown picture file extension (.%s)", {"PNG"});
    EXPECT_EQ(e.Message(), "Unknown picture file extension (.PNG)");
    EXPECT_STREQ(e.ClassName(), "EInvalidGraphic");
    const Exception& base = e;
    EXPECT_STREQ(base.what(), "Unknown picture file extension (.PNG)");
}

TEST(Exceptions, HierarchyMatchesWhatHandlersCatch) {
    EXPECT_THROW(throw EOutOfResources("x"), EOutOfMemory);
    EXPECT_THROW(throw ECompressionError("x"), EZlibError);
    EXPECT_THROW(throw EDecompressionError("x"), EStreamError);
    EXPECT_THROW(throw EReadError("x"), EStreamError);
    EXPECT_THROW(throw EAbort(), Exception);
}

TEST(Exceptions, OSErrorFormatsCodeAndText) {
    try {
        RaiseLastOSError(2);
        FAIL() << "no exception";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), 2);
        EXPECT_EQ(e.Message(), "System Error.  Code: 2.\r\nNo such file or directory");
    }
    EXPECT_THROW(RaiseLastOSError(0), EOSError);
}
