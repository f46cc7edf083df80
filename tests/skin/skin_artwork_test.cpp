// The program's own skin: every image a skin object names lies inside its picture, and no two
// different images of one picture share pixels (the artwork tool draws each image into its
// rectangle, so an overlap would paint one object's art into another's).
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/convert.h"
#include "core/ini_file.h"
#include "core/stream.h"
#include "core/string_list.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skin/skin_package.h"
#include "skin/skin_values.h"

using namespace skin;

namespace {

// Keys that name a rectangle of the object's picture in picture coordinates. Other rect keys
// (client, caption and text rects, scroll bar buttons, ...) are relative to the skin rect.
const std::set<std::string> kImageKeys = {"skinrect",
                                          "activeskinrect",
                                          "downskinrect",
                                          "focusedskinrect",
                                          "disabledskinrect",
                                          "inactiveskinrect",
                                          "restorerect",
                                          "restoreactiverect",
                                          "restoredownrect",
                                          "restoreinactiverect",
                                          "activebuttonrect",
                                          "unenabledbuttonrect",
                                          "itemrect",
                                          "activeitemrect",
                                          "focusitemrect",
                                          "thumbrect",
                                          "activethumbrect",
                                          "downthumbrect",
                                          "activeupbuttonrect",
                                          "downupbuttonrect",
                                          "activedownbuttonrect",
                                          "downdownbuttonrect",
                                          "menumarkerflatrect",
                                          "menumarkerrect",
                                          "menumarkeractiverect",
                                          "menumarkerdownrect"};

struct Image {
    std::string owner;
    TRect rect;
};

core::TMemIniFile EmbeddedSkinText() {
    std::span<const uint8_t> embedded = EmbeddedSkinPackage();
    core::TBytesStream source(embedded.data(), static_cast<int64_t>(embedded.size()));
    std::vector<uint8_t> package = InflatePackage(source);
    TbsPackageLayout layout = WalkPackage(package.data(), static_cast<int64_t>(package.size()));
    core::TStringList lines;
    lines.SetText(
        std::string_view(reinterpret_cast<const char*>(package.data()) + layout.Text.Offset,
                         static_cast<size_t>(layout.Text.Size)));
    return core::TMemIniFile(lines);
}

bool Overlap(const TRect& a, const TRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

TEST(SkinArtwork, ImagesLieInsideTheirPictureAndNeverShareItsPixels) {
    core::TMemIniFile ini = EmbeddedSkinText();
    std::span<const uint8_t> embedded = EmbeddedSkinPackage();
    TbsCompressedStoredSkin stored;
    stored.SetCompressedData(embedded.data(), static_cast<int64_t>(embedded.size()));
    TbsSkinData data;
    data.SetCompressedStoredSkin(&stored);
    std::map<int, std::vector<Image>> byPicture;
    for (const std::string& section : ini.ReadSections()) {
        std::optional<int32_t> picture =
            core::TryStrToInt(ini.ReadString(section, "pictureindex", ""));
        if (!picture || *picture < 0) continue;
        for (const std::string& key : ini.ReadSection(section)) {
            if (kImageKeys.count(key) == 0) continue;
            TRect rect = ParseRect(ini.ReadString(section, key, ""));
            if (rect.IsEmpty()) continue;
            byPicture[*picture].push_back({std::string(section).append(".").append(key), rect});
        }
    }
    ASSERT_FALSE(byPicture.empty());
    for (const auto& [picture, images] : byPicture) {
        const TbsSkinPicture* source = data.ActivePicture(picture);
        ASSERT_NE(source, nullptr) << "picture " << picture;
        const TRect bounds{0, 0, source->Bitmap().Width(), source->Bitmap().Height()};
        for (size_t i = 0; i < images.size(); ++i) {
            const TRect& a = images[i].rect;
            EXPECT_TRUE(a.Left >= 0 && a.Top >= 0 && a.Right <= bounds.Right &&
                        a.Bottom <= bounds.Bottom)
                << images[i].owner << " lies outside picture " << picture;
            for (size_t j = i + 1; j < images.size(); ++j) {
                // Objects may share one image exactly; they may not cut into each other's.
                if (a == images[j].rect) continue;
                EXPECT_FALSE(Overlap(a, images[j].rect))
                    << images[i].owner << " and " << images[j].owner;
            }
        }
    }
}

TEST(SkinArtwork, TiledClientPiecesOfTheWindowsContainersAreSeamless) {
    // The panel, group box and scroll box tile their client piece over any size; a stray
    // pixel in it would repeat across the whole window.
    std::span<const uint8_t> embedded = EmbeddedSkinPackage();
    TbsCompressedStoredSkin stored;
    stored.SetCompressedData(embedded.data(), static_cast<int64_t>(embedded.size()));
    TbsSkinData data;
    data.SetCompressedStoredSkin(&stored);
    for (const char* name : {"panel", "groupbox", "scrollbox"}) {
        int index = data.GetControlIndex(name);
        ASSERT_GE(index, 0) << name;
        const auto* object =
            dynamic_cast<const TbsDataSkinCustomControl*>(data.CtrlList()[size_t(index)].get());
        ASSERT_NE(object, nullptr) << name;
        const TbsSkinPicture* picture = data.ActivePicture(object->PictureIndex);
        ASSERT_NE(picture, nullptr) << name;
        graphics::TBitmap bitmap;  // a shared copy, read through its own canvas
        bitmap.CopyFrom(&picture->Bitmap());
        const TRect client{object->SkinRect.Left + object->ClRect.Left,
                           object->SkinRect.Top + object->ClRect.Top,
                           object->SkinRect.Left + object->ClRect.Right,
                           object->SkinRect.Top + object->ClRect.Bottom};
        ASSERT_FALSE(client.IsEmpty()) << name;
        uint32_t first = bitmap.Canvas().ReadPixel(client.Left, client.Top);
        int strays = 0;
        for (int y = client.Top; y < client.Bottom; ++y)
            for (int x = client.Left; x < client.Right; ++x)
                strays += bitmap.Canvas().ReadPixel(x, y) != first;
        EXPECT_EQ(strays, 0) << name;
    }
}
