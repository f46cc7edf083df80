#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/exceptions.h"
#include "package_fixture.h"
#include "skin/compressed_stored_skin.h"
#include "skin/skin_data.h"

using namespace skin;
using namespace skin_test;
namespace fs = std::filesystem;

namespace {

struct TempDir {
    TempDir()
        : path(fs::temp_directory_path() /
               ("skin_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++))) {
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream(path / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    void Write(const std::string& name, std::string_view text) const {
        std::ofstream(path / name, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    fs::path path;
    static inline int counter = 0;
};

}  // namespace

TEST(CompressedStoredSkin, BuildsAPackageFromASkinIniAndItsPictures) {
    TempDir dir;
    dir.Write("main.bmp", TinyBmp(6, 4, 24));
    std::vector<uint8_t> withTail = TinyBmp(2, 2, 8);
    withTail.insert(withTail.end(), {9, 9, 9});  // bytes past the picture are not packed
    dir.Write("a.bmp", withTail);
    dir.Write("skin.ini",
              "[VERSION]\nskinname=Small\n[PICTURES]\npicture=main.bmp\nmask=\n"
              "activepicturescount=1\n0=a.bmp\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\nlast");
    TbsCompressedStoredSkin stored;
    stored.LoadFromSkinIniFile(dir / "skin.ini");
    ASSERT_FALSE(stored.Empty());
    EXPECT_EQ(stored.CompressedStream().Bytes()[1], 0xDA);  // the max level

    std::vector<uint8_t> package = InflatePackage(stored.CompressedStream());
    TbsPackageLayout layout = WalkPackage(package.data(), static_cast<int64_t>(package.size()));
    EXPECT_EQ(layout.Version, 3);
    ASSERT_TRUE(layout.FramePicture);
    EXPECT_FALSE(layout.InactiveFramePicture);
    EXPECT_FALSE(layout.FrameMask);
    ASSERT_EQ(layout.ActivePictures.size(), 1u);
    EXPECT_EQ(layout.ActivePictures[0].Size, static_cast<int64_t>(TinyBmp(2, 2, 8).size()));
    std::string text(package.begin() + layout.Text.Offset, package.end());
    EXPECT_EQ(text.substr(0, 21), "[VERSION]\r\nskinname=S");
    EXPECT_EQ(text.substr(text.size() - 6), "last\r\n");  // every line ends in CR LF

    // Without one of the five sections the stored data stays as it was.
    std::vector<uint8_t> before = stored.CompressedStream().Bytes();
    dir.Write("partial.ini", "[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n");
    stored.LoadFromSkinIniFile(dir / "partial.ini");
    EXPECT_EQ(stored.CompressedStream().Bytes(), before);
    // A named picture that is missing fails the build.
    dir.Write(
        "missing.ini",
        "[VERSION]\n[PICTURES]\npicture=gone.bmp\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n");
    EXPECT_THROW(stored.LoadFromSkinIniFile(dir / "missing.ini"), core::EFOpenError);
}

TEST(CompressedStoredSkin, CompressedFileFormatWrapsTheZlibBytes) {
    TbsCompressedStoredSkin stored;
    StoreCompressed(
        stored, PackageBuilder().Int(3).Flag(1).Flag(1).Flag(1).Int(0).Text("[VERSION]").Bytes());
    core::TMemoryStream file;
    stored.SaveToCompressedStream(file);
    const auto& zlib = stored.CompressedStream().Bytes();
    ASSERT_EQ(file.Size(), static_cast<int64_t>(zlib.size()) + 8);
    EXPECT_EQ(file.Bytes()[0], 3);
    EXPECT_EQ(file.Bytes()[4], static_cast<uint8_t>(zlib.size()));

    TbsCompressedStoredSkin copy;
    file.SetPosition(5);  // read from the start whatever the position
    copy.LoadFromCompressedStream(file);
    EXPECT_EQ(copy.CompressedStream().Bytes(), zlib);

    core::TMemoryStream future;
    future.WriteValue<int32_t>(4);
    future.WriteValue<int32_t>(1);
    future.WriteValue<uint8_t>(0x78);
    copy.LoadFromCompressedStream(future);
    EXPECT_TRUE(copy.Empty());
    core::TMemoryStream shortFile;
    shortFile.WriteValue<int32_t>(3);
    shortFile.WriteValue<int32_t>(100);
    EXPECT_THROW(copy.LoadFromCompressedStream(shortFile), core::EReadError);

    TbsSkinListItem item(0);
    item.StoredSkin().SetCompressedData(zlib.data(), static_cast<int64_t>(zlib.size()));
    core::TMemoryStream property;
    item.WriteSkin(property);
    EXPECT_EQ(property.Bytes(), file.Bytes());
}

TEST(CompressedStoredSkin, FileNamesLoadOnlyWhileDesigning) {
    TempDir dir;
    dir.Write("skin.ini", "[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n");
    TbsCompressedStoredSkin stored;
    stored.SetFileName(dir / "skin.ini");
    EXPECT_EQ(stored.FileName(), dir / "skin.ini");
    EXPECT_TRUE(stored.Empty());
    stored.State().Designing = true;
    stored.State().Reading = true;
    stored.SetFileName(dir / "skin.ini");
    EXPECT_EQ(stored.FileName(), "skin.ini");
    EXPECT_TRUE(stored.Empty());
    stored.State().Reading = false;
    stored.SetFileName(dir / "skin.ini");
    EXPECT_FALSE(stored.Empty());

    core::TMemoryStream data;
    stored.WriteCompressedData(data);
    TbsCompressedStoredSkin read;
    data.SetPosition(0);
    read.ReadCompressedData(data, data.Size());
    EXPECT_EQ(read.CompressedStream().Bytes(), stored.CompressedStream().Bytes());
    stored.SaveToCompressedFile(dir / "skin.bss");
    read.State().Designing = true;
    read.SetCompressedFileName(dir / "skin.bss");
    EXPECT_EQ(read.CompressedFileName(), "skin.bss");
    EXPECT_EQ(read.CompressedStream().Bytes(), stored.CompressedStream().Bytes());
}
