#include "platform/gdi/metafile/wmf_converter.h"

#include <gtest/gtest.h>

#include "metafile_builders.h"
#include "platform/gdi/metafile/byte_reader.h"
#include "platform/gdi/metafile/emf_document.h"
#include "platform/gdi/metafile/emf_format.h"
#include "platform/gdi/metafile/wmf_format.h"

namespace {

using namespace platform::metafile;
using namespace platform::metafile::wmf;
using namespace metafile_test;

EmfDocument Convert(const std::vector<uint8_t>& wmf, const WmfPictureSize* size = nullptr) {
    std::string why;
    auto emf = ConvertWmfToEmf(wmf, size, &why);
    EXPECT_TRUE(emf) << why;
    auto doc = EmfDocument::Parse(emf.value_or(std::vector<uint8_t>{}), &why);
    EXPECT_TRUE(doc) << why;
    return doc ? *doc : *EmfDocument::Parse(EmfBuilder(2, 2).Finish());
}

std::vector<std::vector<uint32_t>> RecordsOf(const EmfDocument& doc, uint32_t type) {
    std::vector<std::vector<uint32_t>> found;
    for (const auto& r : doc.Records()) {
        if (r.type != type) continue;
        ByteReader reader(doc.RecordBytes(r));
        std::vector<uint32_t> values;
        for (size_t at = 8; at + 4 <= r.size; at += 4) values.push_back(reader.U32Or0(at));
        found.push_back(values);
    }
    return found;
}

TEST(WmfConverter, ConvertsAFileWrittenByAnotherProgram) {
    std::vector<uint8_t> file = ReadTestFile("shapes.wmf");
    ASSERT_GT(file.size(), 22u);
    // The stream after its placeable header, as the picture reader hands it over.
    std::vector<uint8_t> wmf(file.begin() + 22, file.end());
    WmfPictureSize size{kMmAnisotropic, 2646, 1323};
    EmfDocument doc = Convert(wmf, &size);
    EXPECT_EQ(doc.Frame().right, 2646);
    EXPECT_EQ(doc.Frame().bottom, 1323);
    // Background, red rectangle and the ellipse (as a polygon).
    EXPECT_EQ(RecordsOf(doc, EMR_POLYGON16).size(), 3u);
    EXPECT_EQ(RecordsOf(doc, EMR_CREATEBRUSHINDIRECT).size(), 4u);  // hollow, white, red, blue
    // The window the file sets is the one the picture maps onto its frame.
    auto ext = RecordsOf(doc, EMR_SETWINDOWEXTEX);
    ASSERT_FALSE(ext.empty());
    EXPECT_EQ(ext.front()[0], 1249u);
    EXPECT_EQ(ext.front()[1], 624u);
    // A placeable header left in front is skipped.
    EXPECT_EQ(RecordsOf(Convert(file, &size), EMR_POLYGON16).size(), 3u);
}

TEST(WmfConverter, ObjectsTakeTheLowestFreeSlot) {
    WmfBuilder b;
    b.Record(META_CREATEPENINDIRECT, {0, 1, 0, Lo(0xFF), Hi(0xFF)});     // slot 0
    b.Record(META_CREATEBRUSHINDIRECT, {0, Lo(0xFF00), Hi(0xFF00), 0});  // slot 1
    b.Record(META_CREATEREGION, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});      // slot 2
    b.Record(META_DELETEOBJECT, {0});
    b.Record(META_CREATEBRUSHINDIRECT, {0, Lo(0xFF), Hi(0xFF), 0});  // slot 0 again
    b.Record(META_SELECTOBJECT, {0});
    b.Record(META_SELECTOBJECT, {2});                  // a region: nothing to select
    b.Record(META_CREATEBRUSHINDIRECT, {0, 0, 0, 0});  // slot 3
    b.Record(META_SELECTOBJECT, {3});
    EmfDocument doc = Convert(b.Finish());

    auto brushes = RecordsOf(doc, EMR_CREATEBRUSHINDIRECT);
    ASSERT_EQ(brushes.size(), 3u);
    EXPECT_EQ(brushes[0][0], 2u);  // enhanced indices are slot + 1
    EXPECT_EQ(brushes[1][0], 1u);
    EXPECT_EQ(brushes[1][2], 0xFFu);
    EXPECT_EQ(brushes[2][0], 4u);
    auto selects = RecordsOf(doc, EMR_SELECTOBJECT);
    ASSERT_EQ(selects.size(), 2u);
    EXPECT_EQ(selects[0][0], 1u);
    EXPECT_EQ(selects[1][0], 4u);
    EXPECT_GE(doc.HandleCount(), 5);
}

