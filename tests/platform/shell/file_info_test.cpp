#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/shell/file_info.h"
#include "platform/shell/shell_folder.h"
#include "support/temp_home.h"

namespace platform {
namespace {

class FileInfo : public ::testing::Test {
  protected:
    testing_support::TempHome home_;
};

TEST_F(FileInfo, IconIndexesFollowTheItemKindAndSizeChoosesTheList) {
    home_.MakeDir("pics");
    home_.Make("pics/a.bmp");
    home_.Make("pics/b.zip");
    std::shared_ptr<IShellFolder> desktop;
    SHGetDesktopFolder(&desktop);
    auto iconOf = [&](const std::string& path, UINT extra) {
        LPITEMIDLIST list = nullptr;
        desktop->ParseDisplayName(nullptr, nullptr, path.c_str(), nullptr, &list, nullptr);
        ItemIdListPtr owned(list);
        SHFILEINFO info;
        const auto result = SHGetFileInfo(reinterpret_cast<const char*>(list), 0, &info,
                                          sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX | extra);
        EXPECT_EQ(result, reinterpret_cast<std::uintptr_t>(
                              SystemImageList((extra & SHGFI_SMALLICON) != 0)));
        return info.iIcon;
    };
    EXPECT_EQ(iconOf(home_ / "pics", SHGFI_SMALLICON), kIconFolder);
    EXPECT_EQ(iconOf(home_ / "pics", SHGFI_SMALLICON | SHGFI_OPENICON), kIconFolderOpen);
    EXPECT_EQ(iconOf(home_ / "pics/a.bmp", 0), kIconFile);
    EXPECT_EQ(iconOf(home_ / "pics/b.zip", 0), kIconArchive);
    EXPECT_EQ(iconOf("/", 0), kIconVolume);

    SHFILEINFO info;
    SHGetFileInfo("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_TYPENAME);
    EXPECT_EQ(info.iIcon, kIconVolume);
    SHGetFileInfo((home_ / "pics/a.bmp").c_str(), 0, &info, sizeof info, SHGFI_TYPENAME);
    EXPECT_STREQ(info.szTypeName, "BMP File");
    EXPECT_EQ(SHGetFileInfo("x", 0, &info, sizeof info - 1, 0), 0u);  // short record refused
}

TEST_F(FileInfo, SystemListsDrawTheirIconsWithTransparentCorners) {
    int w = 0, h = 0;
    ASSERT_TRUE(ImageList_GetIconSize(SystemImageList(true), &w, &h));
    EXPECT_EQ(w, 16);
    ImageList_GetIconSize(SystemImageList(false), &w, &h);
    EXPECT_EQ(h, 32);
    EXPECT_EQ(ImageList_GetImageCount(SystemImageList(true)), kSystemIconCount);

    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(32, 32, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 32, 32};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(dc, &all, green);
    ASSERT_TRUE(ImageList_Draw(SystemImageList(false), kIconFolder, dc, 0, 0, ILD_NORMAL));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));           // outside the art
    EXPECT_EQ(GetPixel(dc, 16, 20), RGB(0xE8, 0xC0, 0x50));  // the folder's body
    EXPECT_FALSE(ImageList_Draw(SystemImageList(false), kSystemIconCount, dc, 0, 0, 0));
    EXPECT_FALSE(ImageList_Draw(SystemImageList(false), -1, dc, 0, 0, 0));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteObject(green);
    DeleteDC(dc);
}

}  // namespace
}  // namespace platform
