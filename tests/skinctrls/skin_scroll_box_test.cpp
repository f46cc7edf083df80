#include <gtest/gtest.h>

#include "platform/user/user.h"
#include "skin_fixture.h"
#include "skinctrls/skin_scroll_box.h"

namespace skinctrls {
namespace {

using graphics::TBitmap;
using testing::Pixel;

class SkinScrollBoxTest : public testing::SkinCtrlTest {
protected:
    void SetUp() override {
        SkinCtrlTest::SetUp();
        skin_.LoadEmbedded(form_);
        picture_.CopyFrom(&skin_.data->ActivePicture(4)->Bitmap());
    }
    testing::LoadedSkin skin_;
    TBitmap picture_;
};

TEST_F(SkinScrollBoxTest, WithoutBorderTheWholeBoxIsClientBoundOrNot) {
    auto* box = Add<TbsSkinScrollBox>(0, 0, 200, 100);
    box->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    EXPECT_EQ(box->ClientRect(), graphics::Rect(0, 0, 200, 100));
    box->SetSkinData(skin_.data);
    EXPECT_NE(box->SkinIndex(), -1);
    EXPECT_EQ(box->ClientRect(), graphics::Rect(0, 0, 200, 100));
}

TEST_F(SkinScrollBoxTest, TheBorderTakesTheSkinsFrameWidthsOrOnePixel) {
    auto* box = Add<TbsSkinScrollBox>(0, 0, 200, 100);
    EXPECT_EQ(box->ClientRect(), graphics::Rect(0, 0, 198, 98));  // plain 1-pixel bevel
    box->SetSkinData(skin_.data);
    // "scrollbox": 59 × 52 with client rect (1,1,58,51): one pixel on every side.
    EXPECT_EQ(box->BorderWidths(), graphics::Rect(1, 1, 1, 1));
    EXPECT_EQ(box->ClientRect(), graphics::Rect(0, 0, 198, 98));
    auto* child = Add<TbsSkinScrollBox>(0, 0, 10, 10, box);
    child->SetAlign(ui::TAlign::alClient);
    EXPECT_EQ(child->BoundsRect(), graphics::Rect(0, 0, 198, 98));
}

TEST_F(SkinScrollBoxTest, TheClientShowsItsColourOrTheTiledClientPiece) {
    auto* box = Add<TbsSkinScrollBox>(0, 0, 200, 100);
    box->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    box->SetColor(0x123456);
    TBitmap image;
    box->PaintTo(image);
    EXPECT_EQ(Pixel(image, 100, 50), 0x123456u);
    box->SetSkinData(skin_.data);
    box->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), Pixel(picture_, 142, 5));
    EXPECT_EQ(Pixel(image, 57, 50), Pixel(picture_, 142, 5));  // tiles of 57 × 50
}

TEST_F(SkinScrollBoxTest, AFocusableBoxTakesTheFocusOnAPress) {
    auto* box = Add<TbsSkinScrollBox>(0, 0, 200, 100);
    Press(*box, 10, 10);
    EXPECT_FALSE(box->Focused());
    box->SetCanFocused(true);
    Press(*box, 10, 10);
    EXPECT_TRUE(box->Focused());
}

}  // namespace
}  // namespace skinctrls
