// Our decoder against giflib on files written by other programs (ImageMagick and Pillow).
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/gif/gif_data.h"
#include "core/stream.h"

using namespace codecs::gif;

namespace {

std::vector<std::filesystem::path> CorpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(TEMBRIN_TEST_DATA) + "/gif/corpus"))
        if (entry.path().extension() == ".gif") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

struct GifFileCloser {
    void operator()(GifFileType* file) const {
        int error = 0;
        DGifCloseFile(file, &error);
    }
};

}  // namespace

TEST(GIFReference, DecodedIndicesMatchGiflib) {
    auto files = CorpusFiles();
    ASSERT_GE(files.size(), 10u);
    int interlacedFrames = 0;
    int totalFrames = 0;
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        int error = 0;
        std::unique_ptr<GifFileType, GifFileCloser> reference(
            DGifOpenFileName(path.c_str(), &error));
        ASSERT_NE(reference, nullptr);
        ASSERT_EQ(DGifSlurp(reference.get()), GIF_OK);

        TGIFData data;
        int warnings = 0;
        data.SetOnWarning([&](const void*, TGIFSeverity, const std::string&) { ++warnings; });
        core::TMemoryStream stream;
        stream.LoadFromFile(path.string());
        data.LoadFromStream(stream);
        EXPECT_EQ(warnings, 0);

        EXPECT_EQ(data.Width(), reference->SWidth);
        EXPECT_EQ(data.Height(), reference->SHeight);
        EXPECT_EQ(data.GlobalColorMap().Count(),
                  reference->SColorMap ? reference->SColorMap->ColorCount : 0);
        int images = 0;
        for (int i = 0; i < data.Count(); ++i) images += data.Images(i).HasImage() ? 1 : 0;
        ASSERT_EQ(images, reference->ImageCount);
        for (int i = 0, k = 0; i < data.Count(); ++i) {
            const TGIFSubImage& frame = data.Images(i);
            if (!frame.HasImage()) continue;
            const SavedImage& expected = reference->SavedImages[k++];
            const GifImageDesc& desc = expected.ImageDesc;
            ASSERT_EQ(frame.Left(), desc.Left);
            ASSERT_EQ(frame.Top(), desc.Top);
            ASSERT_EQ(frame.Width(), desc.Width);
            ASSERT_EQ(frame.Height(), desc.Height);
            ASSERT_EQ(frame.Interlaced(), desc.Interlace);
            interlacedFrames += frame.Interlaced() ? 1 : 0;
            ++totalFrames;
            const size_t count = static_cast<size_t>(desc.Width) * desc.Height;
            ASSERT_EQ(frame.Pixels().size(), count);
            EXPECT_TRUE(std::equal(frame.Pixels().begin(), frame.Pixels().end(),
                                   expected.RasterBits))
                << "frame " << k - 1;
            if (desc.ColorMap) {
                ASSERT_EQ(frame.ColorMap().Count(), desc.ColorMap->ColorCount);
                for (int c = 0; c < desc.ColorMap->ColorCount; ++c)
                    EXPECT_EQ(frame.ColorMap().Entries()[c].Red, desc.ColorMap->Colors[c].Red);
            }
        }
    }
    // The corpus must exercise both row orders and more than one frame per file.
    EXPECT_GT(interlacedFrames, 0);
    EXPECT_GT(totalFrames, static_cast<int>(files.size()));
}
