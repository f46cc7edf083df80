#pragma once
// A temporary home folder holding a small tree, set as HOME for the test's duration so the
// shell's desktop and home never reach the real user's files.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace platform::testing {

class TempHome : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tembrin-shell-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root_ = pattern;
        const char* old = std::getenv("HOME");
        if (old != nullptr) oldHome_ = old;
        hadHome_ = old != nullptr;
        ::setenv("HOME", root_.c_str(), 1);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        for (auto& entry : std::filesystem::recursive_directory_iterator(
                 root_, std::filesystem::directory_options::skip_permission_denied, ignored)) {
            if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
            }
        }
        std::filesystem::remove_all(root_, ignored);
        if (hadHome_) {
            ::setenv("HOME", oldHome_.c_str(), 1);
        } else {
            ::unsetenv("HOME");
        }
    }

    std::string Make(const std::string& relative, const std::string& content = "x") {
        const std::string path = root_ + "/" + relative;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string MakeDir(const std::string& relative) {
        const std::string path = root_ + "/" + relative;
        std::filesystem::create_directories(path);
        return path;
    }

    std::string root_;

  private:
    std::string oldHome_;
    bool hadHome_ = false;
};

}  // namespace platform::testing
