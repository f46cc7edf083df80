#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "banner/banner_document.h"
#include "banner/page_fetch.h"
#include "banner_test_support.h"
#include "support/gdi_leak_check.h"

namespace banner {
namespace {

using namespace testing;

// Pages in a folder of their own, with a 10 × 6 red bitmap "red.bmp" beside them.
class PageImages : public testing_support::NoGdiLeaks {
  protected:
    void SetUp() override {
        NoGdiLeaks::SetUp();
        dir_ = std::filesystem::temp_directory_path() /
               ("tembrin_banner_images_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_ / "sub folder");
        graphics::TBitmap red;
        red.SetWidth(10);
        red.SetHeight(6);
        red.Canvas().Brush().SetColor(graphics::TColor(0x0000FF));
        red.Canvas().FillRect(graphics::Rect(0, 0, 10, 6));
        red.SaveFile((dir_ / "red.bmp").string());
        red.SaveFile((dir_ / "sub folder" / "red.bmp").string());
        std::ofstream(dir_ / "broken.bmp") << "BM not really a bitmap";
        std::filesystem::copy_file(dir_ / "red.bmp", dir_ / "red.gif");
    }
    void TearDown() override {
        std::filesystem::remove_all(dir_);
        NoGdiLeaks::TearDown();
    }
    std::string PageUrl() const { return "file://" + (dir_ / "page.html").string(); }

    std::filesystem::path dir_;
};

constexpr const char* kPage =
    "<body style='margin:0;border:0'><div style='padding-left:20px; padding-top:4px'>"
    "<img style='display:block' src='%s'></div></body>";

std::string PageWith(const std::string& src) {
    std::string html = kPage;
    html.replace(html.find("%s"), 2, src);
    return html;
}

TEST_F(PageImages, ALocalPageShowsItsLocalImagesAtTheirPlaceAndSize) {
    for (const char* src : {"red.bmp", "sub%20folder/red.bmp"}) {
        auto page = TBannerDocument::Load(PageWith(src), PageUrl());
        auto bitmap = Render(*page, 100, 30);
        EXPECT_EQ(Pixel(*bitmap, 20, 4), 0xFF0000u) << src;
        EXPECT_EQ(Pixel(*bitmap, 29, 9), 0xFF0000u) << src;
        EXPECT_EQ(Pixel(*bitmap, 30, 9), 0xFFFFFFu) << src;
        EXPECT_EQ(Pixel(*bitmap, 19, 4), 0xFFFFFFu) << src;
        EXPECT_EQ(Pixel(*bitmap, 20, 3), 0xFFFFFFu) << src;
    }
}

TEST_F(PageImages, MissingBrokenAndForeignImagesAreLeftOut) {
    auto expectNoRed = [](TBannerDocument& page, const std::string& what) {
        auto bitmap = Render(page, 100, 30);
        for (int x = 0; x < 100; ++x) ASSERT_NE(Pixel(*bitmap, x, 5), 0xFF0000u) << what;
    };
    for (const char* src :
         {"missing.bmp", "broken.bmp", "red.gif", "http://maker.invalid/red.bmp", ""})
        expectNoRed(*TBannerDocument::Load(PageWith(src), PageUrl()), src);
    // A page from the web may not show local files.
    expectNoRed(*TBannerDocument::Load(PageWith("file://" + (dir_ / "red.bmp").string()),
                                       "http://maker.invalid/page.html"),
                "local image on a web page");
}

}  // namespace
}  // namespace banner
