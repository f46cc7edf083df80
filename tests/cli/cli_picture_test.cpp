// Pictures through the command-line tool, run as a process: how a 1-bit picture shrinks, BMP
// files the raster cannot decode, very wide or tall BMP files, and JPEG exports.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "cli/cli_process.h"
#include "core/stream.h"
#include "support/bmp_builder.h"

namespace {

namespace fs = std::filesystem;
using cli_testing::Words;
using testing_support::BmpSpec;
using testing_support::MakeBmp;

struct CliRun {
    int status;
    std::string err;
};

// Each test works in a folder of its own, so test processes running side by side never share
// a file.
class CliPictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / "tembrin_cli_picture_tests" /
               (std::string(test->name()) + "." + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        core::TMemoryStream(bytes).SaveToFile(Path(name));
        return Path(name);
    }

    CliRun Cli(const std::string& arguments) {
        std::string err = Path("err.txt");
        std::string command = std::string(TEMBRIN_BINARY_DIR) + "/src/cli/tembrin-ico-cli " +
                              arguments + " > /dev/null 2> " + err;
        int status = std::system(command.c_str());
        std::ifstream in(err);
        std::stringstream text;
        text << in.rdbuf();
        return {WEXITSTATUS(status), text.str()};
    }

    fs::path dir_;
};

std::vector<uint8_t> Bytes(const std::string& path) {
    core::TMemoryStream stream;
    stream.LoadFromFile(path);
    return stream.Bytes();
}

// 0xRRGGBB of pixel (x, y) of a 24-bit bottom-up BMP file, as `render` writes it.
uint32_t RenderedPixel(const std::vector<uint8_t>& file, int x, int y) {
    auto u32 = [&](size_t at) {
        return uint32_t(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24);
    };
    uint32_t offset = u32(10);
    int width = int(u32(18)), height = int(u32(22));
    size_t stride = (size_t(width) * 24 + 31) / 32 * 4;
    size_t at = offset + size_t(height - 1 - y) * stride + size_t(x) * 3;
    return uint32_t(file.at(at + 2)) << 16 | uint32_t(file.at(at + 1)) << 8 | file.at(at);
}

// A 1-bit bottom-up picture; `ink(x, y)` picks table entry 1.
BmpSpec OneBit(int width, int height, std::vector<uint32_t> table,
               const std::function<bool(int, int)>& ink) {
    BmpSpec s;
    s.width = width;
    s.height = height;
    s.bits = 1;
    s.palette = std::move(table);
    size_t stride = (size_t(width) + 31) / 32 * 4;
    for (int row = 0; row < height; ++row) {
        std::vector<uint8_t> line(stride, 0);
        for (int x = 0; x < width; ++x)
            if (ink(x, height - 1 - row)) line[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        s.pixels.insert(s.pixels.end(), line.begin(), line.end());
    }
    return s;
}

// The same picture at 24 bits.
BmpSpec TrueColour(int width, int height, const std::function<uint32_t(int, int)>& rgb) {
    BmpSpec s;
    s.width = width;
    s.height = height;
    s.bits = 24;
    size_t stride = (size_t(width) * 24 + 31) / 32 * 4;
    for (int row = 0; row < height; ++row) {
        std::vector<uint8_t> line(stride, 0);
        for (int x = 0; x < width; ++x) {
            uint32_t c = rgb(x, height - 1 - row);
            line[size_t(x) * 3] = uint8_t(c);
            line[size_t(x) * 3 + 1] = uint8_t(c >> 8);
            line[size_t(x) * 3 + 2] = uint8_t(c >> 16);
        }
        s.pixels.insert(s.pixels.end(), line.begin(), line.end());
    }
    return s;
}

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

}  // namespace

