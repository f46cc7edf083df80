// The window program's command line: what it asks for, and the program answering --version
// without a display.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/window/command_args.h"
#include "support/required_tools.h"
#include "tembrin_version.h"

namespace app {
namespace {

TEST(CommandArgs, APictureNameOpensTheFirstOfSeveralAndOptionsAnswerAtOnce) {
    EXPECT_EQ(ParseCommandArgs({}).action, CommandArgs::Action::Run);
    EXPECT_EQ(ParseCommandArgs({}).fileName, "");
    EXPECT_EQ(ParseCommandArgs({"a.bmp", "b.gif"}).fileName, "a.bmp");
    EXPECT_EQ(ParseCommandArgs({"", "b.gif"}).fileName, "b.gif");
    EXPECT_EQ(ParseCommandArgs({"-"}).fileName, "-");
    EXPECT_EQ(ParseCommandArgs({"--", "--version"}).fileName, "--version");
    EXPECT_EQ(ParseCommandArgs({"--", "--version"}).action, CommandArgs::Action::Run);
    EXPECT_EQ(ParseCommandArgs({"a.bmp", "--version"}).action, CommandArgs::Action::Version);
    EXPECT_EQ(ParseCommandArgs({"--help"}).action, CommandArgs::Action::Help);
    EXPECT_EQ(ParseCommandArgs({"-h"}).action, CommandArgs::Action::Help);
    EXPECT_THROW(ParseCommandArgs({"--bogus"}), std::invalid_argument);
    EXPECT_THROW(ParseCommandArgs({"a.bmp", "-x"}), std::invalid_argument);
}

struct ProgramRun {
    int status;
    std::string out;
    std::string err;
};

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The program as a process with no display to open: answers that need no window still come.
ProgramRun Program(const std::string& arguments) {
    const auto dir = std::filesystem::temp_directory_path() / "tembrin_command_args";
    std::filesystem::create_directories(dir);
    // Bounded: a program that went on to run its window would otherwise never end.
    const std::string command = "timeout -s KILL 20 env -u DISPLAY -u WAYLAND_DISPLAY '" +
                                std::string(TEMBRIN_BINARY_DIR) + "/src/app/tembrin-ico' " +
                                arguments + " >'" + (dir / "out").string() + "' 2>'" +
                                (dir / "err").string() + "'";
    const int status = std::system(command.c_str());
    return {WEXITSTATUS(status), Slurp(dir / "out"), Slurp(dir / "err")};
}

TEST(CommandArgs, TheProgramPrintsItsVersionAndUsageWithoutOpeningAWindow) {
    TEMBRIN_REQUIRE(
        testing_support::HaveFile(std::string(TEMBRIN_BINARY_DIR) + "/src/app/tembrin-ico"),
        "the built tembrin-ico");
    ProgramRun version = Program("--version");
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out, std::string("tembrin-ico ") + TEMBRIN_VERSION + "\n");
    EXPECT_EQ(std::string(TEMBRIN_VERSION), "1.0.0");

    ProgramRun help = Program("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: tembrin-ico [PICTURE]"), std::string::npos);

    ProgramRun bad = Program("--bogus");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err.rfind("tembrin-ico: unknown option: --bogus\n", 0), 0u) << bad.err;
}

}  // namespace
}  // namespace app
