#pragma once
// The shell controls' tests: the virtual screen and application of every window test, over a
// temporary home folder (set as HOME), never the user's.
#include "platform/gdi/font_config.h"
#include "support/temp_home.h"
#include "ui/ui_fixture.h"

namespace testing_support {

class ShellHomeTest : public ui::testing::UiTest {
  protected:
    // The font system starts under the real home, as in the program, before the temporary
    // home becomes HOME (fontconfig leaks a block when its first start finds an empty home).
    void SetUp() override {
        UiTest::SetUp();
        platform::text::InitFontMatching();
        home_.SetAsHome();
    }

    TempHome home_{TempHome::Start::Later};
};

}  // namespace testing_support
