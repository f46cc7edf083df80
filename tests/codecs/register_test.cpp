#include "codecs/register.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/metafile.h"
#include "graphics/picture.h"

namespace codecs {
namespace {

std::vector<std::string> Extensions() {
    std::vector<std::string> extensions;
    for (const graphics::TFileFormat& entry : graphics::TFileFormatsList::Instance().Entries())
        extensions.push_back(entry.extension);
    return extensions;
}

TEST(PictureFormats, TheOleEntryAndTheCodecsJoinOnceInTheProgramsOrderAndTheCodecsLeave) {
    RegisterPictureFormats();
    const std::vector<std::string> started = Extensions();
    ASSERT_GE(started.size(), 4u);
    EXPECT_EQ(started[started.size() - 4], "");  // the OLE entry, then GIF before JPEG
    EXPECT_EQ(started[started.size() - 3], "gif");
    EXPECT_EQ(started[started.size() - 2], "jpeg");
    EXPECT_EQ(started.back(), "jpg");
    EXPECT_EQ(graphics::TPicture::FindClassByExtension(""), &graphics::TOleGraphic::ClassType());

    RegisterPictureFormats();  // a second start-up adds nothing
    EXPECT_EQ(Extensions(), started);

    UnregisterPictureFormats();
    EXPECT_EQ(graphics::TPicture::FindClassByExtension("gif"), nullptr);
    EXPECT_EQ(graphics::TPicture::FindClassByExtension("jpg"), nullptr);
    // The OLE entry stays for the life of the process, so starting again restores the list.
    EXPECT_EQ(Extensions().back(), "");
    RegisterPictureFormats();
    EXPECT_EQ(Extensions(), started);
    UnregisterPictureFormats();
}

}  // namespace
}  // namespace codecs
