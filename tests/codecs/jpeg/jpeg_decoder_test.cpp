// The decoder under the JPEG picture: header reading, decoding into a pixel buffer, the data
// source, error conversion and progress, all against files made by the library's compressor.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <jerror.h>

#include "codecs/jpeg/jpeg_decoder.h"
#include "codecs/jpeg/jpeg_error.h"
#include "codecs/jpeg/jpeg_pixel_buffer.h"
#include "codecs/jpeg/jpeg_samples.h"
#include "codecs/jpeg/jpeg_source.h"
#include "core/exceptions.h"

namespace codecs {
namespace {

using testing::Bands;
using testing::Gradient;
using testing::MakeJpeg;
using testing::Rgb;
using testing::SampleOptions;

core::TMemoryStream StreamOf(std::vector<uint8_t> bytes) {
    return core::TMemoryStream(std::move(bytes));
}

int CodeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Message(), "JPEG error #" + std::to_string(e.MessageCode()));
        return e.MessageCode();
    }
    return -1;
}

JpegPixelBuffer Decode(std::vector<uint8_t> bytes, const JpegSettings& settings = {}) {
    core::TMemoryStream data = StreamOf(std::move(bytes));
    JpegPixelBuffer buffer;
    bool paletteModified = false;
    JpegDecoder(data, settings).DecodeInto(buffer, paletteModified);
    return buffer;
}

TEST(JpegHeader, ReportsSizeColourAndScansWithoutDecoding) {
    SampleOptions options{.width = 640, .height = 480};
    core::TMemoryStream colour = StreamOf(MakeJpeg(options, Gradient));
    JpegHeader header = ReadJpegHeader(colour);
    EXPECT_EQ(header.width, 640);
    EXPECT_EQ(header.height, 480);
    EXPECT_FALSE(header.grayscale);
    EXPECT_FALSE(header.progressive);

    options = {.width = 33, .height = 17, .grayscale = true, .progressive = true};
    core::TMemoryStream gray = StreamOf(MakeJpeg(options, Gradient));
    header = ReadJpegHeader(gray);
    EXPECT_EQ(header.width, 33);
    EXPECT_EQ(header.height, 17);
    EXPECT_TRUE(header.grayscale);
    EXPECT_TRUE(header.progressive);
}

TEST(JpegHeader, LibraryErrorsBecomeExceptionsWithTheirCode) {
    core::TMemoryStream notJpeg = StreamOf({'B', 'M', 0x10, 0x20, 0x30});
    EXPECT_EQ(CodeOf([&] { ReadJpegHeader(notJpeg); }), JERR_NO_SOI);
    EXPECT_EQ(JERR_NO_SOI, 53);

    core::TMemoryStream empty;
    EXPECT_EQ(CodeOf([&] { ReadJpegHeader(empty); }), JERR_INPUT_EMPTY);
    EXPECT_EQ(JERR_INPUT_EMPTY, 42);

    // A start-of-image marker and nothing else: the header never comes, the supplied end
    // marker arrives instead, and the library reports that no image was found.
    core::TMemoryStream onlyStart = StreamOf({0xFF, 0xD8});
    EXPECT_EQ(CodeOf([&] { ReadJpegHeader(onlyStart); }), JERR_NO_IMAGE);
}

// Decodes `bytes` from a memory stream (read in place) and from a read-only byte stream (read
// through the source's buffer); both must give the same rows.
void ExpectBothSourcesAgree(const std::vector<uint8_t>& bytes) {
    core::TMemoryStream memory(bytes);
    core::TBytesStream streamed(bytes.data(), static_cast<int64_t>(bytes.size()));
    JpegPixelBuffer inPlace, buffered;
    bool paletteModified = false;
    JpegDecoder(memory, {}).DecodeInto(inPlace, paletteModified);
    JpegDecoder(streamed, {}).DecodeInto(buffered, paletteModified);
    ASSERT_EQ(inPlace.Height(), buffered.Height());
    ASSERT_EQ(inPlace.Stride(), buffered.Stride());
    for (int32_t y = 0; y < inPlace.Height(); ++y)
        ASSERT_EQ(
            std::memcmp(inPlace.Row(y), buffered.Row(y), static_cast<size_t>(inPlace.Stride())), 0)
            << "row " << y;
}

