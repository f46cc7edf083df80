#include <gtest/gtest.h>

#include <string>

#include "banner/page_guard.h"

namespace banner {
namespace {

std::string Repeat(const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += text;
    return out;
}

TEST(PageGuard, CountsOnlyElementsThatStayOpen) {
    EXPECT_EQ(EstimatedNestingDepth(""), 0);
    EXPECT_EQ(EstimatedNestingDepth("plain text < 3 and 4 > 2"), 0);
    EXPECT_EQ(EstimatedNestingDepth("<html><body><div><p>x</p></div></body></html>"), 4);
    EXPECT_EQ(EstimatedNestingDepth("<DIV><Div><div></DIV>"), 3);
    // Void, self-closed and closed elements do not add up.
    EXPECT_EQ(EstimatedNestingDepth("<body>" + Repeat("<br><img src='a>b'><span/><b>x</b>", 100)),
              2);
    // Siblings that the parser closes by themselves.
    EXPECT_EQ(EstimatedNestingDepth("<body>" + Repeat("<p>para", 600)), 2);
    EXPECT_EQ(EstimatedNestingDepth("<table>" + Repeat("<tr><td>a<td>b", 300)), 3);
    // A closing tag closes what was left open inside it.
    EXPECT_EQ(EstimatedNestingDepth(Repeat("<div><span><i></div>", 300)), 3);
}

TEST(PageGuard, SkipsCommentsScriptsAndStyles) {
    const std::string hidden = Repeat("<div>", 1000);
    EXPECT_EQ(EstimatedNestingDepth("<body><!--" + hidden + "--></body>"), 1);
    EXPECT_EQ(EstimatedNestingDepth("<body><script>var s='" + hidden + "';</SCRIPT></body>"), 1);
    EXPECT_EQ(EstimatedNestingDepth("<style>" + hidden + "</style><p>"), 1);
    EXPECT_EQ(EstimatedNestingDepth("<!DOCTYPE html><?xml x?><p>"), 1);
    // Unterminated constructs end the scan instead of running past the text.
    EXPECT_EQ(EstimatedNestingDepth("<div><!-- never closed <div><div>"), 1);
    EXPECT_EQ(EstimatedNestingDepth("<div><script>" + hidden), 1);
    EXPECT_EQ(EstimatedNestingDepth("<div title='>"), 1);
}

TEST(PageGuard, FindsPagesTooDeepForTheEngine) {
    EXPECT_GT(EstimatedNestingDepth("<body>" + Repeat("<div>", 20000)), kMaxNestingDepth);
    EXPECT_GT(EstimatedNestingDepth(Repeat("<b><i>", 400)), kMaxNestingDepth);
}

}  // namespace
}  // namespace banner
