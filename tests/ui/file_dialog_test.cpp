#include "ui/ui_fixture.h"
#include "ui/file_dialog.h"
#include "ui/file_dialog_form.h"
#include "ui/file_dialog_rules.h"

namespace ui {
namespace {

using testing::UiTest;

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

class FileDialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        owner_ = Application().CreateForm<TForm>();
        owner_->SetBounds(0, 0, 100, 100);
        owner_->Show();
        Pump();
    }
    TForm* owner_ = nullptr;
};

TEST_F(FileDialogTest, NewComponentsStartWithTheirPublishedDefaults) {
    TbsSkinOpenDialog open(nullptr);
    TbsSkinSaveDialog save(nullptr);
    EXPECT_EQ(open.Title(), "Open file");
    EXPECT_EQ(save.Title(), "Save file");
    EXPECT_EQ(open.Filter(), "All files|*.*");
    EXPECT_EQ(open.FilterIndex(), 1);
    EXPECT_TRUE(open.CheckFileExists());
    EXPECT_FALSE(open.OverwritePromt());
    EXPECT_EQ(open.LVHeaderSkinDataName(), "resizebutton");
    EXPECT_EQ(open.AlphaBlendValue(), 225);
    EXPECT_EQ(open.DefaultFont().Name(), "Arial");
    EXPECT_EQ(open.DefaultFont().Height(), 14);
    EXPECT_TRUE(save.SaveMode());
    EXPECT_FALSE(open.SaveMode());
}

TEST_F(FileDialogTest, SaveDialogReturnsFolderNameAndFilterExtensionAndRemembersItsState) {
    TbsSkinSaveDialog dialog(owner_);
    dialog.SetFilter("图标文件|*.ico");
    dialog.SetFileName((dir_ / "").string());
    int shown = 0, closed = 0;
    dialog.OnShow = [&](TComponent*) { ++shown; };
    dialog.OnClose = [&](TComponent*) { ++closed; };
    host_->Type("mine");
    host_->PressKey(platform::VK_RETURN);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), (dir_ / "mine.ico").string());
    EXPECT_EQ(dialog.FilterIndex(), 1);
    EXPECT_EQ(dialog.DialogWidth(), 450);
    EXPECT_EQ(dialog.DialogHeight(), 290);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(dialog.Form(), nullptr);
}

TEST_F(FileDialogTest, OpenDialogStaysOpenForAMissingFileAndEscapeLeavesFileNameAlone) {
    std::string existing = WriteBitmap("cat.bmp", 2, 2, 0);
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetFilter("所有图片|*.bmp;*.jpg;*.gif;*.png;");
    dialog.SetFileName((dir_ / "").string());
    // "dog" does not exist as dog.bmp: Enter does nothing; "cat" finds cat.bmp.
    host_->Type("dog");
    host_->PressKey(platform::VK_RETURN);
    for (int i = 0; i < 3; ++i) host_->PressKey(platform::VK_BACK);
    host_->Type("cat");
    host_->PressKey(platform::VK_RETURN);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), existing);

    host_->Type("cat");
    host_->PressKey(platform::VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), existing);
}

TEST_F(FileDialogTest, FilterIndexChoosesTheFilterAndIsReadBackAfterTheRun) {
    TbsSkinOpenDialog dialog(owner_);
    dialog.SetFilter("A|*.a|B|*.b|C|*.c");
    dialog.SetFilterIndex(2);
    host_->PressKey(platform::VK_ESCAPE);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FilterIndex(), 2);

    // The form of a run in progress answers for its filter box.
    TOpenDlgForm form(nullptr, false, 450, 290);
    form.SetFilter("A|*.a|B|*.b|C|*.c");
    EXPECT_EQ(form.CurrentMask(), "*.a");
    form.FilterBox().SetItemIndex(2);
    EXPECT_EQ(form.CurrentMask(), "*.c");
    form.FilterBox().SetItemIndex(-1);
    EXPECT_EQ(form.CurrentMask(), "*.c");  // none selected: the last one
}

TEST_F(FileDialogTest, SaveModeFilterChangeReplacesTheTypedExtension) {
    TOpenDlgForm form(nullptr, true, 450, 290);
    form.SetFilter("Icons|*.ico|Bitmaps|*.bmp|Any|*.*");
    form.FileNameEdit().SetText("picture.ico");
    form.FilterBox().SetItemIndex(1);
    EXPECT_EQ(form.FileNameEdit().Text(), "picture.bmp");
    form.FilterBox().SetItemIndex(2);  // "*.*" has no extension to give
    EXPECT_EQ(form.FileNameEdit().Text(), "picture.bmp");
    form.FileNameEdit().SetText("plain");
    form.FilterBox().SetItemIndex(0);
    EXPECT_EQ(form.FileNameEdit().Text(), "plain.ico");
}

}  // namespace
}  // namespace ui