TEST(JpegDecode, MemoryStreamsReadInPlaceDecodeAsStreamsReadThroughTheBuffer) {
    SampleOptions options{.width = 320, .height = 200, .quality = 90};
    std::vector<uint8_t> whole = MakeJpeg(options, [](int x, int y) {
        Rgb c = Gradient(x, y);
        c.green = static_cast<uint8_t>(c.green ^ ((x * 31 + y * 17) & 0x3F));  // entropy data
        return c;
    });
    ASSERT_GT(whole.size(), 3u * JpegStreamSource::kBufferSize);  // several buffer fills
    ExpectBothSourcesAgree(whole);
    // Cut in the entropy data: both supply the end marker where the bytes run out.
    const auto third = static_cast<std::ptrdiff_t>(whole.size() / 3);
    ExpectBothSourcesAgree(std::vector<uint8_t>(whole.begin(), whole.begin() + third));

    std::vector<uint8_t> none;
    core::TBytesStream empty(none.data(), 0);
    EXPECT_EQ(CodeOf([&] { ReadJpegHeader(empty); }), JERR_INPUT_EMPTY);
}

TEST(JpegDecode, EightBitSettingQuantisesColourWithRedInTheRightPlace) {
    SampleOptions options{.width = 32, .height = 32};
    JpegSettings settings;
    settings.PixelFormat = jf8Bit;
    JpegPixelBuffer buffer =
        Decode(MakeJpeg(options, [](int x, int y) { return Bands(x, y, 32); }), settings);
    ASSERT_EQ(buffer.BitsPerPixel(), 8);
    ASSERT_FALSE(buffer.Palette().empty());
    EXPECT_LE(buffer.Palette().size(), 236u);
    const JpegPaletteEntry& red = buffer.Palette().at(buffer.Row(4)[16]);
    EXPECT_GT(red.red, 200);
    EXPECT_LT(red.blue, 60);
    const JpegPaletteEntry& blue = buffer.Palette().at(buffer.Row(20)[16]);
    EXPECT_GT(blue.blue, 200);
    EXPECT_LT(blue.red, 60);
}

TEST(JpegDecode, ScaleAndGrayscaleSettingsReachTheLibrary) {
    SampleOptions options{.width = 64, .height = 40};
    JpegSettings settings;
    settings.Scale = jsQuarter;
    settings.Grayscale = true;
    JpegPixelBuffer buffer = Decode(MakeJpeg(options, Gradient), settings);
    EXPECT_EQ(buffer.Width(), 16);
    EXPECT_EQ(buffer.Height(), 10);
    EXPECT_EQ(buffer.BitsPerPixel(), 8);
}

TEST(JpegDecode, ImagesAboveThePixelCapAreRejectedBeforeDecoding) {
    SampleOptions options{.width = 100, .height = 100};
    std::vector<uint8_t> bytes = MakeJpeg(options, Gradient);
    SetJpegMaxPixels(9999);
    JpegPixelBuffer buffer;
    EXPECT_EQ(CodeOf([&] { buffer = Decode(bytes); }), JERR_IMAGE_TOO_BIG);
    SetJpegMaxPixels(10000);
    EXPECT_EQ(Decode(bytes).Width(), 100);
    SetJpegMaxPixels(kDefaultJpegMaxPixels);
}

// A stream that fails once a given number of bytes has been read.
TEST(JpegDecode, FourComponentFilesFailInsteadOfOverrunningThreeByteRows) {
    SampleOptions options{.width = 16, .height = 16, .cmyk = true};
    std::vector<uint8_t> bytes = MakeJpeg(options, Gradient);
    core::TMemoryStream header = StreamOf(bytes);
    EXPECT_EQ(ReadJpegHeader(header).width, 16);  // loading still works
    JpegPixelBuffer buffer;
    EXPECT_EQ(CodeOf([&] { buffer = Decode(bytes); }), JERR_CONVERSION_NOTIMPL);
    JpegSettings eightBit;
    eightBit.PixelFormat = jf8Bit;
    EXPECT_EQ(CodeOf([&] { buffer = Decode(bytes, eightBit); }), JERR_CONVERSION_NOTIMPL);
}

class FailingStream : public core::TMemoryStream {
  public:
    FailingStream(std::vector<uint8_t> bytes, int64_t failAt)
        : core::TMemoryStream(std::move(bytes)), failAt_(failAt) {}
    int64_t Read(void* buffer, int64_t count) override {
        if (Position() + count > failAt_) {
            std::string detail(100, 'x');  // a heap object alive in this frame while throwing
            throw core::EReadError("Disk gone " + detail);
        }
        return core::TMemoryStream::Read(buffer, count);
    }

