#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "core/exceptions.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/icon.h"
#include "support/bmp_builder.h"
#include "support/gdi_leak_check.h"

using namespace graphics;
using testing_support::BmpSpec;
using testing_support::MakeBmp;

namespace {

class BmpReaderTest : public testing_support::NoGdiLeaks {};

void Load(TBitmap& bitmap, const std::vector<uint8_t>& bytes) {
    core::TMemoryStream stream(bytes);
    bitmap.LoadFromStream(stream);
}

std::string LoadError(const std::vector<uint8_t>& bytes) {
    TBitmap bitmap;
    try {
        Load(bitmap, bytes);
    } catch (const core::Exception& e) {
        return e.Message();
    }
    return "";
}

uint32_t Pixel(TBitmap& bitmap, int x, int y) {
    return bitmap.Canvas().ReadPixel(x, y);
}

// A 2 x 2 24-bit picture: top row red, blue; bottom row green, white (stored bottom-up).
BmpSpec TwoByTwo() {
    BmpSpec s;
    s.pixels = {0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0, 0,   // bottom: green, white
                0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0};  // top: red, blue
    return s;
}

}  // namespace

TEST_F(BmpReaderTest, EmptyStreamGivesAnEmptyBitmap) {
    TBitmap bitmap;
    bitmap.SetWidth(3);
    bitmap.SetHeight(3);
    Load(bitmap, {});
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.Width(), 0);
}

TEST_F(BmpReaderTest, ReadsBottomUpAndTopDownRowsInTheirOrder) {
    TBitmap bitmap;
    Load(bitmap, MakeBmp(TwoByTwo()));
    EXPECT_EQ(Pixel(bitmap, 0, 0), 0x0000FFu);
    EXPECT_EQ(Pixel(bitmap, 1, 0), 0xFF0000u);
    EXPECT_EQ(Pixel(bitmap, 0, 1), 0x00FF00u);
    EXPECT_EQ(Pixel(bitmap, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(bitmap.StorageKind(), TBitmapHandleType::DeviceIndependent);

    BmpSpec topDown = TwoByTwo();
    topDown.height = -2;
    TBitmap flipped;
    Load(flipped, MakeBmp(topDown));
    EXPECT_EQ(flipped.Height(), 2);
    EXPECT_EQ(Pixel(flipped, 0, 0), 0x00FF00u);
    EXPECT_EQ(Pixel(flipped, 0, 1), 0x0000FFu);
}

TEST_F(BmpReaderTest, Os2PaletteGivesTheSameColorsAsTheWindowsOne) {
    std::vector<uint32_t> palette = {0x112233, 0xA0B0C0};
    std::vector<uint8_t> pixels = {0x40, 0, 0, 0, 0x80, 0, 0, 0};  // 1 bit: rows "01", "10"
    TBitmap os2, windows;
    Load(os2, testing_support::MakeOs2Bmp(2, 2, 1, palette, pixels));
    BmpSpec s;
    s.bits = 1;
    s.palette = palette;
    s.pixels = pixels;
    Load(windows, MakeBmp(s));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(Pixel(os2, x, y), Pixel(windows, x, y));
    EXPECT_EQ(Pixel(os2, 0, 1), 0x332211u);  // bottom row, first pixel: index 0
    EXPECT_EQ(Pixel(os2, 1, 1), 0xC0B0A0u);
    EXPECT_TRUE(os2.Image().os2Format_);
}

TEST_F(BmpReaderTest, BitFieldsFollowAFortyByteHeader) {
    BmpSpec s;
    s.width = 2;
    s.height = 1;
    s.bits = 16;
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};   // 5-6-5
    s.pixels = {0x00, 0xF8, 0x1F, 0x00};  // red, blue
    TBitmap bitmap;
    Load(bitmap, MakeBmp(s));
    EXPECT_EQ(Pixel(bitmap, 0, 0), 0x0000FFu);
    EXPECT_EQ(Pixel(bitmap, 1, 0), 0xFF0000u);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf16bit);
}

TEST_F(BmpReaderTest, ColorsUsedSixteenInAnEightBitFileReadsSixteenEntries) {
    BmpSpec s;
    s.width = 4;
    s.height = 1;
    s.bits = 8;
    s.colorsUsed = 16;
    for (uint32_t i = 0; i < 16; ++i) s.palette.push_back(i * 0x101010);
    s.pixels = {0, 5, 15, 1};
    TBitmap bitmap;
    Load(bitmap, MakeBmp(s));
    EXPECT_EQ(Pixel(bitmap, 1, 0), 0x505050u);
    EXPECT_EQ(Pixel(bitmap, 2, 0), 0xF0F0F0u);
    EXPECT_EQ(bitmap.Image().dib_.dsBmih.biClrUsed, 16u);
}

TEST_F(BmpReaderTest, Rle8BecomesDeviceDependentAndKeepsItsFileForSaving) {
    BmpSpec s;
    s.width = 4;
    s.height = 2;
    s.bits = 8;
    s.compression = 1;
    s.colorsUsed = 2;
    s.palette = {0x000000, 0x00FF00};
    // bottom row: 4 x index 1; top row: 2 x index 0, 2 x index 1; end of bitmap
    s.pixels = {4, 1, 0, 0, 2, 0, 2, 1, 0, 1};
    s.imageSize = static_cast<uint32_t>(s.pixels.size());
    std::vector<uint8_t> file = MakeBmp(s);
    TBitmap bitmap;
    Load(bitmap, file);
    EXPECT_EQ(bitmap.StorageKind(), TBitmapHandleType::DeviceDependent);
    EXPECT_EQ(Pixel(bitmap, 0, 1), 0x00FF00u);
    EXPECT_EQ(Pixel(bitmap, 0, 0), 0x000000u);
    EXPECT_EQ(Pixel(bitmap, 3, 0), 0x00FF00u);
    core::TMemoryStream saved;
    bitmap.SaveToStream(saved);
    EXPECT_EQ(saved.Bytes(), file);
}

