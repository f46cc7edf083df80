#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/stream.h"
#include "support/bmp_builder.h"

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

std::string Dir() {
    auto dir = std::filesystem::temp_directory_path() / "tembrin_cli_tests";
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

CliRun Cli(const std::string& arguments) {
    std::string out = Dir() + "/out.txt", err = Dir() + "/err.txt";
    std::string command = std::string(TEMBRIN_BINARY_DIR) + "/src/cli/tembrin-ico-cli " +
                          arguments + " > " + out + " 2> " + err;
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
            s.pixels.insert(s.pixels.end(), {uint8_t(red ? 0 : 255), uint8_t(red ? 0 : 255), 255});
        }
    std::string path = Dir() + "/sample.bmp";
    core::TMemoryStream(testing_support::MakeBmp(s)).SaveToFile(path);
    return path;
}

}  // namespace

TEST(Cli, HelpExplainsBothCommands) {
    CliRun run = Cli("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("export --size 64|32|16 INPUT OUTPUT"), std::string::npos);
    EXPECT_NE(run.out.find("render INPUT OUTPUT.bmp [--size WxH]"), std::string::npos);
}

TEST(Cli, ExportWritesA766ByteIconWithTheFileNameRule) {
    std::string output = Dir() + "/exported";
    std::filesystem::remove(output + ".ico");
    CliRun run = Cli("export --size 16 " + SampleBmp() + " " + output);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, output + ".ico\n");
    EXPECT_EQ(std::filesystem::file_size(output + ".ico"), 766u);
}

TEST(Cli, RenderDrawsIntoAWhiteBitmapOfTheRequestedSize) {
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

TEST(Cli, ErrorsPrintTheProgramsMessageAndFail) {
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
