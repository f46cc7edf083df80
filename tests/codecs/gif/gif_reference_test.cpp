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

// The same GIF with the image data cut into sub-blocks of `blockSize` bytes; everything else
// is copied as it stands. Enough of a walk over the file for well-formed inputs.
std::vector<uint8_t> Reblock(const std::vector<uint8_t>& in, size_t blockSize) {
    std::vector<uint8_t> out(in.begin(), in.begin() + 13);
    // `count` bytes of `from` at `at`, added to the end of `to`.
    auto append = [](std::vector<uint8_t>& to, const std::vector<uint8_t>& from, size_t at,
                     size_t count) {
        to.insert(to.end(), from.data() + at, from.data() + at + count);
    };
    size_t p = 13;
    auto table = [&](uint8_t packed) {
        if (!(packed & 0x80)) return;
        const size_t n = size_t{3} * (size_t{2} << (packed & 7));
        append(out, in, p, n);
        p += n;
    };
    table(in[10]);
    while (p < in.size() && in[p] != 0x3B) {
        if (in[p] == 0x21) {  // extension: copy label and sub-blocks
            append(out, in, p, 2);
            p += 2;
            while (in[p] != 0) {
                append(out, in, p, size_t{1} + in[p]);
                p += 1 + in[p];
            }
            out.push_back(0);
            ++p;
            continue;
        }
        append(out, in, p, 10);  // descriptor
        uint8_t packed = in[p + 9];
        p += 10;
        table(packed);
        out.push_back(in[p++]);  // minimum code size
        std::vector<uint8_t> data;
        while (in[p] != 0) {
            append(data, in, p + 1, in[p]);
            p += 1 + in[p];
        }
        ++p;
        for (size_t i = 0; i < data.size(); i += blockSize) {
            size_t n = std::min(blockSize, data.size() - i);
            out.push_back(static_cast<uint8_t>(n));
            append(out, data, i, n);
        }
        out.push_back(0);
    }
    out.push_back(0x3B);
    return out;
}

}  // namespace

TEST(GIFReference, OneByteSubBlocksDecodeAsTheOriginal) {
    for (const auto& path : CorpusFiles()) {
        SCOPED_TRACE(path.filename().string());
        core::TMemoryStream original;
        original.LoadFromFile(path.string());
        TGIFData expected;
        expected.LoadFromStream(original);
        for (size_t blockSize : {1u, 2u, 3u}) {
            std::vector<uint8_t> bytes = Reblock(original.Bytes(), blockSize);
            core::TBytesStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
            TGIFData data;
            int warnings = 0;
            data.SetOnWarning([&](const void*, TGIFSeverity, const std::string&) { ++warnings; });
            data.LoadFromStream(stream);
            EXPECT_EQ(warnings, 0);
            ASSERT_EQ(data.Count(), expected.Count());
            for (int i = 0; i < data.Count(); ++i)
                EXPECT_TRUE(std::equal(
                    data.Images(i).Pixels().begin(), data.Images(i).Pixels().end(),
                    expected.Images(i).Pixels().begin(), expected.Images(i).Pixels().end()))
                    << "frame " << i << ", blocks of " << blockSize;
        }
    }
}

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
            EXPECT_TRUE(
                std::equal(frame.Pixels().begin(), frame.Pixels().end(), expected.RasterBits))
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
