#include "codecs/gif/gif_frame_dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "codecs/gif/gif_builder.h"
#include "codecs/gif/gif_data.h"
#include "core/exceptions.h"
#include "core/stream.h"
#include "platform/gdi/wintypes.h"

using namespace codecs::gif;
using gif_test::Bytes;
using gif_test::GifBuilder;

namespace {

std::unique_ptr<TGIFData> Load(const Bytes& bytes) {
    auto data = std::make_unique<TGIFData>();
    core::TBytesStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
    data->LoadFromStream(stream);
    return data;
}

struct Dib {
    platform::BITMAPFILEHEADER file;
    platform::BITMAPINFOHEADER info;
    const uint8_t* colors;
    const uint8_t* bits;
};

Dib Parse(const TGIFFrameDIB& dib) {
    Dib out{};
    std::memcpy(&out.file, dib.file.data(), sizeof out.file);
    std::memcpy(&out.info, dib.file.data() + sizeof out.file, sizeof out.info);
    out.colors = dib.file.data() + sizeof out.file + sizeof out.info;
    const uint32_t offset = out.file.bfOffBits;
    out.bits = dib.file.data() + offset;
    return out;
}

// The colour index at (x, y) counted from the top of the frame.
int Pixel(const Dib& dib, int x, int y) {
    const size_t stride = DIBStride(dib.info.biWidth);
    return dib.bits[static_cast<size_t>(dib.info.biHeight - 1 - y) * stride + x];
}

// Undithered frames are given their palette's colours; here that of their active map.
std::span<const TGIFColor> ActiveColors(const TGIFSubImage& frame) {
    const TGIFColorMap& map = frame.ActiveColorMap();
    return {map.Entries(), static_cast<size_t>(map.Count())};
}

bool MaskBit(const TGIFFrameDIB& dib, int width, int x, int y) {
    return (dib.maskBits[MaskStride(width) * y + x / 8] >> (7 - x % 8)) & 1;
}

}  // namespace

TEST(GIFFrameDIB, EightBitBottomUpImageWithTheFramesColours) {
    auto data =
        Load(GifBuilder(5, 2).LiteralImage(0, 0, 5, 2, {0, 1, 2, 3, 1, 3, 3, 2, 1, 0}).bytes());
    std::vector<int> rows;
    TGIFFrameDIB dib = BuildFrameDIB(data->Images(0), ActiveColors(data->Images(0)), false, true,
                                     [&](int row, int) { rows.push_back(row); });
    Dib parsed = Parse(dib);
    // Copied out of the packed header before comparing.
    const uint32_t fileSize = parsed.file.bfSize;
    const uint32_t offset = parsed.file.bfOffBits;
    const uint16_t type = parsed.file.bfType;
    EXPECT_EQ(type, 0x4D42);
    EXPECT_EQ(fileSize, dib.file.size());
    EXPECT_EQ(offset, 14u + 40u + 1024u);
    EXPECT_EQ(parsed.info.biWidth, 5);
    EXPECT_EQ(parsed.info.biHeight, 2);
    EXPECT_EQ(parsed.info.biBitCount, 8);
    EXPECT_EQ(parsed.info.biClrUsed, 256u);
    EXPECT_EQ(parsed.info.biClrImportant, 4u);
    EXPECT_EQ(dib.file.size(), 14u + 40u + 1024u + 2 * 8);  // rows padded to 4 bytes
    // Colour 3 of the global table is (30, 60, 90), stored blue first.
    EXPECT_EQ(parsed.colors[12], 90);
    EXPECT_EQ(parsed.colors[13], 60);
    EXPECT_EQ(parsed.colors[14], 30);
    EXPECT_EQ(parsed.colors[size_t{4} * 200], 0);
    EXPECT_EQ(Pixel(parsed, 0, 0), 0);
    EXPECT_EQ(Pixel(parsed, 4, 0), 1);
    EXPECT_EQ(Pixel(parsed, 1, 1), 3);
    EXPECT_EQ(rows, (std::vector<int>{0}));
    EXPECT_TRUE(dib.maskBits.empty());  // not transparent
    EXPECT_FALSE(dib.anyTransparent);
}

TEST(GIFFrameDIB, MaskMarksTheTransparentIndexWithRowsOfSixteenBits) {
    std::vector<int> pixels(size_t{18} * 2, 1);
    pixels[0] = 2;
    pixels[17] = 2;
    pixels[18 + 9] = 2;
    auto data = Load(
        GifBuilder(18, 2).GraphicControl(0x01, 0, 2).LiteralImage(0, 0, 18, 2, pixels).bytes());
    TGIFFrameDIB dib =
        BuildFrameDIB(data->Images(0), ActiveColors(data->Images(0)), false, true, nullptr);
    ASSERT_TRUE(dib.anyTransparent);
    ASSERT_EQ(dib.maskBits.size(), 2u * 4u);
    EXPECT_EQ(dib.maskBits[0], 0x80);
    EXPECT_EQ(dib.maskBits[2], 0x40);      // column 17
    EXPECT_EQ(dib.maskBits[4 + 1], 0x40);  // row 1, column 9
    int set = 0;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 18; ++x) set += MaskBit(dib, 18, x, y);
    EXPECT_EQ(set, 3);

    // A transparent frame none of whose pixels uses the transparent index gets no mask.
    auto opaque =
        Load(GifBuilder(2, 1).GraphicControl(0x01, 0, 3).LiteralImage(0, 0, 2, 1, {1, 2}).bytes());
    TGIFFrameDIB none =
        BuildFrameDIB(opaque->Images(0), ActiveColors(opaque->Images(0)), false, true, nullptr);
    EXPECT_FALSE(none.anyTransparent);
    EXPECT_TRUE(none.maskBits.empty());
    // Nor when the mask is not wanted.
    EXPECT_FALSE(
        BuildFrameDIB(data->Images(0), ActiveColors(data->Images(0)), false, false, nullptr)
            .anyTransparent);
}

