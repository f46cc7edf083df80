#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "platform/shell/shell_folder.h"
#include "platform/shell/shell_places.h"
#include "support/temp_home.h"

namespace platform {
namespace {

class ShellFolder : public ::testing::Test {
  protected:
    testing_support::TempHome home_;

    std::shared_ptr<IShellFolder> Desktop() {
        std::shared_ptr<IShellFolder> desktop;
        EXPECT_EQ(SHGetDesktopFolder(&desktop), S_OK);
        return desktop;
    }
    ItemIdListPtr Parse(const std::string& path) {
        LPITEMIDLIST list = nullptr;
        HRESULT hr =
            Desktop()->ParseDisplayName(nullptr, nullptr, path.c_str(), nullptr, &list, nullptr);
        EXPECT_EQ(SUCCEEDED(hr), list != nullptr);
        return ItemIdListPtr(list);
    }
    std::shared_ptr<IShellFolder> Bind(const std::string& path) {
        ItemIdListPtr list = Parse(path);
        std::shared_ptr<IShellFolder> folder;
        EXPECT_EQ(Desktop()->BindToObject(list.get(), nullptr, &folder), S_OK);
        return folder;
    }
    // In-folder display names of everything enumerated with `flags`.
    std::set<std::string> Names(IShellFolder& folder, DWORD flags) {
        std::unique_ptr<IEnumIDList> items;
        EXPECT_EQ(folder.EnumObjects(nullptr, flags, &items), S_OK);
        std::set<std::string> names;
        LPITEMIDLIST item = nullptr;
        ULONG fetched = 0;
        while (items && items->Next(1, &item, &fetched) == S_OK && fetched == 1) {
            ItemIdListPtr owned(item);
            STRRET name;
            EXPECT_EQ(folder.GetDisplayNameOf(item, SHGDN_INFOLDER, &name), S_OK);
            names.insert(StrRetToString(name, item));
        }
        return names;
    }
    std::string ParsingName(LPCITEMIDLIST absolute) {
        STRRET name;
        EXPECT_EQ(Desktop()->GetDisplayNameOf(absolute, SHGDN_FORPARSING, &name), S_OK);
        return StrRetToString(name, absolute);
    }
    void MakeTree() {
        home_.MakeDir("pics/sub");
        home_.MakeDir("pics/Other");
        home_.Make("pics/a.bmp");
        home_.Make("pics/B.JPG");
        home_.Make("pics/.secret");
        home_.MakeDir("pics/.hiddendir");
        home_.Make("pics/bundle.zip");
        ::symlink("/nonexistent/target", (home_ / "pics/dangling").c_str());
        ::symlink((home_ / "pics/sub").c_str(), (home_ / "pics/linkdir").c_str());
    }
};

TEST_F(ShellFolder, EnumeratesFoldersFilesAndHiddenItemsByFlag) {
    MakeTree();
    auto pics = Bind(home_ / "pics");
    ASSERT_NE(pics, nullptr);
    EXPECT_EQ(Names(*pics, SHCONTF_FOLDERS), (std::set<std::string>{"sub", "Other", "linkdir"}));
    EXPECT_EQ(Names(*pics, SHCONTF_NONFOLDERS),
              (std::set<std::string>{"a.bmp", "B.JPG", "bundle.zip", "dangling"}));
    EXPECT_EQ(Names(*pics, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN),
              (std::set<std::string>{"sub", "Other", "linkdir", ".hiddendir"}));
    EXPECT_EQ(Names(*pics, SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN).count(".secret"), 1u);
    EXPECT_TRUE(Names(*pics, 0).empty());
}

TEST_F(ShellFolder, AttributesMarkFoldersFileSystemItemsZipArchivesLinksAndHiddenItems) {
    MakeTree();
    auto pics = Bind(home_ / "pics");
    ASSERT_NE(pics, nullptr);
    auto attributesOf = [&](const char* name) {
        LPITEMIDLIST item = nullptr;
        EXPECT_EQ(pics->ParseDisplayName(nullptr, nullptr, name, nullptr, &item, nullptr), S_OK);
        ItemIdListPtr owned(item);
        ULONG bits = ~0u;
        LPCITEMIDLIST one = item;
        EXPECT_EQ(pics->GetAttributesOf(1, &one, &bits), S_OK);
        return bits;
    };
    EXPECT_TRUE(attributesOf("sub") & SFGAO_FOLDER);
    EXPECT_TRUE(attributesOf("sub") & SFGAO_FILESYSTEM);
    EXPECT_FALSE(attributesOf("a.bmp") & SFGAO_FOLDER);
    EXPECT_TRUE(attributesOf("a.bmp") & SFGAO_CANRENAME);
    // The shell browses archives: they carry the folder flag and are files on disk.
    EXPECT_TRUE(attributesOf("bundle.zip") & SFGAO_FOLDER);
    EXPECT_TRUE(attributesOf("bundle.zip") & SFGAO_STREAM);
    EXPECT_TRUE(attributesOf("dangling") & SFGAO_LINK);
    EXPECT_FALSE(attributesOf("dangling") & SFGAO_FOLDER);
    EXPECT_TRUE(attributesOf(".secret") & SFGAO_HIDDEN);
    // The mask asked for limits the answer.
    LPITEMIDLIST item = nullptr;
    pics->ParseDisplayName(nullptr, nullptr, "sub", nullptr, &item, nullptr);
    ItemIdListPtr owned(item);
    ULONG only = SFGAO_FILESYSTEM;
    LPCITEMIDLIST one = item;
    pics->GetAttributesOf(1, &one, &only);
    EXPECT_EQ(only, SFGAO_FILESYSTEM);
}

TEST_F(ShellFolder, ParsingNamesAreFullPathsAndSurviveNonUtf8Names) {
    MakeTree();
    const std::string odd = std::string("caf\xE9") + ".bmp";  // Latin-1, not UTF-8
    home_.Make("pics/" + odd);
    ItemIdListPtr list = Parse(home_ / "pics/" + odd);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ParsingName(list.get()), home_ / "pics/" + odd);
    std::string path;
    EXPECT_TRUE(SHGetPathFromIDListEx(list.get(), path));
    EXPECT_EQ(path, home_ / "pics/" + odd);
    // The display name is valid text with the bad byte replaced.
    STRRET name;
    ASSERT_EQ(Desktop()->GetDisplayNameOf(list.get(), SHGDN_INFOLDER, &name), S_OK);
    EXPECT_EQ(StrRetToString(name, list.get()), "caf\xEF\xBF\xBD.bmp");
    // Paths with "." and ".." parts name the same item.
    ItemIdListPtr dotted = Parse(home_ / "pics/./sub/../a.bmp");
    ItemIdListPtr plain = Parse(home_ / "pics/a.bmp");
    EXPECT_EQ(Desktop()->CompareIDs(0, dotted.get(), plain.get()), S_OK);
}

TEST_F(ShellFolder, ParsingFailsForMissingRelativeAndDriveStylePaths) {
    LPITEMIDLIST list = reinterpret_cast<LPITEMIDLIST>(1);
    auto desktop = Desktop();
    EXPECT_TRUE(FAILED(desktop->ParseDisplayName(nullptr, nullptr, (home_ / "none").c_str(),
                                                 nullptr, &list, nullptr)));
    EXPECT_EQ(list, nullptr);
    EXPECT_TRUE(
        FAILED(desktop->ParseDisplayName(nullptr, nullptr, "C:\\", nullptr, &list, nullptr)));
    EXPECT_TRUE(FAILED(desktop->ParseDisplayName(nullptr, nullptr, "", nullptr, &list, nullptr)));
    EXPECT_TRUE(
        FAILED(desktop->ParseDisplayName(nullptr, nullptr, "/..", nullptr, &list, nullptr)));
}

TEST_F(ShellFolder, CompareOrdersByNameWithoutCaseAndNeverTiesDistinctNames) {
    MakeTree();
    home_.Make("pics/b.jpg");
    auto pics = Bind(home_ / "pics");
    auto item = [&](const char* name) {
        LPITEMIDLIST list = nullptr;
        pics->ParseDisplayName(nullptr, nullptr, name, nullptr, &list, nullptr);
        return ItemIdListPtr(list);
    };
    auto order = [&](const char* a, const char* b) {
        HRESULT hr = pics->CompareIDs(0, item(a).get(), item(b).get());
        EXPECT_TRUE(SUCCEEDED(hr));
        return static_cast<std::int16_t>(hr & 0xFFFF);
    };
    EXPECT_LT(order("a.bmp", "B.JPG"), 0);
    EXPECT_GT(order("Other", "a.bmp"), 0);
    EXPECT_NE(order("B.JPG", "b.jpg"), 0);
    EXPECT_EQ(order("sub", "sub"), 0);
    // Deeper lists compare record by record; a parent comes before its child.
    ItemIdListPtr parent = Parse(home_ / "pics");
    ItemIdListPtr child = Parse(home_ / "pics/sub");
    EXPECT_LT(static_cast<std::int16_t>(Desktop()->CompareIDs(0, parent.get(), child.get())), 0);
}

TEST_F(ShellFolder, BindingNavigatesIntoFoldersButNotIntoFilesOrArchives) {
    MakeTree();
    home_.Make("pics/sub/inner.gif");
    auto pics = Bind(home_ / "pics");
    LPITEMIDLIST sub = nullptr;
    ASSERT_EQ(pics->ParseDisplayName(nullptr, nullptr, "sub", nullptr, &sub, nullptr), S_OK);
    ItemIdListPtr owned(sub);
    std::shared_ptr<IShellFolder> inner;
    ASSERT_EQ(pics->BindToObject(sub, nullptr, &inner), S_OK);
    EXPECT_EQ(Names(*inner, SHCONTF_NONFOLDERS), (std::set<std::string>{"inner.gif"}));

    for (const char* file : {"a.bmp", "bundle.zip"}) {
        LPITEMIDLIST list = nullptr;
        pics->ParseDisplayName(nullptr, nullptr, file, nullptr, &list, nullptr);
        ItemIdListPtr keep(list);
        std::shared_ptr<IShellFolder> none;
        EXPECT_TRUE(FAILED(pics->BindToObject(list, nullptr, &none))) << file;
        EXPECT_EQ(none, nullptr);
    }
}

TEST_F(ShellFolder, AFolderThatCannotBeReadFailsToEnumerate) {
    MakeTree();
    auto gone = Bind(home_ / "pics/sub");
    ASSERT_NE(gone, nullptr);
    std::filesystem::remove_all(home_ / "pics/sub");
    std::unique_ptr<IEnumIDList> items;
    EXPECT_TRUE(FAILED(gone->EnumObjects(nullptr, SHCONTF_FOLDERS, &items)));
    EXPECT_EQ(items, nullptr);
    if (::geteuid() != 0) {  // permissions do not stop the superuser
        const std::string locked = home_.MakeDir("locked");
        auto folder = Bind(locked);
        ::chmod(locked.c_str(), 0);
        EXPECT_EQ(folder->EnumObjects(nullptr, SHCONTF_FOLDERS, &items), E_ACCESSDENIED);
    }
}

TEST_F(ShellFolder, DesktopHoldsComputerHomeAndTheDesktopFolder) {
    home_.Make("Desktop/note.txt");
    auto desktop = Desktop();
    const auto folders = Names(*desktop, SHCONTF_FOLDERS);
    EXPECT_TRUE(folders.count("Computer"));
    EXPECT_TRUE(folders.count("Home"));
    EXPECT_EQ(Names(*desktop, SHCONTF_NONFOLDERS), (std::set<std::string>{"note.txt"}));

    LPITEMIDLIST special = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &special), S_OK);
    ItemIdListPtr desktopList(special);
    EXPECT_TRUE(ILIsEmpty(special));
    EXPECT_EQ(ParsingName(special), home_ / "Desktop");

    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &special), S_OK);
    ItemIdListPtr home(special);
    std::string path;
    EXPECT_TRUE(SHGetPathFromIDListEx(special, path));
    EXPECT_EQ(path, home_.Path());

    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &special), S_OK);
    ItemIdListPtr computer(special);
    char buffer[MAX_PATH];
    EXPECT_FALSE(SHGetPathFromIDList(special, buffer));  // a virtual place has no path
    std::shared_ptr<IShellFolder> drives;
    ASSERT_EQ(desktop->BindToObject(special, nullptr, &drives), S_OK);
    EXPECT_TRUE(Names(*drives, SHCONTF_FOLDERS).count("/"));

    EXPECT_TRUE(FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PRINTERS, &special)));
    EXPECT_EQ(special, nullptr);
}

