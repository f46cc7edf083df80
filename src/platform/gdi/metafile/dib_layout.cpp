#include "platform/gdi/metafile/dib_layout.h"

#include "platform/gdi/metafile/byte_reader.h"

namespace platform::metafile {

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
// Bitmaps beyond this many pixels on a side are refused: no real picture needs them and
// they would only make playback allocate without end.
constexpr int64_t kMaxSide = 1 << 15;

bool ValidBitCount(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

std::optional<DibLayout> DescribeDib(std::span<const uint8_t> info, uint32_t usage) {
    ByteReader r(info);
    auto headerSize = r.U32(0);
    if (!headerSize) return std::nullopt;
    DibLayout dib;
    uint32_t tableEntries = 0;
    uint32_t entrySize = usage == 1 ? 2 : 4;
    if (*headerSize == kCoreHeaderSize) {
        if (!r.Has(0, kCoreHeaderSize)) return std::nullopt;
        dib.width = r.U16Or0(4);
        dib.height = r.U16Or0(6);
        dib.bitCount = r.U16Or0(10);
        if (dib.bitCount <= 8) tableEntries = 1u << dib.bitCount;
        if (usage != 1) entrySize = 3;
    } else if (*headerSize >= kInfoHeaderSize && *headerSize <= 124) {
        if (!r.Has(0, *headerSize)) return std::nullopt;
        dib.width = r.I32Or0(4);
        dib.height = r.I32Or0(8);
        dib.bitCount = r.U16Or0(14);
        dib.compression = r.U32Or0(16);
        uint32_t used = r.U32Or0(32);
        if (dib.bitCount <= 8) {
            uint32_t full = 1u << dib.bitCount;
            tableEntries = (used == 0 || used > full) ? full : used;
        } else {
            tableEntries = used > 256 ? 256 : used;
        }
    } else {
        return std::nullopt;
    }
    if (!ValidBitCount(dib.bitCount)) return std::nullopt;
    int64_t height = dib.height < 0 ? -static_cast<int64_t>(dib.height) : dib.height;
    if (dib.width <= 0 || height == 0 || dib.width > kMaxSide || height > kMaxSide)
        return std::nullopt;

    uint64_t infoSize = *headerSize + static_cast<uint64_t>(tableEntries) * entrySize;
    // A 40-byte header with bit fields keeps its three masks after the header.
    if (dib.compression == kBiBitfields && *headerSize == kInfoHeaderSize) infoSize += 12;
    if (infoSize > info.size()) return std::nullopt;
    dib.infoSize = static_cast<uint32_t>(infoSize);

    uint64_t stride = ((static_cast<uint64_t>(dib.width) * dib.bitCount + 31) / 32) * 4;
    switch (dib.compression) {
        case kBiRgb:
            dib.bitsSize = stride * static_cast<uint64_t>(height);
            break;
        case kBiBitfields:
            if (dib.bitCount != 16 && dib.bitCount != 32) return std::nullopt;
            dib.bitsSize = stride * static_cast<uint64_t>(height);
            break;
        case kBiRle8:
        case kBiRle4:
            if (dib.bitCount != (dib.compression == kBiRle8 ? 8 : 4) || dib.height < 0)
                return std::nullopt;
            // Run-length data is as long as the header says it is.
            dib.bitsSize = r.U32Or0(20);
            break;
        default:
            return std::nullopt;
    }
    return dib;
}

std::optional<DibLayout> DescribePackedDib(std::span<const uint8_t> packed, uint32_t usage) {
    auto dib = DescribeDib(packed, usage);
    if (!dib) return std::nullopt;
    if (dib->bitsSize > packed.size() - dib->infoSize) return std::nullopt;
    return dib;
}

}  // namespace platform::metafile
