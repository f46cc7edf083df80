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

}  // namespace
}  // namespace skinctrls
