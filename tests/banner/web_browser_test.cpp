#include <chrono>
#include <thread>

#include "banner/web_browser.h"
#include "banner_test_support.h"
#include "core/utf8.h"
#include "graphics/bitmap.h"
#include "platform/ole/ole_errors.h"
#include "platform/thread/ui_thread.h"
#include "ui/form.h"
#include "ui/ui_fixture.h"

namespace banner {
namespace {

using namespace testing;
using ui::Application;
using ui::TAlign;

struct Completion {
    int count = 0;
    bool onMainThread = false;
    platform::IDispatch* pDisp = nullptr;
    std::string url;
};

class WebBrowserTest : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = Application().CreateForm<ui::TForm>();
        form_->SetClientSize(468, 300);
        browser_ = ui::Make<TWebBrowser>(form_);
        browser_->SetParent(form_);
        browser_->SetBounds(0, 0, 468, 100);
        browser_->SetAlign(TAlign::alTop);
        browser_->OnDocumentComplete = [this](ui::TComponent* sender, platform::IDispatch* pDisp,
                                              const platform::VARIANT& url) {
            EXPECT_EQ(sender, browser_);
            ++done_.count;
            done_.onMainThread = platform::IsMainThread();
            done_.pDisp = pDisp;
            done_.url = core::Utf16ToUtf8(url.bstrVal);
            if (afterComplete_) afterComplete_();
        };
        form_->Show();
        Pump();
    }

    // Runs the loop until `count` documents have completed (or ten seconds have passed).
    bool WaitForDocuments(int count) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (done_.count < count && std::chrono::steady_clock::now() < deadline) {
            Pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        Pump();
        return done_.count >= count;
    }

    // The strip as drawn, read back from its own painting.
    std::unique_ptr<graphics::TBitmap> Snapshot() {
        auto bitmap = std::make_unique<graphics::TBitmap>();
        bitmap->SetWidth(browser_->ClientWidth());
        bitmap->SetHeight(browser_->ClientHeight());
        browser_->PaintTo(bitmap->Canvas().Handle());
        return bitmap;
    }

    ui::TForm* form_ = nullptr;
    TWebBrowser* browser_ = nullptr;
    Completion done_;
    std::function<void()> afterComplete_;
};

TEST_F(WebBrowserTest, LoadsALocalPageInTheBackgroundAndReportsOnTheUserInterfaceThread) {
    browser_->Navigate(DataUrl("strip.html"));
    EXPECT_EQ(done_.count, 0);  // nothing happens inside Navigate itself
    ASSERT_TRUE(WaitForDocuments(1));
    EXPECT_TRUE(done_.onMainThread);
    EXPECT_EQ(done_.url, DataUrl("strip.html"));
    EXPECT_EQ(done_.pDisp, browser_->OleObject().Dispatch());
    EXPECT_EQ(browser_->Document()->Title(), "Strip");
    EXPECT_FALSE(browser_->Busy());
    // On screen: the page's blue block inside the body's margin and frame.
    EXPECT_EQ(PixelOf(*browser_, 20, 20), 0x0000FFu);
    EXPECT_EQ(PixelOf(*browser_, 3, 20), 0xFFFFFFu);
    // One navigation, one event.
    for (int i = 0; i < 5; ++i) Pump();
    EXPECT_EQ(done_.count, 1);
}

