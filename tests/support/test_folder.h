#pragma once
// A fresh temporary folder for the running test, removed with everything in it afterwards.
// Its name holds the test's name and the process id, so tests that run side by side (ctest
// -j, or other checkouts on the same machine) never share a file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace testing_support {

class TestFolder {
  public:
    TestFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name =
            test ? std::string(test->test_suite_name()) + "." + test->name() : "none";
        path_ = std::filesystem::temp_directory_path() /
                ("tembrin_" + name + "." + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    ~TestFolder() {
        // A test may have made folders read-only; they must open again to be emptied.
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
            if (entry.is_directory(ignored) && !entry.is_symlink(ignored))
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& Path() const { return path_; }
    // A path inside the folder.
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

}  // namespace testing_support
