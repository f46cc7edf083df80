#include <gtest/gtest.h>
#include <zlib.h>

#include <numeric>

#include "core/exceptions.h"
#include "skin/zlib_stream.h"

using namespace skin;
using core::TMemoryStream;
using core::TSeekOrigin;

namespace {

std::vector<uint8_t> Sample(size_t size) {
    std::vector<uint8_t> bytes(size);
    uint32_t x = 12345;
    for (size_t i = 0; i < size; ++i) {
        x = x * 1103515245 + 12345;
        bytes[i] =
            static_cast<uint8_t>(i % 7 == 0 ? x >> 16 : i / 100);  // compressible, not trivial
    }
    return bytes;
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data, TCompressionLevel level) {
    TMemoryStream out;
    TCompressionStream zs(level, out);
    zs.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    zs.Finish();
    return out.Bytes();
}

std::vector<uint8_t> ReadAll(TDecompressionStream& zs) {
    std::vector<uint8_t> out;
    uint8_t block[1000];
    for (int64_t n; (n = zs.Read(block, sizeof block)) > 0;)
        out.insert(out.end(), block, block + n);
    return out;
}

template <typename E>
std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

}  // namespace

TEST(ZlibStreams, RoundTripAtEveryLevelWithTheMatchingHeader) {
    const std::vector<uint8_t> data = Sample(50000);
    const std::pair<TCompressionLevel, uint8_t> levels[] = {{TCompressionLevel::clNone, 0x01},
                                                            {TCompressionLevel::clFastest, 0x01},
                                                            {TCompressionLevel::clDefault, 0x9C},
                                                            {TCompressionLevel::clMax, 0xDA}};
    for (const auto& [level, flagByte] : levels) {
        std::vector<uint8_t> packed = Deflate(data, level);
        ASSERT_GE(packed.size(), 2u);
        EXPECT_EQ(packed[0], 0x78);
        EXPECT_EQ(packed[1], flagByte) << static_cast<int>(level);
        // zlib itself agrees with what we wrote.
        std::vector<uint8_t> check(data.size());
        uLongf checkSize = static_cast<uLongf>(check.size());
        ASSERT_EQ(
            uncompress(check.data(), &checkSize, packed.data(), static_cast<uLong>(packed.size())),
            Z_OK);
        EXPECT_EQ(check, data);
        TMemoryStream source(packed);
        TDecompressionStream zs(source);
        EXPECT_EQ(ReadAll(zs), data);
    }
}

TEST(ZlibStreams, CompressionSeeksOnlyInPlaceAndCannotRead) {
    TMemoryStream out;
    TCompressionStream zs(TCompressionLevel::clDefault, out);
    std::vector<uint8_t> data = Sample(10000);
    zs.WriteBuffer(data.data(), 6000);
    EXPECT_EQ(zs.Position(), 6000);
    EXPECT_GT(zs.CompressionRate(), 0.0);
    EXPECT_EQ(MessageOf<core::ECompressionError>([&] { zs.Seek(1, TSeekOrigin::soCurrent); }),
              "Invalid stream operation");
    EXPECT_THROW(zs.Seek(0, TSeekOrigin::soBeginning), core::ECompressionError);
    uint8_t b;
    EXPECT_THROW(zs.Read(&b, 1), core::ECompressionError);
}

TEST(ZlibStreams, DecompressionSeeksForwardOrRestartsOnly) {
    const std::vector<uint8_t> data = Sample(20000);
    TMemoryStream source(Deflate(data, TCompressionLevel::clMax));
    TDecompressionStream zs(source);
    uint8_t b = 0;
    EXPECT_EQ(zs.Seek(10000, TSeekOrigin::soBeginning), 10000);
    zs.ReadBuffer(&b, 1);
    EXPECT_EQ(b, data[10000]);
    EXPECT_EQ(zs.Seek(4999, TSeekOrigin::soCurrent), 15000);
    zs.ReadBuffer(&b, 1);
    EXPECT_EQ(b, data[15000]);
    EXPECT_EQ(zs.Seek(0, TSeekOrigin::soCurrent), 15001);
    EXPECT_EQ(MessageOf<core::EDecompressionError>([&] { zs.Seek(100, TSeekOrigin::soBeginning); }),
              "Invalid stream operation");
    EXPECT_THROW(zs.Seek(-1, TSeekOrigin::soCurrent), core::EDecompressionError);
    EXPECT_THROW(zs.Seek(0, TSeekOrigin::soEnd), core::EDecompressionError);
    EXPECT_THROW(zs.Write(&b, 1), core::EDecompressionError);
    // Restart from the beginning and read everything again.
    EXPECT_EQ(zs.Seek(0, TSeekOrigin::soBeginning), 0);
    EXPECT_EQ(ReadAll(zs), data);
    // A skip past the end stops at the end.
    EXPECT_EQ(zs.Seek(0, TSeekOrigin::soBeginning), 0);
    EXPECT_EQ(zs.Seek(100000, TSeekOrigin::soCurrent), 20000);
}

