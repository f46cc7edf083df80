#include "codecs/gif/lzw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codecs/gif/gif_builder.h"
#include "codecs/gif/gif_data.h"
#include "codecs/gif/gif_types.h"
#include "core/stream.h"

using namespace codecs::gif;
using gif_test::Bytes;
using gif_test::CodeWriter;

namespace {

struct Decoded {
    std::vector<int> values;
    std::vector<std::string> warnings;
    int64_t endPosition = 0;
};

// Decodes `count` values from the sub-blocks of `codes` (plus anything after them).
Decoded DecodeCodes(int minCodeSize, const Bytes& codes, int count, const Bytes& after = {},
                    size_t blockSize = 255) {
    Bytes stream = gif_test::SubBlocks(codes, blockSize);
    stream.insert(stream.end(), after.begin(), after.end());
    core::TBytesStream input(stream.data(), static_cast<int64_t>(stream.size()));
    Decoded result;
    TGIFLZWDecoder decoder(input, [&](const char* message) { result.warnings.push_back(message); });
    decoder.Start(minCodeSize);
    std::vector<uint8_t> out(static_cast<size_t>(count), 0xEE);
    const int64_t produced = decoder.Decode(out.data(), count);
    decoder.Finish();
    result.values.assign(out.begin(), out.begin() + produced);
    result.endPosition = input.Position();
    return result;
}

}  // namespace

TEST(GIFLZW, DecodesRepeatedStringsAndTheCodeBeingDefined) {
    // m = 2: clear 4, end 5. "1 1 1 1 1 1" as 1, 6 (= "1 1", the code being defined), 7.
    CodeWriter w;
    w.Put(4, 3);
    w.Put(1, 3);
    w.Put(6, 3);  // not yet in the table: previous string plus its first value
    w.Put(7, 3);  // "1 1 1"; the table reaches 8 entries and codes widen to 4 bits
    w.Put(5, 4);
    Decoded d = DecodeCodes(2, w.bytes(), 6);
    EXPECT_EQ(d.values, (std::vector<int>{1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(d.warnings.empty());
}

TEST(GIFLZW, KeepsDecodingAfterTheTableIsFull) {
    std::vector<int> values;
    values.reserve(6000);
    for (int i = 0; i < 6000; ++i) values.push_back((i * 7 + i / 13) % 4);
    Bytes codes = gif_test::LiteralCodes(2, values);
    Decoded d = DecodeCodes(2, codes, static_cast<int>(values.size()));
    EXPECT_EQ(d.values, values);
    EXPECT_TRUE(d.warnings.empty());
    EXPECT_EQ(d.endPosition, static_cast<int64_t>(gif_test::SubBlocks(codes).size()));
}

TEST(GIFLZW, ClearCodeStartsAFreshTable) {
    CodeWriter w;
    w.Put(4, 3);
    w.Put(2, 3);
    w.Put(3, 3);  // entry 6 = "2 3"
    w.Put(4, 3);  // clear: width back to 3, entry 6 forgotten
    w.Put(4, 3);  // repeated clears are passed over
    w.Put(1, 3);
    w.Put(0, 3);  // entry 6 = "1 0"
    w.Put(6, 3);  // the table reaches 8 entries: 4-bit codes from here
    w.Put(5, 4);
    Decoded d = DecodeCodes(2, w.bytes(), 6);
    EXPECT_EQ(d.values, (std::vector<int>{2, 3, 1, 0, 1, 0}));
    EXPECT_TRUE(d.warnings.empty());
}

TEST(GIFLZW, StringsSplitAcrossCallsAndSubBlocks) {
    // A real LZW encoder's output would repeat strings; build one with long strings by
    // sending each new code right after it is defined.
    CodeWriter w;
    int width = 3, next = 6, limit = 8;
    w.Put(4, 3);
    w.Put(1, 3);
    std::vector<int> expected = {1};
    int previousLength = 1;
    for (int k = 0; k < 60; ++k) {
        w.Put(next, width);  // the code being defined: previous string + its first value
        previousLength += 1;
        expected.insert(expected.end(), static_cast<size_t>(previousLength), 1);
        ++next;
        if (next == limit) {
            limit *= 2;
            ++width;
        }
    }
    w.Put(5, width);
    Bytes stream = gif_test::SubBlocks(w.bytes(), 7);
    core::TBytesStream input(stream.data(), static_cast<int64_t>(stream.size()));
    TGIFLZWDecoder decoder(input, [](const char*) {});
    decoder.Start(2);
    std::vector<uint8_t> out(expected.size());
    size_t done = 0;
    for (int chunk = 1; done < out.size(); chunk = chunk % 13 + 1) {
        int n = std::min<int>(chunk, static_cast<int>(out.size() - done));
        ASSERT_EQ(decoder.Decode(out.data() + done, n), n);
        done += static_cast<size_t>(n);
    }
    decoder.Finish();
    EXPECT_EQ(std::vector<int>(out.begin(), out.end()), expected);
    EXPECT_EQ(input.Position(), static_cast<int64_t>(stream.size()));
}

TEST(GIFLZW, EntriesThatNameThemselvesOrEachOtherAreRejected) {
    CodeWriter self;
    self.Put(4, 3);
    self.Put(0, 3);
    self.Put(7, 3);  // beyond the table: entry 7 stays undefined, becomes the previous code
    self.Put(7, 3);  // entry 7 is now defined with itself as prefix
    self.Put(7, 4);
    try {
        DecodeCodes(2, self.bytes(), 50);
        FAIL() << "no error";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message(), "Circular decoder table entry");
    }

    CodeWriter pair;
    pair.Put(4, 3);
    pair.Put(7, 3);  // an undefined code right after the clear
    pair.Put(6, 3);  // entry 6 = (7, ...)
    pair.Put(0, 3);  // entry 7 = (6, ...): 6 and 7 name each other
    pair.Put(6, 4);
    try {
        DecodeCodes(2, pair.bytes(), 50);
        FAIL() << "no error";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message(), "Circular decoder table entry");
    }
}

TEST(GIFLZW, MinimumCodeSizeAboveElevenIsInvalid) {
    core::TBytesStream input(nullptr, 0);
    TGIFLZWDecoder decoder(input, [](const char*) {});
    EXPECT_NO_THROW(decoder.Start(11));
    try {
        decoder.Start(12);
        FAIL() << "no error";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message(), "Invalid GIF data");
    }
}