TEST_F(BmpReaderTest, TruncatedPixelsReadOnlyWhatIsThere) {
    BmpSpec s = TwoByTwo();
    s.imageSize = 1000;  // claims far more than follows
    std::vector<uint8_t> file = MakeBmp(s);
    file.erase(file.end() - 8, file.end());  // the top row is missing
    TBitmap bitmap;
    Load(bitmap, file);
    EXPECT_EQ(Pixel(bitmap, 0, 1), 0x00FF00u);
    EXPECT_EQ(bitmap.Width(), 2);
}

TEST_F(BmpReaderTest, MalformedFilesRaiseTheirMessages) {
    std::vector<uint8_t> good = MakeBmp(TwoByTwo());
    EXPECT_EQ(LoadError({good.begin(), good.begin() + 20}), "Stream read error");
    std::vector<uint8_t> notBm = good;
    notBm[0] = 'X';
    EXPECT_EQ(LoadError(notBm), "Bitmap image is not valid");
    BmpSpec planes = TwoByTwo();
    planes.planes = 2;
    EXPECT_EQ(LoadError(MakeBmp(planes)), "Bitmap image is not valid");
    std::vector<uint8_t> shortHeader = good;
    shortHeader[14] = 20;  // header sizes below 40 other than 12
    EXPECT_EQ(LoadError(shortHeader), "Bitmap image is not valid");
    BmpSpec tooManyColors;
    tooManyColors.bits = 8;
    tooManyColors.colorsUsed = 300;
    tooManyColors.pixels.assign(2000, 0);
    EXPECT_EQ(LoadError(MakeBmp(tooManyColors)), "Bitmap image is not valid");
    BmpSpec huge;
    huge.width = 30000;
    huge.height = 30000;
    huge.bits = 32;
    EXPECT_EQ(LoadError(MakeBmp(huge)), "Bitmap image is not valid");
    BmpSpec minHeight;
    minHeight.height = INT32_MIN;
    EXPECT_EQ(LoadError(MakeBmp(minHeight)), "Bitmap image is not valid");
    BmpSpec shortTable;
    shortTable.bits = 8;  // 256 entries expected, none present
    EXPECT_EQ(LoadError(MakeBmp(shortTable)), "Stream read error");
}

TEST_F(BmpReaderTest, FailedReadKeepsThePreviousImage) {
    TBitmap bitmap;
    Load(bitmap, MakeBmp(TwoByTwo()));
    std::vector<uint8_t> broken = MakeBmp(TwoByTwo());
    broken[0] = 'X';
    EXPECT_THROW(Load(bitmap, broken), core::EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(Pixel(bitmap, 1, 0), 0xFF0000u);
}

TEST_F(BmpReaderTest, WriterOutputReadsBackToTheSamePixels) {
    TBitmap original;
    original.SetWidth(5);
    original.SetHeight(3);
    original.Canvas().WritePixel(4, 2, 0x123456);
    original.Canvas().WritePixel(0, 0, clBlack);
    core::TMemoryStream stream;
    original.SaveToStream(stream);
    stream.SetPosition(0);
    TBitmap copy;
    copy.LoadFromStream(stream);
    ASSERT_EQ(copy.Width(), 5);
    ASSERT_EQ(copy.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(Pixel(copy, x, y), Pixel(original, x, y));
}

// Files that once broke a reader: each must load or fail with the program's own exception.
// Files that once crashed or misbehaved. Each must give its message (or load, when the
// message is empty) and, once loaded, draw; every file in the folders needs an entry here.
TEST_F(BmpReaderTest, MalformedRegressionFilesFailCleanly) {
    const std::map<std::string, std::string> expected = {
        {"bmp/malformed/rle_size_beyond_data.bmp", ""},  // reads what is there,
        {"ico/malformed/directory_past_end.ico", "Stream read error"},
        {"ico/malformed/image_past_end.ico", "Stream read error"},
        {"ico/malformed/pixels_missing.ico", "Icon image is not valid"},
        {"ico/malformed/huge_image.ico", "Icon image is not valid"},
    };
    std::set<std::string> seen;
    for (const char* folder : {"bmp/malformed", "ico/malformed"}) {
        const std::filesystem::path dir = std::filesystem::path(TEMBRIN_TEST_DATA) / folder;
        ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            const std::string name = std::string(folder) + "/" + entry.path().filename().string();
            seen.insert(name);
            ASSERT_EQ(expected.count(name), 1u) << name << " has no expected outcome";
            core::TMemoryStream stream;
            stream.LoadFromFile(entry.path().string());
            std::unique_ptr<TGraphic> graphic;
            if (entry.path().extension() == ".ico")
                graphic = std::make_unique<TIcon>();
            else
                graphic = std::make_unique<TBitmap>();
            std::string message;
            try {
                graphic->LoadFromStream(stream);
                TBitmap target;
                target.SetWidth(8);
                target.SetHeight(8);
                target.Canvas().DrawGraphic(Rect(0, 0, 8, 8), graphic.get());  // decodes an icon
            } catch (const core::Exception& e) {
                message = e.Message();
            }
            EXPECT_EQ(message, expected.at(name)) << name;
        }
    }
    EXPECT_EQ(seen.size(), expected.size());
}
