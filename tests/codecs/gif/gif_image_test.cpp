#include "codecs/gif/gif_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "codecs/gif/gif_builder.h"
#include "codecs/gif/gif_palette.h"
#include "core/exceptions.h"
#include "core/stream.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/picture.h"
#include "platform/gdi/gdi.h"
#include "support/gdi_leak_check.h"

using namespace codecs::gif;
using gif_test::Bytes;
using gif_test::GifBuilder;
using graphics::Rect;

namespace {

void Load(TGIFImage& gif, const Bytes& bytes) {
    core::TBytesStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
    gif.LoadFromStream(stream);
}

// The builder's global colour i is (10i, 20i, 30i).
uint32_t GlobalColor(int i) {
    return (10u * i) | (20u * i) << 8 | (30u * i) << 16;
}

std::unique_ptr<graphics::TBitmap> Canvas(int width, int height, graphics::TColor fill) {
    auto bitmap = std::make_unique<graphics::TBitmap>();
    bitmap->SetWidth(width);
    bitmap->SetHeight(height);
    bitmap->Canvas().Brush().SetColor(fill);
    bitmap->Canvas().FillRect(Rect(0, 0, width, height));
    return bitmap;
}

const std::vector<int> kPattern = {1, 2, 3, 1,  //
                                   2, 2, 1, 3,  //
                                   3, 1, 2, 1,  //
                                   1, 3, 1, 2};

// Every picture, bitmap, mask and palette made in a test is gone when it ends. The shared
// 216-colour palette lives for the whole process, so it is made before counting starts.
class GIFImage : public testing_support::NoGdiLeaks {
  protected:
    void SetUp() override {
        DitherPalette();
        NoGdiLeaks::SetUp();
    }
};

}  // namespace

TEST_F(GIFImage, SingleTransparentFrameOverWhite) {
    TGIFImage gif;
    Load(gif,
         GifBuilder(4, 4).GraphicControl(0x01, 0, 2).LiteralImage(0, 0, 4, 4, kPattern).bytes());
    ASSERT_TRUE(gif.Transparent());

    // Stretched to 32 x 32: each pixel becomes an 8 x 8 block.
    auto target = Canvas(32, 32, graphics::clWhite);
    target->Canvas().DrawGraphic(Rect(0, 0, 32, 32), &gif);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            int index = kPattern[static_cast<size_t>(y) * 4 + static_cast<size_t>(x)];
            uint32_t expected = index == 2 ? 0xFFFFFFu : GlobalColor(index);
            EXPECT_EQ(target->Canvas().ReadPixel(8 * x + 1, 8 * y + 6), expected) << x << "," << y;
        }

    // At its own size, placed at (10, 10) over a red background.
    auto exact = Canvas(32, 32, graphics::clRed);
    exact->Canvas().DrawGraphic(Rect(10, 10, 14, 14), &gif);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            int index = kPattern[static_cast<size_t>(y) * 4 + static_cast<size_t>(x)];
            uint32_t expected = index == 2 ? 0x0000FFu : GlobalColor(index);
            EXPECT_EQ(exact->Canvas().ReadPixel(10 + x, 10 + y), expected) << x << "," << y;
        }
    EXPECT_EQ(exact->Canvas().ReadPixel(9, 9), 0x0000FFu);
    EXPECT_EQ(exact->Canvas().ReadPixel(14, 14), 0x0000FFu);

    // Without DrawTransparent the transparent index is painted in its own colour.
    gif.SetDrawOptions(kDefaultDrawOptions & ~DrawTransparent);
    auto opaque = Canvas(4, 4, graphics::clWhite);
    opaque->Canvas().DrawGraphic(Rect(0, 0, 4, 4), &gif);
    EXPECT_EQ(opaque->Canvas().ReadPixel(1, 0), GlobalColor(2));
}