TEST(GIFFrameDIB, DitheringUsesTheFixedPaletteAndDiffusesTheError) {
    // Global colours: entry i = (10i, 20i, 30i). Colour 1, (10, 20, 30), lies between the
    // palette's levels 0 and 51 in every channel.
    auto frame =
        Load(GifBuilder(32, 32).LiteralImage(0, 0, 32, 32, std::vector<int>(1024, 1)).bytes());
    TGIFFrameDIB dib = BuildFrameDIB(frame->Images(0), {}, true, true, nullptr);
    Dib parsed = Parse(dib);
    EXPECT_EQ(parsed.info.biClrImportant, 216u);
    // Palette entry r*36 + g*6 + b holds (51r, 51g, 51b), stored blue first.
    EXPECT_EQ(parsed.colors[4 * 43 + 2], 51);  // 43 = 1*36 + 1*6 + 1
    EXPECT_EQ(parsed.colors[4 * 215 + 0], 255);
    EXPECT_EQ(parsed.colors[4 * 216 + 0], 0);
    // The mean of the colours written approaches the source colour.
    double sum[3] = {0, 0, 0};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int index = Pixel(parsed, x, y);
            ASSERT_LT(index, 216);
            const int red = index / 36, green = index / 6 % 6, blue = index % 6;  // cube levels
            sum[0] += red * 51;
            sum[1] += green * 51;
            sum[2] += blue * 51;
        }
    // (Errors that run off the edges are lost, so the mean falls a little short.)
    EXPECT_NEAR(sum[0] / 1024, 10, 2);
    EXPECT_NEAR(sum[1] / 1024, 20, 2);
    EXPECT_NEAR(sum[2] / 1024, 30, 2);
}

TEST(GIFFrameDIB, DitheringRunsRowsInAlternateDirections) {
    // Colour 3 = (30, 60, 90) everywhere. Worked by hand from the diffusion rule: row 0 runs
    // left to right, row 1 right to left, so the rows come out as mirror images but for the
    // error row 1 takes from row 0.
    auto frame = Load(GifBuilder(6, 2).LiteralImage(0, 0, 6, 2, std::vector<int>(12, 3)).bytes());
    TGIFFrameDIB dib = BuildFrameDIB(frame->Images(0), {}, true, false, nullptr);
    Dib parsed = Parse(dib);
    std::vector<int> rows[2];
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x) rows[y].push_back(Pixel(parsed, x, y));
    EXPECT_EQ(rows[0], (std::vector<int>{7, 8, 43, 8, 7, 44}));
    EXPECT_EQ(rows[1], (std::vector<int>{44, 44, 8, 44, 44, 7}));
}

TEST(GIFFrameDIB, TransparentPixelsAreNotDithered) {
    std::vector<int> pixels = {2, 3, 3, 2, 3, 3};
    auto frame =
        Load(GifBuilder(3, 2).GraphicControl(0x01, 0, 2).LiteralImage(0, 0, 3, 2, pixels).bytes());
    TGIFFrameDIB dib = BuildFrameDIB(frame->Images(0), {}, true, true, nullptr);
    ASSERT_TRUE(dib.anyTransparent);
    EXPECT_TRUE(MaskBit(dib, 3, 0, 0));
    EXPECT_FALSE(MaskBit(dib, 3, 1, 0));
    EXPECT_TRUE(MaskBit(dib, 3, 0, 1));
    EXPECT_FALSE(MaskBit(dib, 3, 2, 1));
    Dib parsed = Parse(dib);
    // No error reaches pixel 1 from the transparent pixel before it: (30, 60, 90) alone gives
    // levels (0, 1, 1).
    EXPECT_EQ(Pixel(parsed, 1, 0), 0 * 36 + 1 * 6 + 1);
    EXPECT_EQ(Pixel(parsed, 1, 1), 44);
}

TEST(GIFFrameDIB, EmptyColourTableCannotBeDithered) {
    auto frame = Load(GifBuilder(2, 1, 0, false).LiteralImage(0, 0, 2, 1, {1, 0}).bytes());
    try {
        BuildFrameDIB(frame->Images(0), {}, true, false, nullptr);
        FAIL() << "no error";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message(), "Color table is empty");
    }
    // Without dithering the indices are copied as they are.
    TGIFFrameDIB dib =
        BuildFrameDIB(frame->Images(0), ActiveColors(frame->Images(0)), false, false, nullptr);
    EXPECT_EQ(Pixel(Parse(dib), 0, 0), 1);
}
