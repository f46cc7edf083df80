#include "platform/gdi/metafile/emf_document.h"

#include <gtest/gtest.h>

#include "metafile_builders.h"
#include "platform/gdi/metafile/emf_format.h"

namespace {

using namespace platform::metafile;
using namespace metafile_test;

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

TEST(EmfDocument, ReadsAFileWrittenByAnotherProgram) {
    std::vector<uint8_t> bytes = ReadTestFile("shapes.emf");
    ASSERT_FALSE(bytes.empty());
    std::string why;
    auto doc = EmfDocument::Parse(bytes, &why);
    ASSERT_TRUE(doc) << why;
    EXPECT_EQ(doc->Records().front().type, EMR_HEADER);
    EXPECT_EQ(doc->Records().back().type, EMR_EOF);
    // 100 x 50 px drawing at 96 dpi: about 26.5 x 13.2 mm.
    EXPECT_NEAR(doc->Frame().right - doc->Frame().left, 2646, 60);
    EXPECT_NEAR(doc->Frame().bottom - doc->Frame().top, 1323, 80);
    EXPECT_GT(doc->HandleCount(), 1);
    uint32_t covered = 0;
    for (const auto& r : doc->Records()) covered += r.size;
    EXPECT_EQ(covered, bytes.size());
}

TEST(EmfDocument, RejectsWhatIsNotAnEnhancedMetafile) {
    std::vector<uint8_t> good = EmfBuilder(25, 25).Finish();
    ASSERT_TRUE(EmfDocument::Parse(good));

    EXPECT_FALSE(EmfDocument::Parse({}));
    EXPECT_FALSE(EmfDocument::Parse(std::vector<uint8_t>(good.begin(), good.begin() + 87)));

    auto badSignature = good;
    badSignature[40] = 'X';
    EXPECT_FALSE(EmfDocument::Parse(badSignature));

    auto badType = good;
    Put32(badType, 0, 2);
    EXPECT_FALSE(EmfDocument::Parse(badType));

    auto countBeyondData = good;
    Put32(countBeyondData, header::kBytes, static_cast<uint32_t>(good.size() + 4));
    EXPECT_FALSE(EmfDocument::Parse(countBeyondData));

    auto hugeHeader = good;
    Put32(hugeHeader, 4, 0xFFFFFFF0u);
    EXPECT_FALSE(EmfDocument::Parse(hugeHeader));
}

TEST(EmfDocument, RejectsBrokenRecordChains) {
    std::vector<uint8_t> good = EmfBuilder(25, 25).Box(EMR_RECTANGLE, 0, 0, 10, 10).Finish();
    const size_t first = header::kMinimumSize;  // the rectangle record

    for (uint32_t badSize : {0u, 4u, 10u, 0xFFFFFFFCu}) {
        auto bytes = good;
        Put32(bytes, first + 4, badSize);
        std::string why;
        EXPECT_FALSE(EmfDocument::Parse(bytes, &why)) << badSize;
        EXPECT_EQ(why, "record size out of range") << badSize;
    }
    auto secondHeader = good;
    Put32(secondHeader, first, EMR_HEADER);
    EXPECT_FALSE(EmfDocument::Parse(secondHeader));
}

TEST(EmfDocument, EveryCutOfAFileIsRejectedOrKeptInsideItsBytes) {
    std::vector<uint8_t> bytes = ReadTestFile("shapes.emf");
    ASSERT_FALSE(bytes.empty());
    for (size_t length = 0; length < bytes.size(); ++length) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(length));
        // The byte count now lies beyond the data: a cut-off file.
        EXPECT_FALSE(EmfDocument::Parse(cut)) << length;
    }
}

TEST(EmfDocument, ByteCountShorterThanTheBufferWins) {
    std::vector<uint8_t> bytes = EmfBuilder(25, 25).Finish();
    size_t size = bytes.size();
    bytes.resize(size + 64, 0xAB);
    auto doc = EmfDocument::Parse(bytes);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->Bytes().size(), size);
    EXPECT_EQ(doc->Records().back().type, EMR_EOF);
}

TEST(EmfDocument, EmptyReferenceDeviceFallsBackToTheScreen) {
    std::vector<uint8_t> bytes = EmfBuilder(25, 25).Finish();
    Put32(bytes, header::kMillimeters, 0);
    auto doc = EmfDocument::Parse(bytes);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->Device().pixels.x, kScreenReference.pixels.x);
    EXPECT_EQ(doc->Device().millimeters.y, kScreenReference.millimeters.y);
}

}  // namespace
