// SDL's drops reach the window layer whole: the files SDL reports one event at a time between
// its begin and complete events come out of the host as one drop. Runs on SDL's dummy video
// driver, so it needs no display.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <memory>

#include "platform/host/sdl/sdl_host.h"

namespace platform {
namespace {

void PushDrop(Uint32 type, const char* file) {
    SDL_Event e{};
    e.type = type;
    e.drop.file = file != nullptr ? SDL_strdup(file) : nullptr;  // the receiver frees it
    e.drop.windowID = 0;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
}

class SdlDrop : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
        try {
            host_ = std::make_unique<SdlHost>();
        } catch (const std::exception& error) {
            GTEST_SKIP() << "no dummy video driver: " << error.what();
        }
    }
    void TearDown() override {
        host_.reset();
        ::unsetenv("SDL_VIDEODRIVER");
    }
    std::unique_ptr<SdlHost> host_;
};

TEST_F(SdlDrop, TheFilesBetweenBeginAndCompleteArriveAsOneDrop) {
    PushDrop(SDL_DROPBEGIN, nullptr);
    PushDrop(SDL_DROPFILE, "/tmp/a picture.bmp");
    PushDrop(SDL_DROPTEXT, "some text");  // not a file: left out
    PushDrop(SDL_DROPFILE, "/tmp/图片.gif");
    PushDrop(SDL_DROPCOMPLETE, nullptr);
    HostEvent event;
    ASSERT_TRUE(host_->NextEvent(event, 1000));
    EXPECT_EQ(event.type, HostEventType::Drop);
    EXPECT_EQ(event.files, (std::vector<std::string>{"/tmp/a picture.bmp", "/tmp/图片.gif"}));
    EXPECT_FALSE(host_->NextEvent(event, 0));
}

TEST_F(SdlDrop, ADropOfTextOnlyOrOfNothingIsNoDrop) {
    PushDrop(SDL_DROPBEGIN, nullptr);
    PushDrop(SDL_DROPTEXT, "some text");
    PushDrop(SDL_DROPCOMPLETE, nullptr);
    PushDrop(SDL_DROPBEGIN, nullptr);
    PushDrop(SDL_DROPCOMPLETE, nullptr);
    HostEvent event;
    EXPECT_FALSE(host_->NextEvent(event, 50));

    // A new drop starts afresh even after one that never completed.
    PushDrop(SDL_DROPBEGIN, nullptr);
    PushDrop(SDL_DROPFILE, "/tmp/lost.bmp");
    PushDrop(SDL_DROPBEGIN, nullptr);
    PushDrop(SDL_DROPFILE, "/tmp/kept.bmp");
    PushDrop(SDL_DROPCOMPLETE, nullptr);
    ASSERT_TRUE(host_->NextEvent(event, 1000));
    EXPECT_EQ(event.files, std::vector<std::string>{"/tmp/kept.bmp"});
}

}  // namespace
}  // namespace platform
