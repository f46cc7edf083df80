#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/exceptions.h"
#include "core/file_replace.h"
#include "core/stream.h"
#include "support/test_folder.h"

using namespace core;

TEST(FileReplace, WritesNewAndReplacesOldCompletely) {
    testing_support::TestFolder folder;
    auto path = (folder.Path() / "replace.ico").string();
    std::filesystem::remove(path);
    WriteFileReplacing(path, {1, 2, 3});
    WriteFileReplacing(path, {4, 5});
    TMemoryStream read;
    read.LoadFromFile(path);
    EXPECT_EQ(read.Bytes(), (std::vector<uint8_t>{4, 5}));
    // No temporary files are left beside it.
    int siblings = 0;
    for (auto& entry : std::filesystem::directory_iterator(folder.Path()))
        if (entry.path().filename().string().rfind("replace.ico", 0) == 0) ++siblings;
    EXPECT_EQ(siblings, 1);
}

TEST(FileReplace, FailureNamesTheTargetAndKeepsTheOldFile) {
    testing_support::TestFolder folder;
    auto dir = folder.Path() / "readonly";
    std::filesystem::create_directories(dir);
    auto path = (dir / "old.ico").string();
    WriteFileReplacing(path, {7, 7, 7});
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    if (::geteuid() == 0) {
        // root may write anything; the missing-folder case below still checks the message
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    } else {
        EXPECT_THROW(WriteFileReplacing(path, {1}), EFCreateError);
        TMemoryStream read;
        read.LoadFromFile(path);
        EXPECT_EQ(read.Bytes(), (std::vector<uint8_t>{7, 7, 7}));
    }
    auto missing = (folder.Path() / "no-folder" / "x.ico").string();
    try {
        WriteFileReplacing(missing, {1});
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + missing + "\". No such file or directory");
    }
    EXPECT_THROW(WriteFileReplacing(folder.Path().string(), {1}), EFCreateError);
}