TEST(GIFLZW, MissingEndCodeAndShortBlocksWarn) {
    // No end code: the data simply runs out inside the last sub-block.
    CodeWriter w;
    w.Put(4, 3);
    w.Put(3, 3);
    w.Put(2, 3);
    Decoded d = DecodeCodes(2, w.bytes(), 10);
    ASSERT_GE(d.values.size(), 2u);
    EXPECT_EQ(d.values[0], 3);
    EXPECT_EQ(d.values[1], 2);
    // Once when the codes run out, once more when the end code is looked for.
    EXPECT_EQ(d.warnings, (std::vector<std::string>(2, "Decoder bit buffer under-run")));

    // A sub-block that announces more bytes than the stream holds.
    Bytes truncated = {5, 0x1C};
    core::TBytesStream input(truncated.data(), 2);
    std::vector<std::string> warnings;
    TGIFLZWDecoder decoder(input, [&](const char* m) { warnings.push_back(m); });
    decoder.Start(2);
    uint8_t out[4] = {};
    EXPECT_LT(decoder.Decode(out, 4), 4);
    EXPECT_EQ(warnings.at(0), "Premature end of data");
}

TEST(GIFLZW, FinishLeavesTheStreamAtTheNextBlock) {
    // The frame needs two values, but the code after them is not the end code and more
    // sub-blocks follow; all of them belong to the frame.
    CodeWriter w;
    w.Put(4, 3);
    w.Put(1, 3);
    w.Put(1, 3);
    w.Put(6, 3);
    w.Put(2, 4);
    w.Put(5, 4);
    Decoded d = DecodeCodes(2, w.bytes(), 2, {0x3B}, 1);
    EXPECT_EQ(d.values, (std::vector<int>{1, 1}));
    Bytes blocks = gif_test::SubBlocks(w.bytes(), 1);
    EXPECT_EQ(d.endPosition, static_cast<int64_t>(blocks.size()));

    // Values left over from the last code are dropped, and the end code is consumed.
    CodeWriter over;
    over.Put(4, 3);
    over.Put(1, 3);
    over.Put(6, 3);  // "1 1" of which only one value is wanted
    over.Put(5, 3);
    d = DecodeCodes(2, over.bytes(), 2, {0x3B});
    EXPECT_EQ(d.values, (std::vector<int>{1, 1}));
    EXPECT_EQ(d.endPosition, static_cast<int64_t>(gif_test::SubBlocks(over.bytes()).size()));
    EXPECT_TRUE(d.warnings.empty());
}

