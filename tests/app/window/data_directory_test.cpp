// Finding the run-time data from the executable's folder, installed and in a build folder.
#include "app/window/data_directory.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace app {
namespace {

class DataDirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("tembrin_data_dir_" + std::to_string(::getpid()));
        std::filesystem::remove_all(root_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    std::filesystem::path Make(const std::string& relative) {
        std::filesystem::create_directories(root_ / relative);
        return root_ / relative;
    }
    std::filesystem::path root_;
};

TEST_F(DataDirectoryTest, AnInstalledProgramFindsItsDataInThePrefix) {
    const auto bin = Make("usr/bin");
    const auto data = Make("usr/share/tembrin-ico");
    Make("share/tembrin-ico");  // a farther one does not win
    EXPECT_EQ(DataDirectory(bin), data);
}

TEST_F(DataDirectoryTest, AProgramInABuildFolderFindsTheBuildsCopyAFewLevelsUp) {
    const auto data = Make("build/share/tembrin-ico");
    EXPECT_EQ(DataDirectory(Make("build/src/app")), data);
    EXPECT_EQ(DataDirectory(Make("build/tests")), data);
    // Not beyond three levels above the program's folder.
    const auto deep = Make("build/a/b/c/d");
    EXPECT_EQ(DataDirectory(deep), root_ / "build/a/b/c/share/tembrin-ico");
}

TEST_F(DataDirectoryTest, WithoutAnyTheInstalledPlaceIsNamed) {
    EXPECT_EQ(DataDirectory(Make("opt/tool/bin")), root_ / "opt/tool/share/tembrin-ico");
    EXPECT_EQ(DataDirectory(""), std::filesystem::path("share/tembrin-ico"));
}

TEST_F(DataDirectoryTest, TheRunningProgramsFolderIsKnown) {
    const auto self = ExecutableDirectory();
    ASSERT_FALSE(self.empty());
    EXPECT_TRUE(std::filesystem::exists(self / "app_tests"));
}

}  // namespace
}  // namespace app
