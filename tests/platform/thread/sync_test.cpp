#include "platform/thread/sync.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>

#include "platform/user/user_fixture.h"

namespace platform::testing {
namespace {

using Events = UserTest;

TEST_F(Events, SignalResetAndTimeOut) {
    HANDLE manual = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE automatic = CreateEvent(nullptr, FALSE, TRUE, nullptr);
    const DWORD start = GetTickCount();
    EXPECT_EQ(WaitForSingleObject(manual, 50), WAIT_TIMEOUT);
    // Never shorter than asked; how much longer depends on the machine's load.
    EXPECT_GE(GetTickCount() - start, 49u);
    SetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);  // stays set
    ResetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);  // cleared by the wait
    // Another thread's SetEvent ends an unlimited wait.
    std::thread setter([&] {
        Sleep(20);
        SetEvent(automatic);
    });
    EXPECT_EQ(WaitForSingleObject(automatic, INFINITE), WAIT_OBJECT_0);
    setter.join();
    EXPECT_TRUE(CloseHandle(manual));
    EXPECT_TRUE(CloseHandle(automatic));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_FAILED);
    EXPECT_FALSE(SetEvent(manual));
    EXPECT_FALSE(CloseHandle(manual));
    EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(std::uintptr_t{12345}), 0), WAIT_FAILED);
}

}  // namespace
}  // namespace platform::testing
