#include "codecs/gif/gif_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/gif/gif_builder.h"
#include "codecs/gif/gif_extension.h"
#include "codecs/gif/gif_types.h"
#include "core/stream.h"

using namespace codecs::gif;
using gif_test::Bytes;
using gif_test::GifBuilder;

namespace {

struct Loaded {
    std::unique_ptr<TGIFData> data = std::make_unique<TGIFData>();
    std::vector<std::string> warnings;
};

Loaded Load(const Bytes& bytes) {
    Loaded result;
    result.data->SetOnWarning(
        [&warnings = result.warnings](const void*, TGIFSeverity, const std::string& message) {
            warnings.push_back(message);
        });
    core::TBytesStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
    result.data->LoadFromStream(stream);
    return result;
}

// The message of the GIFException that loading raises, and where the stream was left.
std::pair<std::string, int64_t> LoadError(const Bytes& bytes, int64_t start = 0) {
    TGIFData data;
    core::TBytesStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(start);
    try {
        data.LoadFromStream(stream);
    } catch (const GIFException& e) {
        return {e.Message(), stream.Position()};
    }
    return {"no error", stream.Position()};
}

std::vector<int> Row(const TGIFSubImage& image, int row) {
    const uint8_t* line = image.Scanline(row);
    return std::vector<int>(line, line + image.Width());
}

Bytes OneFrame(const char* signature = "GIF89a") {
    return GifBuilder(2, 2, 1, true, signature)
        .LiteralImage(0, 0, 2, 2, {1, 2, 3, 0})
        .Trailer()
        .bytes();
}

}  // namespace

TEST(GIFSignature, AcceptsLowerCaseOtherVersionsAndAFourBytePrefix) {
    for (const char* signature : {"gif89a", "GIF87a", "GIF90z", "Gif89a"}) {
        Loaded loaded = Load(OneFrame(signature));
        ASSERT_EQ(loaded.data->Count(), 1) << signature;
        EXPECT_EQ(Row(loaded.data->Images(0), 1), (std::vector<int>{3, 0})) << signature;
    }
    Bytes prefixed = {'M', 'A', 'C', 'X'};
    Bytes file = OneFrame();
    prefixed.insert(prefixed.end(), file.begin(), file.end());
    Loaded loaded = Load(prefixed);
    EXPECT_EQ(loaded.data->Width(), 2);
    ASSERT_EQ(loaded.data->Count(), 1);
    EXPECT_EQ(loaded.data->Header().Version(), "89a");
}

TEST(GIFSignature, RejectsOtherDataAndMovesTheStreamBack) {
    Bytes notGif = {'P', 'N', 'G', '1', '2', '3', 'x', 'x', 'G', 'I', 'F', 0, 0};
    EXPECT_EQ(LoadError(notGif), std::make_pair(std::string("Invalid GIF signature"), int64_t{0}));
    Bytes shortFile = {'x', 'G', 'I', 'F', '8'};
    EXPECT_EQ(LoadError(shortFile, 1).first, "Premature end of data");
    EXPECT_EQ(LoadError(shortFile, 1).second, 1);
    Bytes file = OneFrame();
    file.resize(16);  // the global table is cut short
    EXPECT_EQ(LoadError(file).first, "Premature end of data");
}

TEST(GIFStructure, ToleratesAMissingTrailerAndGarbageBetweenBlocks) {
    Bytes noTrailer = OneFrame();
    noTrailer.pop_back();
    Loaded loaded = Load(noTrailer);
    EXPECT_EQ(loaded.data->Count(), 1);
    EXPECT_TRUE(loaded.warnings.empty());

    Bytes garbage = GifBuilder(2, 1)
                        .LiteralImage(0, 0, 2, 1, {1, 1})
                        .Raw({0x07})
                        .LiteralImage(0, 0, 2, 1, {2, 2})
                        .Trailer()
                        .bytes();
    loaded = Load(garbage);
    EXPECT_EQ(loaded.data->Count(), 1);
    EXPECT_EQ(loaded.warnings,
              (std::vector<std::string>{"Unknown GIF block type", "Invalid Image trailer"}));

    // Zero bytes between blocks are skipped.
    Bytes padded = GifBuilder(2, 1)
                       .LiteralImage(0, 0, 2, 1, {1, 1})
                       .Raw({0, 0})
                       .LiteralImage(0, 0, 2, 1, {2, 3})
                       .Trailer()
                       .bytes();
    loaded = Load(padded);
    ASSERT_EQ(loaded.data->Count(), 2);
    EXPECT_EQ(Row(loaded.data->Images(1), 0), (std::vector<int>{2, 3}));
    EXPECT_TRUE(loaded.warnings.empty());
}

