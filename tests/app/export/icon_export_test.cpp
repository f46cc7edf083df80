#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/export/icon_export.h"
#include "core/exceptions.h"
#include "graphics/canvas.h"
#include "support/gdi_leak_check.h"
#include "support/required_tools.h"
#include "support/test_folder.h"

using namespace graphics;

namespace {

class IconExportTest : public testing_support::NoGdiLeaks {
  protected:
    std::string Path(const std::string& name) { return folder_ / name; }

  private:
    testing_support::TestFolder folder_;
};

std::vector<uint8_t> ReadAll(const std::string& path) {
    core::TMemoryStream stream;
    stream.LoadFromFile(path);
    return stream.Bytes();
}

int ColorIndex(const std::vector<uint8_t>& file, int x, int y) {
    uint8_t byte = file[126 + (31 - y) * 16 + x / 2];
    return (x % 2) ? (byte & 15) : (byte >> 4);
}

uint32_t PixelColor(const std::vector<uint8_t>& file, int x, int y) {
    const uint8_t* e = &file[62 + ColorIndex(file, x, y) * 4];
    return uint32_t(e[2]) | uint32_t(e[1]) << 8 | uint32_t(e[0]) << 16;
}

bool Transparent(const std::vector<uint8_t>& file, int x, int y) {
    return (file[126 + 512 + (31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1;
}

// A picture on white with a red square in its middle.
std::unique_ptr<TBitmap> RedSquareOnWhite(int size) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetWidth(size);
    bitmap->SetHeight(size);
    bitmap->Canvas().Brush().SetColor(clRed);
    bitmap->Canvas().FillRect(Rect(size / 4, size / 4, size * 3 / 4, size * 3 / 4));
    return bitmap;
}

}  // namespace

TEST(IconFileName, AppendsIcoUnlessTheNameEndsInLowerCaseIco) {
    EXPECT_EQ(app::IconFileName("a.ico"), "a.ico");
    EXPECT_EQ(app::IconFileName("a.ICO"), "a.ICO.ico");
    EXPECT_EQ(app::IconFileName("a.Ico"), "a.Ico.ico");
    EXPECT_EQ(app::IconFileName("photo.bmp"), "photo.bmp.ico");
    EXPECT_EQ(app::IconFileName("icon"), "icon.ico");
    EXPECT_EQ(app::IconFileName("ico"), "ico.ico");
    EXPECT_EQ(app::IconFileName(".ico"), ".ico");
    EXPECT_EQ(app::IconFileName("图标.ico"), "图标.ico");
}

TEST_F(IconExportTest, WithoutAPictureTheIconIsFullyTransparentAndBlack) {
    std::string written = app::ExportIcon(nullptr, 64, 64, Path("empty"));
    EXPECT_EQ(written, Path("empty.ico"));
    std::vector<uint8_t> file = ReadAll(written);
    ASSERT_EQ(file.size(), 766u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            ASSERT_TRUE(Transparent(file, x, y));
            ASSERT_EQ(PixelColor(file, x, y), 0u);
        }
}

TEST_F(IconExportTest, AWhiteCornerMakesTheWhiteBackgroundTransparent) {
    for (int size : {64, 32, 16}) {
        auto picture = RedSquareOnWhite(64);
        std::string written = app::ExportIcon(picture.get(), size, size, Path("square.ico"));
        std::vector<uint8_t> file = ReadAll(written);
        ASSERT_EQ(file.size(), 766u) << size;
        EXPECT_TRUE(Transparent(file, 0, 0)) << size;
        EXPECT_EQ(PixelColor(file, 0, 0), 0u) << size;
        EXPECT_FALSE(Transparent(file, 16, 16)) << size;
        EXPECT_EQ(PixelColor(file, 16, 16), 0x0000FFu) << size;
        EXPECT_TRUE(Transparent(file, 31, 31)) << size;
    }
}

TEST_F(IconExportTest, TheThreeSizesDifferOnlyInSharpness) {
    // A one-pixel checker survives 32 x 32 unchanged, is resampled from 64 and doubled from 16.
    TBitmap checker;
    checker.SetWidth(32);
    checker.SetHeight(32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if ((x + y) % 2) checker.Canvas().WritePixel(x, y, clBlue);
    checker.Canvas().WritePixel(0, 31, clRed);  // a unique corner keeps everything opaque
    std::vector<uint8_t> exact = ReadAll(app::ExportIcon(&checker, 32, 32, Path("c32.ico")));
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(PixelColor(exact, x, y), (x + y) % 2 ? 0xFF0000u : 0xFFFFFFu)
                << x << "," << y;
    std::vector<uint8_t> doubled = ReadAll(app::ExportIcon(&checker, 16, 16, Path("c16.ico")));
    for (int y = 0; y < 32; y += 2)
        for (int x = 0; x < 32; x += 2) {
            ASSERT_EQ(PixelColor(doubled, x, y), PixelColor(doubled, x + 1, y));
            ASSERT_EQ(PixelColor(doubled, x, y), PixelColor(doubled, x, y + 1));
        }
    EXPECT_EQ(ReadAll(Path("c16.ico")).size(), 766u);
    EXPECT_EQ(ReadAll(app::ExportIcon(&checker, 64, 64, Path("c64.ico"))).size(), 766u);
}

TEST_F(IconExportTest, AnOpenedIconDrawsAtItsOwnSizeBeforeTheSecondScaling) {
    // A 32 x 32 all-red, opaque icon.
    auto red = RedSquareOnWhite(32);
    red->Canvas().Brush().SetColor(clRed);
    red->Canvas().FillRect(Rect(0, 0, 32, 32));
    red->Canvas().WritePixel(0, 31, clLime);  // the icon's own transparent colour
    red->Canvas().WritePixel(0, 15, clLime);  // the corner of its top-left quarter
    std::unique_ptr<TIcon> icon = app::BitmapToIcon(*red);

    std::vector<uint8_t> from64 = ReadAll(app::ExportIcon(icon.get(), 64, 64, Path("i64.ico")));
    EXPECT_FALSE(Transparent(from64, 5, 5));
    EXPECT_EQ(PixelColor(from64, 5, 5), 0x0000FFu);  // top-left quarter: the icon at half size
    EXPECT_TRUE(Transparent(from64, 20, 20));        // the rest: white background
    std::vector<uint8_t> from16 = ReadAll(app::ExportIcon(icon.get(), 16, 16, Path("i16.ico")));
    EXPECT_EQ(PixelColor(from16, 31, 0), 0x0000FFu);  // only its top-left 16 x 16, doubled
    EXPECT_FALSE(Transparent(from16, 31, 31));
}

TEST_F(IconExportTest, AFailedExportKeepsTheExistingFile) {
    std::string target = Path("existing.ico");
    app::ExportIcon(nullptr, 32, 32, target);
    std::vector<uint8_t> before = ReadAll(target);
    auto picture = RedSquareOnWhite(8);
    // A folder where the file should go cannot be replaced.
    std::filesystem::create_directories(Path("folder.ico"));
    try {
        app::ExportIcon(picture.get(), 32, 32, Path("folder.ico"));
        FAIL();
    } catch (const core::EFCreateError& e) {
        EXPECT_NE(e.Message().find(Path("folder.ico")), std::string::npos);
    }
    try {
        app::ExportIcon(picture.get(), 32, 32, Path("missing/x.ico"));
        FAIL();
    } catch (const core::EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + Path("missing/x.ico") +
                                   "\". No such file or directory");
    }
    EXPECT_EQ(ReadAll(target), before);
    // Exporting again to the same name overwrites it without asking.
    app::ExportIcon(picture.get(), 32, 32, target);
    EXPECT_NE(ReadAll(target), before);
}

TEST_F(IconExportTest, AnIndependentReaderDecodesTheExpectedPixels) {
    TEMBRIN_REQUIRE(testing_support::HavePythonModule("PIL"), "Pillow (python3-pil)");
    auto picture = RedSquareOnWhite(64);
    std::string written = app::ExportIcon(picture.get(), 64, 64, Path("pil.ico"));
    std::string script = Path("pil_read.py");
    std::ofstream(script)
        << "import sys\nfrom PIL import Image\n"
           "im = Image.open(sys.argv[1]).convert('RGBA')\n"
           "print(im.size[0], im.size[1], im.getpixel((0,0)), im.getpixel((16,16)))\n";
    std::string command = "/usr/bin/python3 " + script + " " + written + " > " + Path("pil.out");
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(Path("pil.out"));
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "32 32 (0, 0, 0, 0) (255, 0, 0, 255)\n");
}