TEST_F(ShellFolder, RenameRefusesExistingNamesAndPathSeparators) {
    MakeTree();
    auto pics = Bind(home_ / "pics");
    LPITEMIDLIST item = nullptr;
    pics->ParseDisplayName(nullptr, nullptr, "a.bmp", nullptr, &item, nullptr);
    ItemIdListPtr owned(item);
    LPITEMIDLIST renamed = nullptr;
    EXPECT_TRUE(FAILED(pics->SetNameOf(nullptr, item, "B.JPG", 0, &renamed)));
    EXPECT_TRUE(FAILED(pics->SetNameOf(nullptr, item, "../escape", 0, &renamed)));
    EXPECT_TRUE(std::filesystem::exists(home_ / "pics/a.bmp"));
    EXPECT_TRUE(std::filesystem::exists(home_ / "pics/B.JPG"));
    ASSERT_EQ(pics->SetNameOf(nullptr, item, "c.bmp", 0, &renamed), S_OK);
    ItemIdListPtr newItem(renamed);
    EXPECT_TRUE(std::filesystem::exists(home_ / "pics/c.bmp"));
    STRRET name;
    pics->GetDisplayNameOf(renamed, SHGDN_INFOLDER, &name);
    EXPECT_EQ(StrRetToString(name, renamed), "c.bmp");
}

