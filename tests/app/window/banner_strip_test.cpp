// The main window's banner strip: its place, its one navigation at creation and the clean-up
// of every completed page.
#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/window/form1.h"
#include "app/window/startup.h"
#include "banner/page_fetch.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "platform/ole/com.h"
#include "ui/ui_fixture.h"

namespace app {
namespace {

using ui::Application;

class BannerStripTest : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        Application().SetTitle(kApplicationTitle);
        form_ = Application().CreateForm<TForm1>();
        form_->Show();
    }

    // Runs the loop until the strip shows a page whose clean-up ran (ten seconds at most).
    bool WaitForCleanPage(const std::string& url) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            Pump();
            auto page = form_->WebBrowser1->Document();
            if (page != nullptr && page->Url() == url && page->BodyStyle("border-width") == "0px")
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }

    TForm1* form_ = nullptr;
};

// The copy of the page the build keeps where the program looks for it.
std::string BannerUrl() {
    return banner::FileUrlOf(std::string(TEMBRIN_BINARY_DIR) +
                             "/share/tembrin-ico/banner/index.html");
}

TEST_F(BannerStripTest, TheStripLoadsTheBannerAndStripsItsScrollBarsMarginAndBorder) {
    auto* strip = form_->WebBrowser1;
    EXPECT_EQ(strip->BoundsRect(), graphics::Rect(0, 0, 468, 100));
    EXPECT_EQ(strip->Align(), ui::TAlign::alTop);
    EXPECT_EQ(strip->TabOrder(), 0);
    EXPECT_EQ(strip->LocationURL(), BannerUrl());  // navigated while the window was created

    ASSERT_TRUE(WaitForCleanPage(BannerUrl()));
    auto page = strip->Document();
    EXPECT_EQ(page->BodyScroll(), "no");
    EXPECT_EQ(page->BodyStyle("margin"), "0");
    EXPECT_FALSE(page->ScrollBarVisible());
    EXPECT_EQ(page->BodyBox().x, 0);
    EXPECT_TRUE(boxes_.empty());
    // The page's own colour reaches every edge of the strip.
    EXPECT_EQ(PixelOf(*strip, 0, 0), 0x1F4E8Cu);
    EXPECT_EQ(PixelOf(*strip, 467, 99), 0x1F4E8Cu);

    // Looking at it: set TEMBRIN_BANNER_SNAPSHOT to a file name to keep the strip as a bitmap.
    if (const char* snapshot = std::getenv("TEMBRIN_BANNER_SNAPSHOT")) {
        graphics::TBitmap bitmap;
        bitmap.SetWidth(strip->ClientWidth());
        bitmap.SetHeight(strip->ClientHeight());
        strip->PaintTo(bitmap.Canvas().Handle());
        bitmap.SaveFile(snapshot);
    }
}

TEST_F(BannerStripTest, AFailedPageIsCleanedUpWithoutAnErrorBoxAndTheWindowGoesOn) {
    ASSERT_TRUE(WaitForCleanPage(BannerUrl()));
    const std::string unreachable = "http://tembrin-banner.invalid/banner.html";
    form_->WebBrowser1->Navigate(unreachable);
    ASSERT_TRUE(WaitForCleanPage(unreachable));
    EXPECT_EQ(form_->WebBrowser1->Document()->Title(), "无法显示网页");
    EXPECT_EQ(form_->WebBrowser1->Document()->BodyBox().x, 0);
    EXPECT_TRUE(boxes_.empty());
    // The rest of the window is untouched: the large view still has its place and menu.
    EXPECT_EQ(form_->bsknscrlbx1->BoundsRect(), graphics::Rect(0, 221, 468, 482));
    EXPECT_EQ(form_->bsknscrlbx1->PopupMenu(), form_->bsknpmn1);
}

TEST_F(BannerStripTest, ResizingTheWindowKeepsTheStripAtTheTopAndFullWidth) {
    for (auto [width, height] : {std::pair{700, 520}, std::pair{300, 400}}) {
        form_->SetClientSize(width, height);
        Pump();
        EXPECT_EQ(form_->WebBrowser1->BoundsRect(), graphics::Rect(0, 0, width, 100));
        EXPECT_EQ(form_->bspanel1->Top(), 100);
    }
}

TEST(ComStartUp, TheApplicationInitialisesComAndUndoesItAtExit) {
    Application().Reset();
    InstallComInitialization();
    InstallComInitialization();  // a second install adds no second hook
    ASSERT_FALSE(platform::IsComInitialized());
    Application().Initialize();
    EXPECT_TRUE(platform::IsComInitialized());
    EXPECT_EQ(platform::CoInitialize(nullptr), platform::S_FALSE);  // already initialised
    platform::CoUninitialize();
    Application().Reset();
    EXPECT_FALSE(platform::IsComInitialized());
}

}  // namespace
}  // namespace app
