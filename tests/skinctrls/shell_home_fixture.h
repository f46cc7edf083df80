#pragma once
// The shell controls' tests run over a temporary home folder (set as HOME), never the user's.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ui/ui_fixture.h"

namespace skinctrls::testing {

class ShellHomeTest : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        char pattern[] = "/tmp/tembrin-shellctl-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        home_ = pattern;
        const char* old = std::getenv("HOME");
        hadHome_ = old != nullptr;
        if (old != nullptr) oldHome_ = old;
        ::setenv("HOME", home_.c_str(), 1);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(home_, ignored);
        if (hadHome_) {
            ::setenv("HOME", oldHome_.c_str(), 1);
        } else {
            ::unsetenv("HOME");
        }
        UiTest::TearDown();
    }
    std::string Make(const std::string& relative, const std::string& content = "x") {
        const std::string path = home_ + "/" + relative;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string MakeDir(const std::string& relative) {
        const std::string path = home_ + "/" + relative;
        std::filesystem::create_directories(path);
        return path;
    }

    std::string home_;

  private:
    std::string oldHome_;
    bool hadHome_ = false;
};

}  // namespace skinctrls::testing
