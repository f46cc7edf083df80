#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/stream.h"
#include "support/bmp_builder.h"
#include "support/required_tools.h"
#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<uint8_t> Bytes(const std::string& path) {
    core::TMemoryStream stream;
    stream.LoadFromFile(path);
    return stream.Bytes();
}

fs::perms Mode(const std::string& path) {
    return fs::status(path).permissions();
}

// Each test works in a folder of its own, so tests run side by side never share a file.
class CliTest : public ::testing::Test {
  protected:
    std::string Dir() const { return folder_.Path().string(); }

    CliRun Cli(const std::string& arguments) { return Run("", arguments); }
    // `prefix` runs the tool through another program (setpriv, to drop root's rights).
    CliRun Run(const std::string& prefix, const std::string& arguments) {
        std::string out = Dir() + "/out.txt", err = Dir() + "/err.txt";
        std::string command = prefix + std::string(TEMBRIN_BINARY_DIR) +
                              "/src/cli/tembrin-ico-cli " + arguments + " > " + out + " 2> " + err;
        int status = std::system(command.c_str());
        return {WEXITSTATUS(status), Slurp(out), Slurp(err)};
    }

    std::string SampleBmp() {
        testing_support::BmpSpec s;
        s.width = 8;
        s.height = 4;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x) {
                bool red = x >= 2 && x < 6 && y >= 1 && y < 3;
                s.pixels.insert(s.pixels.end(),
                                {uint8_t(red ? 0 : 255), uint8_t(red ? 0 : 255), 255});
            }
        std::string path = Dir() + "/sample.bmp";
        core::TMemoryStream(testing_support::MakeBmp(s)).SaveToFile(path);
        return path;
    }

    // An old file that an export should replace: not an icon, so a change shows.
    static void WriteOld(const std::string& path, fs::perms mode) {
        std::ofstream(path) << "old contents";
        fs::permissions(path, mode);
    }

    testing_support::TestFolder folder_;
};

}  // namespace

TEST_F(CliTest, HelpExplainsBothCommands) {
    CliRun run = Cli("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("export --size 64|32|16 INPUT OUTPUT"), std::string::npos);
    EXPECT_NE(run.out.find("render INPUT OUTPUT.bmp [--size WxH]"), std::string::npos);
}

TEST_F(CliTest, ExportWritesA766ByteIconWithTheFileNameRule) {
    std::string output = Dir() + "/exported";
    std::filesystem::remove(output + ".ico");
    CliRun run = Cli("export --size 16 " + SampleBmp() + " " + output);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, output + ".ico\n");
    EXPECT_EQ(std::filesystem::file_size(output + ".ico"), 766u);
}

TEST_F(CliTest, RenderDrawsIntoAWhiteBitmapOfTheRequestedSize) {
    std::string output = Dir() + "/rendered.bmp";
    ASSERT_EQ(Cli("render " + SampleBmp() + " " + output + " --size 16x8").status, 0);
    core::TMemoryStream file;
    file.LoadFromFile(output);
    const auto& b = file.Bytes();
    ASSERT_GE(b.size(), 54u);
    auto i32 = [&](size_t at) {
        return int32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
    };
    EXPECT_EQ(i32(18), 16);
    EXPECT_EQ(i32(22), 8);
    EXPECT_EQ(b[28], 24);
    // Own size without --size.
    ASSERT_EQ(Cli("render " + SampleBmp() + " " + output).status, 0);
    file.LoadFromFile(output);
    EXPECT_EQ(file.Bytes()[18], 8);
}

TEST_F(CliTest, ErrorsPrintTheProgramsMessageAndFail) {
    std::string png = Dir() + "/picture.PNG";
    std::filesystem::copy_file(SampleBmp(), png, std::filesystem::copy_options::overwrite_existing);
    CliRun unknown = Cli("export --size 32 " + png + " " + Dir() + "/x.ico");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "Unknown picture file extension (.PNG)\n");
    CliRun missing = Cli("export --size 32 " + Dir() + "/none.bmp " + Dir() + "/x.ico");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Cannot open file"), std::string::npos);
    EXPECT_EQ(Cli("export --size 48 a.bmp b.ico").status, 2);
    EXPECT_EQ(Cli("frobnicate").status, 2);
    EXPECT_EQ(Cli("render only-one-file").status, 2);
}

