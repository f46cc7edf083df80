#include "ui/image.h"
#include "ui/form.h"
#include "ui/ui_fixture.h"

namespace ui {
namespace {

using testing::UiTest;

TEST(ImageDestRectTest, ProportionalViewShrinksOnlyWhatDoesNotFitAndKeepsTheRatio) {
    // Fits: own size at the top-left.
    EXPECT_EQ(ImageDestRect(200, 100, 468, 261, false, true, false),
              graphics::Rect(0, 0, 200, 100));
    // Width-bound: trunc(468 / 2.0) = 234.
    EXPECT_EQ(ImageDestRect(1000, 500, 468, 261, false, true, false),
              graphics::Rect(0, 0, 468, 234));
    // Height-bound: trunc(261 * 0.5) = 130.
    EXPECT_EQ(ImageDestRect(300, 600, 468, 261, false, true, false),
              graphics::Rect(0, 0, 130, 261));
    // Wider than tall but the height still limits: 600 x 500 in 468 x 261.
    EXPECT_EQ(ImageDestRect(600, 500, 468, 261, false, true, false),
              graphics::Rect(0, 0, 313, 261));
    // Only one direction too big is enough to shrink.
    EXPECT_EQ(ImageDestRect(100, 300, 468, 261, false, true, false), graphics::Rect(0, 0, 87, 261));
}

TEST(ImageDestRectTest, StretchFillsTheViewAndCenterMovesByHalfTheSlack) {
    EXPECT_EQ(ImageDestRect(200, 100, 64, 64, true, false, false), graphics::Rect(0, 0, 64, 64));
    EXPECT_EQ(ImageDestRect(10, 10, 64, 64, true, false, false), graphics::Rect(0, 0, 64, 64));
    // Stretch with Proportional enlarges with the ratio kept.
    EXPECT_EQ(ImageDestRect(20, 10, 64, 64, true, true, false), graphics::Rect(0, 0, 64, 32));
    // An empty picture with Proportional has no ratio: the whole view.
    EXPECT_EQ(ImageDestRect(0, 0, 64, 64, true, true, false), graphics::Rect(0, 0, 64, 64));
    // Center: ((cw - w) div 2, (ch - h) div 2), truncating toward zero.
    EXPECT_EQ(ImageDestRect(21, 10, 64, 64, false, false, true), graphics::Rect(21, 27, 42, 37));
    EXPECT_EQ(ImageDestRect(101, 10, 64, 64, false, false, true), graphics::Rect(-18, 27, 83, 37));
}

class ImageViewTest : public UiTest {
  protected:
    TImage* MakeView(int w, int h) {
        form_ = Application().CreateForm<TForm>();
        form_->SetBounds(100, 100, 10, 10);
        form_->SetClientSize(300, 300);
        form_->SetColor(graphics::clWhite);
        auto* image = Make<TImage>(form_);
        image->SetParent(form_);
        image->SetBounds(20, 30, w, h);
        form_->Show();
        Pump();
        return image;
    }
    TForm* form_ = nullptr;
};

TEST_F(ImageViewTest, PaintsNothingWithoutAPictureAndTheLoadedPictureAfterwards) {
    TImage* image = MakeView(64, 64);
    EXPECT_EQ(PixelOf(*image, 5, 5), 0xFFFFFFu);  // the form's white
    EXPECT_FALSE(image->ControlStyle() & csOpaque);

    image->SetStretch(true);
    image->Picture().LoadFile(WriteBitmap("red.bmp", 200, 100, 0xFF0000));
    Pump();
    // Squeezed into the whole 64 x 64 square.
    EXPECT_EQ(PixelOf(*image, 0, 0), 0xFF0000u);
    EXPECT_EQ(PixelOf(*image, 63, 63), 0xFF0000u);
    EXPECT_EQ(PixelOf(*image, 64, 64), 0xFFFFFFu);
    EXPECT_TRUE(image->ControlStyle() & csOpaque);

    // Turning Stretch off leaves part of the view uncovered: no longer opaque, and the
    // picture is clipped to the view.
    TImage* small = Make<TImage>(form_);
    small->SetParent(form_);
    small->SetBounds(150, 30, 100, 100);
    small->Picture().LoadFile(WriteBitmap("blue.bmp", 20, 10, 0x0000FF));
    Pump();
    EXPECT_EQ(PixelOf(*small, 19, 9), 0x0000FFu);
    EXPECT_EQ(PixelOf(*small, 20, 9), 0xFFFFFFu);
    EXPECT_FALSE(small->ControlStyle() & csOpaque);
}

TEST_F(ImageViewTest, ANewPictureTakesTheViewsTransparentFlag) {
    TImage* image = MakeView(64, 64);
    std::string path = WriteBitmap("green.bmp", 8, 8, 0x00FF00);
    graphics::TPicture picture;
    picture.LoadFile(path);
    picture.Graphic()->SetTransparent(true);
    image->Picture().CopyFrom(&picture);
    EXPECT_FALSE(image->Picture().Graphic()->Transparent());

    image->SetTransparent(true);
    EXPECT_TRUE(image->Picture().Graphic()->Transparent());
}

}  // namespace
}  // namespace ui
