// The one-off draw of a JPEG picture (the export's): a shrinking draw decodes only the rows the
// stretch takes, and must give exactly the pixels of the draw through the decoded bitmap.
// Every JPEG file of the test data is drawn both ways, into bitmaps of several sizes and
// depths.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/jpeg/jpeg_image.h"
#include "codecs/jpeg/jpeg_samples.h"
#include "core/exceptions.h"
#include "core/stream.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"

namespace codecs {
namespace {

using graphics::TBitmap;
using graphics::TPixelFormat;

std::vector<std::filesystem::path> JpegFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(TEMBRIN_TEST_DATA) + "/jpeg"))
        if (entry.path().extension() == ".jpg") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::unique_ptr<TJPEGImage> Load(const std::filesystem::path& file) {
    core::TMemoryStream bytes;
    bytes.LoadFromFile(file.string());
    auto picture = std::make_unique<TJPEGImage>();
    picture->LoadFromStream(bytes);
    return picture;
}

// A white bitmap of the size, device-dependent (as the export's) or a section of the format.
std::unique_ptr<TBitmap> Target(int width, int height, TPixelFormat format) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(format);
    bitmap->SetWidth(width);
    bitmap->SetHeight(height);
    return bitmap;
}

std::vector<uint8_t> PixelBytes(TBitmap& bitmap) {
    platform::HBITMAP handle = bitmap.BitmapHandle();
    std::vector<uint8_t> bytes(static_cast<size_t>(platform::GetBitmapBits(handle, 0, nullptr)));
    platform::GetBitmapBits(handle, static_cast<platform::LONG>(bytes.size()), bytes.data());
    return bytes;
}

struct Size {
    int width, height;
};

// The export's sizes, then shrinks that keep or stretch the width, one row, and one row less
// than the picture.
std::vector<Size> ShrinkingSizes(int pictureHeight) {
    return {{64, 64}, {32, 32},  {16, 16},
            {1, 1},   {200, 50}, {7, 60},
            {5, 1},   {64, 7},   {300, pictureHeight - 1}};
}

TEST(JpegSampledDraw, ShrinkingDrawsMatchTheDecodedBitmapAndKeepNothing) {
    const std::vector<std::filesystem::path> files = JpegFiles();
    ASSERT_GE(files.size(), 12u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        std::unique_ptr<TJPEGImage> reference = Load(file);
        reference->DIBNeeded();
        ASSERT_GT(reference->Height(), 64);
        for (TPixelFormat format :
             {TPixelFormat::pfDevice, TPixelFormat::pf24bit, TPixelFormat::pf8bit}) {
            for (Size size : ShrinkingSizes(reference->Height())) {
                SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
                graphics::TRect rect = graphics::Rect(0, 0, size.width, size.height);
                auto whole = Target(size.width, size.height, format);
                whole->Canvas().DrawGraphic(rect, reference.get());

                std::unique_ptr<TJPEGImage> picture = Load(file);
                auto sampled = Target(size.width, size.height, format);
                sampled->Canvas().DrawGraphicOnce(rect, picture.get());
                EXPECT_FALSE(picture->Decoded());
                EXPECT_EQ(PixelBytes(*sampled), PixelBytes(*whole));
            }
        }
    }
}

// An enlarging draw needs every row: it decodes and keeps the bitmap, as the ordinary draw.
// A shrink offset inside a bigger bitmap samples the rows. An already decoded picture draws
// its bitmap. All give the ordinary draw's pixels.
TEST(JpegSampledDraw, OtherDrawsGiveTheDecodedBitmapsPixels) {
    for (const auto& file : JpegFiles()) {
        SCOPED_TRACE(file.filename().string());
        std::unique_ptr<TJPEGImage> reference = Load(file);
        struct Case {
            Size target;
            graphics::TRect rect;
            TPixelFormat format;
            bool keepsBitmap;
        };
        const int h = reference->Height();
        const Case cases[] = {
            {{90, 2 * h}, graphics::Rect(0, 0, 90, 2 * h), TPixelFormat::pfDevice, true},
            {{80, 80}, graphics::Rect(10, 5, 70, 45), TPixelFormat::pfDevice, false},
        };
        for (const Case& c : cases) {
            auto whole = Target(c.target.width, c.target.height, c.format);
            whole->Canvas().DrawGraphic(c.rect, reference.get());
            std::unique_ptr<TJPEGImage> picture = Load(file);
            auto once = Target(c.target.width, c.target.height, c.format);
            once->Canvas().DrawGraphicOnce(c.rect, picture.get());
            EXPECT_EQ(picture->Decoded(), c.keepsBitmap);
            EXPECT_EQ(PixelBytes(*once), PixelBytes(*whole));
        }
        // Decoded already: the one-off draw uses that bitmap.
        auto again = Target(16, 16, TPixelFormat::pfDevice);
        again->Canvas().DrawGraphicOnce(graphics::Rect(0, 0, 16, 16), reference.get());
        auto drawn = Target(16, 16, TPixelFormat::pfDevice);
        drawn->Canvas().DrawGraphic(graphics::Rect(0, 0, 16, 16), reference.get());
        EXPECT_EQ(PixelBytes(*again), PixelBytes(*drawn));
    }
}

// Bad data fails the one-off draw as the first ordinary draw fails, and leaves nothing behind.
TEST(JpegSampledDraw, ACorruptFileFailsAsTheOrdinaryDrawDoes) {
    // Four components load, and fail when decoding starts: they do not convert to 24 bits.
    testing::SampleOptions options;
    options.cmyk = true;
    options.height = 100;
    const std::vector<uint8_t> file = testing::MakeJpeg(options, testing::Gradient);
    auto load = [&] {
        core::TMemoryStream stream(file);
        auto picture = std::make_unique<TJPEGImage>();
        picture->LoadFromStream(stream);
        return picture;
    };
    auto target = Target(16, 16, TPixelFormat::pfDevice);
    std::unique_ptr<TJPEGImage> ordinary = load();
    std::string ordinaryError, onceError;
    try {
        target->Canvas().DrawGraphic(graphics::Rect(0, 0, 16, 16), ordinary.get());
    } catch (const core::Exception& e) {
        ordinaryError = e.Message();
    }
    std::unique_ptr<TJPEGImage> once = load();
    try {
        target->Canvas().DrawGraphicOnce(graphics::Rect(0, 0, 16, 16), once.get());
    } catch (const core::Exception& e) {
        onceError = e.Message();
    }
    EXPECT_NE(ordinaryError, "");
    EXPECT_EQ(onceError, ordinaryError);
    EXPECT_FALSE(once->Decoded());
}

}  // namespace
}  // namespace codecs
