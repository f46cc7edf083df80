#include <gtest/gtest.h>

#include <chrono>

#include "banner/page_fetch.h"
#include "banner_test_support.h"

namespace banner {
namespace {

using namespace testing;

TEST(PageFetch, ReadsLocalFilesAndLoopbackPages) {
    TFetchResult local = FetchPage(DataUrl("strip.html"));
    EXPECT_TRUE(local.ok) << local.error;
    EXPECT_NE(local.body.find("banner</div>"), std::string::npos);

    OneShotServer server(HttpReply(200, "<p>served</p>"));
    TFetchResult served = FetchPage(server.Url());
    EXPECT_TRUE(served.ok) << served.error;
    EXPECT_EQ(served.status, 200);
    EXPECT_EQ(served.body, "<p>served</p>");
}

TEST(PageFetch, ReportsFailuresWithoutABody) {
    TFetchResult missing = FetchPage(DataUrl("no-such-page.html"));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());

    auto start = std::chrono::steady_clock::now();
    TFetchResult unresolved = FetchPage("http://tembrin-banner.invalid/");
    TFetchResult refused = FetchPage("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/");
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::seconds(kConnectTimeoutMs / 1000));
    EXPECT_FALSE(unresolved.ok);
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.empty());

    // A server's error page counts as a failure, not as the banner.
    OneShotServer notFound(HttpReply(404, "<p>nothing here</p>"));
    TFetchResult answer = FetchPage(notFound.Url());
    EXPECT_FALSE(answer.ok);
    EXPECT_EQ(answer.status, 404);
    EXPECT_TRUE(answer.body.empty());
    EXPECT_EQ(answer.error, "HTTP error 404");
}

TEST(PageFetch, StopsAtTheSizeLimit) {
    OneShotServer huge(HttpReply(200, std::string(kMaxPageBytes + 1, 'x')));
    TFetchResult result = FetchPage(huge.Url());
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.body.empty());
    EXPECT_EQ(result.error, "The page is too large");
}

TEST(PageAddresses, OnlyWebAndFileAddressesAreFetched) {
    EXPECT_TRUE(IsFetchableUrl("http://example.invalid/banner.html"));
    EXPECT_TRUE(IsFetchableUrl("file:///tmp/banner.html"));
    EXPECT_FALSE(IsFetchableUrl(""));
    EXPECT_FALSE(IsFetchableUrl("ftp://example.invalid/"));
    EXPECT_FALSE(IsFetchableUrl("javascript:alert(1)"));
    EXPECT_FALSE(IsFetchableUrl("banner.html"));
    EXPECT_FALSE(IsFetchableUrl("http://exa mple.invalid/"));
    EXPECT_FALSE(FetchPage("gopher://example.invalid/").ok);
}

TEST(PageAddresses, LinksResolveAgainstThePage) {
    EXPECT_EQ(ResolveUrl("http://maker.invalid/ads/banner.html", "next.html"),
              "http://maker.invalid/ads/next.html");
    EXPECT_EQ(ResolveUrl("http://maker.invalid/ads/banner.html", "/top.html?a=1"),
              "http://maker.invalid/top.html?a=1");
    EXPECT_EQ(ResolveUrl("file:///opt/banner/index.html", "tall.html"),
              "file:///opt/banner/tall.html");
    EXPECT_EQ(ResolveUrl("http://maker.invalid/a.html", "https://other.invalid/"),
              "https://other.invalid/");
    EXPECT_EQ(ResolveUrl("", "relative.html"), "");
    // A web page may not open local files in the strip; a local page may open either.
    EXPECT_FALSE(MayFollowLink("http://maker.invalid/a.html", "file:///etc/passwd"));
    EXPECT_TRUE(MayFollowLink("http://maker.invalid/a.html", "https://maker.invalid/b.html"));
    EXPECT_TRUE(MayFollowLink("file:///opt/banner/index.html", "file:///opt/banner/b.html"));
    EXPECT_TRUE(MayFollowLink("file:///opt/banner/index.html", "http://maker.invalid/"));
    EXPECT_FALSE(MayFollowLink("file:///opt/banner/index.html", "mailto:maker@maker.invalid"));
    EXPECT_EQ(ResolveUrl("http://maker.invalid/", std::string("a\0b", 3)), "");
}

TEST(PageFetch, ACancelledFetchNeverReports) {
    // A server that accepts and never answers keeps the worker busy until cancelled.
    int port = 0;
    int silent = ListeningSocket(port);
    bool reported = false;
    auto start = std::chrono::steady_clock::now();
    {
        TPageFetch fetch("http://127.0.0.1:" + std::to_string(port) + "/",
                         [&](const TFetchResult&) { reported = true; });
        fetch.Start();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }  // cancels and waits
    ::close(silent);
    EXPECT_FALSE(reported);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(PageAddresses, LocalPathsAreDecodedAndOnlyForThisMachine) {
    EXPECT_EQ(LocalPathOf("file:///opt/banner/a%20b.bmp"), "/opt/banner/a b.bmp");
    EXPECT_EQ(LocalPathOf("file://localhost/opt/x.bmp"), "/opt/x.bmp");
    EXPECT_EQ(LocalPathOf("file://otherhost/opt/x.bmp"), "");
    EXPECT_EQ(LocalPathOf("http://maker.invalid/x.bmp"), "");
    EXPECT_EQ(LocalPathOf("file:///opt/x%00.bmp"), "");
    // Any path makes a well-formed address that leads back to it.
    for (std::string path : {"/opt/banner/index.html", "/home/my projects/横幅/a#b?c%d.html"}) {
        std::string url = FileUrlOf(path);
        EXPECT_TRUE(IsFetchableUrl(url)) << url;
        EXPECT_EQ(LocalPathOf(url), path);
    }
    EXPECT_EQ(FileUrlOf("/a b/c"), "file:///a%20b/c");
}

}  // namespace
}  // namespace banner