TEST_F(GIFImage, FrameCoveringHalfTheScreenPaintsHalfTheTarget) {
    TGIFImage gif;
    Load(gif, GifBuilder(4, 2).LiteralImage(2, 0, 2, 2, {1, 3, 3, 1}).bytes());
    auto target = Canvas(32, 16, graphics::clRed);
    target->Canvas().DrawGraphic(Rect(0, 0, 32, 16), &gif);
    for (int y : {0, 7, 8, 15}) {
        EXPECT_EQ(target->Canvas().ReadPixel(0, y), 0x0000FFu);
        EXPECT_EQ(target->Canvas().ReadPixel(15, y), 0x0000FFu);
        EXPECT_EQ(target->Canvas().ReadPixel(16, y), GlobalColor(y < 8 ? 1 : 3));
        EXPECT_EQ(target->Canvas().ReadPixel(31, y), GlobalColor(y < 8 ? 3 : 1));
    }

    // The frame's place scales with rounding: a screen of 3 into 8 pixels puts column 1..2 at
    // 3 (8/3 = 2.67) to 8.
    TGIFImage odd;
    Load(odd, GifBuilder(3, 1).LiteralImage(1, 0, 2, 1, {1, 1}).bytes());
    auto small = Canvas(8, 1, graphics::clRed);
    small->Canvas().DrawGraphic(Rect(0, 0, 8, 1), &odd);
    EXPECT_EQ(small->Canvas().ReadPixel(2, 0), 0x0000FFu);
    EXPECT_EQ(small->Canvas().ReadPixel(3, 0), GlobalColor(1));
}

TEST_F(GIFImage, ScreenWithoutAreaOrFramesDrawsNothing) {
    TGIFImage flat;
    Load(flat, GifBuilder(0, 5).LiteralImage(0, 0, 2, 2, {1, 1, 1, 1}).bytes());
    ASSERT_FALSE(flat.IsEmpty());
    auto target = Canvas(8, 8, graphics::clWhite);
    target->Canvas().DrawGraphic(Rect(0, 0, 8, 8), &flat);
    EXPECT_EQ(target->Canvas().ReadPixel(0, 0), 0xFFFFFFu);

    TGIFImage extensionsOnly;
    Load(extensionsOnly, GifBuilder(4, 4).Comment({"no image"}).Trailer().bytes());
    ASSERT_EQ(extensionsOnly.FrameCount(), 1);
    EXPECT_EQ(extensionsOnly.FrameBitmap(0), nullptr);
    target->Canvas().DrawGraphic(Rect(0, 0, 8, 8), &extensionsOnly);
    EXPECT_EQ(target->Canvas().ReadPixel(4, 4), 0xFFFFFFu);
}

TEST_F(GIFImage, DitheredFramesUseTheFixedPalette) {
    TGIFImage gif;
    gif.SetDrawOptions(DrawTransparent | DrawDithered);  // dithering without the depth test
    Load(gif, GifBuilder(4, 4).LiteralImage(0, 0, 4, 4, kPattern).bytes());
    auto target = Canvas(4, 4, graphics::clWhite);
    target->Canvas().DrawGraphic(Rect(0, 0, 4, 4), &gif);
    bool notBlack = false;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            uint32_t color = target->Canvas().ReadPixel(x, y);
            for (int shift : {0, 8, 16}) EXPECT_EQ(((color >> shift) & 0xFF) % 51, 0u) << color;
            notBlack = notBlack || color != 0;
        }
    EXPECT_TRUE(notBlack);
    // Automatic dithering leaves a true-colour screen alone.
    gif.SetDrawOptions(kDefaultDrawOptions);
    gif.SetScreenColorBits(32);
    EXPECT_FALSE(gif.Dithering());
    gif.SetScreenColorBits(8);
    EXPECT_TRUE(gif.Dithering());
}

// Loading and frame rendering, without drawing (so without the painter's thread).
using GIFImageContent = GIFImage;

TEST_F(GIFImageContent, PaletteNeedsAColourTable) {
    TGIFImage global;
    Load(global, GifBuilder(2, 1).LiteralImage(0, 0, 2, 1, {1, 2}).bytes());
    global.SetScreenColorBits(32);
    platform::PALETTEENTRY entry{};
    ASSERT_NE(global.Palette(), nullptr);
    ASSERT_EQ(platform::GetPaletteEntries(global.Palette(), 3, 1, &entry), 1u);
    EXPECT_EQ(entry.peGreen, 60);

    TGIFImage none;
    none.SetScreenColorBits(32);
    Load(none, GifBuilder(2, 1, 0, false).LiteralImage(0, 0, 2, 1, {1, 0}).bytes());
    try {
        none.Palette();
        FAIL() << "no error";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message(), "No global or local color table defined");
    }

    TGIFImage local;
    local.SetScreenColorBits(32);
    Load(local, GifBuilder(2, 1, 0, false).LiteralImage(0, 0, 2, 1, {1, 0}, 0x81).bytes());
    ASSERT_NE(local.Palette(), nullptr);
    ASSERT_EQ(platform::GetPaletteEntries(local.Palette(), 1, 1, &entry), 1u);
    EXPECT_EQ(entry.peRed, 254);
}

