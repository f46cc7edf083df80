#include <gtest/gtest.h>

#include <filesystem>

#include "core/exceptions.h"
#include "graphics/bitmap.h"
#include "graphics/icon.h"
#include "graphics/metafile.h"
#include "graphics/picture.h"
#include "support/bmp_builder.h"
#include "support/test_folder.h"

using namespace graphics;

namespace {

std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    // One folder for this process's tests (ctest runs each test in its own process).
    static testing_support::TestFolder folder;
    auto path = folder / name;
    core::TMemoryStream(bytes).SaveToFile(path);
    return path;
}

std::vector<uint8_t> SmallBmp(int width) {
    testing_support::BmpSpec s;
    s.width = width;
    s.height = 1;
    s.pixels.assign((static_cast<size_t>(width) * 3 + 3) / 4 * 4, 0x80);
    return testing_support::MakeBmp(s);
}

}  // namespace

TEST(PictureExtension, TakesTheTextAfterTheLastDotOfTheLastName) {
    EXPECT_EQ(PictureExtension("archive.tar.bmp"), "bmp");
    EXPECT_EQ(PictureExtension("C:\\photos.old\\picture"), "");
    EXPECT_EQ(PictureExtension("/home/me/photos.old/picture"), "");
    EXPECT_EQ(PictureExtension("C:name.Png"), "Png");
    EXPECT_EQ(PictureExtension("ends-with."), "");
    EXPECT_EQ(PictureExtension("图片.JPG"), "JPG");
}

TEST(FileFormats, CoreEntriesComeFirstAndLookupIsNewestFirstIgnoringCase) {
    auto entries = TFileFormatsList::Instance().Entries();
    ASSERT_GE(entries.size(), 4u);
    EXPECT_EQ(entries[0].extension, "wmf");
    EXPECT_EQ(entries[0].description, "Metafiles");
    EXPECT_EQ(entries[1].extension, "emf");
    EXPECT_EQ(entries[2].extension, "ico");
    EXPECT_EQ(entries[3].description, "Bitmaps");
    EXPECT_EQ(TPicture::FindClassByExtension("BMP"), &TBitmap::ClassType());
    EXPECT_EQ(TPicture::FindClassByExtension("Ico"), &TIcon::ClassType());
    EXPECT_EQ(TPicture::FindClassByExtension("png"), nullptr);

    // A later registration hides an earlier one until it is removed again.
    TPicture::RegisterFileFormat("ICO", "Test", TOleGraphic::ClassType());
    EXPECT_EQ(TFileFormatsList::Instance().Entries().back().extension, "ico");
    EXPECT_EQ(TPicture::FindClassByExtension("ico"), &TOleGraphic::ClassType());
    TPicture::UnregisterGraphicClass(TOleGraphic::ClassType());
    EXPECT_EQ(TPicture::FindClassByExtension("ico"), &TIcon::ClassType());
    EXPECT_EQ(TClipboardFormats::Instance().FindFormat(2), &TBitmap::ClassType());
    EXPECT_EQ(TClipboardFormats::Instance().FindFormat(14), &TMetafile::ClassType());
}

TEST(Picture, LoadsByExtensionInAnyCaseWithOneChangePerLoad) {
    TPicture picture;
    int changes = 0;
    picture.SetOnChange([&](core::TPersistent*) { ++changes; });
    for (const char* name : {"x.BMP", "x.Bmp", "x.bmp"}) {
        picture.LoadFile(WriteFile(name, SmallBmp(3)));
        ASSERT_NE(picture.Graphic(), nullptr);
        EXPECT_STREQ(picture.Graphic()->ClassName(), "TBitmap");
    }
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(picture.Width(), 3);
    // Later changes of the graphic reach the picture's handler.
    picture.Graphic()->NotifyChange();
    EXPECT_EQ(changes, 4);
}

TEST(Picture, FailedLoadsLeaveThePictureAsItWas) {
    TPicture picture;
    picture.LoadFile(WriteFile("keep.bmp", SmallBmp(5)));
    TGraphic* before = picture.Graphic();
    int changes = 0;
    picture.SetOnChange([&](core::TPersistent*) { ++changes; });

    try {
        picture.LoadFile(WriteFile("photo.PNG", SmallBmp(1)));
        FAIL();
    } catch (const core::EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.PNG)");
    }
    std::vector<uint8_t> cut = SmallBmp(2);
    cut.resize(20);
    EXPECT_THROW(picture.LoadFile(WriteFile("cut.bmp", cut)), core::EReadError);
    std::vector<uint8_t> jpegData = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_THROW(picture.LoadFile(WriteFile("jpeg-inside.bmp", jpegData)), core::EInvalidGraphic);
    try {
        picture.LoadFile("/no/such/folder/x.bmp");
        FAIL();
    } catch (const core::EFOpenError& e) {
        EXPECT_EQ(e.Message(),
                  "Cannot open file \"/no/such/folder/x.bmp\". No such file or directory");
    }
    EXPECT_EQ(picture.Graphic(), before);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(changes, 0);
}

TEST(Picture, AssigningCopiesTheGraphicAndForcingTypeReplacesIt) {
    TBitmap bitmap;
    bitmap.SetWidth(4);
    bitmap.SetHeight(2);
    TPicture picture;
    picture.SetGraphic(&bitmap);
    ASSERT_NE(picture.Graphic(), &bitmap);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(&picture.Bitmap(), picture.Graphic());  // already a bitmap: kept
    TIcon& icon = picture.Icon();
    EXPECT_TRUE(icon.IsEmpty());
    EXPECT_EQ(picture.Graphic(), &icon);
    TPicture other;
    other.CopyFrom(&picture);
    EXPECT_STREQ(other.Graphic()->ClassName(), "TIcon");
    picture.SetGraphic(nullptr);
    EXPECT_EQ(picture.Width(), 0);
}

TEST(Picture, NoExtensionGivesAnEmptyOleGraphic) {
    RegisterOleGraphic();
    TPicture picture;
    picture.LoadFile(WriteFile("noextension", SmallBmp(2)));
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_STREQ(picture.Graphic()->ClassName(), "TOleGraphic");
    EXPECT_EQ(picture.Width(), 0);
    TPicture::UnregisterGraphicClass(TOleGraphic::ClassType());
}
