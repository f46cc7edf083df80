// The JPEG picture: loading reads only the header, the first draw decodes into a bitmap that
// stays attached, drawing stretches it, and failures surface as the picture's exceptions.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <jerror.h>

#include "codecs/jpeg/jpeg_error.h"
#include "codecs/jpeg/jpeg_image.h"
#include "codecs/jpeg/jpeg_samples.h"
#include "codecs/register.h"
#include "core/exceptions.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/picture.h"
#include "platform/gdi/gdi.h"

namespace codecs {
namespace {

using graphics::TBitmap;
using graphics::TPixelFormat;
using graphics::TProgressStage;
using testing::Bands;
using testing::Gradient;
using testing::MakeJpeg;
using testing::Rgb;
using testing::SampleOptions;

std::unique_ptr<TJPEGImage> Load(const std::vector<uint8_t>& bytes) {
    auto picture = std::make_unique<TJPEGImage>();
    core::TMemoryStream stream(bytes);
    picture->LoadFromStream(stream);
    return picture;
}

// A white canvas of the given size to draw into.
std::unique_ptr<TBitmap> Canvas(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetWidth(width);
    bitmap->SetHeight(height);
    return bitmap;
}

void Draw(TJPEGImage& picture, TBitmap& target) {
    target.Canvas().DrawGraphic(graphics::Rect(0, 0, target.Width(), target.Height()), &picture);
}

Rgb PixelAt(TBitmap& bitmap, int x, int y) {
    uint32_t c = bitmap.Canvas().ReadPixel(x, y);
    return {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16)};
}

bool Near(Rgb a, Rgb b, int tolerance = 16) {
    return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
           std::abs(a.blue - b.blue) <= tolerance;
}

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

int JpegCode(const std::function<void()>& action) {
    try {
        action();
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Message(), "JPEG error #" + std::to_string(e.MessageCode()));
        return e.MessageCode();
    }
    return -1;
}

TEST(JPEGImage, SizeComesFromTheHeaderAndDecodingWaitsForTheFirstDraw) {
    SampleOptions options{.width = 640, .height = 480};
    auto picture = Load(MakeJpeg(options, Gradient));
    EXPECT_EQ(picture->Width(), 640);
    EXPECT_EQ(picture->Height(), 480);
    EXPECT_FALSE(picture->IsEmpty());
    EXPECT_FALSE(picture->Decoded());

    auto target = Canvas(64, 48);
    Draw(*picture, *target);
    ASSERT_TRUE(picture->Decoded());
    EXPECT_EQ(picture->Bitmap().Width(), 640);
    EXPECT_EQ(picture->Bitmap().Height(), 480);
}

TEST(JPEGImage, ColourDecodesTo24BitAndGrayTo8BitWithAGrayPalette) {
    SampleOptions options{.width = 40, .height = 40};
    auto colour = Load(MakeJpeg(options, [](int x, int y) { return Bands(x, y, 40); }));
    TBitmap& bits24 = colour->Bitmap();
    EXPECT_EQ(bits24.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_TRUE(Near(PixelAt(bits24, 20, 5), kRed));
    EXPECT_TRUE(Near(PixelAt(bits24, 20, 25), kBlue));

    options.grayscale = true;
    auto gray = Load(MakeJpeg(options, [](int x, int) { return Rgb{uint8_t(x * 6), 0, 0}; }));
    EXPECT_TRUE(gray->Grayscale());
    TBitmap& bits8 = gray->Bitmap();
    EXPECT_EQ(bits8.PixelFormat(), TPixelFormat::pf8bit);
    ASSERT_NE(gray->Palette(), nullptr);
    platform::PALETTEENTRY entries[256];
    unsigned count = platform::GetPaletteEntries(gray->Palette(), 0, 256, entries);
    EXPECT_GT(count, 200u);
    EXPECT_LE(count, 236u);
    for (unsigned i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].peRed, entries[i].peGreen);
        EXPECT_EQ(entries[i].peGreen, entries[i].peBlue);
    }
    // The section's colour table turns indices back into the gray they came from.
    Rgb mid = PixelAt(bits8, 20, 20);
    EXPECT_TRUE(Near(mid, Rgb{120, 120, 120}, 10)) << int(mid.red);
}

TEST(JPEGImage, NotAJpegFailsAtLoadAndAnEmptyFileAtTheFirstDrawOnly) {
    core::TMemoryStream bmp(std::vector<uint8_t>{'B', 'M', 1, 2, 3, 4});
    TJPEGImage bad;
    EXPECT_EQ(JpegCode([&] { bad.LoadFromStream(bmp); }), 53);

    auto empty = Load({});
    EXPECT_EQ(empty->Width(), 0);
    EXPECT_EQ(empty->Height(), 0);
    EXPECT_FALSE(empty->IsEmpty());
    auto target = Canvas(8, 8);
    target->Canvas().Brush().SetColor(0x00336699);
    target->Canvas().FillRect(graphics::Rect(0, 0, 8, 8));
    EXPECT_EQ(JpegCode([&] { Draw(*empty, *target); }), 42);
    EXPECT_NO_THROW(Draw(*empty, *target));
    EXPECT_NO_THROW(Draw(*empty, *target));
    EXPECT_EQ(target->Canvas().ReadPixel(4, 4), 0x00336699u);  // nothing was painted
}