  private:
    int64_t failAt_;
};

TEST(JpegDecode, ExceptionsFromCallbacksCrossTheLibraryIntact) {
    // Under AddressSanitizer a skipped destructor or a leaked library object fails this test.
    SampleOptions options{.width = 300, .height = 300};
    std::vector<uint8_t> bytes = MakeJpeg(options, Gradient);
    ASSERT_GT(bytes.size(), 8192u);

    FailingStream stream(bytes, 5000);
    JpegPixelBuffer buffer;
    bool paletteModified = false;
    EXPECT_THROW(JpegDecoder(stream, {}).DecodeInto(buffer, paletteModified), core::EReadError);

    core::TMemoryStream data = StreamOf(bytes);
    JpegDecoder decoder(data, {});
    uint32_t clock = 0;
    decoder.SetProgress(
        [](JpegProgressStage stage, int, bool, const JpegProgressRect&, const std::string&) {
            if (stage == JpegProgressStage::Running) throw core::EConvertError("from handler");
        },
        [&clock] { return clock += 1000; });
    EXPECT_THROW(decoder.DecodeInto(buffer, paletteModified), core::EConvertError);
}

struct Report {
    JpegProgressStage stage;
    int percent;
    bool redraw;
    JpegProgressRect rect;
};

TEST(JpegDecode, ProgressRunsFromStartingThroughRunningToEnding) {
    SampleOptions options{.width = 400, .height = 400, .progressive = true};
    core::TMemoryStream data = StreamOf(MakeJpeg(options, Gradient));
    std::vector<Report> reports;
    uint32_t clock = 0;
    JpegDecoder decoder(data, {});
    decoder.SetProgress(
        [&](JpegProgressStage stage, int percent, bool redraw, const JpegProgressRect& rect,
            const std::string& message) {
            EXPECT_TRUE(message.empty());
            reports.push_back({stage, percent, redraw, rect});
        },
        [&clock] { return clock += 600; });
    JpegPixelBuffer buffer;
    bool paletteModified = false;
    decoder.DecodeInto(buffer, paletteModified);

    ASSERT_GE(reports.size(), 4u);
    EXPECT_EQ(reports.front().stage, JpegProgressStage::Starting);
    EXPECT_EQ(reports.front().percent, 0);
    EXPECT_EQ(reports.back().stage, JpegProgressStage::Ending);
    EXPECT_EQ(reports.back().percent, 100);
    int last = 0;
    for (size_t i = 1; i + 1 < reports.size(); ++i) {
        const Report& r = reports[i];
        EXPECT_EQ(r.stage, JpegProgressStage::Running);
        EXPECT_NE(r.percent, last) << "a report without a new whole percentage";
        EXPECT_GT(r.percent, 0);
        EXPECT_LE(r.percent, 100);
        EXPECT_EQ(r.redraw, r.rect.bottom - r.rect.top >= 4);
        EXPECT_EQ(r.rect.right, 400);
        last = r.percent;
    }
}

TEST(JpegDecode, AbortFromTheProgressHandlerKeepsThePartialImage) {
    SampleOptions options{.width = 200, .height = 800};
    core::TMemoryStream data = StreamOf(MakeJpeg(options, Gradient));
    std::vector<Report> reports;
    uint32_t clock = 0;
    JpegDecoder decoder(data, {});
    decoder.SetProgress(
        [&](JpegProgressStage stage, int percent, bool redraw, const JpegProgressRect& rect,
            const std::string&) {
            reports.push_back({stage, percent, redraw, rect});
            if (stage == JpegProgressStage::Running) throw core::EAbort();
        },
        [&clock] { return clock += 600; });
    JpegPixelBuffer buffer;
    bool paletteModified = false;
    EXPECT_NO_THROW(decoder.DecodeInto(buffer, paletteModified));
    EXPECT_EQ(buffer.Height(), 800);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[1].stage, JpegProgressStage::Running);
    EXPECT_EQ(reports[2].stage, JpegProgressStage::Ending);
    EXPECT_EQ(reports[2].percent, 0);
}

}  // namespace
}  // namespace codecs
