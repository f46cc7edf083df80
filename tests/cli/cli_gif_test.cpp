// The command-line tool on GIFs. Its single draw of an animated file must show the first frame,
// on every run, although the animation's painter plays on in a thread that no message loop
// serves; a file without any colour table is refused, not drawn black.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/gif/gif_builder.h"
#include "core/stream.h"

namespace {

namespace fs = std::filesystem;

const fs::path kAnimated = fs::path(TEMBRIN_TEST_DATA) / "gif" / "animated";

fs::path WorkDir() {
    fs::path dir = fs::temp_directory_path() / "tembrin_cli_gif_tests";
    fs::create_directories(dir);
    return dir;
}

// Exit status of the tool run with `arguments`; its error output goes to `errors`.
int RunCli(const std::string& arguments, const fs::path& errors) {
    const std::string command = std::string(TEMBRIN_BINARY_DIR) + "/src/cli/tembrin-ico-cli " +
                                arguments + " > /dev/null 2> " + errors.string();
    return WEXITSTATUS(std::system(command.c_str()));
}

std::vector<uint8_t> Bytes(const fs::path& path) {
    core::TMemoryStream file;
    file.LoadFromFile(path.string());
    return file.Bytes();
}

std::string Slurp(const fs::path& path) {
    const std::vector<uint8_t> bytes = Bytes(path);
    return std::string(bytes.begin(), bytes.end());
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | uint32_t(b.at(at + 3)) << 24;
}

// Pixels of a 24-bit bottom-up BMP file as 0xRRGGBB, top row first.
struct Rgb {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

Rgb ReadBmp24(const fs::path& path) {
    const std::vector<uint8_t> b = Bytes(path);
    Rgb image;
    image.width = static_cast<int>(U32(b, 18));
    image.height = static_cast<int>(U32(b, 22));
    EXPECT_EQ(b.at(28), 24) << path;
    const size_t offset = U32(b, 10);
    const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < image.height; ++y) {
        const size_t row = offset + static_cast<size_t>(image.height - 1 - y) * stride;
        for (int x = 0; x < image.width; ++x) {
            const size_t at = row + static_cast<size_t>(x) * 3;
            image.pixels.push_back(uint32_t(b.at(at + 2)) << 16 | b.at(at + 1) << 8 | b.at(at));
        }
    }
    return image;
}

std::vector<fs::path> AnimatedGifs() {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(kAnimated))
        if (entry.path().extension() == ".gif") found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

int DifferingPixels(const Rgb& a, const Rgb& b) {
    if (a.pixels.size() != b.pixels.size()) return -1;
    int differing = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) differing += a.pixels[i] != b.pixels[i];
    return differing;
}

// Opaque pixels (mask bit 0) of the first image of an icon file with one image.
int OpaqueIconPixels(const fs::path& path) {
    const std::vector<uint8_t> b = Bytes(path);
    const size_t image = U32(b, 6 + 12);
    const int width = static_cast<int>(U32(b, image + 4));
    const int height = static_cast<int>(U32(b, image + 8)) / 2;  // colour rows and mask rows
    const int bits = b.at(image + 14) | b.at(image + 15) << 8;
    const uint32_t used = U32(b, image + 32);
    const size_t colors = bits > 8 ? 0 : (used != 0 ? used : 1u << bits);
    const size_t colorStride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    const size_t mask = image + U32(b, image) + colors * 4 + colorStride * height;
    int opaque = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            opaque += !((b.at(mask + y * maskStride + x / 8) >> (7 - x % 8)) & 1);
    return opaque;
}

}  // namespace

// ImageMagick- and Pillow-made files, transparent and not, with every disposal method: each
// render is compared with Pillow's decode of frame 0, over several runs to catch timing.
TEST(CliAnimatedGif, RenderDrawsTheFirstFrameAsPillowDecodesItOnEveryRun) {
    const std::vector<fs::path> gifs = AnimatedGifs();
    ASSERT_EQ(gifs.size(), 16u);
    const fs::path output = WorkDir() / "render.bmp";
    const fs::path errors = WorkDir() / "render.err";
    for (const fs::path& gif : gifs) {
        fs::path reference = gif;
        reference.replace_extension(".first.bmp");
        const Rgb expected = ReadBmp24(reference);
        for (int run = 0; run < 3; ++run) {
            fs::remove(output);
            ASSERT_EQ(RunCli("render " + gif.string() + " " + output.string(), errors), 0) << gif;
            EXPECT_EQ(DifferingPixels(ReadBmp24(output), expected), 0)
                << gif.filename() << " run " << run;
        }
    }
}

TEST(CliAnimatedGif, ExportKeepsTheFirstFramesOpaquePixels) {
    const fs::path output = WorkDir() / "export.ico";
    const fs::path errors = WorkDir() / "export.err";
    for (const fs::path& gif : AnimatedGifs()) {
        fs::remove(output);
        ASSERT_EQ(RunCli("export --size 32 " + gif.string() + " " + output.string(), errors), 0)
            << gif;
        EXPECT_GT(OpaqueIconPixels(output), 0) << gif.filename();
    }
}

TEST(CliGif, AFileWithoutAnyColourTableIsRefusedByRenderAndExport) {
    const fs::path gif = WorkDir() / "no_table.gif";
    const auto bytes = gif_test::GifBuilder(2, 2, 1, /*globalTable=*/false)
                           .LiteralImage(0, 0, 2, 2, {1, 1, 1, 1})
                           .Trailer()
                           .bytes();
    core::TMemoryStream(bytes).SaveToFile(gif.string());
    const fs::path output = WorkDir() / "no_table.bmp";
    const fs::path errors = WorkDir() / "no_table.err";
    fs::remove(output);
    EXPECT_EQ(RunCli("render " + gif.string() + " " + output.string(), errors), 1);
    EXPECT_EQ(Slurp(errors), "No global or local color table defined\n");
    EXPECT_FALSE(fs::exists(output));
    EXPECT_EQ(
        RunCli("export --size 16 " + gif.string() + " " + (WorkDir() / "x.ico").string(), errors),
        1);
    EXPECT_EQ(Slurp(errors), "No global or local color table defined\n");
}
