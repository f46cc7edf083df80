#include <gtest/gtest.h>

#include <memory>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "skinctrls/shell_combo_box.h"
#include "skinctrls/shell_list_view.h"
#include "support/shell_home_test.h"

namespace skinctrls {
namespace {

class ShellComboBoxTest : public testing_support::ShellHomeTest {
  protected:
    platform::ItemIdListPtr ListOf(const std::string& path) {
        platform::LPITEMIDLIST list = nullptr;
        DesktopFolder()->ParseDisplayName(nullptr, nullptr, path.c_str(), nullptr, &list, nullptr);
        return platform::ItemIdListPtr(list);
    }
    std::vector<std::pair<std::string, int>> Entries(TbsCustomShellComboBox& combo) {
        std::vector<std::pair<std::string, int>> entries;
        entries.reserve(static_cast<size_t>(combo.Count()));
        for (int i = 0; i < combo.Count(); ++i) {
            entries.emplace_back(combo.Entries(i).Text, combo.Entries(i).Depth);
        }
        return entries;
    }
    using Entries_ = std::vector<std::pair<std::string, int>>;
};

TEST_F(ShellComboBoxTest, RootEntryIsFollowedByItsChildFoldersInOrder) {
    home_.MakeDir("pics/sub");
    home_.MakeDir("pics/Alpha");
    home_.Make("pics/file.bmp");
    TbsSkinShellComboBox combo(nullptr);
    combo.SetRoot(home_ / "pics");
    EXPECT_EQ(Entries(combo), (Entries_{{"pics", 0}, {"Alpha", 1}, {"sub", 1}}));
    EXPECT_EQ(combo.ItemIndex(), 0);
    EXPECT_EQ(combo.Entries(1).ImageIndex, platform::kIconFolder);
}

TEST_F(ShellComboBoxTest, ClosedBoxDrawsTheSelectedEntrysIcon) {
    home_.MakeDir("pics/sub");
    TbsSkinShellComboBox combo(nullptr);
    combo.SetBounds(0, 0, 200, 22);
    combo.SetRoot(home_ / "pics");
    combo.SetItemIndex(1);
    graphics::TBitmap image;
    combo.PaintTo(image);
    bool folderColour = false;
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 40; ++x) {
            folderColour |= (image.Canvas().ReadPixel(x, y) & 0xFFFFFF) == 0x50C0E8u;
        }
    }
    EXPECT_TRUE(folderColour);
    EXPECT_EQ(combo.Caption(), "sub");
}

TEST_F(ShellComboBoxTest, RootNamesIgnoreCaseButPathsDoNot) {
    home_.MakeDir("pics/sub");
    home_.MakeDir("Pics/other");
    TbsSkinShellComboBox combo(nullptr);
    combo.SetRoot(home_ / "pics");
    combo.SetRoot(home_ / "Pics");  // another folder on this system
    EXPECT_EQ(combo.Entries(1).Text, "other");
    combo.SetRoot("rfDesktop");
    const int count = combo.Count();
    combo.SetRoot("RFDESKTOP");  // the same root
    EXPECT_EQ(combo.Root(), "rfDesktop");
    EXPECT_EQ(combo.Count(), count);
}

TEST_F(ShellComboBoxTest, DesktopRootListsComputersVolumesRightAfterIt) {
    home_.MakeDir("pics");
    TbsSkinShellComboBox combo(nullptr);
    combo.SetRoot("rfMyComputer");
    combo.SetRoot("rfDesktop");
    ASSERT_GE(combo.Count(), 5);
    EXPECT_EQ(combo.Entries(0).Text, "Desktop");
    EXPECT_EQ(combo.Entries(1).Text, "Computer");
    EXPECT_EQ(combo.Entries(2).Text, "/");
    EXPECT_EQ(combo.Entries(2).Depth, 2);
    // After the volumes: the home place and the desktop folder's own folders.
    EXPECT_EQ(combo.Entries(combo.Count() - 2).Text, "Home");
    EXPECT_EQ(combo.Entries(combo.Count() - 1).Text, "pics");
    EXPECT_EQ(combo.Entries(combo.Count() - 1).Depth, 1);
}

TEST_F(ShellComboBoxTest, FolderChainIsInsertedBelowTheDeepestListedAncestor) {
    home_.MakeDir("pics/sub/deep/deeper");
    home_.MakeDir("pics/Alpha");
    TbsSkinShellComboBox combo(nullptr);
    combo.SetRoot(home_ / "pics");
    auto target = ListOf(home_ / "pics/sub/deep/deeper");
    combo.ShowFolderChain(target.get());
    EXPECT_EQ(Entries(combo),
              (Entries_{{"pics", 0}, {"Alpha", 1}, {"sub", 1}, {"deep", 2}, {"deeper", 3}}));
    EXPECT_EQ(combo.ItemIndex(), 4);
    // Drop-down entries are indented by half an icon per level; the closed box is not.
    EXPECT_EQ(combo.EntryIconLeft(4, true), 24);
    EXPECT_EQ(combo.EntryIconLeft(4, false), 0);

    // A folder listed already is only selected; one outside the root adds nothing.
    auto alpha = ListOf(home_ / "pics/Alpha");
    combo.ShowFolderChain(alpha.get());
    EXPECT_EQ(combo.Count(), 3);
    EXPECT_EQ(combo.ItemIndex(), 1);
    auto outside = ListOf("/usr");
    combo.ShowFolderChain(outside.get());
    EXPECT_EQ(combo.Count(), 3);
    EXPECT_EQ(combo.ItemIndex(), 0);
}

TEST_F(ShellComboBoxTest, LinkedListAndComboFollowEachOther) {
    home_.MakeDir("pics/sub/deep");
    auto combo = std::make_unique<TbsSkinShellComboBox>(nullptr);
    auto list = std::make_unique<TbsSkinFileListView>(nullptr);
    combo->SetRoot(home_ / "pics");
    combo->SetShellListView(list.get());
    EXPECT_EQ(list->Root(), home_ / "pics");
    EXPECT_EQ(list->ShellComboBox(), combo.get());
    list->SetItemIndex(0);  // "sub"
    list->OpenSelectedFolder();
    ASSERT_GE(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Entries(combo->ItemIndex()).Text, "sub");
    list->SetItemIndex(0);  // "deep"
    list->OpenSelectedFolder();
    EXPECT_EQ(combo->Entries(combo->ItemIndex()).Text, "deep");
    EXPECT_EQ(combo->Entries(combo->ItemIndex()).Depth, 2);
    combo->SetItemIndex(0);
    EXPECT_EQ(list->CurrentFolderPath(), home_ / "pics");
    // Freeing one side unlinks the other.
    combo.reset();
    EXPECT_EQ(list->ShellComboBox(), nullptr);
    list->OpenFolderPath(home_ / "pics/sub");
    EXPECT_EQ(list->CurrentFolderPath(), home_ / "pics/sub");
}

}  // namespace
}  // namespace skinctrls
