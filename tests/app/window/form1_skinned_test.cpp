// The main window with the program's own skin handed to its skinned controls: what the
// window shows once its skin data component is in place.
#include <cstdlib>

#include "app/window/form1.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "ui/ui_fixture.h"

namespace app {
namespace {

using ui::Application;

uint32_t Rgb(graphics::TColor color) {
    uint32_t c = graphics::ColorToRGB(color);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class Form1SkinnedTest : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = Application().CreateForm<TForm1>();
        auto bytes = skin::EmbeddedSkinPackage();
        stored_.SetCompressedData(bytes.data(), int64_t(bytes.size()));
        data_ = ui::Make<skin::TbsSkinData>(form_);
        data_->SetCompressedStoredSkin(&stored_);
        ASSERT_FALSE(data_->Empty());
        picture_.CopyFrom(&data_->ActivePicture(4)->Bitmap());
        form_->SetControlsSkinData(data_);
        form_->Show();
        Pump();
    }
    // 0xRRGGBB of the skin picture.
    uint32_t SkinPixel(int x, int y) {
        uint32_t c = picture_.Canvas().ReadPixel(x, y);
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }

    skin::TbsCompressedStoredSkin stored_;
    skin::TbsSkinData* data_ = nullptr;
    graphics::TBitmap picture_;
    TForm1* form_ = nullptr;
};

TEST_F(Form1SkinnedTest, ControlsTakeTheSkinsShapesAndPlaces) {
    for (auto* button : {form_->btn1, form_->btn2, form_->btn3, form_->btn4}) {
        EXPECT_NE(button->SkinIndex(), -1);
        EXPECT_EQ(button->Width(), 73);
        EXPECT_EQ(button->Height(), 22);
    }
    // The group box sits in the panel's skin client rect (2,2)-(466,119).
    EXPECT_EQ(form_->bskngrpbx1->BoundsRect(), graphics::Rect(2, 2, 202, 119));
    EXPECT_EQ(form_->bsknscrlbx1->ClientRect(), graphics::Rect(0, 0, 468, 261));
    // The labels read in the skin's "Arial" 14.
    graphics::TFont font;
    form_->lbl1->PrepareFont(font);
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Height(), 14);
}

TEST_F(Form1SkinnedTest, TheScreenShowsTheSkinImages) {
    // A button's left end and the panel's top-left corner, straight from the skin picture.
    EXPECT_EQ(PixelOf(*form_->btn1, 1, 1), SkinPixel(459, 273));
    EXPECT_EQ(PixelOf(*form_->btn4, 72, 21), SkinPixel(499, 293));
    EXPECT_EQ(PixelOf(*form_->bspanel1, 0, 0), SkinPixel(141, 4));
    EXPECT_EQ(PixelOf(*form_->bskngrpbx1, 0, 30), SkinPixel(352, 105));
    // Back to the plain look without skin data.
    form_->SetControlsSkinData(nullptr);
    Pump();
    EXPECT_EQ(PixelOf(*form_->btn1, 1, 1), Rgb(graphics::clBtnFace));
    if (const char* path = std::getenv("TEMBRIN_SKINNED_SCREENSHOT")) host_->SaveScreenshot(path);
}

}  // namespace
}  // namespace app