// ---- replacing the file an export names ----

TEST_F(CliTest, ExportKeepsTheReplacedFilesPermissions) {
    const std::string target = Dir() + "/shared.ico";
    WriteOld(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    ASSERT_EQ(Cli("export --size 32 " + SampleBmp() + " " + target).status, 0);
    EXPECT_EQ(Bytes(target).size(), 766u);
    EXPECT_EQ(Mode(target),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    // A new file gets the permissions the process's umask leaves.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ASSERT_EQ(Cli("export --size 32 " + SampleBmp() + " " + Dir() + "/new.ico").status, 0);
    EXPECT_EQ(Mode(Dir() + "/new.ico"), fs::perms(0666 & ~mask));
}

TEST_F(CliTest, ExportWritesThroughSymbolicLinks) {
    fs::create_directories(Dir() + "/real");
    const std::string target = Dir() + "/real/target.ico";
    WriteOld(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real/target.ico", Dir() + "/link.ico");  // relative to the link's folder
    fs::create_symlink(Dir() + "/link.ico", Dir() + "/chain.ico");
    fs::create_symlink("real/made.ico", Dir() + "/dangling.ico");

    ASSERT_EQ(Cli("export --size 32 " + SampleBmp() + " " + Dir() + "/link.ico").status, 0);
    EXPECT_TRUE(fs::is_symlink(Dir() + "/link.ico"));
    EXPECT_EQ(fs::read_symlink(Dir() + "/link.ico"), "real/target.ico");
    const std::vector<uint8_t> exported = Bytes(target);
    EXPECT_EQ(exported.size(), 766u);
    EXPECT_EQ(Mode(target), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::remove(target);
    WriteOld(target, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(Cli("export --size 32 " + SampleBmp() + " " + Dir() + "/chain.ico").status, 0);
    EXPECT_TRUE(fs::is_symlink(Dir() + "/chain.ico"));
    EXPECT_EQ(Bytes(target), exported);

    // A link to a file not made yet: the file is made where the link points.
    ASSERT_EQ(Cli("export --size 32 " + SampleBmp() + " " + Dir() + "/dangling.ico").status, 0);
    EXPECT_TRUE(fs::is_symlink(Dir() + "/dangling.ico"));
    EXPECT_EQ(Bytes(Dir() + "/real/made.ico"), exported);
    // Nothing else was left in either folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir() + "/real"), fs::directory_iterator()), 2);
}

TEST_F(CliTest, ExportOverwritesAWritableFileInAFolderThatAllowsNoNewFiles) {
    // root may create files anywhere; the tool then runs as the unprivileged user "nobody".
    const bool root = ::geteuid() == 0;
    if (root) {
        TEMBRIN_REQUIRE(testing_support::HaveProgram("setpriv"), "setpriv");
    }
    const std::string asUser = root ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const uid_t user = root ? 65534 : ::geteuid();

    const std::string input = SampleBmp();
    const std::string locked = Dir() + "/locked";
    fs::create_directories(locked);
    const std::string target = locked + "/icon.ico";
    WriteOld(target, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(::chown(target.c_str(), user, static_cast<gid_t>(-1)), 0);
    // Owned by the test's own user (root: not by "nobody"), open to all but writable by none.
    fs::permissions(locked, fs::perms(0555));

    CliRun run = Run(asUser, "export --size 32 " + input + " " + target);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Bytes(target).size(), 766u);
    EXPECT_EQ(Mode(target), fs::perms::owner_read | fs::perms::owner_write);
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, user);
    // A new file cannot be made there: a clear error and nothing left behind.
    CliRun refused = Run(asUser, "export --size 32 " + input + " " + locked + "/other.ico");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Cannot create file \"" + locked + "/other.ico\". Permission denied\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1);
}
