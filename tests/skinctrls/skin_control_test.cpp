#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "skin_fixture.h"
#include "skinctrls/skin_button.h"

namespace skinctrls {
namespace {

using graphics::TBitmap;
using testing::Code;
using testing::Pixel;

constexpr const char* kSkinText =
    "[VERSION]\r\nskinname=Test\r\n"
    "[PICTURES]\r\npicture=main.bmp\r\nactivepicturescount=2\r\n0=a.bmp\r\n1=m.bmp\r\n"
    "[FORMINFO]\r\nclientrect=1,1,3,3\r\n"
    "[SKINCONTROLS]\r\ncount=5\r\n0=fixed:button\r\n1=norect:button\r\n2=masked:button\r\n"
    "3=plain:button\r\n4=morph:button\r\n"
    "[fixed]\r\npictureindex=0\r\nskinrect=0,0,10,8\r\nclientrect=1,1,9,7\r\n"
    "[norect]\r\npictureindex=0\r\nskinrect=5,5,5,20\r\n"
    "[masked]\r\npictureindex=0\r\nmaskpictureindex=1\r\nskinrect=0,0,12,6\r\n"
    "lefttoppoint=3,2\r\nrighttoppoint=9,2\r\nclientrect=1,1,11,5\r\n"
    "[plain]\r\npictureindex=0\r\nskinrect=0,0,12,6\r\nlefttoppoint=3,2\r\nrighttoppoint=9,2\r\n"
    "clientrect=1,1,11,5\r\nfontcolor=255\r\ndisabledfontcolor=255\r\n"
    "[morph]\r\npictureindex=0\r\nskinrect=0,0,12,6\r\nlefttoppoint=3,2\r\nrighttoppoint=9,2\r\n"
    "clientrect=1,1,11,5\r\nmorphing=1\r\nactiveskinrect=0,10,12,16\r\n";

// A hand-made skin: picture 0 names its pixels' places; picture 1 is a 12 × 6 mask whose
// first column is white.
class SkinControlTest : public testing::SkinCtrlTest {
  protected:
    void SetUp() override {
        SkinCtrlTest::SetUp();
        auto mask = testing::PatternBmp(12, 6, [](int x, int) { return x == 0 ? 0xFFFFFFu : 0u; });
        skin_.LoadPackage(
            form_, testing::SkinPackage({testing::PatternBmp(32, 32, Code), mask}, kSkinText));
        ASSERT_FALSE(skin_.data->Empty());
        ASSERT_EQ(skin_.data->CtrlList().size(), 5u);
    }
    TbsSkinButton* Bound(const char* name, int width, int height) {
        auto* b = Add<TbsSkinButton>(10, 10, width, height);
        b->SetSkinDataName(name);
        b->SetCanFocused(false);
        b->SetSkinData(skin_.data);
        return b;
    }
    testing::LoadedSkin skin_;
};

TEST_F(SkinControlTest, AnObjectWithoutPointsIsFixedAtTheSkinSize) {
    TbsSkinButton* b = Bound("fixed", 50, 30);
    EXPECT_EQ(b->SkinLayoutMode(), TbsSkinLayoutMode::Fixed);
    EXPECT_EQ(b->Width(), 10);
    EXPECT_EQ(b->Height(), 8);
    b->SetBounds(10, 10, 40, 40);
    EXPECT_EQ(b->Width(), 10);
    TBitmap image;
    b->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 0), Code(0, 0));
    EXPECT_EQ(Pixel(image, 9, 7), Code(9, 7));
}

TEST_F(SkinControlTest, ASkinRectWithoutAreaLeavesTheSizeAlone) {
    TbsSkinButton* b = Bound("norect", 50, 30);
    EXPECT_NE(b->SkinIndex(), -1);
    EXPECT_EQ(b->SkinLayoutMode(), TbsSkinLayoutMode::NoSkinRect);
    EXPECT_EQ(b->Width(), 50);
    EXPECT_EQ(b->Height(), 30);
}

