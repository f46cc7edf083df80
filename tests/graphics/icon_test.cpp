#include <gtest/gtest.h>

#include <cstring>

#include "core/exceptions.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/icon.h"
#include "support/gdi_leak_check.h"

using namespace graphics;

namespace {

class IconTest : public testing_support::NoGdiLeaks {};

uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return U16(b, at) | uint32_t(U16(b, at + 2)) << 16;
}

// An icon whose colour image is `paint`ed on a white 32 x 32 bitmap and whose mask marks the
// pixels where `transparent` is true.
template <typename Paint, typename Transparent>
std::unique_ptr<TIcon> MakeIcon(Paint paint, Transparent transparent, int size = 32) {
    TBitmap color, mask;
    color.SetWidth(size);
    color.SetHeight(size);
    mask.SetWidth(size);
    mask.SetHeight(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // As in real icons, transparent pixels are black in the colour image.
            color.Canvas().WritePixel(x, y, transparent(x, y) ? clBlack : paint(x, y));
            mask.Canvas().WritePixel(x, y, transparent(x, y) ? clWhite : clBlack);
        }
    mask.SetMaskColor(clWhite);
    platform::ICONINFO info{};
    info.fIcon = 1;
    info.hbmMask = mask.MaskBitmapHandle();
    info.hbmColor = color.BitmapHandle();
    auto icon = std::make_unique<TIcon>();
    icon->AdoptHandle(platform::CreateIconIndirect(&info));
    return icon;
}

std::vector<uint8_t> Save(TIcon& icon) {
    core::TMemoryStream stream;
    icon.SaveToStream(stream);
    return stream.Bytes();
}

// The colour index of pixel (x, y) in a saved 32 x 32 icon (rows bottom-up).
int ColorIndex(const std::vector<uint8_t>& file, int x, int y) {
    uint8_t byte = file[126 + (31 - y) * 16 + x / 2];
    return (x % 2) ? (byte & 15) : (byte >> 4);
}