TEST(WmfConverter, FrameComesFromTheWindowWhenNoSizeIsGiven) {
    WmfBuilder b;
    b.Record(META_SETWINDOWORG, {W(10), W(20)});
    b.Record(META_SETWINDOWEXT, {W(48), W(96)});
    b.Record(META_RECTANGLE, {W(30), W(40), W(10), W(20)});
    EmfDocument doc = Convert(b.Finish());
    // 96 x 48 screen pixels = 25.4 x 12.7 mm.
    EXPECT_EQ(doc.Frame().right, 2540);
    EXPECT_EQ(doc.Frame().bottom, 1270);
    auto rect = RecordsOf(doc, EMR_RECTANGLE);
    ASSERT_EQ(rect.size(), 1u);
    EXPECT_EQ(rect[0], (std::vector<uint32_t>{20, 10, 40, 30}));

    WmfBuilder noWindow;
    noWindow.Record(META_RECTANGLE, {W(58), W(48), W(10), W(0)});
    EmfDocument fitted = Convert(noWindow.Finish());
    auto ext = RecordsOf(fitted, EMR_SETWINDOWEXTEX);
    ASSERT_FALSE(ext.empty());
    EXPECT_EQ(ext.front(), (std::vector<uint32_t>{48, 48}));
}

TEST(WmfConverter, TextBecomesUtf16InTheFontsCodePage) {
    WmfBuilder b;
    // A GB2312 font named "宋体" (CB CE CC E5 in code page 936).
    std::vector<uint16_t> font = {W(-16), 0, 0, 0, 400, 0, 0x8600, 0, 0, 0xCECB, 0xE5CC, 0};
    b.Record(META_CREATEFONTINDIRECT, font);
    b.Record(META_SELECTOBJECT, {0});
    // "中A" = D6 D0 41 at (5, 7).
    b.Record(META_TEXTOUT, {3, 0xD0D6, 0x0041, W(7), W(5)});
    EmfDocument doc = Convert(b.Finish());

    auto fonts = RecordsOf(doc, EMR_EXTCREATEFONTINDIRECTW);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(static_cast<int32_t>(fonts[0][1]), -16);
    EXPECT_EQ(fonts[0][8], 0x4F535B8Bu);  // 宋 U+5B8B then 体 U+4F53
    auto text = RecordsOf(doc, EMR_EXTTEXTOUTW);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0][7], 5u);  // reference x
    EXPECT_EQ(text[0][8], 7u);  // reference y
    EXPECT_EQ(text[0][9], 2u);  // two UTF-16 units
    EXPECT_EQ(text[0][17], 0x4E2Du | (0x41u << 16));
}

TEST(WmfConverter, RejectsBadHeadersAndBrokenChains) {
    EXPECT_FALSE(ConvertWmfToEmf({}, nullptr));
    std::vector<uint8_t> good = WmfBuilder().Record(META_SAVEDC, {}).Finish();
    ASSERT_TRUE(ConvertWmfToEmf(good, nullptr));

    auto badHeader = good;
    badHeader[2] = 7;
    EXPECT_FALSE(ConvertWmfToEmf(badHeader, nullptr));

    for (uint32_t words : {0u, 2u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        auto bytes = good;
        for (int i = 0; i < 4; ++i) bytes[18 + i] = static_cast<uint8_t>(words >> (8 * i));
        std::string why;
        EXPECT_FALSE(ConvertWmfToEmf(bytes, nullptr, &why)) << words;
        EXPECT_EQ(why, "record size out of range");
    }
}

TEST(WmfConverter, CountsBeyondTheirRecordAreSkipped) {
    WmfBuilder b;
    b.Record(META_POLYGON, {500, 0, 0, 10, 10});                  // claims 500 points
    b.Record(META_POLYPOLYGON, {2, 3, 60000, 0, 0, 1, 1, 2, 2});  // counts beyond the data
    b.Record(META_TEXTOUT, {400, 0x4141});                        // string beyond the data
    b.Record(META_EXTTEXTOUT, {0, 0, 2, 0x0006, 0});              // rectangle missing
    b.Record(META_STRETCHDIB, {0x20, 0xCC, 0, 1, 1, 0, 0, 1, 1, 0, 0, 40, 0});  // cut bitmap
    b.Record(META_RECTANGLE, {1, 2});
    b.Record(META_POLYLINE, {2, 0, 0, 5, 5});  // a sound one survives
    EmfDocument doc = Convert(b.Finish());
    EXPECT_TRUE(RecordsOf(doc, EMR_POLYGON16).empty());
    EXPECT_TRUE(RecordsOf(doc, EMR_POLYPOLYGON16).empty());
    EXPECT_TRUE(RecordsOf(doc, EMR_EXTTEXTOUTW).empty());
    EXPECT_TRUE(RecordsOf(doc, EMR_STRETCHDIBITS).empty());
    EXPECT_TRUE(RecordsOf(doc, EMR_RECTANGLE).empty());
    EXPECT_EQ(RecordsOf(doc, EMR_POLYLINE16).size(), 1u);
}

TEST(WmfConverter, EveryCutOfARealFileConvertsOrIsRejected) {
    std::vector<uint8_t> file = ReadTestFile("image.wmf");
    ASSERT_GT(file.size(), 22u);
    for (size_t length = 0; length <= file.size(); ++length) {
        std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<long>(length));
        auto emf = ConvertWmfToEmf(cut, nullptr);
        if (emf) {
            EXPECT_TRUE(EmfDocument::Parse(*emf)) << length;
        }
    }
}

}  // namespace
