#include <gtest/gtest.h>

#include "ui/file_dialog_rules.h"

namespace ui {
namespace {

TEST(FilterTest, ParsesPairsAndDropsADescriptionWithoutMask) {
    TFilterList list = ParseFilter("所有图片|*.bmp;*.jpg;*.gif;*.png;|All|*.*|Dangling");
    ASSERT_EQ(list.descriptions.size(), 2u);
    EXPECT_EQ(list.descriptions[0], "所有图片");
    EXPECT_EQ(list.masks[0], "*.bmp;*.jpg;*.gif;*.png;");
    EXPECT_EQ(list.descriptions[1], "All");
    EXPECT_EQ(list.masks[1], "*.*");
    EXPECT_TRUE(ParseFilter("only a description").masks.empty());
    EXPECT_EQ(ParseFilter("图标文件|*.ico").masks, std::vector<std::string>{"*.ico"});
}

TEST(FilterTest, DefaultExtensionIsTheFirstOneUnlessTheMaskTakesAnything) {
    EXPECT_EQ(FilterDefaultExtension("*.ico"), ".ico");
    EXPECT_EQ(FilterDefaultExtension("*.bmp;*.jpg;*.gif;*.png;"), ".bmp");
    EXPECT_EQ(FilterDefaultExtension("*.*"), "");
    EXPECT_EQ(FilterDefaultExtension("*.bmp;*.*"), "");
    EXPECT_EQ(FilterDefaultExtension("*"), "");
}

TEST(AcceptTest, OpenModeLooksForTheNameWithTheFilterExtensionAndStaysWhenMissing) {
    std::vector<std::string> asked;
    TAcceptContext c;
    c.folder = "/pics";
    c.editText = "cat";
    c.filterMask = "*.bmp;*.jpg;*.gif;*.png;";
    c.fileExists = [&](const std::string& p) {
        asked.push_back(p);
        return p == "/pics/cat.bmp";
    };
    EXPECT_EQ(AcceptFileName(c), std::optional<std::string>("/pics/cat.bmp"));
    EXPECT_EQ(asked.front(), "/pics/cat.bmp");
    c.editText = "dog";
    EXPECT_EQ(AcceptFileName(c), std::nullopt);
    c.editText = "";
    EXPECT_EQ(AcceptFileName(c), std::nullopt);
    // Without CheckFileExists any name is taken.
    c.checkFileExists = false;
    c.editText = "dog.png";
    EXPECT_EQ(AcceptFileName(c), std::optional<std::string>("/pics/dog.png"));
    // DefaultExt wins over the filter's extension.
    c.editText = "dog";
    c.defaultExt = "gif";
    EXPECT_EQ(AcceptFileName(c), std::optional<std::string>("/pics/dog.gif"));
}

TEST(AcceptTest, SaveModeReturnsTheTypedNameAndAsksOnlyWhenPromptingForAnExistingFile) {
    TAcceptContext c;
    c.saveMode = true;
    c.folder = "/out/";
    c.editText = "icon";
    c.filterMask = "*.ico";
    bool exists = true;
    int asked = 0;
    bool answer = false;
    c.fileExists = [&](const std::string&) { return exists; };
    c.confirmOverwrite = [&] {
        ++asked;
        return answer;
    };
    EXPECT_EQ(AcceptFileName(c), std::optional<std::string>("/out/icon"));
    EXPECT_EQ(asked, 0);
    c.overwritePrompt = true;
    EXPECT_EQ(AcceptFileName(c), std::nullopt);
    answer = true;
    EXPECT_EQ(AcceptFileName(c), std::optional<std::string>("/out/icon"));
    EXPECT_EQ(asked, 2);
    c.editText = "*.ico";
    EXPECT_EQ(AcceptFileName(c), std::nullopt);
    // A full path stands for itself.
    c.overwritePrompt = false;
    c.editText = "/elsewhere/x.ico";
    EXPECT_EQ(AcceptFileName(c), std::optional<std::string>("/elsewhere/x.ico"));
}

TEST(AcceptTest, AcceptedSaveNameGetsTheFilterExtensionOnlyWhenItHasNone) {
    EXPECT_EQ(AcceptedFileName("/out/icon", true, "*.ico", ""), "/out/icon.ico");
    EXPECT_EQ(AcceptedFileName("/out/icon.bmp", true, "*.ico", ""), "/out/icon.bmp");
    EXPECT_EQ(AcceptedFileName("/out/icon", true, "*.*", "ico"), "/out/icon.ico");
    EXPECT_EQ(AcceptedFileName("/out/icon", true, "*.*", ""), "/out/icon");
    EXPECT_EQ(AcceptedFileName("/out/icon", false, "*.ico", "ico"), "/out/icon");
    EXPECT_EQ(ExtractFileExt("/a.b/c"), "");
    EXPECT_EQ(ExtractFilePath("/a.b/c"), "/a.b/");
}

}  // namespace
}  // namespace ui
