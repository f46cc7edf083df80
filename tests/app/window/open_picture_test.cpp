// The other two ways a picture reaches the views besides the open command: named on the
// program's command line, and dropped on the window from a file manager.
#include "app/window/form1.h"
#include "app/window/startup.h"
#include "codecs/register.h"
#include "ui/ui_fixture.h"

namespace app {
namespace {

using ui::Application;

class OpenPictureTest : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        codecs::RegisterPictureFormats();
        Application().SetTitle(kApplicationTitle);
        form_ = Application().CreateForm<TForm1>();
        form_->Show();
        Pump();
    }

    bool AllViewsShow(int width) {
        for (ui::TImage* view : {form_->img1, form_->img2, form_->img3, form_->img4})
            if (view->Picture().Graphic() == nullptr || view->Picture().Width() != width)
                return false;
        return true;
    }
    bool NoViewShowsAnything() {
        for (ui::TImage* view : {form_->img1, form_->img2, form_->img3, form_->img4})
            if (view->Picture().Graphic() != nullptr) return false;
        return true;
    }
    void DropOnLargeView(std::vector<std::string> paths) {
        const ui::TPoint p = CenterOf(*form_->img1);
        host_->DropFiles(p.x, p.y, std::move(paths));
        Pump();
    }

    TForm1* form_ = nullptr;
};

TEST_F(OpenPictureTest, APictureNamedAtStartOpensOnceTheLoopRuns) {
    const std::string picture = WriteBitmap("start.bmp", 40, 20, 0x20A040);
    form_->OpenWhenShown(picture);
    EXPECT_TRUE(NoViewShowsAnything());  // not before the loop runs
    Pump();
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    EXPECT_TRUE(AllViewsShow(40));
    EXPECT_EQ(PixelOf(*form_->img1, 0, 0), 0x20A040u);
    EXPECT_EQ(PixelOf(*form_->img4, 15, 15), 0x20A040u);
}

TEST_F(OpenPictureTest, AStartPictureThatCannotBeReadEndsInTheErrorBox) {
    WriteFile("photo.png", "\x89PNG\r\n\x1a\n");
    form_->OpenWhenShown((dir_ / "photo.png").string());
    Pump();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Unknown picture file extension (.png)");
    EXPECT_EQ(boxes_[0].caption, "TembrinICO图标生成工具");
    EXPECT_TRUE(NoViewShowsAnything());

    form_->OpenWhenShown((dir_ / "missing.bmp").string());
    Pump();
    EXPECT_EQ(boxes_.size(), 2u);
    EXPECT_TRUE(NoViewShowsAnything());
}

TEST_F(OpenPictureTest, ADroppedPictureOpensInTheFourViews) {
    DropOnLargeView({WriteBitmap("dropped.bmp", 30, 10, 0xC03020)});
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    EXPECT_TRUE(AllViewsShow(30));
    EXPECT_EQ(PixelOf(*form_->img1, 29, 9), 0xC03020u);

    // Dropped on the strip of buttons it opens too: the window takes drops everywhere.
    const ui::TPoint strip = CenterOf(*form_->bskngrpbx1);
    host_->DropFiles(strip.x, strip.y, {WriteBitmap("second.bmp", 50, 10, 0x3040C0)});
    Pump();
    EXPECT_TRUE(AllViewsShow(50));
}

TEST_F(OpenPictureTest, OfSeveralDroppedItemsTheFirstFileOpensAndAFolderAloneIsIgnored) {
    const std::string folder = (dir_ / "folder.bmp").string();  // a folder with a picture's name
    std::filesystem::create_directory(folder);
    const std::string first = WriteBitmap("first.bmp", 12, 12, 0x102030);
    const std::string second = WriteBitmap("second.bmp", 24, 24, 0x405060);
    DropOnLargeView({folder, first, second});
    ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
    EXPECT_TRUE(AllViewsShow(12));

    DropOnLargeView({folder});
    EXPECT_TRUE(boxes_.empty());
    EXPECT_TRUE(AllViewsShow(12));  // unchanged
}

TEST_F(OpenPictureTest, ADroppedFileThatCannotBeReadEndsInTheErrorBoxAndTheProgramGoesOn) {
    DropOnLargeView({WriteFile("photo.png", "\x89PNG\r\n\x1a\n")});
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Unknown picture file extension (.png)");
    EXPECT_TRUE(NoViewShowsAnything());
    DropOnLargeView({WriteBitmap("good.bmp", 16, 16, 0xFFFFFF)});
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(AllViewsShow(16));
}

}  // namespace
}  // namespace app
