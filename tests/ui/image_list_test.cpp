// Image lists: cutting a strip into images of the list's size with a transparent colour, and
// drawing one by index as it is or in the disabled look.
#include <gtest/gtest.h>

#include <string>

#include "graphics/bitmap.h"
#include "graphics/color.h"
#include "platform/gdi/gdi.h"
#include "ui/image_list.h"
#include "ui/ui_fixture.h"

namespace ui {
namespace {

using graphics::TBitmap;

// The feature test skin's strip: three 8 x 8 images on magenta, each a square inset by one
// pixel (green, blue, yellow as 0xRRGGBB).
constexpr graphics::TColor kMagenta = 0xFF00FF;
constexpr uint32_t kSquares[] = {0x00C000, 0x0000C0, 0xC0C000};

std::string StripPath() {
    return std::string(TEMBRIN_TEST_DATA) + "/skin/features/images.bmp";
}

uint32_t Rgb(platform::COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class ImageListTest : public testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        list_ = Make<TCustomImageList>(nullptr);
        list_->SetWidth(8);
        list_->SetHeight(8);
        strip_.LoadFile(StripPath());
        // A white 20 x 20 canvas to draw on.
        target_.SetWidth(20);
        target_.SetHeight(20);
        target_.Canvas().Brush().SetColor(graphics::clWhite);
        target_.Canvas().FillRect(graphics::Rect(0, 0, 20, 20));
    }
    void TearDown() override {
        delete list_;
        UiTest::TearDown();
    }
    uint32_t At(int x, int y) { return Rgb(platform::GetPixel(target_.Canvas().Handle(), x, y)); }

    TCustomImageList* list_ = nullptr;
    TBitmap strip_;
    TBitmap target_;
};

TEST_F(ImageListTest, AStripIsCutIntoImagesOfTheListsWidth) {
    int changes = 0;
    list_->OnChange = [&](TComponent*) { ++changes; };
    EXPECT_EQ(list_->AddMasked(strip_, kMagenta), 0);
    EXPECT_EQ(list_->Count(), 3);
    // A second strip goes after the first.
    EXPECT_EQ(list_->AddMasked(strip_, kMagenta), 3);
    EXPECT_EQ(list_->Count(), 6);
    EXPECT_EQ(changes, 2);
    // A strip narrower than one image adds nothing.
    TBitmap narrow;
    narrow.SetWidth(7);
    narrow.SetHeight(8);
    EXPECT_EQ(list_->AddMasked(narrow, kMagenta), -1);
    EXPECT_EQ(list_->Count(), 6);
    // A new size empties the list; the same size keeps it.
    list_->SetHeight(8);
    EXPECT_EQ(list_->Count(), 6);
    list_->SetWidth(12);
    EXPECT_EQ(list_->Count(), 0);
    EXPECT_EQ(changes, 3);
    // A 24 pixel strip holds two whole 12 pixel images.
    EXPECT_EQ(list_->AddMasked(strip_, kMagenta), 0);
    EXPECT_EQ(list_->Count(), 2);
}

TEST_F(ImageListTest, AnImageIsDrawnAtAPointWithItsMaskColourLeftOut) {
    list_->AddMasked(strip_, kMagenta);
    for (int index = 0; index < 3; ++index) {
        target_.Canvas().FillRect(graphics::Rect(0, 0, 20, 20));
        list_->Draw(target_.Canvas(), 2, 3, index);
        // The magenta border stays transparent; the square is the image's own colour.
        EXPECT_EQ(At(2, 3), 0xFFFFFFu) << index;
        EXPECT_EQ(At(9, 10), 0xFFFFFFu) << index;
        EXPECT_EQ(At(3, 4), kSquares[index]) << index;
        EXPECT_EQ(At(8, 9), kSquares[index]) << index;
        EXPECT_EQ(At(10, 10), 0xFFFFFFu) << index;
    }
    // An index outside the list draws nothing.
    target_.Canvas().FillRect(graphics::Rect(0, 0, 20, 20));
    list_->Draw(target_.Canvas(), 2, 3, 3);
    list_->Draw(target_.Canvas(), 2, 3, -1);
    EXPECT_EQ(At(5, 6), 0xFFFFFFu);
}

TEST_F(ImageListTest, TheDisabledLookIsTheShapeEngravedInHighlightAndShadow) {
    list_->AddMasked(strip_, kMagenta);
    list_->Draw(target_.Canvas(), 2, 3, 1, false);
    const uint32_t shadow = Rgb(graphics::ColorToRGB(graphics::clBtnShadow));
    const uint32_t highlight = Rgb(graphics::ColorToRGB(graphics::clBtnHighlight));
    ASSERT_NE(shadow, 0xFFFFFFu);
    // The square in the shadow colour, its highlight showing one pixel right of and below it.
    EXPECT_EQ(At(3, 4), shadow);
    EXPECT_EQ(At(8, 9), shadow);
    EXPECT_EQ(At(9, 10), highlight);
    EXPECT_EQ(At(2, 3), 0xFFFFFFu);
    EXPECT_NE(At(5, 6), kSquares[1]);
}

TEST_F(ImageListTest, GetBitmapCopiesOneImage) {
    list_->AddMasked(strip_, kMagenta);
    TBitmap image;
    list_->GetBitmap(2, image);
    ASSERT_EQ(image.Width(), 8);
    EXPECT_EQ(Rgb(platform::GetPixel(image.Canvas().Handle(), 4, 4)), kSquares[2]);
    EXPECT_EQ(Rgb(platform::GetPixel(image.Canvas().Handle(), 0, 0)), 0xFF00FFu);
    EXPECT_TRUE(image.Transparent());
    list_->GetBitmap(7, image);
    EXPECT_TRUE(image.IsEmpty());
}

}  // namespace
}  // namespace ui