TEST(JPEGImage, AHeaderClaimingAHugeImageFailsAtTheFirstDrawBeforeTakingMemory) {
    std::vector<uint8_t> bytes = MakeJpeg({.width = 16, .height = 16}, Gradient);
    // Rewrite the frame header's height and width to 60000 × 60000 (3.6 gigapixels).
    for (size_t i = 0; i + 9 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = bytes[i + 7] = 60000 >> 8;
            bytes[i + 6] = bytes[i + 8] = 60000 & 0xFF;
            break;
        }
    }
    auto picture = Load(bytes);
    EXPECT_EQ(picture->Width(), 60000);
    EXPECT_EQ(picture->Height(), 60000);
    auto target = Canvas(8, 8);
    EXPECT_EQ(JpegCode([&] { Draw(*picture, *target); }), JERR_IMAGE_TOO_BIG);
    EXPECT_TRUE(picture->Bitmap().IsEmpty());
    EXPECT_NO_THROW(Draw(*picture, *target));
}

TEST(JPEGImage, AHalfFileDrawsItsUpperPart) {
    // Bands with some texture, so the entropy data, not the tables, makes up most of the file.
    SampleOptions options{.width = 64, .height = 256};
    std::vector<uint8_t> whole = MakeJpeg(options, [](int x, int y) {
        Rgb c = Bands(x, y, 256);
        uint8_t grain = static_cast<uint8_t>((x * 7 + y * 13) % 24);
        return Rgb{uint8_t(c.red ? c.red - grain : grain),
                   uint8_t(c.green ? c.green - grain : grain),
                   uint8_t(c.blue ? c.blue - grain : grain)};
    });
    std::vector<uint8_t> half(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2));
    auto picture = Load(half);
    EXPECT_EQ(picture->Height(), 256);
    auto target = Canvas(64, 256);
    EXPECT_NO_THROW(Draw(*picture, *target));
    EXPECT_TRUE(Near(PixelAt(*target, 32, 10), kRed, 40));
    EXPECT_TRUE(Near(PixelAt(*target, 32, 80), kGreen, 40));
    EXPECT_FALSE(Near(PixelAt(*target, 32, 250), kWhite, 40));  // no data reached the last band
}

TEST(JPEGImage, DrawingStretchesTheBitmapToTheRectangle) {
    SampleOptions options{.width = 16, .height = 16, .quality = 100};
    auto colour = Load(MakeJpeg(options, [](int x, int y) {
        return x < 8 ? (y < 8 ? kRed : kBlue) : (y < 8 ? kGreen : kWhite);
    }));
    auto target = Canvas(64, 32);
    Draw(*colour, *target);
    EXPECT_TRUE(Near(PixelAt(*target, 2, 2), kRed));
    EXPECT_TRUE(Near(PixelAt(*target, 61, 2), kGreen));
    EXPECT_TRUE(Near(PixelAt(*target, 2, 29), kBlue));
    EXPECT_TRUE(Near(PixelAt(*target, 61, 29), kWhite));

    // A gray checkerboard of four quadrants (no chroma blur): the quadrant edges land where a
    // 4× wider, 2× taller stretch puts them.
    options.grayscale = true;
    auto gray = Load(MakeJpeg(options, [](int x, int y) {
        uint8_t v = (x < 8) != (y < 8) ? 255 : 0;
        return Rgb{v, v, v};
    }));
    Draw(*gray, *target);
    auto dark = [&](int x, int y) { return PixelAt(*target, x, y).green < 64; };
    auto light = [&](int x, int y) { return PixelAt(*target, x, y).green > 192; };
    EXPECT_TRUE(dark(31, 15));
    EXPECT_TRUE(light(32, 15));
    EXPECT_TRUE(light(31, 16));
    EXPECT_TRUE(dark(32, 16));
    EXPECT_TRUE(dark(0, 0));
    EXPECT_TRUE(dark(63, 31));
}

TEST(JPEGImage, SizeCannotBeSet) {
    auto picture = Load(MakeJpeg({}, Gradient));
    for (auto set : {&TJPEGImage::SetWidth, &TJPEGImage::SetHeight}) {
        try {
            ((*picture).*set)(10);
            ADD_FAILURE() << "size change accepted";
        } catch (const core::EInvalidGraphicOperation& e) {
            EXPECT_EQ(e.Message(), "Cannot change the size of a JPEG image");
        }
    }
    EXPECT_EQ(picture->Width(), 64);
}

TEST(JPEGImage, SavingWritesTheBytesAsLoaded) {
    std::vector<uint8_t> bytes = MakeJpeg({}, Gradient);
    bytes.insert(bytes.end(), {1, 2, 3});  // trailing bytes after the image stay too
    auto picture = Load(bytes);
    picture->DIBNeeded();
    core::TMemoryStream saved;
    picture->SaveToStream(saved);
    EXPECT_EQ(saved.Bytes(), bytes);

    core::TMemoryStream none;
    Load({})->SaveToStream(none);
    EXPECT_EQ(none.Size(), 0);
}

