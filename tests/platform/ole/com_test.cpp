#include <gtest/gtest.h>

#include <thread>

#include "platform/ole/com.h"

namespace platform {
namespace {

TEST(ComInitialization, IsCountedPerThread) {
    ASSERT_FALSE(IsComInitialized());
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_TRUE(IsComInitialized());

    // Another thread starts uninitialised and keeps its own count.
    bool otherBefore = true, otherAfter = false;
    std::thread other([&] {
        otherBefore = IsComInitialized();
        otherAfter = CoInitialize(nullptr) == S_OK && IsComInitialized();
        CoUninitialize();
    });
    other.join();
    EXPECT_FALSE(otherBefore);
    EXPECT_TRUE(otherAfter);

    CoUninitialize();
    EXPECT_TRUE(IsComInitialized());  // one initialisation is still open
    CoUninitialize();
    EXPECT_FALSE(IsComInitialized());
    // An unmatched uninitialise does not drive the count below zero.
    CoUninitialize();
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
    EXPECT_FALSE(IsComInitialized());

    int reserved = 0;
    EXPECT_EQ(CoInitialize(&reserved), E_INVALIDARG);
    EXPECT_FALSE(IsComInitialized());
}

}  // namespace
}  // namespace platform
