#pragma once
// Running tembrin-ico-cli as a process, each test in a fresh temporary folder of its own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace cli_testing {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::string text = Slurp(path);
    return {text.begin(), text.end()};
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The words of a command line joined by spaces.
inline std::string Words(std::initializer_list<std::string_view> words) {
    std::string line;
    for (std::string_view word : words) {
        if (!line.empty()) line += ' ';
        line += word;
    }
    return line;
}

// Exit status of a shell command; -1 when it did not exit normally (a signal).
inline int Shell(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A helper script of these tests.
inline std::string Script(const std::string& name) {
    return std::string(TEMBRIN_SOURCE_DIR) + "/tests/cli/" + name;
}

class CliTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tembrin_cli_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    CliRun Cli(const std::string& arguments) const {
        std::string out = Path(".out"), err = Path(".err");
        int status = Shell(std::string(TEMBRIN_BINARY_DIR) + "/src/cli/tembrin-ico-cli " +
                           arguments + " > " + out + " 2> " + err);
        return {status, Slurp(out), Slurp(err)};
    }

    // A picture written by Pillow (see make_picture.py).
    std::string Picture(const std::string& kind) const {
        std::string path = Path(kind + ".png");
        EXPECT_EQ(Shell("/usr/bin/python3 " + Script("make_picture.py") + " " + kind + " " + path),
                  0);
        return path;
    }

  private:
    std::string folder_;
};

}  // namespace cli_testing

namespace cli_testing {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* At(int x, int y) const {
        return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
    }
};

// The picture as Pillow decodes it.
inline Pixels ReadPicture(const std::string& path) {
    std::string dump = path + ".dump";
    Pixels p;
    if (Shell("/usr/bin/python3 " + Script("dump_pixels.py") + " " + path + " > " + dump) != 0)
        return p;
    std::istringstream in(Slurp(dump));
    std::string hex;
    in >> p.width >> p.height >> hex;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        p.rgba.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
    std::filesystem::remove(dump);
    return p;
}

}  // namespace cli_testing