TEST(GIFFrames, ZeroSizedFrameTakesTheScreenSize) {
    Loaded loaded = Load(GifBuilder(3, 2).LiteralImage(0, 0, 0, 0, {1, 2, 3, 3, 2, 1}).bytes());
    ASSERT_EQ(loaded.data->Count(), 1);
    const TGIFSubImage& image = loaded.data->Images(0);
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(Row(image, 1), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(loaded.warnings, (std::vector<std::string>{"Image exceeds Logical Screen size"}));

    // On a screen without area the frame has no pixels, and its data is still passed over.
    loaded = Load(GifBuilder(0, 0)
                      .LiteralImage(0, 0, 0, 0, {1, 2, 3})
                      .LiteralImage(0, 0, 2, 1, {3, 1})
                      .Trailer()
                      .bytes());
    ASSERT_EQ(loaded.data->Count(), 2);
    EXPECT_TRUE(loaded.data->Images(0).Pixels().empty());
    EXPECT_EQ(Row(loaded.data->Images(1), 0), (std::vector<int>{3, 1}));
    EXPECT_EQ(loaded.warnings, (std::vector<std::string>{"Image exceeds Logical Screen size"}));
}

TEST(GIFFrames, TruncatedFrameKeepsItsFillValue) {
    // Three of six pixels, then the data stops without an end code or terminator.
    Bytes codes = gif_test::LiteralCodes(2, {1, 2, 3}, false);
    Bytes opaque = GifBuilder(3, 2).Raw({0x2C, 0, 0, 0, 0, 3, 0, 2, 0, 0, 2}).bytes();
    Bytes block = gif_test::SubBlocks(codes, 255, false);
    opaque.insert(opaque.end(), block.begin(), block.end());
    Loaded loaded = Load(opaque);
    ASSERT_EQ(loaded.data->Count(), 1);
    EXPECT_EQ(Row(loaded.data->Images(0), 0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Row(loaded.data->Images(0), 1), (std::vector<int>{0, 0, 0}));

    Bytes transparent = GifBuilder(3, 2).GraphicControl(0x01, 0, 2).bytes();
    transparent.insert(transparent.end(), opaque.begin() + 25, opaque.end());
    loaded = Load(transparent);
    ASSERT_EQ(loaded.data->Count(), 1);
    const TGIFSubImage& image = loaded.data->Images(0);
    EXPECT_TRUE(image.Transparent());
    EXPECT_EQ(Row(image, 0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Row(image, 1), (std::vector<int>{2, 2, 2}));

    // A frame whose data ends early with an end code is filled the same way, and the next
    // frame is still read.
    Bytes early = GifBuilder(2, 2)
                      .LiteralImage(0, 0, 2, 2, {3})
                      .LiteralImage(0, 0, 2, 2, {1, 2, 3, 1})
                      .Trailer()
                      .bytes();
    loaded = Load(early);
    ASSERT_EQ(loaded.data->Count(), 2);
    EXPECT_EQ(Row(loaded.data->Images(0), 0), (std::vector<int>{3, 0}));
    EXPECT_EQ(Row(loaded.data->Images(1), 1), (std::vector<int>{3, 1}));
}

TEST(GIFFrames, InterlacedRowsArriveInPassOrder) {
    Loaded loaded = Load(GifBuilder(1, 1).LiteralImage(0, 0, 2, 1, {3, 1}, 0x40).bytes());
    EXPECT_EQ(Row(loaded.data->Images(0), 0), (std::vector<int>{3, 1}));

    // Rows sent in the order 0, 4, 2, 1, 3: each row is filled with the number it was sent as.
    loaded = Load(GifBuilder(1, 5).LiteralImage(0, 0, 1, 5, {0, 1, 2, 3, 4}, 0x40, 3).bytes());
    const TGIFSubImage& image = loaded.data->Images(0);
    EXPECT_TRUE(image.Interlaced());
    std::vector<int> rows;
    rows.reserve(5);
    for (int row = 0; row < 5; ++row) rows.push_back(image.Scanline(row)[0]);
    EXPECT_EQ(rows, (std::vector<int>{0, 3, 2, 4, 1}));

    // Ten rows: passes 0,8 / 4 / 2,6 / 1,3,5,7,9.
    std::vector<int> sent = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    loaded = Load(GifBuilder(1, 10).LiteralImage(0, 0, 1, 10, sent, 0x40, 4).bytes());
    for (int row = 0; row < 10; ++row) EXPECT_EQ(loaded.data->Images(0).Scanline(row)[0], row);
}

TEST(GIFFrames, LocalTableOverridesTheGlobalOne) {
    Loaded loaded = Load(
        GifBuilder(1, 1).LiteralImage(0, 0, 1, 1, {1}, 0x81).LiteralImage(0, 0, 1, 1, {1}).bytes());
    ASSERT_EQ(loaded.data->Count(), 2);
    EXPECT_EQ(loaded.data->Images(0).ActiveColorMap().Count(), 4);
    EXPECT_EQ(loaded.data->Images(0).ActiveColorMap().Color(1), (TGIFColor{254, 128, 1}));
    EXPECT_EQ(&loaded.data->Images(1).ActiveColorMap(), &loaded.data->GlobalColorMap());
}

TEST(GIFExtensions, LoopExtensionGivesItsCount) {
    auto loops = [](const Bytes& block, const std::string& id = "NETSCAPE2.0") {
        Loaded loaded =
            Load(GifBuilder(1, 1).Application(id, {block}).LiteralImage(0, 0, 1, 1, {1}).bytes());
        const auto& extensions = loaded.data->Images(0).Extensions();
        EXPECT_EQ(extensions.size(), 1u);
        auto loop = dynamic_cast<const TGIFAppExtNSLoop*>(extensions.at(0).get());
        return loop ? static_cast<int>(loop->Loops()) : -1;
    };
    EXPECT_EQ(loops({1, 0, 0}), 0);
    EXPECT_EQ(loops({1, 5, 0}), 5);
    EXPECT_EQ(loops({1, 0x34, 0x12}, "ANIMEXTS1.0"), 0x1234);

    Loaded buffered = Load(GifBuilder(1, 1)
                               .Application("NETSCAPE2.0", {{2, 0x10, 0x20, 0, 0}, {1, 3, 0}})
                               .LiteralImage(0, 0, 1, 1, {1})
                               .bytes());
    auto loop =
        dynamic_cast<const TGIFAppExtNSLoop*>(buffered.data->Images(0).Extensions().at(0).get());
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->BufferSize(), 0x2010u);
    EXPECT_EQ(loop->Loops(), 3);

    Bytes tooShort = GifBuilder(1, 1).Application("NETSCAPE2.0", {{1, 5}}).bytes();
    EXPECT_EQ(LoadError(tooShort).first, "Invalid GIF data");
}

TEST(GIFExtensions, UnknownApplicationExtensionKeepsEveryBlock) {
    for (std::string id : {"XMP DataXMP", "MYAPP1.0ab", "LONGERIDENTITY"}) {
        Loaded loaded = Load(GifBuilder(1, 1)
                                 .Application(id, {{1, 2, 3}, {4}, {5, 6}})
                                 .LiteralImage(0, 0, 1, 1, {1})
                                 .Trailer()
                                 .bytes());
        ASSERT_EQ(loaded.data->Count(), 1) << id;
        auto unknown = dynamic_cast<const TGIFUnknownAppExtension*>(
            loaded.data->Images(0).Extensions().at(0).get());
        ASSERT_NE(unknown, nullptr) << id;
        std::vector<Bytes> blocks;
        for (const auto& block : unknown->Blocks()) blocks.push_back(block.Data);
        if (id.size() == 10) {
            // The 11th identification byte is the first block's size byte.
            EXPECT_EQ(unknown->Identification(), id + '\3') << id;
        } else {
            EXPECT_EQ(unknown->Identification(), id.substr(0, 11)) << id;
        }
        EXPECT_EQ(blocks, (std::vector<Bytes>{{1, 2, 3}, {4}, {5, 6}})) << id;
        EXPECT_TRUE(loaded.warnings.empty()) << id;
    }
}

TEST(GIFExtensions, CommentAndTextExtensionsKeepOneLinePerBlock) {
    Loaded loaded = Load(GifBuilder(1, 1)
                             .Comment({"first line", std::string("second\0hidden", 13)})
                             .Raw({0x21, 0x01, 12, 1, 0, 2, 0, 30, 0, 10, 0, 6, 10, 1, 0})
                             .Raw({3, 'a', 'b', 'c', 0})
                             .LiteralImage(0, 0, 1, 1, {1})
                             .bytes());
    const auto& extensions = loaded.data->Images(0).Extensions();
    ASSERT_EQ(extensions.size(), 2u);
    auto comment = dynamic_cast<const TGIFCommentExtension*>(extensions[0].get());
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(comment->Text(), (std::vector<std::string>{"first line", "second"}));
    auto text = dynamic_cast<const TGIFTextExtension*>(extensions[1].get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GridWidth(), 30);
    EXPECT_EQ(text->CellHeight(), 10);
    EXPECT_EQ(text->Text(), (std::vector<std::string>{"abc"}));
}

TEST(GIFExtensions, GraphicControlMarksTheFrameTransparent) {
    Loaded loaded = Load(GifBuilder(1, 1)
                             .GraphicControl(0x08, 7, 0)
                             .GraphicControl(0x05, 9, 3)
                             .LiteralImage(0, 0, 1, 1, {1})
                             .LiteralImage(0, 0, 1, 1, {1})
                             .bytes());
    const TGIFSubImage& image = loaded.data->Images(0);
    EXPECT_TRUE(image.Transparent());
    ASSERT_NE(image.GraphicControlExtension(), nullptr);
    EXPECT_EQ(image.GraphicControlExtension()->Delay(), 7);  // the first one counts
    EXPECT_EQ(image.GraphicControlExtension()->Disposal(), 2);
    EXPECT_EQ(image.Extensions().size(), 2u);
    EXPECT_FALSE(loaded.data->Images(1).Transparent());
    EXPECT_EQ(loaded.data->Images(1).GraphicControlExtension(), nullptr);

    Bytes shortBody = GifBuilder(1, 1).Raw({0x21, 0xF9, 4, 1, 0}).bytes();
    loaded = Load(shortBody);
    EXPECT_EQ(loaded.warnings, (std::vector<std::string>{"Premature end of data"}));
    EXPECT_FALSE(loaded.data->Images(0).Transparent());
}

TEST(GIFExtensions, ErrorsStopLoadingAndMoveTheStreamBack) {
    auto error = [](std::initializer_list<uint8_t> extension) {
        Bytes bytes = {'j', 'u', 'n', 'k'};
        Bytes file = GifBuilder(1, 1).LiteralImage(0, 0, 1, 1, {1}).Raw(extension).bytes();
        bytes.insert(bytes.end(), file.begin(), file.end());
        auto [message, position] = LoadError(bytes, 4);
        EXPECT_EQ(position, 4);
        return message;
    };
    EXPECT_EQ(error({0x21, 0x77, 0}), "Unknown extension type");
    EXPECT_EQ(error({0x21, 0xFF, 9, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 0}),
              "Unsupported Application Extension block size");
    EXPECT_EQ(error({0x21, 0xFE, 5, 'a', 'b'}), "Premature end of data");
    EXPECT_EQ(error({0x21, 0x01, 12, 0, 0}), "Premature end of data");
    // An 11-byte identification that is cut short.
    EXPECT_EQ(error({0x21, 0xFF, 11, 'N', 'E', 'T'}), "Premature end of data");
}

TEST(GIFExtensions, AGarbageByteInsideAnExtensionListWarns) {
    // After the comment, a stray byte stands where the image separator belongs; the descriptor
    // is read from it regardless.
    Bytes bytes = GifBuilder(1, 1).Comment({"x"}).Raw({0x99}).bytes();
    Bytes image = GifBuilder(1, 1).LiteralImage(0, 0, 1, 1, {1}).Trailer().bytes();
    bytes.insert(bytes.end(), image.begin() + 26, image.end());
    Loaded loaded = Load(bytes);
    ASSERT_EQ(loaded.data->Count(), 1);
    EXPECT_EQ(loaded.warnings.at(0), "Invalid extension introducer");
    EXPECT_EQ(loaded.data->Images(0).Descriptor().Separator, 0x99);
    EXPECT_EQ(loaded.data->Images(0).Scanline(0)[0], 1);
}

TEST(GIFProgress, ReportsStartEachFrameAndTheEnd) {
    struct Report {
        TGIFProgressStage stage;
        int percent;
        bool redraw;
    };
    std::vector<Report> reports;
    TGIFData data;
    data.SetOnProgress(
        [&](TGIFProgressStage stage, int percent, bool redraw, const std::string& m) {
            EXPECT_EQ(m, "Loading...");
            reports.push_back({stage, percent, redraw});
        });
    Bytes file = GifBuilder(2, 2)
                     .LiteralImage(0, 0, 2, 2, {1, 1, 1, 1})
                     .LiteralImage(0, 0, 2, 2, {2, 2, 2, 2})
                     .Trailer()
                     .bytes();
    core::TBytesStream stream(file.data(), static_cast<int64_t>(file.size()));
    data.LoadFromStream(stream);
    ASSERT_EQ(reports.size(), 4u);
    EXPECT_EQ(reports[0].stage, TGIFProgressStage::psStarting);
    EXPECT_FALSE(reports[0].redraw);
    EXPECT_EQ(reports[1].stage, TGIFProgressStage::psRunning);
    EXPECT_GT(reports[2].percent, reports[1].percent);
    EXPECT_LT(reports[2].percent, 100);  // the trailer is still to come
    EXPECT_EQ(reports[3].stage, TGIFProgressStage::psEnding);
    EXPECT_EQ(reports[3].percent, 100);
    EXPECT_TRUE(reports[3].redraw);

    reports.clear();
    Bytes bad = {'n', 'o', 'p', 'e', 'n', 'o', 'p', 'e', 'n', 'o'};
    core::TBytesStream badStream(bad.data(), static_cast<int64_t>(bad.size()));
    EXPECT_THROW(data.LoadFromStream(badStream), GIFException);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1].stage, TGIFProgressStage::psEnding);
    EXPECT_EQ(reports[1].percent, 0);
}