TEST_F(ShellFolder, ForeignRecordsAreRejectedRatherThanFollowed) {
    // A record naming ".." must not lead out of its folder.
    ItemIdListPtr up(shell_places::EncodeRecord(shell_places::ItemKind::Folder, ".."));
    EXPECT_FALSE(shell_places::DecodeRecord(up.get()).has_value());
    ItemIdListPtr junk(ILCreateRecord("\x55junk"));
    std::shared_ptr<IShellFolder> folder;
    EXPECT_TRUE(FAILED(Desktop()->BindToObject(junk.get(), nullptr, &folder)));
    STRRET name;
    EXPECT_TRUE(FAILED(Desktop()->GetDisplayNameOf(junk.get(), SHGDN_FORPARSING, &name)));
}

TEST_F(ShellFolder, VeryLargeFoldersEnumerateCompletely) {
    const std::string big = home_.MakeDir("big");
    for (int i = 0; i < 3000; ++i) home_.Make("big/f" + std::to_string(i) + ".bmp", "");
    auto folder = Bind(big);
    std::unique_ptr<IEnumIDList> items;
    ASSERT_EQ(folder->EnumObjects(nullptr, SHCONTF_NONFOLDERS, &items), S_OK);
    LPITEMIDLIST batch[64];
    ULONG fetched = 0, total = 0;
    HRESULT hr;
    do {
        hr = items->Next(64, batch, &fetched);
        for (ULONG i = 0; i < fetched; ++i) SHFree(batch[i]);
        total += fetched;
    } while (hr == S_OK);
    EXPECT_EQ(hr, S_FALSE);
    EXPECT_EQ(total, 3000u);
}

}  // namespace
}  // namespace platform
