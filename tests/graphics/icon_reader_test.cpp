#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/icon.h"
#include "graphics/icon_choice.h"
#include "support/bmp_builder.h"
#include "support/gdi_leak_check.h"

using namespace graphics;
using testing_support::IcoImage;
using testing_support::MakeIco;

namespace {

class IconReaderTest : public testing_support::NoGdiLeaks {};

void Load(TIcon& icon, const std::vector<uint8_t>& bytes) {
    core::TMemoryStream stream(bytes);
    icon.LoadFromStream(stream);
}

IconEntry Entry(uint8_t size, uint16_t colors) {
    return {size, size, colors, 1, 8, 0, 0};
}

}  // namespace

TEST(IconChoice, PrefersTheWantedSizeThenTheMostColorsThenTheLastEntry) {
    // 16, 32 and 48 pixels, each in 16 and then 256 colours (a directory value of 0).
    std::vector<IconEntry> all = {Entry(16, 16), Entry(16, 0),  Entry(32, 16),
                                  Entry(32, 0),  Entry(48, 16), Entry(48, 0)};
    EXPECT_EQ(ChooseIconEntry(all.data(), 6, {32, 32}, INT32_MAX), 3);
    EXPECT_EQ(ChooseIconEntry(all.data(), 6, {48, 48}, INT32_MAX), 5);
    // A 16-colour display cannot take the unlimited ones.
    EXPECT_EQ(ChooseIconEntry(all.data(), 6, {32, 32}, 16), 2);
    // The exact size stays ahead of a smaller image with more colours.
    std::vector<IconEntry> two = {Entry(32, 16), Entry(16, 0)};
    EXPECT_EQ(ChooseIconEntry(two.data(), 2, {32, 32}, INT32_MAX), 0);
    // A larger image never replaces a smaller one at the same distance.
    std::vector<IconEntry> around = {Entry(16, 16), Entry(48, 16)};
    EXPECT_EQ(ChooseIconEntry(around.data(), 2, {32, 32}, INT32_MAX), 0);
    std::vector<IconEntry> larger = {Entry(48, 16), Entry(16, 16)};
    EXPECT_EQ(ChooseIconEntry(larger.data(), 2, {32, 32}, INT32_MAX), 1);
}

TEST_F(IconReaderTest, SizeIsTheSystemSizeUntilDecoded) {
    TIcon icon;
    Load(icon, MakeIco({{16, 16, 0, 24, 0x0000FF}}));
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_FALSE(icon.IsEmpty());
    ASSERT_NE(icon.IconHandle(), nullptr);
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.Height(), 16);
}

TEST_F(IconReaderTest, DecodesColorsAndMaskOfTheChosenImage) {
    TIcon icon;
    // Entry 1 (32 x 32, index 7 = blue 7, green 0x40, red 248) is the one chosen.
    Load(icon, MakeIco({{16, 16, 16, 4, 3}, {32, 32, 0, 8, 7, true}}));
    TBitmap target;
    target.SetWidth(40);
    target.SetHeight(40);
    target.Canvas().DrawGraphic(Rect(0, 0, 40, 40), &icon);
    EXPECT_EQ(icon.Width(), 32);
    // The left half is transparent, but its colour pixels are not black: the screen there is
    // inverted by them (AND with the mask, then XOR with the colour), as on Windows.
    EXPECT_EQ(target.Canvas().ReadPixel(5, 5), 0xFFFFFFu ^ 0x0740F8u);
    EXPECT_EQ(target.Canvas().ReadPixel(20, 5), 0x0740F8u);   // BGR 07 40 F8
    EXPECT_EQ(target.Canvas().ReadPixel(20, 35), 0xFFFFFFu);  // below the icon
}

TEST_F(IconReaderTest, SavingWritesTheLoadedBytesUnchanged) {
    std::vector<uint8_t> file = MakeIco({{16, 16, 0, 24, 0x123456}});
    TIcon icon;
    Load(icon, file);
    icon.IconHandle();
    core::TMemoryStream saved;
    icon.SaveToStream(saved);
    EXPECT_EQ(saved.Bytes(), file);
}

TEST_F(IconReaderTest, TypeZeroIsTheStockIconAndOtherTypesAreRejected) {
    TIcon stock;
    Load(stock, MakeIco({}, 0));
    EXPECT_EQ(stock.IconHandle(), platform::LoadIcon(nullptr, platform::IDI_APPLICATION));
    TIcon cursor;
    try {
        Load(cursor, MakeIco({{16, 16, 0, 24, 0}}, 2));
        FAIL();
    } catch (const core::EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Icon image is not valid");
    }
    EXPECT_TRUE(cursor.IsEmpty());
}

TEST_F(IconReaderTest, MalformedDirectoriesAndImagesAreRejected) {
    TIcon none;
    EXPECT_THROW(Load(none, MakeIco({})), core::EInvalidGraphic);  // type 1, no entry
    TIcon truncated;
    EXPECT_THROW(Load(truncated, {0, 0, 1}), core::EReadError);

    // An image whose byte count is too small for its rows.
    std::vector<uint8_t> file = MakeIco({{16, 16, 0, 24, 0}});
    file[14] = 60;
    file[15] = file[16] = file[17] = 0;
    TIcon small;
    Load(small, file);
    EXPECT_THROW(small.IconHandle(), core::EInvalidGraphic);

    // An offset beyond the file.
    file = MakeIco({{16, 16, 0, 24, 0}});
    file[18] = 0xFF;
    file[19] = 0xFF;
    TIcon far;
    Load(far, file);
    EXPECT_THROW(far.IconHandle(), core::EReadError);

    // PNG data inside an entry.
    file = MakeIco({{16, 16, 0, 24, 0}});
    file[22] = 0x89;
    file[23] = 'P';
    file[24] = 'N';
    file[25] = 'G';
    TIcon png;
    Load(png, file);
    EXPECT_THROW(png.IconHandle(), core::EInvalidGraphic);
}
