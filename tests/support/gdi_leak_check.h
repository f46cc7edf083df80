#pragma once
// A fixture that fails a test which leaves platform drawing objects behind.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"

namespace testing_support {

class NoGdiLeaks : public ::testing::Test {
  protected:
    void SetUp() override { before_ = platform::LiveGdiObjectCount(); }
    void TearDown() override {
        if (!HasFatalFailure()) {
            EXPECT_EQ(platform::LiveGdiObjectCount(), before_) << "leaked GDI objects";
        }
    }

  private:
    int before_ = 0;
};

}  // namespace testing_support