TEST_F(SkinControlTest, TheMaskShapesTheWindowAtTheControlSize) {
    TbsSkinButton* b = Bound("masked", 20, 6);
    platform::HRGN region = b->WindowRegion();
    ASSERT_NE(region, nullptr);
    EXPECT_FALSE(platform::PtInRegion(region, 0, 0));
    EXPECT_TRUE(platform::PtInRegion(region, 1, 0));
    EXPECT_TRUE(platform::PtInRegion(region, 19, 5));
    EXPECT_FALSE(platform::PtInRegion(region, 20, 5));
    // A button that does not keep the skin size drops the mask.
    b->SetUseSkinSize(false);
    EXPECT_EQ(b->WindowRegion(), nullptr);
}

TEST_F(SkinControlTest, AFreeSizedButtonStretchesItsImage) {
    TbsSkinButton* b = Bound("plain", 24, 12);
    b->SetUseSkinSize(false);
    b->SetBounds(10, 10, 24, 12);
    EXPECT_EQ(b->Height(), 12);
    EXPECT_EQ(b->ActualClientRect(), graphics::Rect(1, 1, 23, 11));
    TBitmap image;
    b->PaintTo(image);
    ASSERT_EQ(image.Height(), 12);
    EXPECT_EQ(Pixel(image, 0, 0), Code(0, 0));
    EXPECT_EQ(Pixel(image, 23, 11), Code(11, 5));
}

TEST_F(SkinControlTest, DisabledWithoutItsOwnImageShowsTheNormalOneWithAGreyCaption) {
    TbsSkinButton* b = Bound("plain", 60, 6);
    b->SetCaption("Hi");
    TBitmap enabled;
    b->PaintTo(enabled);
    b->SetEnabled(false);
    TBitmap disabled;
    b->PaintTo(disabled);
    int grey = 0, red = 0, changed = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 60; ++x) {
            uint32_t e = Pixel(enabled, x, y);
            uint32_t d = Pixel(disabled, x, y);
            if (e == 0x0000FF) ++red;
            if (d == 0x808080) ++grey;
            if (e != d) ++changed;
        }
    EXPECT_GT(red, 0);                             // the skin colour 255 while enabled
    EXPECT_GT(grey, 0);                            // equal colours give $808080
    EXPECT_EQ(Pixel(disabled, 0, 0), Code(0, 0));  // the normal image
    EXPECT_GT(changed, 0);
}

TEST_F(SkinControlTest, MorphingBlendsTowardsTheHotImageAndBack) {
    TbsSkinButton* b = Bound("morph", 12, 6);
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(b->MorphTimerActive());
    auto tick = [&] { b->Perform(platform::WM_TIMER, TbsSkinButton::kMorphTimer, 0); };
    tick();
    tick();
    EXPECT_NEAR(b->MorphFactor(), 0.4, 1e-9);
    TBitmap image;
    b->PaintTo(image);
    // Between the normal pixel (0,5) and the hot pixel (0,15): green 40 → 120 at 0.4 is 72.
    EXPECT_EQ((Pixel(image, 0, 5) >> 8) & 0xFF, 72u);
    for (int i = 0; i < 3; ++i) tick();
    EXPECT_EQ(b->MorphFactor(), 1.0);
    EXPECT_FALSE(b->MorphTimerActive());
    b->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 5), Code(0, 15));
    b->Perform(ui::CM_MOUSELEAVE, 0, 0);
    for (int i = 0; i < 5; ++i) tick();
    EXPECT_EQ(b->MorphFactor(), 0.0);
    EXPECT_FALSE(b->MorphTimerActive());
    // Without skin effects there is no morphing.
    skin_.data->SetEnableSkinEffects(false);
    b->Perform(ui::CM_MOUSEENTER, 0, 0);
    EXPECT_FALSE(b->MorphTimerActive());
    b->PaintTo(image);
    EXPECT_EQ(Pixel(image, 0, 5), Code(0, 15));
}

TEST_F(SkinControlTest, SetSkinDataNameBindsOnTheNextPaint) {
    TbsSkinButton* b = Bound("fixed", 10, 8);
    b->SetSkinDataName("plain");
    TBitmap image;
    b->PaintTo(image);
    EXPECT_EQ(b->SkinLayoutMode(), TbsSkinLayoutMode::Horizontal);
    EXPECT_EQ(b->SkinIndex(), 3);
}

}  // namespace
}  // namespace skinctrls
