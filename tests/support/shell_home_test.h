#pragma once
// The shell controls' tests: the virtual screen and application of every window test, over a
// temporary home folder (set as HOME), never the user's.
#include "support/temp_home.h"
#include "ui/ui_fixture.h"

namespace testing_support {

class ShellHomeTest : public ui::testing::UiTest {
  protected:
    TempHome home_;
};

}  // namespace testing_support