TEST(ZlibStreams, CorruptDataRaisesCompressionError) {
    std::vector<uint8_t> packed = Deflate(Sample(5000), TCompressionLevel::clMax);
    packed[0] = 0x77;  // bad header
    TMemoryStream source(packed);
    TDecompressionStream zs(source);
    uint8_t block[100];
    EXPECT_EQ(MessageOf<core::EDecompressionError>([&] { zs.Read(block, sizeof block); }),
              "compression error");
    EXPECT_TRUE((std::is_base_of_v<core::EZlibError, core::EDecompressionError>));

    // A header asking for a preset dictionary would never make progress.
    const uint8_t dictionary[] = {0x78, 0xBB, 0, 0, 0, 1, 0x4B, 0x04, 0x00};
    TMemoryStream dictSource(std::vector<uint8_t>(std::begin(dictionary), std::end(dictionary)));
    TDecompressionStream dict(dictSource);
    EXPECT_THROW(dict.Read(block, sizeof block), core::EDecompressionError);
}

TEST(ZlibStreams, StopsAtTheStreamEndAndAtATruncatedSource) {
    const std::vector<uint8_t> data = Sample(3000);
    std::vector<uint8_t> packed = Deflate(data, TCompressionLevel::clDefault);
    std::vector<uint8_t> withTail = packed;
    withTail.insert(withTail.end(), 5000, 0xAB);  // bytes behind the stream end are not data
    TMemoryStream tailSource(withTail);
    TDecompressionStream tail(tailSource);
    EXPECT_EQ(ReadAll(tail), data);

    std::vector<uint8_t> cut(packed.begin(), packed.begin() + static_cast<long>(packed.size() / 2));
    TMemoryStream cutSource(cut);
    TDecompressionStream truncated(cutSource);
    std::vector<uint8_t> partial = ReadAll(truncated);
    EXPECT_LT(partial.size(), data.size());
    EXPECT_TRUE(std::equal(partial.begin(), partial.end(), data.begin()));
}

TEST(ZlibStreams, RestoreTheUnderlyingPositionAndReportProgress) {
    const std::vector<uint8_t> data = Sample(40000);
    TMemoryStream source;
    source.WriteBuffer("PREFIX", 6);  // the zlib data starts where the stream stood
    std::vector<uint8_t> packed = Deflate(data, TCompressionLevel::clFastest);
    source.WriteBuffer(packed.data(), static_cast<int64_t>(packed.size()));
    source.SetPosition(6);
    TDecompressionStream zs(source);
    int progress = 0;
    zs.SetOnProgress([&](TCustomZlibStream&) { ++progress; });
    std::vector<uint8_t> first(100);
    zs.ReadBuffer(first.data(), 100);
    source.SetPosition(0);  // someone else moves the source in between
    std::vector<uint8_t> rest = ReadAll(zs);
    first.insert(first.end(), rest.begin(), rest.end());
    EXPECT_EQ(first, data);
    EXPECT_EQ(progress, static_cast<int>((packed.size() + 4095) / 4096));

    TMemoryStream out;
    {
        TCompressionStream writer(TCompressionLevel::clNone, out);
        int flushed = 0;
        writer.SetOnProgress([&](TCustomZlibStream&) { ++flushed; });
        writer.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
        writer.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
        // Every full 4096-byte buffer is written out at once, with one progress call each.
        EXPECT_GT(flushed, 0);
        EXPECT_EQ(out.Size(), flushed * 4096);
        out.SetPosition(0);
    }  // the destructor finishes the stream where the writer left it
    TMemoryStream again(out.Bytes());
    TDecompressionStream check(again);
    std::vector<uint8_t> twice = data;
    twice.insert(twice.end(), data.begin(), data.end());
    EXPECT_EQ(ReadAll(check), twice);
}
