#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "core/utf8.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "platform/shell/image_list.h"
#include "platform/thread/ui_thread.h"
#include "skin_fixture.h"
#include "skinctrls/shell_combo_box.h"
#include "skinctrls/shell_list_view.h"
#include "support/shell_home_test.h"
#include "ui/form.h"

namespace skinctrls {
namespace {

class ShellListViewTest : public testing_support::ShellHomeTest {
  protected:
    void MakeTree() {
        home_.MakeDir("pics/sub");
        home_.MakeDir("pics/Alpha");
        home_.Make("pics/b.bmp", std::string(5000, 'b'));
        home_.Make("pics/a.ico", std::string(100, 'a'));
        home_.Make("pics/c.jpg", std::string(3000, 'c'));
        home_.Make("pics/noext");
        home_.Make("pics/.hidden.bmp");
        home_.Make("pics/archive.zip", std::string(10, 'z'));
        SetTime("pics/b.bmp", 1000000000);
        SetTime("pics/a.ico", 1100000000);
        SetTime("pics/c.jpg", 900000000);
        SetTime("pics/archive.zip", 950000000);
    }
    void SetTime(const std::string& relative, time_t when) {
        utimbuf times{when, when};
        ::utime((home_ / "" + relative).c_str(), &times);
    }
    std::vector<std::string> Names(TbsCustomShellListView& list) {
        std::vector<std::string> names;
        names.reserve(static_cast<size_t>(list.Count()));
        for (int i = 0; i < list.Count(); ++i) names.push_back(list.Folders(i).ItemDisplayName());
        return names;
    }
    std::unique_ptr<TbsSkinFileListView> List(const std::string& root) {
        auto list = std::make_unique<TbsSkinFileListView>(nullptr);
        list->SetBounds(0, 0, 400, 200);
        list->SetRoot(root);
        return list;
    }
};

using Names_ = std::vector<std::string>;

TEST_F(ShellListViewTest, ListsFoldersFirstThenFilesPassingTheMask) {
    MakeTree();
    auto list = List(home_ / "pics");
    // The initial mask wants a dot; the zip archive counts as a file.
    EXPECT_EQ(Names(*list), (Names_{"Alpha", "sub", "a.ico", "archive.zip", "b.bmp", "c.jpg"}));
    list->SetMask("*.ico");
    EXPECT_EQ(Names(*list), (Names_{"Alpha", "sub", "a.ico"}));
    list->SetMask("*");
    EXPECT_EQ(Names(*list),
              (Names_{"Alpha", "sub", "a.ico", "archive.zip", "b.bmp", "c.jpg", "noext"}));
    list->SetMask("abc");
    EXPECT_EQ(Names(*list), (Names_{"Alpha", "sub"}));
    list->SetObjectTypes(otNonFolders | otHidden);
    list->SetMask("*.bmp");
    EXPECT_EQ(Names(*list), (Names_{".hidden.bmp", "b.bmp"}));
}

TEST_F(ShellListViewTest, AddFolderEventCanVetoItems) {
    MakeTree();
    auto list = std::make_unique<TbsSkinFileListView>(nullptr);
    int asked = 0;
    list->OnAddFolder = [&](ui::TComponent*, TbsShellFolder* folder, bool& canAdd) {
        ++asked;
        canAdd = folder->ItemDisplayName() != "sub";
    };
    list->SetRoot(home_ / "pics");
    EXPECT_EQ(asked, 6);  // the mask rejected the two names without a dot before the event
    EXPECT_EQ(Names(*list), (Names_{"Alpha", "a.ico", "archive.zip", "b.bmp", "c.jpg"}));
}

TEST_F(ShellListViewTest, NavigatesIntoFoldersAndUpToTheDesktopButNoFurther) {
    MakeTree();
    home_.Make("pics/sub/inner.gif");
    auto list = List(home_ / "pics");
    int changes = 0;
    list->OnFolderChanged = [&](ui::TComponent*) { ++changes; };
    EXPECT_EQ(list->CurrentFolderPath(), home_ / "pics");
    list->SetItemIndex(1);  // "sub"
    EXPECT_TRUE(list->OpenSelectedFolder());
    EXPECT_EQ(list->CurrentFolderPath(), home_ / "pics/sub");
    EXPECT_EQ(Names(*list), (Names_{"inner.gif"}));
    EXPECT_EQ(changes, 1);
    list->SetItemIndex(0);
    EXPECT_FALSE(list->OpenSelectedFolder());  // a file is not opened
    EXPECT_EQ(list->SelectedFilePath(), home_ / "pics/sub/inner.gif");

    list->GoToParent();
    EXPECT_EQ(list->CurrentFolderPath(), home_ / "pics");
    // Navigating to the folder already shown does nothing.
    list->OpenFolderPath(home_ / "pics");
    EXPECT_EQ(changes, 2);

    for (int i = 0; i < 64 && !platform::ILIsEmpty(list->RootFolder()->AbsoluteID()); ++i) {
        list->GoToParent();
    }
    ASSERT_TRUE(platform::ILIsEmpty(list->RootFolder()->AbsoluteID()));
    const int before = changes;
    list->GoToParent();  // the desktop has no parent
    EXPECT_EQ(changes, before);
    EXPECT_EQ(list->CurrentFolderPath(), home_.Path());  // no ~/Desktop: the home folder
}

TEST_F(ShellListViewTest, BadPathsAndRootsRaiseAndKeepTheFormerPlace) {
    MakeTree();
    auto list = List(home_ / "pics");
    try {
        list->OpenFolderPath(home_ / "missing");
        ADD_FAILURE() << "no error";
    } catch (const core::Exception& e) {
        EXPECT_EQ(e.Message(), "Error setting path: \"" + home_ / "missing\"");
    }
    EXPECT_EQ(list->CurrentFolderPath(), home_ / "pics");
    try {
        list->SetRoot("C:");
        ADD_FAILURE() << "no error";
    } catch (const core::Exception& e) {
        EXPECT_EQ(e.Message(), "Error setting path: \"C:\\\"");
    }
    EXPECT_EQ(list->Root(), home_ / "pics");
    EXPECT_THROW(list->SetRoot(""), core::Exception);
    list->SetRoot("rfPersonal");
    EXPECT_EQ(list->CurrentFolderPath(), home_.Path());
}

TEST_F(ShellListViewTest, ColumnSortFlipsOnTheSameColumnAndKeepsFoldersTogether) {
    MakeTree();
    auto list = List(home_ / "pics");
    list->SetViewStyle(TViewStyle::vsReport);
    ASSERT_EQ(list->Columns().size(), 4u);
    EXPECT_EQ(list->Columns()[0].Caption, "Name");
    EXPECT_EQ(list->Columns()[1].Alignment, TColumnAlignment::taRightJustify);

    list->ColumnClick(1);  // size
    EXPECT_EQ(Names(*list), (Names_{"Alpha", "sub", "archive.zip", "a.ico", "c.jpg", "b.bmp"}));
    EXPECT_FALSE(list->SortDescending());
    list->ColumnClick(1);  // again: the whole order reverses, folders last
    EXPECT_TRUE(list->SortDescending());
    EXPECT_EQ(Names(*list), (Names_{"b.bmp", "c.jpg", "a.ico", "archive.zip", "sub", "Alpha"}));
    list->ColumnClick(3);  // modified, ascending again
    EXPECT_FALSE(list->SortDescending());
    EXPECT_EQ(Names(*list), (Names_{"Alpha", "sub", "c.jpg", "archive.zip", "b.bmp", "a.ico"}));
    list->ColumnClick(2);  // type
    EXPECT_EQ(Names(*list), (Names_{"Alpha", "sub", "b.bmp", "a.ico", "c.jpg", "archive.zip"}));
    list->ColumnClick(0);
    EXPECT_EQ(Names(*list), (Names_{"Alpha", "sub", "a.ico", "archive.zip", "b.bmp", "c.jpg"}));
}

TEST_F(ShellListViewTest, SelectionFollowsItsItemThroughASortAndCollectsOnlyFiles) {
    MakeTree();
    auto list = List(home_ / "pics");
    list->SetMultiSelect(true);
    list->SetSelected(0, true);  // a folder
    list->SetSelected(4, true);  // b.bmp
    list->SetSelected(2, true);  // a.ico
    EXPECT_EQ(list->SelectedFilePaths(), (Names_{home_ / "pics/a.ico", home_ / "pics/b.bmp"}));
    list->SetViewStyle(TViewStyle::vsReport);
    list->ColumnClick(0);  // the name column sorted already: descending, b.bmp first
    EXPECT_EQ(list->SelectedFilePaths(), (Names_{home_ / "pics/b.bmp", home_ / "pics/a.ico"}));
}

TEST_F(ShellListViewTest, SelectionChangesAreReportedLostBeforeGained) {
    MakeTree();
    auto list = List(home_ / "pics");
    std::vector<std::pair<int, bool>> events;
    list->OnSelectItem = [&](ui::TComponent*, int index, bool selected) {
        events.emplace_back(index, selected);
    };
    list->SetItemIndex(2);
    list->SetItemIndex(4);
    list->SetItemIndex(4);  // no change, no event
    list->ClearSelection();
    EXPECT_EQ(events,
              (std::vector<std::pair<int, bool>>{{2, true}, {2, false}, {4, true}, {4, false}}));
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->SelectedFilePath(), "");
}

TEST_F(ShellListViewTest, IncrementalSearchMatchesPrefixesWithoutCaseAndWraps) {
    MakeTree();
    auto list = List(home_ / "pics");
    EXPECT_EQ(list->FindItem("S", 0, false), 1);
    EXPECT_EQ(list->FindItem("a", 3, false), 3);  // archive.zip
    EXPECT_EQ(list->FindItem("AL", 3, false), -1);
    EXPECT_EQ(list->FindItem("AL", 3, true), 0);  // wrapped to the top
    EXPECT_EQ(list->FindItem("zzz", 0, true), -1);
}

TEST_F(ShellListViewTest, DetailsMustBeLoadedBeforeTheyAreRead) {
    MakeTree();
    auto list = List(home_ / "pics");
    TbsShellFolder& item = list->Folders(4);  // b.bmp
    try {
        item.Details(1);
        ADD_FAILURE() << "no error";
    } catch (const core::Exception& e) {
        EXPECT_EQ(e.Message(), "b.bmp: Missing call to LoadColumnDetails");
    }
    item.LoadColumnDetails(4);
    EXPECT_EQ(item.Details(0), "b.bmp");
    EXPECT_EQ(item.Details(1), "5 KB");
    EXPECT_EQ(item.Details(2), "BMP File");
    EXPECT_NE(item.Details(3).find(':'), std::string::npos);
    EXPECT_EQ(item.Details(9), "");
}

TEST_F(ShellListViewTest, RenameChangesTheItemsListsOrReportsRefusal) {
    MakeTree();
    auto list = List(home_ / "pics");
    TbsShellFolder& item = list->Folders(4);  // b.bmp
    EXPECT_THROW(
        {
            try {
                item.Rename("c.jpg");
            } catch (const core::Exception& e) {
                EXPECT_EQ(e.Message(), "Rename to c.jpg failed: File exists");
                throw;
            }
        },
        core::Exception);
    item.Rename("d.bmp");
    EXPECT_EQ(item.ItemDisplayName(), "d.bmp");
    EXPECT_EQ(item.ItemFileSystemPath(), home_ / "pics/d.bmp");
    EXPECT_EQ(platform::ILGetCount(item.RelativeID()), 1u);
}

TEST_F(ShellListViewTest, RefreshKeepsTheSelectedIndexAndSeesNewFiles) {
    MakeTree();
    auto list = List(home_ / "pics");
    list->SetItemIndex(3);
    home_.Make("pics/aa.bmp");
    list->Refresh();
    EXPECT_EQ(list->Count(), 7);
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(list->Folders(3).ItemDisplayName(), "aa.bmp");
}

TEST_F(ShellListViewTest, KeysGoUpOpenFoldersAndMoveTheSelection) {
    MakeTree();
    auto list = List(home_ / "pics");
    auto press = [&](int vk) {
        uint16_t key = uint16_t(vk);
        list->DoKeyDown(key, 0);
    };
    list->SetItemIndex(0);
    press(platform::VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 1);
    press(platform::VK_RETURN);
    EXPECT_EQ(list->CurrentFolderPath(), home_ / "pics/sub");
    press(platform::VK_BACK);
    EXPECT_EQ(list->CurrentFolderPath(), home_ / "pics");
    list->SetAutoNavigate(false);
    press(platform::VK_BACK);
    EXPECT_EQ(list->CurrentFolderPath(), home_ / "pics");
    char32_t typed = U'c';
    list->DoKeyPress(typed);
    EXPECT_EQ(list->Folders(list->ItemIndex()).ItemDisplayName(), "c.jpg");
}

TEST_F(ShellListViewTest, ReportViewDrawsTheHeaderRowsAndIcons) {
    MakeTree();
    auto list = List(home_ / "pics");
    list->SetViewStyle(TViewStyle::vsReport);
    list->SetItemIndex(2);
    graphics::TBitmap image;
    list->PaintTo(image);
    ASSERT_EQ(image.Width(), 400);
    auto pixel = [&](int x, int y) { return image.Canvas().ReadPixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(pixel(399, 199), 0xFFFFFFu);  // unbound skin: the window colour below the rows
    // The folder icon of the first row sits at the left edge, below the header.
    bool folderColour = false;
    for (int y = 18; y < 40 && !folderColour; ++y) {
        for (int x = 2; x < 18; ++x) folderColour |= pixel(x, y) == 0x50C0E8u;
    }
    EXPECT_TRUE(folderColour);
    if (const char* out = std::getenv("TEMBRIN_SHELL_SNAPSHOT")) image.SaveFile(out);
}

class ShellListViewWindowTest : public testing_support::ShellHomeTest {};

TEST_F(ShellListViewWindowTest, CreatingTheWindowLoadsTheRootAndClicksOpenFolders) {
    home_.MakeDir("pics/sub");
    home_.Make("note.txt");
    auto* form = ui::Application().CreateForm<ui::TForm>();
    form->SetBounds(20, 20, 500, 300);
    form->Show();
    auto* combo = ui::Make<TbsSkinShellComboBox>(form);
    combo->SetParent(form);
    combo->SetBounds(10, 10, 300, 22);
    auto* list = ui::Make<TbsSkinFileListView>(form);
    list->SetShellComboBox(combo);
    list->SetViewStyle(TViewStyle::vsList);
    list->SetBounds(10, 40, 400, 200);
    list->SetParent(form);
    list->HandleNeeded();
    Pump();
    // The desktop (the home folder here): Computer, Home, pics, then the file.
    ASSERT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Folders(2).ItemDisplayName(), "pics");
    EXPECT_EQ(list->Folders(3).ItemDisplayName(), "note.txt");
    ASSERT_GE(combo->Count(), 1);
    EXPECT_EQ(combo->Entries(combo->ItemIndex()).Text, "Desktop");

    // A press selects the row under it; a double click opens the folder.
    const int row = 2 * 18 + 5;  // third row (rows are at least 18 pixels)
    list->Perform(platform::WM_LBUTTONDOWN, platform::MK_LBUTTON, platform::MAKELPARAM(30, row));
    list->Perform(platform::WM_LBUTTONUP, 0, platform::MAKELPARAM(30, row));
    ASSERT_EQ(list->ItemIndex(), 2);
    list->Perform(platform::WM_LBUTTONDBLCLK, platform::MK_LBUTTON, platform::MAKELPARAM(30, row));
    EXPECT_EQ(list->CurrentFolderPath(), home_ / "pics");
    EXPECT_EQ(combo->Entries(combo->ItemIndex()).Text, "pics");

    // Destroying the window frees the items.
    list->DestroyHandle();
    EXPECT_EQ(list->Count(), 0);
}

class ShellListViewSkinTest : public testing_support::ShellHomeTest {};

TEST_F(ShellListViewSkinTest, HeaderSectionsComeFromTheNamedButtonObject) {
    home_.MakeDir("pics/sub");
    testing::LoadedSkin skin;
    skin.LoadEmbedded(nullptr);
    auto list = std::make_unique<TbsSkinFileListView>(nullptr);
    list->SetBounds(0, 0, 400, 120);
    list->SetRoot(home_ / "pics");
    list->SetViewStyle(TViewStyle::vsReport);
    list->SetSkinData(skin.data);
    graphics::TBitmap image;
    list->PaintTo(image);
    if (const char* out = std::getenv("TEMBRIN_SHELL_SNAPSHOT")) image.SaveFile(out);
    const auto& objects = skin.data->CtrlList();
    const int index = skin.data->GetControlIndex("resizebutton");
    ASSERT_GE(index, 0);
    TbsSkinLayout frame;
    frame.CopyFrom(objects[size_t(index)].get());
    const graphics::TBitmap* picture = SkinBitmap(skin.data, frame.PictureIndex);
    ASSERT_NE(picture, nullptr);
    auto pixel = [](const graphics::TBitmap& b, int x, int y) {
        return const_cast<graphics::TBitmap&>(b).Canvas().ReadPixel(x, y) & 0xFFFFFF;
    };
    // The section's left end is the object's picture piece (header and skin both 20 high
    // or stretched alike along x = 1).
    EXPECT_EQ(pixel(image, 1, 0), pixel(*picture, frame.SkinRect.left + 1, frame.SkinRect.top));
    // Unnamed: plain sections.
    list->SetHeaderSkinDataName("nosuchobject");
    list->PaintTo(image);
    EXPECT_NE(pixel(image, 1, 0), pixel(*picture, frame.SkinRect.left + 1, frame.SkinRect.top));
    delete skin.data;
}

class ShellListViewBarsTest : public testing_support::ShellHomeTest {};

TEST_F(ShellListViewBarsTest, AttachedBarsFollowTheContentAndScrollIt) {
    for (int i = 0; i < 30; ++i) home_.Make("many/f" + std::to_string(100 + i) + ".bmp");
    home_.MakeDir("few");
    home_.Make("few/one.bmp");
    auto vbar = std::make_unique<TbsSkinScrollBar>(nullptr);
    auto hbar = std::make_unique<TbsSkinScrollBar>(nullptr);
    auto list = std::make_unique<TbsSkinFileListView>(nullptr);
    list->SetBounds(0, 0, 300, 180);              // ten rows of 18 pixels
    list->SetViewStyle(TViewStyle::vsSmallIcon);  // two cells of 150 pixels per row
    list->SetVScrollBar(vbar.get());
    list->SetHScrollBar(hbar.get());
    list->SetRoot(home_ / "many");
    EXPECT_TRUE(vbar->Enabled());
    EXPECT_EQ(vbar->Max(), 14);
    EXPECT_EQ(vbar->PageSize(), 10);
    EXPECT_FALSE(hbar->Enabled());
    vbar->SetPosition(2);
    EXPECT_EQ(list->TopIndex(), 4);
    // Selecting the last item scrolls its row into view and moves the bar.
    list->SetItemIndex(29);
    EXPECT_EQ(list->TopIndex(), 10);
    EXPECT_EQ(vbar->Position(), 5);
    // The list wraps into three columns of 180 pixels: the horizontal bar scrolls them.
    list->SetViewStyle(TViewStyle::vsList);
    EXPECT_FALSE(vbar->Enabled());
    EXPECT_TRUE(hbar->Enabled());
    EXPECT_EQ(hbar->Max(), 539);
    EXPECT_EQ(hbar->PageSize(), 300);
    EXPECT_GE(hbar->Position(), 240);  // the last item's column in view
    // The report's columns are wider than the list: the horizontal bar comes on.
    list->SetViewStyle(TViewStyle::vsReport);
    EXPECT_TRUE(hbar->Enabled());
    list->OpenFolderPath(home_ / "few");
    EXPECT_FALSE(vbar->Enabled());
    EXPECT_EQ(list->TopIndex(), 0);
    // A freed bar is let go.
    vbar.reset();
    EXPECT_EQ(list->VScrollBar(), nullptr);
    list->OpenFolderPath(home_ / "many");
}

class ShellListViewLayoutTest : public testing_support::ShellHomeTest {};

TEST_F(ShellListViewLayoutTest, SmallIconsFlowIntoRowsAndTheListIntoColumns) {
    for (int i = 0; i < 12; ++i) home_.Make("many/f" + std::to_string(100 + i) + ".bmp");
    auto list = std::make_unique<TbsSkinFileListView>(nullptr);
    list->SetBounds(0, 0, 460, 90);  // five rows of 18 pixels, three small-icon cells across
    list->SetRoot(home_ / "many");
    list->SetViewStyle(TViewStyle::vsSmallIcon);
    EXPECT_EQ(list->ItemRect(1).left, 150);
    EXPECT_EQ(list->ItemRect(1).top, 0);
    EXPECT_EQ(list->ItemRect(3).left, 0);
    EXPECT_EQ(list->ItemRect(3).top, 18);
    list->SetViewStyle(TViewStyle::vsList);
    EXPECT_EQ(list->ItemRect(1).left, 0);
    EXPECT_EQ(list->ItemRect(1).top, 18);
    EXPECT_EQ(list->ItemRect(5).left, 180);
    EXPECT_EQ(list->ItemRect(5).top, 0);
    // Clicks and the arrow keys follow the layout.
    list->Perform(platform::WM_LBUTTONDOWN, platform::MK_LBUTTON, platform::MAKELPARAM(200, 20));
    list->Perform(platform::WM_LBUTTONUP, 0, platform::MAKELPARAM(200, 20));
    EXPECT_EQ(list->ItemIndex(), 6);
    uint16_t key = platform::VK_RIGHT;
    list->DoKeyDown(key, 0);
    EXPECT_EQ(list->ItemIndex(), 11);
    list->SetViewStyle(TViewStyle::vsSmallIcon);
    key = platform::VK_DOWN;
    list->DoKeyDown(key, 0);
    EXPECT_EQ(list->ItemIndex(), 11);  // no row below
    key = platform::VK_UP;
    list->DoKeyDown(key, 0);
    EXPECT_EQ(list->ItemIndex(), 8);
    // The two layouts draw differently.
    graphics::TBitmap small, listed;
    list->PaintTo(small);
    list->SetViewStyle(TViewStyle::vsList);
    list->PaintTo(listed);
    int differing = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 460; ++x)
            differing += small.Canvas().ReadPixel(x, y) != listed.Canvas().ReadPixel(x, y);
    EXPECT_GT(differing, 100);
}

