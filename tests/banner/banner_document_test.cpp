#include <gtest/gtest.h>

#include "banner/banner_document.h"
#include "banner/failure_page.h"
#include "banner/html_container.h"
#include "banner/page_guard.h"
#include "banner_test_support.h"
#include "support/gdi_leak_check.h"

namespace banner {
namespace {

using namespace testing;

// Every page test also checks that the page gives back its fonts, brushes and contexts.
class BannerDocument : public testing_support::NoGdiLeaks {};

constexpr const char* kStrip =
    "<html><body style='background-color:#ffffff'>"
    "<div style='background-color:#0000ff; height:30px'></div></body></html>";
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;

// The first column, from the left, whose pixel at row `y` is blue; -1 if none.
int FirstBlueColumn(graphics::TBitmap& bitmap, int y) {
    for (int x = 0; x < bitmap.Width(); ++x)
        if (Pixel(bitmap, x, y) == kBlue) return x;
    return -1;
}

TEST_F(BannerDocument, StartsWithTheMarginAndSunkenFrameOfTheHostedBrowser) {
    auto page = TBannerDocument::Load(kStrip, "about:test");
    auto bitmap = Render(*page, 468, 100);
    // 8 pixels of margin, then a 2-pixel border, then the content.
    EXPECT_EQ(page->BodyBox().x, 8);
    EXPECT_EQ(FirstBlueColumn(*bitmap, 20), 10);
    uint32_t frame = Pixel(*bitmap, 8, 20);
    EXPECT_NE(frame, kWhite);
    EXPECT_NE(frame, kBlue);
    EXPECT_EQ(Pixel(*bitmap, 3, 20), kWhite);
}

TEST_F(BannerDocument, BodyStyleChangesLayOutAndDrawAgain) {
    auto page = TBannerDocument::Load(kStrip, "about:test");
    int changes = 0;
    page->OnChange = [&] { ++changes; };
    page->Layout(468, 100);
    EXPECT_TRUE(page->SetBodyStyle("margin", "0"));
    EXPECT_EQ(page->BodyBox().x, 0);
    auto bordered = Render(*page, 468, 100);
    EXPECT_EQ(FirstBlueColumn(*bordered, 20), 2);  // the frame is still there
    EXPECT_TRUE(page->SetBodyStyle("border-width", "0px"));
    auto bare = Render(*page, 468, 100);
    EXPECT_EQ(FirstBlueColumn(*bare, 5), 0);
    EXPECT_EQ(Pixel(*bare, 467, 0), kBlue);  // the content reaches the right edge too
    EXPECT_EQ(changes, 2);
    // The page's own declaration is kept beside the new ones.
    EXPECT_EQ(page->BodyStyleText(), "background-color: #ffffff; margin: 0; border-width: 0px");
    EXPECT_EQ(page->BodyStyle("margin"), "0");
}

TEST_F(BannerDocument, TheContentKeepsItsOwnStylesWhenTheBodyIsRestyled) {
    auto page = TBannerDocument::Load(
        "<body><div style='background-color:#ff0000; color:#ffff00; font-size:40px; "
        "font-weight:bold'>IIII</div></body>",
        "about:test");
    page->SetBodyStyle("margin", "0");
    page->SetBodyScroll("no");
    auto bitmap = Render(*page, 200, 60);
    int yellow = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x) yellow += Pixel(*bitmap, x, y) == 0xFFFF00u;
    EXPECT_EQ(Pixel(*bitmap, 190, 4), 0xFF0000u);
    EXPECT_GT(yellow, 20);
    EXPECT_EQ(page->BodyScroll(), "no");  // kept across the new parse
}

TEST_F(BannerDocument, RefusesStyleValuesThatWouldAddDeclarations) {
    auto page = TBannerDocument::Load(kStrip, "about:test");
    EXPECT_FALSE(page->SetBodyStyle("margin", "0; background-color: red"));
    EXPECT_FALSE(page->SetBodyStyle("margin", "0 } body { margin: 40px"));
    EXPECT_EQ(page->BodyStyle("margin"), "");
    EXPECT_EQ(page->BodyStyleText(), "background-color: #ffffff");
}

TEST_F(BannerDocument, ShowsAScrollBarForATallPageUnlessScrollIsNo) {
    auto page = TBannerDocument::Load(
        "<body style='margin:0;border:0'><div "
        "style='background-color:#00ff00;height:300px'></div></body>",
        "about:tall");
    auto withBar = Render(*page, 468, 100);
    EXPECT_TRUE(page->ScrollBarVisible());
    EXPECT_NE(Pixel(*withBar, 460, 50), 0x00FF00u);
    EXPECT_EQ(Pixel(*withBar, 450, 50), 0x00FF00u);

    page->SetBodyScroll("no");
    EXPECT_EQ(page->BodyScroll(), "no");
    auto without = Render(*page, 468, 100);
    EXPECT_FALSE(page->ScrollBarVisible());
    EXPECT_EQ(Pixel(*without, 460, 50), 0x00FF00u);

    // A page that fits needs no bar, unless it asks for one.
    auto small = TBannerDocument::Load("<body><p>x</p></body>", "about:small");
    small->Layout(468, 100);
    EXPECT_FALSE(small->ScrollBarVisible());
    small->SetBodyScroll("YES");
    EXPECT_TRUE(small->ScrollBarVisible());
}

TEST_F(BannerDocument, APageAsDeepAsTheGuardAllowsStillLaysOut) {
    std::string html = "<body style='margin:0;border:0'>";
    for (int i = 2; i < kMaxNestingDepth; ++i) html += "<div>";
    html += "<div style='background-color:#0000ff;height:20px'></div>";
    ASSERT_EQ(EstimatedNestingDepth(html), kMaxNestingDepth);
    auto page = TBannerDocument::Load(html, "about:deep");
    auto bitmap = Render(*page, 100, 40);
    EXPECT_EQ(Pixel(*bitmap, 50, 10), kBlue);
}

TEST_F(BannerDocument, HugeLengthsFromAHostilePageAreDrawnWithinTheStrip) {
    for (const char* html :
         {"<div style='border-top:2000000000px solid #0000ff;margin-top:2000000000px;"
          "padding:2000000000px'>W</div>",
          "<ul><li style='font-size:2000000000px'>x</li></ul>",
          "<div style='position:absolute;left:2147483000px;top:-2147483000px;width:2147483000px;"
          "border:2147483000px inset #0000ff;overflow:hidden'>x</div>",
          "<table><tr><td colspan=100000 rowspan=100000>x</td></tr></table>"}) {
        auto page = TBannerDocument::Load(html, "about:huge");
        auto bitmap = Render(*page, 120, 40);
        EXPECT_EQ(bitmap->Width(), 120) << html;
    }
}

TEST_F(BannerDocument, ParsesInlineStylesLeniently) {
    auto declarations = ParseInlineStyle(" Margin : 0 ;;color:red; bogus ; :x; Border-Width:2px");
    ASSERT_EQ(declarations.size(), 3u);
    EXPECT_EQ(declarations[0], std::make_pair(std::string("margin"), std::string("0")));
    EXPECT_EQ(declarations[1], std::make_pair(std::string("color"), std::string("red")));
    EXPECT_EQ(declarations[2], std::make_pair(std::string("border-width"), std::string("2px")));
    EXPECT_TRUE(ParseInlineStyle("").empty());
}

TEST_F(BannerDocument, TheFailurePageShowsTheAddressAndReasonAsText) {
    std::string html = FailurePageHtml("http://x.invalid/<script>", "Couldn't resolve & <b>");
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_NE(html.find("http://x.invalid/&lt;script&gt;"), std::string::npos);
    EXPECT_NE(html.find("Couldn&#39;t resolve &amp; &lt;b&gt;"), std::string::npos);
    auto page = TBannerDocument::Load(html, "http://x.invalid/");
    EXPECT_TRUE(page->HasBody());
    auto bitmap = Render(*page, 468, 100);
    EXPECT_FALSE(page->ScrollBarVisible());
}

}  // namespace
}  // namespace banner