bool MaskBit(const std::vector<uint8_t>& file, int x, int y) {
    return (file[126 + 512 + (31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1;
}

uint32_t TableColor(const std::vector<uint8_t>& file, int index) {
    const uint8_t* e = &file[62 + index * 4];
    return uint32_t(e[2]) | uint32_t(e[1]) << 8 | uint32_t(e[0]) << 16;  // as a TColor
}

}  // namespace

TEST_F(IconTest, SavedIconHasTheExactOneImageLayout) {
    auto icon = MakeIcon([](int, int) { return clRed; }, [](int, int) { return false; });
    std::vector<uint8_t> file = Save(*icon);
    ASSERT_EQ(file.size(), 766u);
    const uint8_t header[] = {0, 0, 1, 0, 1, 0};
    EXPECT_EQ(std::memcmp(file.data(), header, 6), 0);
    const uint8_t entry[] = {0x20, 0x20, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(std::memcmp(file.data() + 6, entry, 8), 0);
    EXPECT_EQ(U32(file, 14), 744u);
    EXPECT_EQ(U32(file, 18), 22u);
    EXPECT_EQ(U32(file, 22), 40u);   // header size
    EXPECT_EQ(U32(file, 26), 32u);   // width
    EXPECT_EQ(U32(file, 30), 64u);   // height of both halves
    EXPECT_EQ(U16(file, 34), 1u);    // planes
    EXPECT_EQ(U16(file, 36), 4u);    // bits
    EXPECT_EQ(U32(file, 38), 0u);    // uncompressed
    EXPECT_EQ(U32(file, 42), 512u);  // colour pixels only
    EXPECT_EQ(U32(file, 54), 16u);   // colours used
    EXPECT_EQ(U32(file, 58), 0u);    // colours important
}

TEST_F(IconTest, BasicColorsRoundTripAndOthersMapToTheNearest) {
    const TColor basics[16] = {clBlack, clMaroon,  clGreen,  clOlive, clNavy, clPurple,
                               clTeal,  clGray,    clSilver, clRed,   clLime, clYellow,
                               clBlue,  clFuchsia, clAqua,   clWhite};
    auto icon = MakeIcon(
        [&](int x, int y) { return y < 16 ? basics[x / 2] : (x < 16 ? 0x0000F0 : 0x7F7F7F); },
        [](int, int) { return false; });
    std::vector<uint8_t> file = Save(*icon);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(TableColor(file, ColorIndex(file, i * 2, 0)), static_cast<uint32_t>(basics[i]))
            << i;
    EXPECT_EQ(TableColor(file, ColorIndex(file, 0, 20)), static_cast<uint32_t>(clRed));    // 0000F0
    EXPECT_EQ(TableColor(file, ColorIndex(file, 20, 20)), static_cast<uint32_t>(clGray));  // 7F7F7F
}

TEST_F(IconTest, MaskBitsMarkExactlyTheTransparentPixels) {
    auto transparent = [](int x, int y) { return (x + y) % 3 == 0; };
    auto icon = MakeIcon([](int, int) { return clBlack; }, transparent);
    std::vector<uint8_t> file = Save(*icon);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(MaskBit(file, x, y), transparent(x, y)) << x << "," << y;
}

TEST_F(IconTest, SavingTwiceWritesTheSameBytesAndCopiesShareTheImage) {
    auto icon = MakeIcon([](int x, int) { return x < 16 ? clBlue : clYellow; },
                         [](int, int) { return false; });
    std::vector<uint8_t> first = Save(*icon);
    EXPECT_EQ(Save(*icon), first);
    TIcon copy;
    copy.CopyFrom(icon.get());
    EXPECT_EQ(Save(copy), first);
    EXPECT_EQ(copy.IconHandle(), icon->IconHandle());
}

TEST_F(IconTest, DrawsAtItsOwnSizeAtTheTopLeftCorner) {
    auto icon = MakeIcon([](int, int) { return clRed; }, [](int x, int) { return x >= 8; }, 16);
    // A rectangle smaller than the icon does not shrink it: each draw goes to a fresh target,
    // so the second cannot pass on the first one's pixels.
    for (TRect rect : {Rect(4, 4, 40, 40), Rect(4, 4, 6, 6)}) {
        TBitmap target;
        target.SetWidth(40);
        target.SetHeight(40);
        target.Canvas().DrawGraphic(rect, icon.get());
        EXPECT_EQ(target.Canvas().ReadPixel(4, 4), 0x0000FFu) << rect.right;
        EXPECT_EQ(target.Canvas().ReadPixel(11, 19), 0x0000FFu) << rect.right;
        EXPECT_EQ(target.Canvas().ReadPixel(12, 12), 0xFFFFFFu) << rect.right;  // transparent half
        EXPECT_EQ(target.Canvas().ReadPixel(4, 20), 0xFFFFFFu) << rect.right;   // below the icon
        EXPECT_EQ(target.Canvas().ReadPixel(3, 3), 0xFFFFFFu) << rect.right;    // above and left
    }
}

TEST_F(IconTest, SizeAndFailures) {
    TIcon empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_TRUE(empty.Transparent());
    EXPECT_EQ(empty.Width(), 32);
    core::TMemoryStream out;
    try {
        empty.SaveToStream(out);
        FAIL();
    } catch (const core::EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Icon image is not valid");
    }
    empty.SetWidth(16);  // no handle yet: a request
    EXPECT_EQ(empty.RequestedSize().x, 16);

    auto icon = MakeIcon([](int, int) { return clRed; }, [](int, int) { return false; });
    EXPECT_EQ(icon->Width(), 32);
    EXPECT_EQ(icon->Height(), 32);
    try {
        icon->SetHeight(16);
        FAIL();
    } catch (const core::EInvalidGraphicOperation& e) {
        EXPECT_EQ(e.Message(), "Cannot change the size of an icon");
    }
    uint16_t format;
    uintptr_t data;
    platform::HPALETTE palette;
    EXPECT_THROW(icon->SaveClipboard(format, data, palette), core::EInvalidGraphicOperation);
    TBitmap bitmap;
    try {
        icon->CopyFrom(&bitmap);
        FAIL();
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TBitmap to a TIcon");
    }
}

TEST_F(IconTest, AnIconWithoutBitmapsCannotBeEncoded) {
    core::TMemoryStream out;
    try {
        EncodeIcon(out, nullptr);
        FAIL();
    } catch (const core::EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Bitmap image is not valid");
    }
    EXPECT_EQ(out.Size(), 0);
}

TEST(IconLayout, ScanlineBytesPadsToFourBytes) {
    EXPECT_EQ(ScanlineBytes(32, 4), 16u);
    EXPECT_EQ(ScanlineBytes(32, 1), 4u);
    EXPECT_EQ(ScanlineBytes(48, 4), 24u);
    EXPECT_EQ(ScanlineBytes(48, 1), 8u);
    EXPECT_EQ(ScanlineBytes(1, 24), 4u);
    EXPECT_EQ(ScanlineBytes(0, 8), 0u);
}