TEST(GIFLZW, CodesBeyondTheTableReadUndefinedEntriesAsZero) {
    CodeWriter w;
    w.Put(4, 3);
    w.Put(1, 3);
    w.Put(1, 3);  // entry 6 = "1 1"
    w.Put(1, 3);  // entry 7 = "1 1"; codes widen to 4 bits
    w.Put(4, 4);  // clear
    w.Put(3, 3);
    w.Put(7, 3);  // beyond the table: first value, then the previous string "3"
    w.Put(7, 3);  // entry 7 is undefined in this table: prefix 0, suffix 0, so "0 0" + "3"
    w.Put(5, 4);
    Decoded d = DecodeCodes(2, w.bytes(), 20);
    EXPECT_EQ(d.values, (std::vector<int>{1, 1, 1, 3, 3, 3, 0, 0, 3}));
}

TEST(GIFLZW, AnEarlyEndCodeLeavesTheNextBlockUntouched) {
    // The end code fills the last bits of the data exactly, and the frame wanted more values.
    // Nothing after the frame's terminator may be read as code data.
    CodeWriter w;
    w.Put(4, 3);
    w.Put(1, 3);
    w.Put(2, 3);
    w.Put(3, 3);  // the table reaches 8 entries: 4-bit codes
    w.Put(5, 4);
    ASSERT_EQ(w.bytes().size(), 2u);
    Bytes next = {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0};
    Decoded d = DecodeCodes(2, w.bytes(), 10, next);
    EXPECT_EQ(d.values, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(d.endPosition, static_cast<int64_t>(gif_test::SubBlocks(w.bytes()).size()));
    EXPECT_TRUE(d.warnings.empty());
}

TEST(GIFLZW, CodesSpreadOverOneByteSubBlocks) {
    // Twelve-bit codes from the start (minimum code size 11) in sub-blocks of one byte: every
    // code needs two sub-blocks, and none may be read from stale bytes.
    std::vector<int> values;
    values.reserve(3000);
    for (int i = 0; i < 3000; ++i) values.push_back((i * 37) % 2048);
    Bytes codes = gif_test::LiteralCodes(11, values);
    Decoded d = DecodeCodes(11, codes, static_cast<int>(values.size()), {0x3B}, 1);
    std::vector<int> expected;
    expected.reserve(values.size());
    for (int v : values) expected.push_back(v & 0xFF);  // indices are bytes
    EXPECT_EQ(d.values, expected);
    EXPECT_EQ(d.endPosition, static_cast<int64_t>(gif_test::SubBlocks(codes, 1).size()));

    values.assign(5000, 0);
    for (int i = 0; i < 5000; ++i) values[static_cast<size_t>(i)] = (i / 7) % 4;
    codes = gif_test::LiteralCodes(2, values);
    d = DecodeCodes(2, codes, 5000, {}, 1);
    EXPECT_EQ(d.values, values);
}