// A 1-bit picture is monochrome, so drawing it keeps the new canvas's BLACKONWHITE mode: a
// shrink ANDs the colours of each group, and black wins whichever table entry holds it. A
// 24-bit picture is drawn COLORONCOLOR and takes the last column of a group. 33 -> 32 groups
// source columns 15 and 16 (black and white) into destination column 15.
TEST_F(CliPictureTest, OneBitPicturesShrinkByAndingColoursWhateverTheirTableOrder) {
    auto oddColumnsBlack = [](int x, int) { return x % 2 == 1; };
    std::string blackFirst = Write(
        "black_first.bmp", MakeBmp(OneBit(33, 33, {kBlack, kWhite},
                                          [&](int x, int y) { return !oddColumnsBlack(x, y); })));
    std::string whiteFirst =
        Write("white_first.bmp", MakeBmp(OneBit(33, 33, {kWhite, kBlack}, oddColumnsBlack)));
    std::string deep = Write("deep.bmp", MakeBmp(TrueColour(33, 33, [&](int x, int y) {
                                 return oddColumnsBlack(x, y) ? kBlack : kWhite;
                             })));

    for (const std::string& picture : {blackFirst, whiteFirst}) {
        ASSERT_EQ(Cli("render " + picture + " " + Path("out.bmp") + " --size 32x32").status, 0);
        std::vector<uint8_t> out = Bytes(Path("out.bmp"));
        for (int y : {0, 31}) {
            EXPECT_EQ(RenderedPixel(out, 14, y), kWhite) << picture;  // source column 14
            EXPECT_EQ(RenderedPixel(out, 15, y), kBlack) << picture;  // columns 15 and 16
            EXPECT_EQ(RenderedPixel(out, 16, y), kBlack) << picture;  // source column 17
        }
    }
    ASSERT_EQ(Cli("render " + deep + " " + Path("deep_out.bmp") + " --size 32x32").status, 0);
    EXPECT_EQ(RenderedPixel(Bytes(Path("deep_out.bmp")), 15, 0), kWhite);

    // The export goes the same way: both tables give the same icon, at 32 and at 16.
    for (const char* size : {"32", "16"}) {
        ASSERT_EQ(Cli(std::string("export --size ") + size + " " + blackFirst + " " +
                      Path("black_first.ico"))
                      .status,
                  0);
        ASSERT_EQ(Cli(std::string("export --size ") + size + " " + whiteFirst + " " +
                      Path("white_first.ico"))
                      .status,
                  0);
        EXPECT_EQ(Bytes(Path("black_first.ico")), Bytes(Path("white_first.ico"))) << size;
    }
}

// Compressed files whose pixels the raster cannot decode fail with the reader's message and
// write nothing; they used to load as a black picture.
TEST_F(CliPictureTest, UndecodableCompressedBitmapsAreRefused) {
    // Two rows of RLE8 for a 4 x 2 picture: 1 1 2 2 and 5 6 7 4.
    const std::vector<uint8_t> rle8 = {0x02, 0x01, 0x02, 0x02, 0x00, 0x00, 0x00, 0x03,
                                       0x05, 0x06, 0x07, 0x00, 0x01, 0x04, 0x00, 0x01};
    auto compressed = [&](uint32_t compression, uint16_t bits, int32_t height) {
        BmpSpec s;
        s.width = 4;
        s.height = height;
        s.bits = bits;
        s.compression = compression;
        s.imageSize = uint32_t(rle8.size());
        for (int i = 0; i < (bits <= 8 ? 1 << bits : 0); ++i)
            s.palette.push_back(uint32_t(i) * 0x10203);
        s.pixels = rle8;
        return MakeBmp(s);
    };
    const std::pair<const char*, std::vector<uint8_t>> refused[] = {
        {"jpeg.bmp", compressed(4, 24, 2)},
        {"png.bmp", compressed(5, 24, 2)},
        {"rle8_at_4.bmp", compressed(1, 4, 2)},
        {"rle4_at_8.bmp", compressed(2, 8, 2)},
        {"rle8_top_down.bmp", compressed(1, 8, -2)},
        {"rle8_no_data.bmp", [&] {
             auto file = compressed(1, 8, 2);
             file.resize(file.size() - rle8.size());
             return file;
         }()}};
    for (const auto& [name, bytes] : refused) {
        for (const std::string command : {"render", "export --size 32"}) {
            std::string output = Path(std::string(name) + ".out");
            CliRun run = Cli(Words({command, Write(name, bytes), output}));
            EXPECT_EQ(run.status, 1) << name << " " << command;
            EXPECT_EQ(run.err, "Bitmap image is not valid\n") << name << " " << command;
            EXPECT_FALSE(fs::exists(output) || fs::exists(output + ".ico")) << name;
        }
    }
    // The same data as RLE8 at 8 bits, bottom-up, decodes.
    ASSERT_EQ(
        Cli("render " + Write("rle8.bmp", compressed(1, 8, 2)) + " " + Path("rle8_out.bmp")).status,
        0);
    EXPECT_EQ(RenderedPixel(Bytes(Path("rle8_out.bmp")), 0, 0), 5u * 0x10203);
    EXPECT_EQ(RenderedPixel(Bytes(Path("rle8_out.bmp")), 3, 1), 2u * 0x10203);
}

