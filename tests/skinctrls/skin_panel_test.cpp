#include <gtest/gtest.h>

#include <algorithm>

#include "skin_fixture.h"
#include "skinctrls/skin_panel.h"
#include "support/bitmap_differences.h"

namespace skinctrls {
namespace {

using graphics::TBitmap;
using testing::Pixel;
using testing_support::Differences;

// The program's skin: "panel" 59 × 52 at (141,4), client rect (2,2,57,50); "groupbox" 59 × 47
// at (352,75), client rect (1,15,58,46), caption rect (1,1,58,14), centred.
class SkinPanelTest : public testing::SkinCtrlTest {
  protected:
    void SetUp() override {
        SkinCtrlTest::SetUp();
        skin_.LoadEmbedded(form_);
        picture_.CopyFrom(&skin_.data->ActivePicture(4)->Bitmap());
    }
    template <typename T>
    T* Bound(int left, int top, int width, int height, ui::TWinControl* parent = nullptr) {
        T* c = Add<T>(left, top, width, height, parent);
        c->SetSkinData(skin_.data);
        return c;
    }
    testing::LoadedSkin skin_;
    TBitmap picture_;
};

TEST_F(SkinPanelTest, ChildrenAlignInsideTheSkinsClientRect) {
    auto* panel = Bound<TbsSkinPanel>(0, 0, 468, 121);
    EXPECT_EQ(panel->SkinLayoutMode(), TbsSkinLayoutMode::NinePart);
    EXPECT_EQ(panel->AlignmentArea(), graphics::Rect(2, 2, 466, 119));
    auto* box = Bound<TbsSkinGroupBox>(1, 1, 200, 119, panel);
    box->SetAlign(ui::TAlign::alLeft);
    EXPECT_EQ(box->BoundsRect(), graphics::Rect(2, 2, 202, 119));
    // A panel without border, caption or background picture is client area all over.
    panel->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    EXPECT_EQ(panel->AlignmentArea(), graphics::Rect(0, 0, 468, 121));
}

TEST_F(SkinPanelTest, FrameIsCopiedAndTheClientPieceTiled) {
    auto* panel = Bound<TbsSkinPanel>(0, 0, 200, 80);
    TBitmap image;
    panel->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), Pixel(picture_, 141, 4));
    EXPECT_EQ(Pixel(image, 199, 79), Pixel(picture_, 199, 55));
    EXPECT_EQ(Pixel(image, 2, 2), Pixel(picture_, 143, 6));
    EXPECT_EQ(Pixel(image, 57, 2), Pixel(picture_, 143, 6));   // next tile across
    EXPECT_EQ(Pixel(image, 60, 51), Pixel(picture_, 146, 7));  // next tile down
}

TEST_F(SkinPanelTest, OnTheScreenPanelsShowExactlyTheirOffScreenImage) {
    // The main window's panel and group box, painted as frame strips round a client piece
    // drawn straight on the screen.
    auto* panel = Bound<TbsSkinPanel>(0, 0, 468, 121);
    auto* box = Bound<TbsSkinGroupBox>(0, 130, 201, 119);
    box->SetCaption("Export preview");
    Pump();
    EXPECT_EQ(testing::ScreenDifferences(*host_, *panel), 0);
    EXPECT_EQ(testing::ScreenDifferences(*host_, *box), 0);
}

TEST_F(SkinPanelTest, GroupBoxCaptionIsCentredInTheWidenedCaptionRect) {
    auto* box = Bound<TbsSkinGroupBox>(0, 0, 200, 119);
    EXPECT_TRUE(box->CaptionMode());
    EXPECT_EQ(box->SkinCaptionRect(), graphics::Rect(1, 1, 199, 14));
    EXPECT_EQ(box->AlignmentArea(), graphics::Rect(1, 15, 199, 118));
    TBitmap plain;
    box->PaintTo(plain);
    box->SetCaption("Export");
    TBitmap captioned;
    box->PaintTo(captioned);
    TRect text = Differences(plain, captioned);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_GE(text.top, 1);
    EXPECT_LE(text.bottom, 14);
    EXPECT_LE(std::abs((text.left - 1) - (199 - text.right)), 2);
}

TEST_F(SkinPanelTest, ATransparentPanelWritesItsCaptionInTheLabelColour) {
    auto* box = Bound<TbsSkinGroupBox>(0, 0, 200, 119);
    box->SetCaption("HIH");
    auto blackPixels = [&] {
        TBitmap image;
        box->PaintTo(image);
        int count = 0;
        for (int y = 1; y < 14; ++y)
            for (int x = 1; x < 199; ++x) count += Pixel(image, x, y) == 0 ? 1 : 0;
        return count;
    };
    EXPECT_EQ(blackPixels(), 0);  // the group box's own colour 11168318
    box->SetTransparentMode(true);
    EXPECT_GT(blackPixels(), 0);  // "stdlabel" has colour 0
}