TEST(GIFLoading, ReloadingStartsFromAClearedPicture) {
    TGIFData data;
    Bytes two =
        GifBuilder(5, 4).LiteralImage(0, 0, 1, 1, {1}).LiteralImage(0, 0, 1, 1, {1}).bytes();
    core::TBytesStream first(two.data(), static_cast<int64_t>(two.size()));
    data.LoadFromStream(first);
    ASSERT_EQ(data.Count(), 2);
    Bytes noTable = GifBuilder(3, 3, 0, false).LiteralImage(0, 0, 1, 1, {1}).bytes();
    core::TBytesStream second(noTable.data(), static_cast<int64_t>(noTable.size()));
    data.LoadFromStream(second);
    EXPECT_EQ(data.Count(), 1);
    EXPECT_EQ(data.Width(), 3);
    EXPECT_EQ(data.GlobalColorMap().Count(), 0);
    Bytes empty = GifBuilder(7, 7).Trailer().bytes();
    core::TBytesStream third(empty.data(), static_cast<int64_t>(empty.size()));
    data.LoadFromStream(third);
    EXPECT_TRUE(data.IsEmpty());
    EXPECT_EQ(data.GlobalColorMap().Count(), 4);
}

TEST(GIFLoading, PixelBudgetStopsHugeFrames) {
    Bytes huge = GifBuilder(60000, 60000).LiteralImage(0, 0, 0, 0, {1}).bytes();
    TGIFData data;
    core::TBytesStream stream(huge.data(), static_cast<int64_t>(huge.size()));
    EXPECT_THROW(data.LoadFromStream(stream), core::EOutOfMemory);
    EXPECT_EQ(stream.Position(), 0);
    data.SetPixelBudget(100);
    Bytes two =
        GifBuilder(8, 8).LiteralImage(0, 0, 8, 8, {1}).LiteralImage(0, 0, 8, 8, {1}).bytes();
    core::TBytesStream twoStream(two.data(), static_cast<int64_t>(two.size()));
    EXPECT_THROW(data.LoadFromStream(twoStream), core::EOutOfMemory);
}
