#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "skin_fixture.h"
#include "skinctrls/xform_button.h"

namespace skinctrls {
namespace {

using graphics::TBitmap;
using testing::FillBitmap;
using testing::Pixel;

class XFormButtonTest : public testing::SkinCtrlTest {
  protected:
    TbsSkinXFormButton* Button() {
        auto* b = Add<TbsSkinXFormButton>(10, 10, 73, 22);
        FillBitmap(normal_, 30, 12, [](int, int) -> uint32_t { return 0x00AA00; });
        FillBitmap(hot_, 30, 12, [](int, int) -> uint32_t { return 0x0000AA; });
        FillBitmap(down_, 30, 12, [](int, int) -> uint32_t { return 0xAA0000; });
        return b;
    }
    TBitmap normal_, hot_, down_;
};

TEST_F(XFormButtonTest, StartsUnfocusableWithTheSkinnedButtonsDefaults) {
    TbsSkinXFormButton* b = Button();
    EXPECT_FALSE(b->CanFocused());
    EXPECT_FALSE(b->TabStop());
    EXPECT_EQ(b->SkinDataName(), "button");
    EXPECT_EQ(b->DefActiveFontColor(), graphics::clBlack);
}

TEST_F(XFormButtonTest, UnboundItShowsItsOwnImagesAtTheirSize) {
    TbsSkinXFormButton* b = Button();
    b->SetDefImage(normal_);
    b->SetDefActiveImage(hot_);
    b->SetDefDownImage(down_);
    EXPECT_EQ(b->Width(), 30);
    EXPECT_EQ(b->Height(), 12);
    b->SetBounds(10, 10, 73, 22);
    EXPECT_EQ(b->Width(), 30);
    TBitmap image;
    b->PaintTo(image);
    EXPECT_EQ(Pixel(image, 3, 3), 0x00AA00u);
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    b->PaintTo(image);
    EXPECT_EQ(Pixel(image, 3, 3), 0x0000AAu);
    Press(*b, 3, 3);
    b->PaintTo(image);
    EXPECT_EQ(Pixel(image, 3, 3), 0xAA0000u);
    Release(*b, 3, 3);
}

TEST_F(XFormButtonTest, CaptionTakesTheColourOfTheState) {
    TbsSkinXFormButton* b = Button();
    b->SetDefImage(normal_);
    b->SetCaption("W");
    b->DefaultFont().SetColor(0x0000FF);
    b->SetDefActiveFontColor(0xFF00FF);
    b->SetDefDownFontColor(0xFFFF00);
    auto hasColour = [&](uint32_t colour) {
        TBitmap image;
        b->PaintTo(image);
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                if (Pixel(image, x, y) == colour) return true;
        return false;
    };
    EXPECT_TRUE(hasColour(0x0000FF));
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(hasColour(0xFF00FF));
    Press(*b, 3, 3);
    EXPECT_TRUE(hasColour(0xFFFF00));
    Release(*b, 3, 3);
}

TEST_F(XFormButtonTest, ItsMaskShapesTheUnboundButton) {
    TbsSkinXFormButton* b = Button();
    b->SetDefImage(normal_);
    TBitmap mask;
    FillBitmap(mask, 30, 12, [](int x, int) -> uint32_t { return x < 10 ? 0 : 0xFFFFFF; });
    b->SetDefMask(mask);
    ASSERT_NE(b->WindowRegion(), nullptr);
    EXPECT_TRUE(platform::PtInRegion(b->WindowRegion(), 9, 11));
    EXPECT_FALSE(platform::PtInRegion(b->WindowRegion(), 10, 0));
    b->SetDefMask(TBitmap());
    EXPECT_EQ(b->WindowRegion(), nullptr);
}

TEST_F(XFormButtonTest, BoundToTheSkinItIsAPlainSkinnedButton) {
    testing::LoadedSkin skin;
    skin.LoadEmbedded(form_);
    TbsSkinXFormButton* b = Button();
    b->SetDefImage(normal_);
    b->SetSkinData(skin.data);
    EXPECT_EQ(b->Height(), 22);
    b->SetBounds(10, 10, 73, 22);
    EXPECT_EQ(b->Width(), 73);
    TBitmap image;
    b->PaintTo(image);
    EXPECT_NE(Pixel(image, 3, 3), 0x00AA00u);
}

TEST_F(XFormButtonTest, AMaskGivenBeforeTheWindowOrTheImageShapesTheButtonOnceBothExist) {
    // Left of x = 10 the mask is black (inside); the rest is cut away.
    TBitmap mask;
    FillBitmap(mask, 30, 12, [](int x, int) -> uint32_t { return x < 10 ? 0 : 0xFFFFFF; });
    FillBitmap(normal_, 30, 12, [](int, int) -> uint32_t { return 0x00AA00; });
    auto* imageFirst = ui::Make<TbsSkinXFormButton>(form_);
    imageFirst->SetDefImage(normal_);
    imageFirst->SetDefMask(mask);
    auto* maskFirst = ui::Make<TbsSkinXFormButton>(form_);
    maskFirst->SetDefMask(mask);
    maskFirst->SetDefImage(normal_);
    ASSERT_FALSE(imageFirst->HandleAllocated());
    imageFirst->SetParent(form_);
    imageFirst->SetBounds(10, 10, 30, 12);
    maskFirst->SetParent(form_);
    maskFirst->SetBounds(10, 40, 30, 12);
    TbsSkinXFormButton* shownMaskFirst = Button();
    shownMaskFirst->SetBounds(10, 70, 30, 12);
    Pump();
    ASSERT_TRUE(shownMaskFirst->HandleAllocated());
    shownMaskFirst->SetDefMask(mask);
    shownMaskFirst->SetDefImage(normal_);
    Pump();
    const uint32_t background = PixelOf(*form_, 200, 200);
    ASSERT_NE(background, 0x00AA00u);
    for (TbsSkinXFormButton* b : {imageFirst, maskFirst, shownMaskFirst}) {
        ASSERT_NE(b->WindowRegion(), nullptr);
        EXPECT_EQ(PixelOf(*b, 3, 3), 0x00AA00u);
        EXPECT_EQ(PixelOf(*b, 9, 11), 0x00AA00u);
        EXPECT_EQ(PixelOf(*b, 10, 3), background);
        EXPECT_EQ(PixelOf(*b, 25, 8), background);
    }
}

}  // namespace
}  // namespace skinctrls
