// The program's own skin: every image a skin object names lies inside its picture, and no two
// different images of one picture share pixels (the artwork tool draws each image into its
// rectangle, so an overlap would paint one object's art into another's).
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/convert.h"
#include "core/stream.h"
#include "core/ini_file.h"
#include "core/string_list.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skin/skin_package.h"
#include "skin/skin_values.h"

using namespace skin;

namespace {

// Keys that name a rectangle of the object's picture in picture coordinates. Other rect keys
// (client, caption and text rects, scroll bar buttons, ...) are relative to the skin rect.
const std::set<std::string> kImageKeys = {
    "skinrect",           "activeskinrect",      "downskinrect",       "focusedskinrect",
    "disabledskinrect",   "inactiveskinrect",    "restorerect",        "restoreactiverect",
    "restoredownrect",    "restoreinactiverect", "activebuttonrect",   "unenabledbuttonrect",
    "itemrect",           "activeitemrect",      "focusitemrect",      "thumbrect",
    "activethumbrect",    "downthumbrect",       "activeupbuttonrect", "downupbuttonrect",
    "activedownbuttonrect", "downdownbuttonrect", "menumarkerflatrect", "menumarkerrect",
    "menumarkeractiverect", "menumarkerdownrect"};

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
    lines.SetText(std::string_view(reinterpret_cast<const char*>(package.data()) + layout.Text.Offset,
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
        std::optional<int32_t> picture = core::TryStrToInt(ini.ReadString(section, "pictureindex", ""));
        if (!picture || *picture < 0) continue;
        for (const std::string& key : ini.ReadSection(section)) {
            if (kImageKeys.count(key) == 0) continue;
            TRect rect = ParseRect(ini.ReadString(section, key, ""));
            if (rect.IsEmpty()) continue;
            byPicture[*picture].push_back({section + "." + key, rect});
        }
    }
    ASSERT_FALSE(byPicture.empty());
    for (const auto& [picture, images] : byPicture) {
        const TbsSkinPicture* source = data.ActivePicture(picture);
        ASSERT_NE(source, nullptr) << "picture " << picture;
        const TRect bounds{0, 0, source->Bitmap().Width(), source->Bitmap().Height()};
        for (size_t i = 0; i < images.size(); ++i) {
            const TRect& a = images[i].rect;
            EXPECT_TRUE(a.Left >= 0 && a.Top >= 0 && a.Right <= bounds.Right && a.Bottom <= bounds.Bottom)
                << images[i].owner << " lies outside picture " << picture;
            for (size_t j = i + 1; j < images.size(); ++j) {
                // Objects may share one image exactly; they may not cut into each other's.
                if (a == images[j].rect) continue;
                EXPECT_FALSE(Overlap(a, images[j].rect)) << images[i].owner << " and " << images[j].owner;
            }
        }
    }
}