TEST_F(SkinPanelTest, APanelWithoutCaptionRectShowsNoCaption) {
    auto* panel = Bound<TbsSkinPanel>(0, 0, 200, 80);
    panel->SetCaptionMode(true);
    TBitmap plain;
    panel->PaintTo(plain);
    panel->SetCaption("Title");
    TBitmap captioned;
    panel->PaintTo(captioned);
    EXPECT_TRUE(Differences(plain, captioned).IsEmpty());
}

TEST_F(SkinPanelTest, UnboundPanelsDrawTheirBevelAndCaptionBar) {
    auto* panel = Add<TbsSkinPanel>(0, 0, 100, 60);
    const uint32_t face = graphics::ColorToRGB(graphics::clBtnFace);
    const uint32_t shadow = graphics::ColorToRGB(graphics::clBtnShadow);
    const uint32_t light = graphics::ColorToRGB(graphics::clBtnHighlight);
    TBitmap image;
    panel->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), shadow);
    EXPECT_EQ(Pixel(image, 99, 59), shadow);
    EXPECT_EQ(Pixel(image, 50, 30), face);
    EXPECT_EQ(panel->AlignmentArea(), graphics::Rect(1, 1, 99, 59));
    panel->SetBorderStyle(TbsSkinBorderStyle::bvRaised);
    panel->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), light);
    EXPECT_EQ(Pixel(image, 99, 59), shadow);
    panel->SetBorderStyle(TbsSkinBorderStyle::bvNone);
    panel->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), face);
    EXPECT_EQ(panel->AlignmentArea(), graphics::Rect(0, 0, 100, 60));
    panel->SetCaptionMode(true);
    EXPECT_EQ(panel->AlignmentArea(), graphics::Rect(0, 22, 100, 60));
}

TEST_F(SkinPanelTest, ClickingTheCaptionTogglesCheckAndRollUp) {
    auto* panel = Add<TbsSkinPanel>(0, 0, 100, 80);
    auto* child = Add<TbsSkinPanel>(10, 30, 20, 20, panel);
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    int checkedEvents = 0;
    panel->OnChecked = [&](ui::TComponent*) { ++checkedEvents; };
    Press(*panel, 50, 10);
    Release(*panel, 50, 10);
    EXPECT_TRUE(panel->Checked());
    EXPECT_EQ(checkedEvents, 1);
    Press(*panel, 50, 10);
    Release(*panel, 50, 10);
    EXPECT_FALSE(panel->Checked());
    EXPECT_FALSE(child->Enabled());  // the children follow the check mark
    Press(*panel, 50, 50);
    Release(*panel, 50, 50);  // below the caption: nothing
    EXPECT_FALSE(panel->Checked());

    panel->SetCheckedMode(false);
    panel->SetRollUpMode(true);
    Press(*panel, 50, 10);
    Release(*panel, 50, 10);
    EXPECT_TRUE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 23);
    EXPECT_EQ(panel->RealHeight(), 80);
    EXPECT_FALSE(child->Visible());
    panel->SetRollUpState(false);
    EXPECT_EQ(panel->Height(), 80);
    EXPECT_EQ(panel->RealHeight(), -1);
    EXPECT_TRUE(child->Visible());
}

TEST_F(SkinPanelTest, BoundToAnObjectOfAnotherKindItKeepsItsSizeAndPlainLook) {
    auto* panel = Add<TbsSkinPanel>(0, 0, 120, 80);
    panel->SetSkinDataName("stdlabel");  // a label object: no frame, no picture
    panel->SetSkinData(skin_.data);
    EXPECT_NE(panel->SkinIndex(), -1);
    EXPECT_EQ(panel->SkinLayoutMode(), TbsSkinLayoutMode::Fixed);
    EXPECT_EQ(panel->Width(), 120);
    EXPECT_EQ(panel->Height(), 80);
    TBitmap image;
    panel->PaintTo(image);
    EXPECT_EQ(Pixel(image, 60, 40), graphics::ColorToRGB(graphics::clBtnFace));
}

TEST_F(SkinPanelTest, SkinRectsMoveWithTheirCornerOrEdge) {
    auto* panel = Bound<TbsSkinPanel>(0, 0, 159, 72);  // 100 wider, 20 higher than the skin
    // Points: LT (8,8), RT (51,8), LB (8,44), RB (51,44).
    EXPECT_EQ(panel->RelocateRect(graphics::Rect(1, 1, 6, 6)), graphics::Rect(1, 1, 6, 6));
    EXPECT_EQ(panel->RelocateRect(graphics::Rect(52, 1, 57, 6)), graphics::Rect(152, 1, 157, 6));
    EXPECT_EQ(panel->RelocateRect(graphics::Rect(1, 45, 6, 50)), graphics::Rect(1, 65, 6, 70));
    EXPECT_EQ(panel->RelocateRect(graphics::Rect(52, 45, 57, 50)),
              graphics::Rect(152, 65, 157, 70));
    EXPECT_EQ(panel->RelocateRect(graphics::Rect(1, 1, 58, 6)), graphics::Rect(1, 1, 158, 6));
}

}  // namespace
}  // namespace skinctrls