TEST_F(GIFImageContent, RenderingReportsProgressAndStopsOnAbort) {
    TGIFImage gif;
    Load(gif, GifBuilder(4, 40).LiteralImage(0, 0, 4, 40, std::vector<int>(160, 1)).bytes());
    std::vector<std::pair<graphics::TProgressStage, int>> reports;
    bool abort = true;
    gif.SetOnProgress([&](core::TPersistent*, graphics::TProgressStage stage, uint8_t percent, bool,
                          const graphics::TRect&, const std::string& message) {
        EXPECT_EQ(message, "Rendering...");
        reports.push_back({stage, percent});
        if (abort && stage == graphics::TProgressStage::psRunning) throw core::EAbort();
    });
    EXPECT_EQ(gif.FrameBitmap(0), nullptr);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[2], std::make_pair(graphics::TProgressStage::psEnding, 0));

    abort = false;
    reports.clear();
    graphics::TBitmap* bitmap = gif.FrameBitmap(0);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 4);
    EXPECT_EQ(bitmap->Height(), 40);
    // Start, rows 0 and 32, end.
    ASSERT_EQ(reports.size(), 4u);
    EXPECT_EQ(reports[0].first, graphics::TProgressStage::psStarting);
    EXPECT_EQ(reports[2], std::make_pair(graphics::TProgressStage::psRunning, 80));
    EXPECT_EQ(reports[3], std::make_pair(graphics::TProgressStage::psEnding, 100));
    reports.clear();
    EXPECT_EQ(gif.FrameBitmap(0), bitmap);  // kept
    EXPECT_TRUE(reports.empty());
}

TEST_F(GIFImageContent, LoadsThroughThePictureAndSavesWhatItLoaded) {
    RegisterGIFImage();
    EXPECT_EQ(graphics::TPicture::FindClassByExtension("gif"), &TGIFImage::ClassType());
    EXPECT_EQ(graphics::TPicture::FindClassByExtension("GIF"), &TGIFImage::ClassType());
    bool listed = false;
    for (const auto& format : graphics::TFileFormatsList::Instance().Entries())
        if (format.graphicClass == &TGIFImage::ClassType())
            listed = format.extension == "gif" && format.description == "GIF Image";
    EXPECT_TRUE(listed);
    EXPECT_EQ(graphics::TClipboardFormats::Instance().FindFormat(GIFClipboardFormat()),
              &TGIFImage::ClassType());

    const std::string file = std::string(TEMBRIN_TEST_DATA) + "/gif/corpus/pil_animated.gif";
    graphics::TPicture picture;
    picture.LoadFile(file);
    auto* gif = dynamic_cast<TGIFImage*>(picture.Graphic());
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(picture.Width(), 48);
    EXPECT_EQ(gif->FrameCount(), 4);

    core::TMemoryStream original;
    original.LoadFromFile(file);
    core::TMemoryStream saved;
    gif->SaveToStream(saved);
    EXPECT_EQ(saved.Bytes(), original.Bytes());
    TGIFImage copy;
    copy.CopyFrom(gif);
    EXPECT_EQ(copy.FrameCount(), 4);
    EXPECT_EQ(copy.Images(3).Pixels().size(), gif->Images(3).Pixels().size());
    graphics::TBitmap bitmap;
    EXPECT_THROW(copy.CopyFrom(&bitmap), core::EConvertError);
    EXPECT_EQ(copy.FrameCount(), 4);
    copy.CopyFrom(nullptr);
    EXPECT_TRUE(copy.IsEmpty());

    UnregisterGIFImage();
    EXPECT_EQ(graphics::TPicture::FindClassByExtension("gif"), nullptr);
    EXPECT_EQ(graphics::TClipboardFormats::Instance().FindFormat(GIFClipboardFormat()), nullptr);
}

TEST_F(GIFImageContent, FailedLoadMovesTheStreamBack) {
    TGIFImage gif;
    Bytes bytes = {'x', 'x'};
    Bytes broken =
        GifBuilder(2, 2).LiteralImage(0, 0, 2, 2, {1, 1, 1, 1}).Raw({0x21, 0x42, 0}).bytes();
    bytes.insert(bytes.end(), broken.begin(), broken.end());
    core::TBytesStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(2);
    EXPECT_THROW(gif.LoadFromStream(stream), GIFException);
    EXPECT_EQ(stream.Position(), 2);
    // The frame read before the error stays, and can be drawn.
    ASSERT_EQ(gif.FrameCount(), 1);
    EXPECT_NE(gif.FrameBitmap(0), nullptr);
}

