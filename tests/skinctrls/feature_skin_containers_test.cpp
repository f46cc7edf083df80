// The panel and the scroll box on the feature test skin (tests/data/skin/features), on the
// screen: frame strips and client piece, the caption frame, roll-up by mouse with size
// constraints, auto size, and the scroll box's stretched client.
#include <gtest/gtest.h>

#include "skin/feature_skin.h"
#include "skin_fixture.h"
#include "skinctrls/skin_panel.h"
#include "skinctrls/skin_scroll_box.h"

namespace skinctrls {
namespace {

using namespace skin_test::features;
using graphics::TBitmap;

// The skin's "panel" is 40 × 40: caption band rows 0..16, client rect (4,16,36,36), points
// (8,20), (32,20), (8,32), (32,32), caption rect (4,2,36,14) left-aligned in white; its caption
// frame is 30 × 12 with 4-pixel ends and the text part from x = 4. "scrollbox" is 40 × 30 with
// an 8-pixel border and a stretched client piece of two 12-pixel halves.
class FeatureContainersTest : public FeatureSkinTest {
  protected:
    void SetUp() override {
        FeatureSkinTest::SetUp();
        LoadAndShow();
        form_->SetBounds(40, 40, 700, 500);
        Pump();
    }
    template <typename T>
    T* Bound(int left, int top, int width, int height, ui::TWinControl* parent = nullptr) {
        T* control = ui::Make<T>(form_);
        control->SetParent(parent != nullptr ? parent : form_);
        control->SetBounds(left, top, width, height);
        control->SetSkinData(skinData_);
        return control;
    }
    void ClickAt(ui::TControl& control, int x, int y) {
        const graphics::TPoint p = control.ClientToScreen({x, y});
        host_->Click(p.x, p.y);
        Pump();
    }
    // The form's own background, where no control lies.
    uint32_t FormPixel() {
        return PixelOf(*form_, form_->ClientWidth() - 5, form_->ClientHeight() - 5);
    }
};

TEST_F(FeatureContainersTest, PanelsDrawTheirFrameStripsAndClientPieceOnTheScreen) {
    auto* plain = Bound<TbsSkinPanel>(10, 10, 97, 61);
    auto* captioned = Bound<TbsSkinPanel>(120, 10, 333, 157);
    captioned->SetCaption("Strips");
    captioned->SetCaptionMode(true);
    captioned->SetCheckedMode(true);
    captioned->SetRollUpMode(true);
    Pump();
    // The client piece tiles from the client rect's corner: halves of 16, tiles of 32 x 20.
    EXPECT_EQ(PixelOf(*plain, 4, 16), kPanelClient[0]);
    EXPECT_EQ(PixelOf(*plain, 20, 16), kPanelClient[1]);
    EXPECT_EQ(PixelOf(*plain, 36, 36), kPanelClient[0]);
    EXPECT_EQ(PixelOf(*plain, 92, 56), kPanelClient[1]);
    // The strips: the side edges tile their marked row every 12 pixels, the corners stay.
    EXPECT_EQ(PixelOf(*plain, 0, 24), kPanelMark);
    EXPECT_EQ(PixelOf(*plain, 0, 36), kPanelMark);
    EXPECT_EQ(PixelOf(*plain, 0, 30), kPanelBorder);
    EXPECT_EQ(PixelOf(*plain, 96, 24), kPanelMark);
    EXPECT_EQ(PixelOf(*plain, 96, 60), kPanelBorder);
    EXPECT_EQ(PixelOf(*plain, 50, 8), kPanelTop);
    // The check mark and the roll-up marker's background in the caption band.
    EXPECT_EQ(PixelOf(*captioned, 8, 8), kUncheck);
    EXPECT_EQ(PixelOf(*captioned, 320, 3), kRollMark);  // right of the caption rect, less 12
    // What the screen shows is exactly the panel's image made off screen in one piece.
    Pump();
    EXPECT_EQ(testing::ScreenDifferences(*host_, *plain), 0);
    EXPECT_EQ(testing::ScreenDifferences(*host_, *captioned), 0);
    captioned->SetChecked(true);
    captioned->SetBounds(120, 10, 250, 93);
    Pump();
    EXPECT_EQ(PixelOf(*captioned, 8, 8), kCheck);
    EXPECT_EQ(testing::ScreenDifferences(*host_, *captioned), 0);
}

TEST_F(FeatureContainersTest, TheCaptionFrameStandsWhereTheTextWasAndTakesTheTextIn) {
    auto* panel = Bound<TbsSkinPanel>(10, 10, 200, 60);
    panel->SetCaption("Frame");
    Pump();
    // The text was placed at the caption rect's left (4): the frame starts there, its left
    // end four pixels wide, and the text starts inside it at the text part's left.
    EXPECT_EQ(PixelOf(*panel, 2, 8), kPanelTop);
    int leftEnd = 0;
    for (int y = 2; y < 14; ++y)
        for (int x = 4; x < 8; ++x) leftEnd += PixelOf(*panel, x, y) == kFrameEnd ? 1 : 0;
    EXPECT_EQ(leftEnd, 4 * 12);
    int text = 0, frameEnd = 0;
    for (int x = 8; x < 200 && PixelOf(*panel, x, 2) != kPanelTop; ++x) frameEnd = x;
    for (int y = 2; y < 14; ++y)
        for (int x = 8; x < frameEnd - 3; ++x) text += PixelOf(*panel, x, y) != kFrameMiddle;
    EXPECT_GT(text, 0);
    // The frame is as wide as the text plus its ends: its right end is the last 4 columns.
    EXPECT_EQ(PixelOf(*panel, frameEnd - 3, 2), kFrameEnd);
    EXPECT_EQ(PixelOf(*panel, frameEnd - 4, 2), kFrameMiddle);
    EXPECT_GT(frameEnd, 8 + 4);
}

TEST_F(FeatureContainersTest, RollingUpByMouseSetsTheConstraintsAsideUntilItUnrolls) {
    auto* panel = Bound<TbsSkinPanel>(10, 10, 200, 150);
    auto* child = Bound<TbsSkinPanel>(10, 30, 60, 60, panel);
    panel->SetCaption("Roll");
    panel->SetCaptionMode(true);
    panel->SetRollUpMode(true);
    panel->Constraints().SetMinHeight(100);
    Pump();
    const uint32_t below = PixelOf(*panel, 100, 60);
    EXPECT_EQ(below, kPanelClient[0]);  // 96 pixels into the tiles of 32
    ClickAt(*panel, 100, 8);
    ASSERT_TRUE(panel->RollUpState());
    // The caption alone: the height less the client rect's (150 - 130).
    EXPECT_EQ(panel->Height(), 20);
    EXPECT_TRUE(panel->Constraints().IsEmpty());
    EXPECT_FALSE(child->Visible());
    EXPECT_EQ(PixelOf(*panel, 100, 19), kPanelBorder);
    EXPECT_EQ(PixelOf(*panel, 100, 60), FormPixel());  // the form shows through
    ClickAt(*panel, 100, 8);
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 150);
    EXPECT_TRUE(child->Visible());
    EXPECT_EQ(PixelOf(*panel, 100, 60), kPanelClient[0]);
    EXPECT_EQ(panel->Constraints().MinHeight(), 100);
    panel->SetHeight(50);
    EXPECT_EQ(panel->Height(), 100);
}

TEST_F(FeatureContainersTest, AnAutoSizedPanelWrapsItsChildrenInItsFrame) {
    auto* panel = Bound<TbsSkinPanel>(10, 10, 300, 200);
    Bound<TbsSkinPanel>(4, 16, 50, 30, panel);
    panel->SetAutoSize(true);
    // The client rect (4,16)-(W-4,H-4) just holds the child.
    EXPECT_EQ(panel->BoundsRect(), graphics::Bounds(10, 10, 58, 50));
    Pump();
    EXPECT_EQ(PixelOf(*panel, 57, 24), kPanelMark);  // the right edge's marked row
    EXPECT_EQ(PixelOf(*panel, 30, 49), kPanelBorder);
    EXPECT_EQ(PixelOf(*panel, 30, 50), FormPixel());
}

TEST_F(FeatureContainersTest, TheScrollBoxStretchesItsClientPieceOverTheClientArea) {
    auto* box = Bound<TbsSkinScrollBox>(10, 10, 216, 116);
    Pump();
    ASSERT_EQ(box->ClientRect(), graphics::Rect(0, 0, 200, 100));
    EXPECT_EQ(PixelOf(*box, -8, -8), kScrollBorder);
    EXPECT_EQ(PixelOf(*box, 207, 107), kScrollBorder);
    // Two halves over 200 pixels: the change comes at the middle of the client area.
    EXPECT_EQ(PixelOf(*box, 0, 0), kScrollClient[0]);
    EXPECT_EQ(PixelOf(*box, 95, 50), kScrollClient[0]);
    EXPECT_EQ(PixelOf(*box, 105, 50), kScrollClient[1]);
    EXPECT_EQ(PixelOf(*box, 199, 99), kScrollClient[1]);
}

}  // namespace
}  // namespace skinctrls