TEST_F(WebBrowserTest, TheCleanUpAssignmentsRemoveMarginBorderAndScrollBars) {
    afterComplete_ = [this] {
        browser_->OleObject().Get("Document").Get("body").Put("Scroll", "no");
        browser_->OleObject().Get("Document").Get("body").Get("style").Put("margin", "0");
        browser_->OleObject().Get("Document").Get("Body").Get("Style").Put("BorderWidth", 0);
    };
    browser_->Navigate(DataUrl("tall.html"));
    ASSERT_TRUE(WaitForDocuments(1));
    EXPECT_FALSE(browser_->Document()->ScrollBarVisible());
    EXPECT_EQ(browser_->Document()->BodyBox().x, 0);
    auto strip = Snapshot();
    EXPECT_EQ(Pixel(*strip, 0, 0), 0x00FF00u);
    EXPECT_EQ(Pixel(*strip, 467, 99), 0x00FF00u);
    EXPECT_EQ(PixelOf(*browser_, 0, 0), 0x00FF00u);
    EXPECT_EQ(PixelOf(*browser_, 460, 50), 0x00FF00u);  // no scroll bar there
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(WebBrowserTest, WithoutTheCleanUpATallPageHasAScrollBar) {
    browser_->Navigate(DataUrl("tall.html"));
    ASSERT_TRUE(WaitForDocuments(1));
    EXPECT_TRUE(browser_->Document()->ScrollBarVisible());
    EXPECT_NE(PixelOf(*browser_, 460, 50), 0x00FF00u);
}

TEST_F(WebBrowserTest, AFailedNavigationShowsTheFailurePageWithoutAnErrorBox) {
    browser_->Navigate("http://tembrin-banner.invalid/");
    ASSERT_TRUE(WaitForDocuments(1));
    browser_->Navigate("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/banner.html");
    ASSERT_TRUE(WaitForDocuments(2));
    EXPECT_EQ(browser_->Document()->Title(), "无法显示网页");
    EXPECT_TRUE(boxes_.empty());
    // The failure page still takes the clean-up.
    browser_->OleObject().Get("Document").Get("body").Get("style").Put("margin", "0");
    EXPECT_EQ(browser_->Document()->BodyBox().x, 0);
}

TEST_F(WebBrowserTest, APageNestedTooDeeplyForTheEngineShowsTheFailurePage) {
    std::string deep = "<body>";
    for (int i = 0; i < 20000; ++i) deep += "<div>";
    OneShotServer server(HttpReply(200, deep));
    browser_->Navigate(server.Url());
    ASSERT_TRUE(WaitForDocuments(1));
    EXPECT_EQ(browser_->Document()->Title(), "无法显示网页");
    EXPECT_TRUE(boxes_.empty());
}

// Navigations refused before any download starts.
using WebBrowserRefusals = WebBrowserTest;

TEST_F(WebBrowserRefusals, AnAddressThatCannotBeLoadedIsRaised) {
    EXPECT_THROW(browser_->Navigate(std::string()), platform::EOleSysError);
    EXPECT_THROW(browser_->Navigate(u"ftp://example.invalid/"), platform::EOleSysError);
    EXPECT_FALSE(browser_->Busy());
    // Optional arguments other than "not given" are not supported.
    platform::VARIANT missing = platform::MakeParamNotFound();
    EXPECT_EQ(browser_->Navigate(core::Utf8ToUtf16(DataUrl("strip.html")), missing,
                                 platform::MakeBstr(u"_blank"), missing, missing),
              platform::E_INVALIDARG);
    for (int i = 0; i < 5; ++i) Pump();
    EXPECT_EQ(done_.count, 0);
}

TEST_F(WebBrowserTest, ANewerNavigationReplacesAnUnfinishedOne) {
    int port = 0;
    int silent = ListeningSocket(port);  // accepts and never answers
    browser_->Navigate("http://127.0.0.1:" + std::to_string(port) + "/");
    EXPECT_TRUE(browser_->Busy());
    browser_->Navigate(DataUrl("strip.html"));
    ASSERT_TRUE(WaitForDocuments(1));
    EXPECT_EQ(done_.url, DataUrl("strip.html"));
    for (int i = 0; i < 5; ++i) Pump();
    EXPECT_EQ(done_.count, 1);
    ::close(silent);
}

TEST_F(WebBrowserTest, APageThatArrivesWhileTheWindowIsRecreatedIsStillShown) {
    browser_->Navigate(DataUrl("strip.html"));
    // Serve only the worker's hand-over, so that the announcement waits in the queue.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!platform::ServeMainThreadCalls() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    browser_->DestroyHandle();  // the queued announcement goes with the window
    Pump();
    EXPECT_EQ(done_.count, 0);
    browser_->HandleNeeded();
    ASSERT_TRUE(WaitForDocuments(1));
    EXPECT_EQ(browser_->Document()->Title(), "Strip");
}

TEST_F(WebBrowserTest, ErrorsInTheCompletionHandlerReachTheErrorBox) {
    // A late-bound step the document does not offer raises, and nothing in between catches it.
    afterComplete_ = [this] { browser_->OleObject().Get("Document").Get("frames").Put("x", 1); };
    browser_->Navigate(DataUrl("strip.html"));
    ASSERT_TRUE(WaitForDocuments(1));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Unknown name.");
}

TEST_F(WebBrowserTest, ClickingALinkLoadsItsPageInTheStrip) {
    browser_->Navigate(DataUrl("link.html"));
    ASSERT_TRUE(WaitForDocuments(1));
    // A link the strip cannot load does nothing.
    ui::TPoint script = browser_->ClientToScreen({20, 75});
    host_->Click(script.x, script.y);
    for (int i = 0; i < 5; ++i) Pump();
    EXPECT_FALSE(browser_->Busy());
    EXPECT_EQ(browser_->LocationURL(), DataUrl("link.html"));

    ui::TPoint link = browser_->ClientToScreen({20, 20});
    host_->Click(link.x, link.y);
    ASSERT_TRUE(WaitForDocuments(2));
    EXPECT_EQ(done_.url, DataUrl("tall.html"));  // resolved against the page's address
    EXPECT_EQ(browser_->Document()->Title(), "Tall");
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(WebBrowserTest, KeepsItsHeightAndTheClientWidthWhenTheWindowIsResized) {
    browser_->Navigate(DataUrl("strip.html"));
    ASSERT_TRUE(WaitForDocuments(1));
    for (auto [width, height] : {std::pair{600, 400}, std::pair{300, 150}, std::pair{468, 482}}) {
        form_->SetClientSize(width, height);
        Pump();
        EXPECT_EQ(browser_->Height(), 100);
        EXPECT_EQ(browser_->Width(), form_->ClientWidth());
        EXPECT_EQ(browser_->ClientWidth(), width);
        // The page is laid out again at the new width: its block ends at the new edge.
        auto strip = Snapshot();
        EXPECT_EQ(Pixel(*strip, width - 11, 20), 0x0000FFu);
        EXPECT_EQ(Pixel(*strip, width - 5, 20), 0xFFFFFFu);
    }
}

TEST_F(WebBrowserTest, ObjectsAndPagesThatOutliveTheStripDoNotCallBackIntoIt) {
    browser_->Navigate(DataUrl("strip.html"));
    ASSERT_TRUE(WaitForDocuments(1));
    platform::OleVariant object = browser_->OleObject();
    std::shared_ptr<TBannerDocument> page = browser_->Document();
    delete browser_;
    browser_ = nullptr;
    EXPECT_THROW(object.Get("Document"), platform::EOleSysError);
    // The page is only a page now: changing it repaints nothing and follows no link.
    EXPECT_TRUE(page->SetBodyStyle("margin", "0"));
    page->Click(20, 20);
    EXPECT_EQ(page->BodyBox().x, 0);
}

}  // namespace
}  // namespace banner