TEST_F(ShellListViewLayoutTest, TheWaitCursorShowsWhileAFolderIsReadAndComesBackAfter) {
    home_.Make("pics/a.bmp");
    auto list = std::make_unique<TbsSkinFileListView>(nullptr);
    std::vector<platform::HostCursor> during;
    list->OnAddFolder = [&](ui::TComponent*, TbsShellFolder*, bool&) {
        during.push_back(host_->Cursor());
    };
    list->SetRoot(home_ / "pics");
    ASSERT_EQ(during.size(), 1u);
    EXPECT_EQ(during[0], platform::HostCursor::Wait);
    EXPECT_EQ(host_->Cursor(), platform::HostCursor::Arrow);
    // Also when reading fails.
    list->OnAddFolder = [](ui::TComponent*, TbsShellFolder*, bool&) {
        throw core::Exception("stop");
    };
    EXPECT_THROW(list->Refresh(), core::Exception);
    EXPECT_EQ(host_->Cursor(), platform::HostCursor::Arrow);
}

class ShellListViewRefreshTest : public testing_support::ShellHomeTest {};

TEST_F(ShellListViewRefreshTest, AutoRefreshSeesFilesAddedToTheFolder) {
    platform::IsMainThread();  // this thread serves the notifier's calls
    home_.Make("watched/a.bmp");
    auto list = std::make_unique<TbsSkinFileListView>(nullptr);
    list->SetRoot(home_ / "watched");
    list->SetAutoRefresh(true);
    ASSERT_EQ(list->Count(), 1);
    home_.Make("watched/b.bmp");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (list->Count() < 2 && std::chrono::steady_clock::now() < deadline) {
        if (!platform::ServeMainThreadCalls()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    EXPECT_EQ(list->Count(), 2);
    // Off again: later changes are not picked up.
    list->SetAutoRefresh(false);
    home_.Make("watched/c.bmp");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    platform::ServeMainThreadCalls();
    EXPECT_EQ(list->Count(), 2);
}

class ShellListViewLargeTest : public testing_support::ShellHomeTest {};

TEST_F(ShellListViewLargeTest, LargeFolderListsEveryItemInOrder) {
    const int files = 3000;
    for (int i = 0; i < files; ++i) home_.Make("big/f" + std::to_string(100000 + i) + ".bmp", "");
    home_.MakeDir("big/zdir");
    auto list = std::make_unique<TbsSkinFileListView>(nullptr);
    list->SetBounds(0, 0, 400, 300);
    const auto start = std::chrono::steady_clock::now();
    list->SetRoot(home_ / "big");
    const auto loaded = std::chrono::steady_clock::now();
    graphics::TBitmap image;
    list->PaintTo(image);
    const auto painted = std::chrono::steady_clock::now();
    ASSERT_EQ(list->Count(), files + 1);
    EXPECT_EQ(list->Folders(0).ItemDisplayName(), "zdir");  // folders first
    EXPECT_EQ(list->Folders(1).ItemDisplayName(), "f100000.bmp");
    EXPECT_EQ(list->Folders(files).ItemDisplayName(),
              "f" + std::to_string(100000 + files - 1) + ".bmp");
    using ms = std::chrono::milliseconds;
    std::printf("[ timing   ] %d items: load and sort %lld ms, first paint %lld ms\n", files + 1,
                static_cast<long long>(std::chrono::duration_cast<ms>(loaded - start).count()),
                static_cast<long long>(std::chrono::duration_cast<ms>(painted - loaded).count()));
}

class ShellListViewErrorTest : public testing_support::ShellHomeTest {};

TEST_F(ShellListViewErrorTest, AFolderThatVanishedRaisesTheShellsError) {
    home_.MakeDir("gone/sub");
    auto list = std::make_unique<TbsSkinFileListView>(nullptr);
    list->SetRoot(home_ / "gone/sub");
    std::filesystem::remove_all(home_ / "gone");
    try {
        list->Refresh();
        ADD_FAILURE() << "no error";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.Message(), "The system cannot find the file specified");
    }
    EXPECT_EQ(list->Count(), 0);
    // The list can still go somewhere else afterwards.
    home_.MakeDir("other");
    list->OpenFolderPath(home_ / "other");
    EXPECT_EQ(list->CurrentFolderPath(), home_ / "other");
}

TEST(ShellFitText, LongTextsEndInDotsWithinTheWidthAndCutBetweenCharacters) {
    graphics::TBitmap probe;
    probe.SetWidth(1);
    probe.SetHeight(1);
    graphics::TCanvas& canvas = probe.Canvas();
    EXPECT_EQ(FitText(canvas, "short", 500), "short");
    const std::string cut = FitText(canvas, "a long file name that is long.jpg", 80);
    EXPECT_LE(canvas.TextWidth(cut), 80);
    ASSERT_GE(cut.size(), 3u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_EQ(cut.rfind("a long", 0), 0u);
    const std::string wide = FitText(canvas, "图标生成工具图标生成工具", 60);
    EXPECT_TRUE(core::IsValidUtf8(wide));
    EXPECT_LE(canvas.TextWidth(wide), 60);
    EXPECT_EQ(FitText(canvas, "abc", 0), "...");  // nothing fits: only the dots
}

}  // namespace
}  // namespace skinctrls
