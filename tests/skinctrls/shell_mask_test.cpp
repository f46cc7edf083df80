#include <gtest/gtest.h>

#include "skinctrls/shell_mask.h"

namespace skinctrls {
namespace {

TEST(ShellMask, FileMaskRulesCoverWildcardsSetsAndCase) {
    EXPECT_TRUE(MatchesFileMask("photo.BMP", "*.bmp"));
    EXPECT_TRUE(MatchesFileMask("a.b.c", "*.c"));
    EXPECT_FALSE(MatchesFileMask("photo.bmpx", "*.bmp"));
    EXPECT_TRUE(MatchesFileMask("ab.ico", "??.ico"));
    EXPECT_FALSE(MatchesFileMask("abc.ico", "??.ico"));
    EXPECT_TRUE(MatchesFileMask("x1.gif", "x[0-9].gif"));
    EXPECT_FALSE(MatchesFileMask("xa.gif", "x[0-9].gif"));
    EXPECT_TRUE(MatchesFileMask("xa.gif", "x[!0-9].gif"));
    EXPECT_FALSE(MatchesFileMask("x1.gif", "x[0-9.gif"));  // an open set matches nothing
    EXPECT_FALSE(MatchesFileMask("readme", "*.*"));
    EXPECT_TRUE(MatchesFileMask("readme.", "*.*"));
    // One "?" is one character, even when it takes several bytes.
    EXPECT_TRUE(MatchesFileMask("图.ico", "?.ico"));
    EXPECT_TRUE(MatchesFileMask("图标.ico", "图*.ico"));
    EXPECT_FALSE(MatchesFileMask("图标.ico", "标*.ico"));
}

TEST(ShellMask, MasksSplitAtSeparatorsAndPatternsNeedADotUnlessStar) {
    EXPECT_TRUE(MaskMatches("*.ico", "a.ico"));
    EXPECT_FALSE(MaskMatches("*.ico", "a.bmp"));
    EXPECT_TRUE(MaskMatches("*", "noextension"));
    EXPECT_FALSE(MaskMatches("abc", "abc"));  // no "." and not "*"
    EXPECT_FALSE(MaskMatches("", "a.bmp"));
    const std::string filter = "*.bmp;*.jpg;*.gif;*.png;";
    for (const char* name : {"a.bmp", "b.JPG", "c.gif", "d.png"}) {
        EXPECT_TRUE(MaskMatches(filter, name)) << name;
    }
    EXPECT_FALSE(MaskMatches(filter, "e.ico"));
    EXPECT_TRUE(MaskMatches("*.*|*.*", "any.thing"));
    EXPECT_FALSE(MaskMatches("*.*|*.*", "nodot"));
    EXPECT_TRUE(MaskMatches("*.txt|*", "nodot"));
    EXPECT_FALSE(MaskMatches(";;|", "a.b"));
}

}  // namespace
}  // namespace skinctrls
