// The file list's item menu, in-place rename, properties box, view layouts and wait cursor,
// driven by pointer and keys on the virtual screen inside the skinned dialog form.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "skin_fixture.h"
#include "skinctrls/shell_properties_box.h"
#include "skinctrls/skin_edit.h"
#include "skinctrls/skin_open_dlg_form.h"
#include "support/shell_home_test.h"

namespace skinctrls {
namespace {

namespace fs = std::filesystem;
using platform::VK_DOWN;
using platform::VK_ESCAPE;
using platform::VK_RETURN;
constexpr unsigned VK_F2 = platform::VK_F1 + 1;

// The desktop's trash of the whole test program: a folder of its own on the same volume as
// the test folders, set before anything asks where the trash is.
const std::string& TrashHome() {
    static const std::string path = [] {
        std::string dir = "/tmp/tembrin-trash-" + std::to_string(::getpid());
        fs::create_directories(dir);
        ::setenv("XDG_DATA_HOME", dir.c_str(), 1);
        return dir;
    }();
    return path;
}

class FileListActionsTest : public testing_support::ShellHomeTest {
  protected:
    static void SetUpTestSuite() { TrashHome(); }
    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(TrashHome(), ignored);
    }
    void SetUp() override {
        ShellHomeTest::SetUp();
        skin_.LoadEmbedded(nullptr);
        form_ = std::make_unique<TbsOpenDlgForm>(nullptr, false, nullptr);
        form_->Frame().SetSkinData(skin_.data);
        form_->SetControlsSkinData(skin_.data);
        form_->Show();
        Pump();
    }
    void TearDown() override {
        form_.reset();
        delete skin_.data;
        ShellHomeTest::TearDown();
    }
    TbsSkinFileListView& List() { return form_->FileList(); }
    void Open(const std::string& folder) {
        List().OpenFolderPath(folder);
        Pump();
    }
    int IndexOf(const std::string& name) {
        for (int i = 0; i < List().Count(); ++i)
            if (List().Folders(i).ItemDisplayName() == name) return i;
        return -1;
    }
    ui::TPoint ScreenPointOf(int index) {
        const graphics::TRect cell = List().ItemRect(index);
        return List().ClientToScreen({cell.left + 30, cell.top + cell.Height() / 2});
    }
    void RightClick(ui::TPoint p) {
        host_->Click(p.x, p.y, platform::kHostRightButton);
        Pump();
    }
    // Opens the item menu on `name` and runs the entry `downs` rows below the first.
    void RunMenuEntry(const std::string& name, int downs) {
        RightClick(ScreenPointOf(IndexOf(name)));
        for (int i = 0; i < downs; ++i) host_->PressKey(VK_DOWN);
        host_->PressKey(VK_RETURN);
        Pump();
    }
    std::vector<std::string> MenuCaptions() {
        std::vector<std::string> captions;
        ui::TMenuItem& items = List().ContextMenu()->Items();
        captions.reserve(items.Count());
        for (int i = 0; i < items.Count(); ++i) captions.push_back(items.Items(i)->Caption());
        return captions;
    }
    static void RunFor(int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            Pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    testing::LoadedSkin skin_;
    std::unique_ptr<TbsOpenDlgForm> form_;
};

using Captions = std::vector<std::string>;

TEST_F(FileListActionsTest, TheMenuOffersItemVerbsOnAnItemAndFolderVerbsOnEmptySpace) {
    home_.Make("pics/a.bmp");
    Open(home_ / "pics");
    const size_t before = host_->VisibleWindows().size();
    RightClick(ScreenPointOf(0));
    ASSERT_NE(List().ContextMenu(), nullptr);
    EXPECT_EQ(MenuCaptions(), (Captions{"Open", "-", "Rename", "Delete", "-", "New Folder",
                                        "Refresh", "-", "Properties"}));
    EXPECT_EQ(host_->VisibleWindows().size(), before + 1);  // the skinned popup
    EXPECT_TRUE(List().Selected(0));
    host_->PressKey(VK_ESCAPE);
    Pump();
    EXPECT_EQ(host_->VisibleWindows().size(), before);

    RightClick(List().ClientToScreen({List().Width() - 20, List().Height() - 20}));
    EXPECT_EQ(MenuCaptions(), (Captions{"New Folder", "Refresh", "-", "Properties"}));
    EXPECT_FALSE(List().Selected(0));
    host_->PressKey(VK_RETURN);  // New Folder
    Pump();
    EXPECT_TRUE(fs::is_directory(home_ / "pics/New Folder"));
    EXPECT_TRUE(List().EditingName());  // a new folder goes straight into rename
    host_->PressKey(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(List().EditingName());
    EXPECT_EQ(form_->ModalResult(), ui::mrNone);  // Escape ended the rename, not the dialog
}

TEST_F(FileListActionsTest, OpenEntersAFolderAndChoosesAFileAsADoubleClickDoes) {
    home_.MakeDir("pics/sub");
    const std::string file = home_.Make("pics/a.bmp");
    Open(home_ / "pics");
    RunMenuEntry("sub", 0);
    EXPECT_EQ(List().CurrentFolderPath(), home_ / "pics/sub");
    Open(home_ / "pics");
    RunMenuEntry("a.bmp", 0);
    EXPECT_EQ(form_->ResultName(), file);
    EXPECT_EQ(form_->ModalResult(), ui::mrOk);
}

TEST_F(FileListActionsTest, DeleteMovesTheItemToTheTrashAndRefreshes) {
    home_.Make("pics/a.bmp", "first");
    home_.Make("pics/b.bmp");
    Open(home_ / "pics");
    ASSERT_EQ(List().Count(), 2);
    RunMenuEntry("a.bmp", 2);
    EXPECT_FALSE(fs::exists(home_ / "pics/a.bmp"));
    EXPECT_EQ(Read(TrashHome() + "/Trash/files/a.bmp"), "first");
    EXPECT_EQ(List().Count(), 1);
    EXPECT_EQ(List().Folders(0).ItemDisplayName(), "b.bmp");
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(FileListActionsTest, AnItemThatVanishedShowsTheSystemsErrorAndTheListRefreshes) {
    const std::string gone = home_.Make("pics/gone.bmp");
    home_.Make("pics/stays.bmp");
    Open(home_ / "pics");
    fs::remove(gone);
    RunMenuEntry("gone.bmp", 2);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].text.find("No such file or directory"), std::string::npos)
        << boxes_[0].text;
    EXPECT_EQ(boxes_[0].caption, "Error");
    EXPECT_EQ(List().Count(), 1);
}

TEST_F(FileListActionsTest, WithoutATrashItAsksBeforeDeletingForGood) {
    // The system's shared memory volume has no trash.
    char pattern[] = "/dev/shm/tembrin-notrash-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    std::ofstream(folder + "/keep.bmp") << "x";
    Open(folder);
    int answers = 0;
    ui::Application().SetMessageBoxFunction(
        [&](platform::HWND, const std::string& text, const std::string& caption, platform::UINT) {
            boxes_.push_back({text, caption, 0});
            return ++answers == 1 ? platform::IDNO : platform::IDYES;
        });
    RunMenuEntry("keep.bmp", 2);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "\"keep.bmp\" cannot be moved to the trash. Delete it for good?");
    EXPECT_TRUE(fs::exists(folder + "/keep.bmp"));  // No keeps it
    RunMenuEntry("keep.bmp", 2);
    EXPECT_EQ(boxes_.size(), 2u);
    EXPECT_FALSE(fs::exists(folder + "/keep.bmp"));
    EXPECT_EQ(List().Count(), 0);
    fs::remove_all(folder);
}

TEST_F(FileListActionsTest, RenameInPlaceCommitsOnEnterAndCancelsOnEscapeOrUnchangedExit) {
    home_.Make("pics/a.bmp", "A");
    home_.Make("pics/b.bmp", "B");
    Open(home_ / "pics");
    List().SetFocus();
    List().SetItemIndex(IndexOf("a.bmp"));
    host_->PressKey(VK_F2);
    Pump();
    ASSERT_TRUE(List().EditingName());
    EXPECT_TRUE(List().NameEditor()->Focused());
    EXPECT_EQ(List().NameEditor()->Text(), "a.bmp");
    host_->Type("z.bmp");  // the whole name was selected
    host_->PressKey(VK_RETURN);
    Pump();
    EXPECT_FALSE(List().EditingName());
    EXPECT_EQ(Read(home_ / "pics/z.bmp"), "A");
    EXPECT_FALSE(fs::exists(home_ / "pics/a.bmp"));
    EXPECT_TRUE(List().Focused());

    // Escape: nothing changes.
    List().SetItemIndex(IndexOf("b.bmp"));
    host_->PressKey(VK_F2);
    host_->Type("y.bmp");
    host_->PressKey(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(List().EditingName());
    EXPECT_TRUE(fs::exists(home_ / "pics/b.bmp"));
    EXPECT_EQ(form_->ModalResult(), ui::mrNone);

    // Leaving the unchanged edit for the file-name edit ends it.
    host_->PressKey(VK_F2);
    Pump();
    ASSERT_TRUE(List().EditingName());
    Click(form_->FileNameEdit());
    Pump();
    EXPECT_FALSE(List().EditingName());
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(FileListActionsTest, RefusedNamesShowAnErrorAndKeepTheEditOpen) {
    home_.Make("pics/a.bmp", "A");
    home_.Make("pics/b.bmp", "B");
    Open(home_ / "pics");
    List().SetFocus();
    List().SetItemIndex(IndexOf("a.bmp"));
    const struct {
        const char* typed;
        const char* message;
    } refused[] = {{"b.bmp", "\"b.bmp\" already exists."}, {"x/y", "A name cannot contain \"/\"."}};
    for (const auto& name : refused) {
        host_->PressKey(VK_F2);
        Pump();
        SendMessage(List().NameEditor()->Handle(), platform::EM_SETSEL, 0, -1);
        host_->Type(name.typed);
        host_->PressKey(VK_RETURN);
        Pump();
        ASSERT_FALSE(boxes_.empty());
        EXPECT_EQ(boxes_.back().text, name.message);
        EXPECT_TRUE(List().EditingName());
        host_->PressKey(VK_ESCAPE);
        Pump();
    }
    // Emptied: refused too.
    host_->PressKey(VK_F2);
    Pump();
    host_->PressKey(platform::VK_DELETE);
    host_->PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(boxes_.back().text, "A name cannot be empty.");
    EXPECT_TRUE(List().EditingName());
    EXPECT_EQ(Read(home_ / "pics/a.bmp"), "A");
    EXPECT_EQ(Read(home_ / "pics/b.bmp"), "B");  // never replaced
}

TEST_F(FileListActionsTest, ARenameTheSystemRefusesShowsItsReasonForFoldersAndFiles) {
    home_.MakeDir("pics/sub");
    home_.MakeDir("pics/gone");
    home_.Make("pics/gone.bmp");
    Open(home_ / "pics");
    List().SetFocus();
    const struct {
        const char* item;
        std::string typed;
        const char* reason;
        bool vanishes;
    } refused[] = {{"gone", "back", "No such file or directory", true},
                   {"gone.bmp", "back.bmp", "No such file or directory", true},
                   {"sub", std::string(300, 'x'), "File name too long", false}};
    for (const auto& name : refused) {
        List().SetItemIndex(IndexOf(name.item));
        host_->PressKey(VK_F2);
        Pump();
        ASSERT_TRUE(List().EditingName()) << name.item;
        if (name.vanishes)
            fs::remove(home_ / ("pics/" + std::string(name.item)));  // while it is edited
        host_->Type(name.typed);
        host_->PressKey(VK_RETURN);
        Pump();
        ASSERT_FALSE(boxes_.empty()) << name.item;
        EXPECT_EQ(boxes_.back().text, "Rename to " + name.typed + " failed: " + name.reason);
        EXPECT_EQ(boxes_.back().caption, "Error");
        EXPECT_TRUE(List().EditingName());
        host_->PressKey(VK_ESCAPE);
        Pump();
    }
    EXPECT_EQ(boxes_.size(), 3u);
    EXPECT_TRUE(fs::is_directory(home_ / "pics/sub"));
}

TEST_F(FileListActionsTest, ASlowSecondClickOrTheMenuRenamesAndADoubleClickDoesNot) {
    home_.Make("pics/a.bmp");
    home_.MakeDir("pics/sub");
    Open(home_ / "pics");
    const ui::TPoint file = ScreenPointOf(IndexOf("a.bmp"));
    host_->Click(file.x, file.y);  // focuses and selects
    Pump();
    RunFor(int(platform::GetDoubleClickTime()) + 100);
    host_->Click(file.x, file.y);  // the second, slow click
    Pump();
    EXPECT_FALSE(List().EditingName());  // not before the double-click time passed
    RunFor(int(platform::GetDoubleClickTime()) + 100);
    EXPECT_TRUE(List().EditingName());
    host_->PressKey(VK_ESCAPE);
    Pump();

    // A double click on the selected folder opens it instead.
    const ui::TPoint folder = ScreenPointOf(IndexOf("sub"));
    host_->Click(folder.x, folder.y);
    Pump();
    RunFor(int(platform::GetDoubleClickTime()) + 100);
    host_->Click(folder.x, folder.y);
    host_->Click(folder.x, folder.y);
    Pump();
    RunFor(int(platform::GetDoubleClickTime()) + 100);
    EXPECT_FALSE(List().EditingName());
    EXPECT_EQ(List().CurrentFolderPath(), home_ / "pics/sub");

    Open(home_ / "pics");
    RunMenuEntry("a.bmp", 1);
    EXPECT_TRUE(List().EditingName());
    host_->Type("c.bmp");
    host_->PressKey(VK_RETURN);
    Pump();
    EXPECT_TRUE(fs::exists(home_ / "pics/c.bmp"));
}

TEST_F(FileListActionsTest, F2RightAfterEscapeClosedTheItemMenuRenames) {
    home_.Make("pics/a.bmp", "A");
    Open(home_ / "pics");
    RightClick(ScreenPointOf(IndexOf("a.bmp")));
    ASSERT_TRUE(form_->Frame().SkinMenuVisible());
    host_->PressKey(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(form_->Frame().SkinMenuVisible());
    EXPECT_TRUE(List().Focused());
    host_->PressKey(VK_F2);  // no click in between
    Pump();
    ASSERT_TRUE(List().EditingName());
    host_->Type("b.bmp");
    host_->PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(Read(home_ / "pics/b.bmp"), "A");
}

TEST_F(FileListActionsTest, TheNewFolderButtonPutsTheNewFolderIntoRename) {
    home_.MakeDir("pics");
    Open(home_ / "pics");
    Click(form_->NewFolderButton());
    Pump();
    ASSERT_TRUE(List().EditingName());
    EXPECT_EQ(List().NameEditor()->Text(), "New Folder");
    host_->Type("Icons");
    host_->PressKey(VK_RETURN);
    Pump();
    EXPECT_TRUE(fs::is_directory(home_ / "pics/Icons"));
    EXPECT_FALSE(fs::exists(home_ / "pics/New Folder"));
}

TEST_F(FileListActionsTest, PropertiesTellNameTypeLocationSizeTimeAndFolderContents) {
    home_.Make("pics/a.bmp", std::string(1536, 'a'));
    home_.Make("pics/sub/one");
    home_.Make("pics/sub/two");
    Open(home_ / "pics");
    std::vector<std::vector<std::pair<std::string, std::string>>> seen;
    ui::Application().OnIdle = [&](ui::TComponent*) {
        for (ui::TCustomForm* f : ui::Application().Forms()) {
            auto* box = dynamic_cast<TbsPropertiesBox*>(f);
            if (box == nullptr || !box->Visible() || box->ModalResult() != ui::mrNone) continue;
            seen.push_back(box->Rows());
            host_->PressKey(VK_ESCAPE);
        }
    };
    List().SetFocus();
    List().SetItemIndex(IndexOf("a.bmp"));
    host_->KeyDown(platform::VK_MENU);
    host_->PressKey(VK_RETURN);  // Alt+Enter
    host_->KeyUp(platform::VK_MENU);
    Pump();
    RunMenuEntry("sub", 5);  // Properties from the menu (separators are skipped)
    ui::Application().OnIdle = nullptr;
    ASSERT_EQ(seen.size(), 2u);
    ASSERT_EQ(seen[0].size(), 5u);
    EXPECT_EQ(seen[0][0], (std::pair<std::string, std::string>{"Name:", "a.bmp"}));
    EXPECT_EQ(seen[0][1].second, "BMP File");
    EXPECT_EQ(seen[0][2].second, home_ / "pics");
    EXPECT_EQ(seen[0][3].second, "1.5 KB (1,536 bytes)");
    EXPECT_EQ(seen[0][4].first, "Modified:");
    EXPECT_EQ(seen[1].back(), (std::pair<std::string, std::string>{"Contains:", "2 items"}));
    EXPECT_EQ(seen[1][1].second, "Folder");
}

}  // namespace
}  // namespace skinctrls