// Sides far beyond 32767 pixels are fine as long as the pixels fit the reader's 256 MiB.
TEST_F(CliPictureTest, WideAndTallBitmapsLoadWithinTheMemoryLimit) {
    const uint32_t red = 0xFF0000, blue = 0x0000FF;
    std::string wide =
        Write("wide.bmp",
              MakeBmp(OneBit(40000, 100, {red, blue}, [](int x, int) { return x >= 20000; })));
    ASSERT_EQ(Cli("render " + wide + " " + Path("wide_out.bmp") + " --size 40x10").err, "");
    std::vector<uint8_t> out = Bytes(Path("wide_out.bmp"));
    EXPECT_EQ(RenderedPixel(out, 0, 0), red);
    EXPECT_EQ(RenderedPixel(out, 19, 9), red);
    EXPECT_EQ(RenderedPixel(out, 20, 0), blue);
    EXPECT_EQ(RenderedPixel(out, 39, 9), blue);

    std::string tall =
        Write("tall.bmp",
              MakeBmp(OneBit(100, 40000, {red, blue}, [](int, int y) { return y >= 30000; })));
    ASSERT_EQ(Cli("render " + tall + " " + Path("tall_out.bmp") + " --size 10x40").err, "");
    out = Bytes(Path("tall_out.bmp"));
    EXPECT_EQ(RenderedPixel(out, 0, 29), red);
    EXPECT_EQ(RenderedPixel(out, 9, 30), blue);
    EXPECT_EQ(Cli("export --size 16 " + tall + " " + Path("tall.ico")).status, 0);

    // Beyond the memory limit (20000 x 20000 at 32 bits is 1.5 GiB), or wider than the raster
    // makes a bitmap, a file is still refused before anything is allocated.
    BmpSpec huge;
    huge.width = 20000;
    huge.height = 20000;
    huge.bits = 32;
    BmpSpec tooWide;
    tooWide.width = (1 << 24) + 1;
    tooWide.height = 1;
    tooWide.bits = 1;
    tooWide.palette = {red, blue};
    for (const BmpSpec& spec : {huge, tooWide}) {
        CliRun run = Cli("render " + Write("huge.bmp", MakeBmp(spec)) + " " + Path("huge_out.bmp"));
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Bitmap image is not valid\n");
    }
}

// A JPEG file's export decodes only the rows its 64, 32 or 16 rows take; the icon is byte for
// byte the one made from the whole decoded picture (rendered to a BMP file at full size
// first), for every JPEG encoding in the test data.
TEST_F(CliPictureTest, AJpegExportsTheIconOfItsWholeDecodedPicture) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(std::string(TEMBRIN_TEST_DATA) + "/jpeg")) {
        if (entry.path().extension() != ".jpg") continue;
        ++files;
        const std::string jpeg = entry.path().string(), name = entry.path().stem().string();
        const std::string whole = Path(name + ".bmp");
        ASSERT_EQ(Cli(Words({"render", jpeg, whole})).err, "") << name;
        for (const char* size : {"64", "32", "16"}) {
            const std::string fromJpeg = Path(name + "_jpeg.ico"), fromBmp = Path(name + ".ico");
            ASSERT_EQ(Cli(Words({"export --size", size, jpeg, fromJpeg})).err, "");
            ASSERT_EQ(Cli(Words({"export --size", size, whole, fromBmp})).err, "");
            EXPECT_EQ(Bytes(fromJpeg), Bytes(fromBmp)) << name << " at " << size;
        }
    }
    EXPECT_GE(files, 12);
}
