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

class ScrollBoxBarsTest : public testing::SkinCtrlTest {
  protected:
    void SetUp() override {
        SkinCtrlTest::SetUp();
        box_ = Add<TbsSkinScrollBox>(0, 0, 200, 100);
        box_->SetBorderStyle(TbsSkinBorderStyle::bvNone);
        content_ = Add<TbsSkinScrollBox>(0, 0, 50, 300, box_);
        bar_ = Add<TbsSkinScrollBar>(210, 0, 19, 100);
        bar_->SetKind(TScrollBarKind::sbVertical);
    }
    TbsSkinScrollBox* box_ = nullptr;
    TbsSkinScrollBox* content_ = nullptr;
    TbsSkinScrollBar* bar_ = nullptr;
};

TEST_F(ScrollBoxBarsTest, AnAttachedBarCoversTheContentAndScrollsIt) {
    box_->SetVScrollBar(bar_);
    EXPECT_TRUE(bar_->Visible());
    EXPECT_FALSE(bar_->CanFocused());
    EXPECT_EQ(bar_->Max(), 299);
    EXPECT_EQ(bar_->PageSize(), 100);
    bar_->SetPosition(50);
    EXPECT_EQ(content_->Top(), -50);
    bar_->SetPosition(30);
    EXPECT_EQ(content_->Top(), -30);
}

TEST_F(ScrollBoxBarsTest, ContentThatFitsScrollsBackAndHidesTheBar) {
    box_->SetVScrollBar(bar_);
    bar_->SetPosition(50);
    content_->SetBounds(0, -50, 50, 80);
    box_->UpdateScrollBars();
    EXPECT_FALSE(bar_->Visible());
    EXPECT_EQ(content_->Top(), 0);
    EXPECT_EQ(bar_->Max(), 0);
}

TEST_F(ScrollBoxBarsTest, ShrinkingContentOrAGrowingBoxScrollsBackByWhatIsFree) {
    box_->SetVScrollBar(bar_);
    bar_->SetPosition(50);
    // The content now ends at 70 of a 100-pixel view, with 50 scrolled off above.
    content_->SetBounds(0, -50, 50, 120);
    box_->UpdateScrollBars();
    EXPECT_TRUE(bar_->Visible());
    EXPECT_EQ(content_->Top(), -20);
    EXPECT_EQ(bar_->Position(), 20);
    // A box 15 pixels higher shows 15 more of the content above.
    content_->SetBounds(0, -20, 50, 120);  // ends at 100, 20 scrolled off
    box_->SetBounds(0, 0, 200, 115);
    EXPECT_EQ(content_->Top(), -5);
    EXPECT_EQ(bar_->Position(), 5);
}

TEST_F(ScrollBoxBarsTest, TheBoxForgetsARemovedBarAndHidesItsBarsWithItself) {
    box_->SetVScrollBar(bar_);
    box_->Hide();
    EXPECT_FALSE(bar_->Visible());
    delete bar_;
    EXPECT_EQ(box_->VScrollBar(), nullptr);
    box_->Show();
}

}  // namespace
}  // namespace skinctrls