TEST(JPEGImage, CopiesShareDataWithPicturesAndTakeOrGiveBitmaps) {
    SampleOptions options{.width = 40, .height = 40};
    auto original = Load(MakeJpeg(options, [](int x, int y) { return Bands(x, y, 40); }));
    original->DIBNeeded();

    TJPEGImage copy;
    copy.CopyFrom(original.get());
    EXPECT_EQ(&copy.Data(), &original->Data());
    EXPECT_TRUE(copy.Decoded());
    EXPECT_TRUE(Near(PixelAt(copy.Bitmap(), 5, 25), kBlue));

    TBitmap given;
    original->CopyTo(&given);
    EXPECT_EQ(given.Width(), 40);
    EXPECT_TRUE(Near(PixelAt(given, 5, 5), kRed));

    // From a bitmap: new empty data, the bitmap's pixels, and saving compresses them.
    TJPEGImage fromBitmap;
    fromBitmap.CopyFrom(&given);
    EXPECT_NE(&fromBitmap.Data(), &original->Data());
    EXPECT_FALSE(fromBitmap.IsEmpty());
    EXPECT_EQ(fromBitmap.Width(), 40);
    core::TMemoryStream saved;
    fromBitmap.SaveToStream(saved);
    auto reloaded = Load(saved.Bytes());
    EXPECT_EQ(reloaded->Width(), 40);
    EXPECT_TRUE(Near(PixelAt(reloaded->Bitmap(), 5, 35), kWhite));

    TJPEGImage other;
    EXPECT_THROW(other.CopyFrom(nullptr), core::EConvertError);
}

TEST(JPEGImage, ProgressIsReportedAndACancelledDecodeKeepsItsBitmap) {
    SampleOptions options{.width = 64, .height = 64};
    auto picture = Load(MakeJpeg(options, Gradient));
    std::vector<TProgressStage> stages;
    int changes = 0;
    picture->SetOnChange([&](core::TPersistent*) { ++changes; });
    picture->SetOnProgress([&](core::TPersistent* sender, TProgressStage stage, uint8_t percent,
                               bool, const graphics::TRect&, const std::string&) {
        EXPECT_EQ(sender, picture.get());
        stages.push_back(stage);
        if (stage == TProgressStage::psEnding) {
            EXPECT_EQ(percent, 0);
        }
        throw core::EAbort();
    });
    auto target = Canvas(8, 8);
    EXPECT_NO_THROW(Draw(*picture, *target));
    ASSERT_EQ(stages.size(), 2u);
    EXPECT_EQ(stages[0], TProgressStage::psStarting);
    EXPECT_EQ(stages[1], TProgressStage::psEnding);
    EXPECT_TRUE(picture->Decoded());
    EXPECT_EQ(changes, 1);  // the palette-modified flag from loading asks for a repaint

    // Any other exception from the handler comes through the library to the caller, once.
    auto failing = Load(MakeJpeg(options, Gradient));
    failing->SetOnProgress(
        [](core::TPersistent*, TProgressStage, uint8_t, bool, const graphics::TRect&,
           const std::string&) { throw core::EReadError(std::string(200, 'r')); });
    EXPECT_THROW(Draw(*failing, *target), core::EReadError);
    EXPECT_NO_THROW(Draw(*failing, *target));
}

TEST(JPEGImage, RegistersBothExtensionsAfterTheGifAndRemovesThemAtShutdown) {
    RegisterCodecs();
    EXPECT_EQ(JPEGDefaults().PixelFormat, jf24Bit);  // the screen is true colour
    auto entries = graphics::TFileFormatsList::Instance().Entries();
    ASSERT_GE(entries.size(), 3u);
    const auto& gif = entries[entries.size() - 3];
    const auto& jpeg = entries[entries.size() - 2];
    const auto& jpg = entries.back();
    EXPECT_EQ(gif.extension, "gif");
    EXPECT_EQ(jpeg.extension, "jpeg");
    EXPECT_EQ(jpg.extension, "jpg");
    EXPECT_EQ(jpeg.description, "JPEG Image File");
    EXPECT_EQ(jpg.description, "JPEG Image File");
    EXPECT_EQ(jpeg.graphicClass, &TJPEGImage::ClassType());
    EXPECT_EQ(jpg.graphicClass, &TJPEGImage::ClassType());

    // A picture loads a file named .JPG as a JPEG picture through the registry.
    std::string path = ::testing::TempDir() + "registry_probe.JPG";
    core::TMemoryStream(MakeJpeg({.width = 20, .height = 10}, Gradient)).SaveToFile(path);
    graphics::TPicture picture;
    picture.LoadFile(path);
    ASSERT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 20);
    std::remove(path.c_str());

    UnregisterCodecs();
    EXPECT_EQ(graphics::TPicture::FindClassByExtension("jpg"), nullptr);
    EXPECT_EQ(graphics::TPicture::FindClassByExtension("jpeg"), nullptr);
    EXPECT_NE(graphics::TPicture::FindClassByExtension("bmp"), nullptr);
}

}  // namespace
}  // namespace codecs