TEST_F(GIFImage, DrawingThroughTheMaskLeavesACopyOfTheTargetAlone) {
    TGIFImage gif;
    Load(gif,
         GifBuilder(4, 4).GraphicControl(0x01, 0, 2).LiteralImage(0, 0, 4, 4, kPattern).bytes());
    auto target = Canvas(8, 8, graphics::clWhite);
    graphics::TBitmap copy;
    copy.CopyFrom(target.get());  // shares the image until one of them changes
    target->Canvas().DrawGraphic(Rect(0, 0, 8, 8), &gif);
    EXPECT_EQ(target->Canvas().ReadPixel(0, 0), GlobalColor(1));
    EXPECT_EQ(copy.Canvas().ReadPixel(0, 0), 0xFFFFFFu);
}

// Inputs that once broke the picture; each must load or fail cleanly, and render.
TEST_F(GIFImage, MalformedFilesLoadOrFailCleanly) {
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(TEMBRIN_TEST_DATA) + "/gif/malformed")) {
        SCOPED_TRACE(entry.path().filename().string());
        core::TMemoryStream stream;
        stream.LoadFromFile(entry.path().string());
        TGIFImage gif;
        try {
            gif.LoadFromStream(stream);
            EXPECT_LE(stream.Position(), stream.Size());
        } catch (const core::Exception&) {
            EXPECT_EQ(stream.Position(), 0);
        }
        auto target = Canvas(16, 16, graphics::clWhite);
        try {
            target->Canvas().DrawGraphic(Rect(0, 0, 16, 16), &gif);
        } catch (const core::Exception&) {
        }
        core::TMemoryStream saved;
        gif.SaveToStream(saved);
        EXPECT_LE(saved.Size(), stream.Size());
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST_F(GIFImage, TiledDrawingRepeatsTheScreenInsideTheRectangle) {
    TGIFImage gif;
    gif.SetDrawOptions(kDefaultDrawOptions | DrawTiled);
    Load(gif, GifBuilder(2, 2).LiteralImage(0, 0, 2, 2, {1, 3, 3, 2}).bytes());
    auto target = Canvas(8, 8, graphics::clRed);
    target->Canvas().DrawGraphic(Rect(1, 1, 6, 4), &gif);
    auto at = [&](int x, int y) { return target->Canvas().ReadPixel(x, y); };
    EXPECT_EQ(at(1, 1), GlobalColor(1));
    EXPECT_EQ(at(2, 1), GlobalColor(3));
    EXPECT_EQ(at(3, 1), GlobalColor(1));  // the next tile
    EXPECT_EQ(at(5, 3), GlobalColor(1));  // tile (2, 1), pixel (0, 0)
    EXPECT_EQ(at(4, 2), GlobalColor(2));  // tile (1, 0), pixel (1, 1)
    // Nothing outside the rectangle, though the last tiles reach beyond it.
    EXPECT_EQ(at(6, 1), 0x0000FFu);
    EXPECT_EQ(at(1, 4), 0x0000FFu);
    EXPECT_EQ(at(0, 0), 0x0000FFu);
}

TEST_F(GIFImageContent, LoadingReportsThroughTheGraphicsProgressEvent) {
    TGIFImage gif;
    std::vector<std::pair<graphics::TProgressStage, int>> reports;
    gif.SetOnProgress([&](core::TPersistent* sender, graphics::TProgressStage stage,
                          uint8_t percent, bool redraw, const graphics::TRect& rect,
                          const std::string& message) {
        EXPECT_EQ(sender, &gif);
        EXPECT_EQ(message, "Loading...");
        EXPECT_TRUE(rect.IsEmpty());
        EXPECT_EQ(redraw, stage == graphics::TProgressStage::psEnding);
        reports.push_back({stage, percent});
    });
    Load(gif, GifBuilder(2, 1).LiteralImage(0, 0, 2, 1, {1, 2}).Trailer().bytes());
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0], std::make_pair(graphics::TProgressStage::psStarting, 0));
    EXPECT_EQ(reports[1].first, graphics::TProgressStage::psRunning);
    EXPECT_EQ(reports[2], std::make_pair(graphics::TProgressStage::psEnding, 100));
}
