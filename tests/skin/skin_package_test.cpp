#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/exceptions.h"
#include "package_fixture.h"
#include "skin/embedded_skin.h"
#include "skin/skin_package.h"

using namespace skin;
using namespace skin_test;

namespace {

std::vector<uint8_t> InflatedEmbeddedPackage() {
    std::span<const uint8_t> embedded = EmbeddedSkinPackage();
    core::TBytesStream source(embedded.data(), static_cast<int64_t>(embedded.size()));
    return InflatePackage(source);
}

int32_t Le32(const std::vector<uint8_t>& b, int64_t at) {
    int32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

}  // namespace

TEST(EmbeddedSkinPackage, IsMaxLevelZlibThatWalksExactlyToTheSkinText) {
    std::span<const uint8_t> embedded = EmbeddedSkinPackage();
    ASSERT_GT(embedded.size(), 2u);
    EXPECT_EQ(embedded[0], 0x78);
    EXPECT_EQ(embedded[1], 0xDA);

    std::vector<uint8_t> package = InflatedEmbeddedPackage();
    TbsPackageLayout layout = WalkPackage(package.data(), static_cast<int64_t>(package.size()));
    EXPECT_EQ(layout.Version, 3);
    const std::string marker = "[VERSION]";
    auto first = std::search(package.begin(), package.end(), marker.begin(), marker.end());
    ASSERT_NE(first, package.end());
    EXPECT_EQ(layout.Text.Offset, first - package.begin());
    EXPECT_EQ(layout.Text.Offset + layout.Text.Size, static_cast<int64_t>(package.size()));
    EXPECT_EQ(package[package.size() - 2], '\r');
    EXPECT_EQ(package.back(), '\n');
}

TEST(EmbeddedSkinPackage, HoldsTheTenPicturesInOrderWithTheirSizes) {
    std::vector<uint8_t> package = InflatedEmbeddedPackage();
    TbsPackageLayout layout = WalkPackage(package.data(), static_cast<int64_t>(package.size()));
    ASSERT_TRUE(layout.FramePicture);
    EXPECT_EQ(layout.FramePicture->Offset, 5);
    EXPECT_EQ(layout.FramePicture->Size, 179814);
    // The inactive picture's flag sits right behind the frame picture, the mask's behind it.
    EXPECT_FALSE(layout.InactiveFramePicture);
    EXPECT_EQ(package[179819], 1);
    EXPECT_EQ(package[179820], 0);
    ASSERT_TRUE(layout.FrameMask);
    EXPECT_EQ(layout.FrameMask->Offset, 179821);
    EXPECT_EQ(layout.FrameMask->Size, 61558);
    EXPECT_EQ(Le32(package, 179821 + 61558), 8);

    const int64_t sizes[] = {60018, 1818, 15454, 49950, 683934, 117534, 2758, 146};
    const int bits[] = {24, 24, 24, 24, 24, 24, 4, 1};
    ASSERT_EQ(layout.ActivePictures.size(), 8u);
    int64_t expectedOffset = 179821 + 61558 + 4;
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(layout.ActivePictures[i].Offset, expectedOffset) << i;
        EXPECT_EQ(layout.ActivePictures[i].Size, sizes[i]) << i;
        EXPECT_EQ(package[static_cast<size_t>(expectedOffset) + 28], bits[i]) << i;
        expectedOffset += sizes[i];
    }
    EXPECT_EQ(package[179821 + 28], 8);  // the mask is 8-bit
}

TEST(PackageLayout, MeasuresEveryPixelFormatAndRejectsBadHeaders) {
    const std::pair<std::vector<uint8_t>, int64_t> files[] = {
        {TinyBmp(28, 21, 1), 146}, {TinyBmp(93, 55, 4), 2758},   {TinyBmp(285, 210, 8), 61558},
        {TinyBmp(3, 2, 16), 70},   {TinyBmp(93, 55, 24), 15454}, {TinyBmp(5, -3, 32), 114}};
    for (const auto& [bytes, size] : files) {
        std::vector<uint8_t> withTail = bytes;
        withTail.push_back(0xEE);  // the next field is not consumed
        EXPECT_EQ(MeasureBmp(withTail.data(), static_cast<int64_t>(withTail.size())), size);
    }
    auto broken = [](auto change) {
        std::vector<uint8_t> b = TinyBmp(4, 4, 24);
        change(b);
        return b;
    };
    for (const auto& bad : {broken([](auto& b) { b[0] = 'X'; }), broken([](auto& b) { b[28] = 7; }),
                            broken([](auto& b) { std::memset(&b[18], 0, 4); }),
                            broken([](auto& b) { b[14] = 99; })}) {
        try {
            MeasureBmp(bad.data(), static_cast<int64_t>(bad.size()));
            ADD_FAILURE() << "accepted a bad header";
        } catch (const core::EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "Bitmap image is not valid");
        }
    }
    std::vector<uint8_t> cut = TinyBmp(4, 4, 24);
    cut.pop_back();
    EXPECT_THROW(MeasureBmp(cut.data(), static_cast<int64_t>(cut.size())), core::EReadError);
    std::vector<uint8_t> huge = TinyBmp(4, 4, 24);
    std::memset(&huge[18], 0x7F, 4);
    std::memset(&huge[22], 0x7F, 4);
    EXPECT_THROW(MeasureBmp(huge.data(), static_cast<int64_t>(huge.size())), core::EReadError);
}

TEST(PackageLayout, VersionRulesDecideWhatFollowsTheMask) {
    const std::vector<uint8_t> bmp = TinyBmp(2, 2, 24);
    for (int version : {1, 2, 3}) {
        PackageBuilder p;
        p.Int(version).Flag(0).Bmp(bmp).Flag(1).Flag(0).Bmp(bmp);
        if (version == 2) p.Flag(0).Bmp(bmp).Flag(1);  // read and thrown away
        p.Int(1).Bmp(bmp).Text("[VERSION]\r\nlast line without end");
        TbsPackageLayout layout =
            WalkPackage(p.Bytes().data(), static_cast<int64_t>(p.Bytes().size()));
        ASSERT_EQ(layout.ActivePictures.size(), 1u) << version;
        std::string text(p.Bytes().begin() + layout.Text.Offset, p.Bytes().end());
        EXPECT_EQ(text, "[VERSION]\r\nlast line without end") << version;
    }
    PackageBuilder none;
    none.Int(3).Flag(1).Flag(5).Flag(1).Int(0).Text("[VERSION]");
    TbsPackageLayout empty =
        WalkPackage(none.Bytes().data(), static_cast<int64_t>(none.Bytes().size()));
    EXPECT_FALSE(empty.FramePicture || empty.InactiveFramePicture || empty.FrameMask);
    EXPECT_EQ(empty.Text.Offset, 11);  // the text follows the count directly

    PackageBuilder future;
    future.Int(4).Flag(9);
    TbsPackageLayout v4 =
        WalkPackage(future.Bytes().data(), static_cast<int64_t>(future.Bytes().size()));
    EXPECT_EQ(v4.Version, 4);
    EXPECT_TRUE(v4.ActivePictures.empty());

    PackageBuilder cut;
    cut.Int(3).Flag(1).Flag(1);
    EXPECT_THROW(WalkPackage(cut.Bytes().data(), static_cast<int64_t>(cut.Bytes().size())),
                 core::EReadError);
    PackageBuilder lying;
    lying.Int(3).Flag(1).Flag(1).Flag(1).Int(2000000000);
    EXPECT_THROW(WalkPackage(lying.Bytes().data(), static_cast<int64_t>(lying.Bytes().size())),
                 core::EReadError);
}
