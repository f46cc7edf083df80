#include "iconc/icon_directory.h"

namespace iconc {

uint32_t GetU16(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}
uint32_t GetU32(const uint8_t* p) {
    return GetU16(p) | GetU16(p + 2) << 16;
}

void PutU16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

std::optional<int> IconEntryCount(const uint8_t* data, size_t size) {
    if (size < kIconHeaderBytes || GetU16(data) != 0 || GetU16(data + 2) != 1) return std::nullopt;
    return int(GetU16(data + 4));
}

std::vector<DirectoryRecord> ReadDirectory(const uint8_t* data, size_t size) {
    std::vector<DirectoryRecord> records;
    std::optional<int> count = IconEntryCount(data, size);
    for (int i = 0; count && i < *count; ++i) {
        size_t at = kIconHeaderBytes + size_t(i) * kDirectoryRecordBytes;
        if (at + kDirectoryRecordBytes > size) break;
        const uint8_t* p = data + at;
        DirectoryRecord r;
        r.width = p[0] == 0 ? 256 : p[0];
        r.height = p[1] == 0 ? 256 : p[1];
        r.colours = p[2];
        r.planes = int(GetU16(p + 4));
        r.bits = int(GetU16(p + 6));
        r.bytes = GetU32(p + 8);
        r.offset = GetU32(p + 12);
        records.push_back(r);
    }
    return records;
}

DibHeader ReadDibHeader(const uint8_t* data) {
    DibHeader h;
    h.headerSize = GetU32(data);
    h.width = int32_t(GetU32(data + 4));
    h.height = int32_t(GetU32(data + 8));
    h.planes = int(GetU16(data + 12));
    h.bits = int(GetU16(data + 14));
    h.compression = GetU32(data + 16);
    h.paletteUsed = GetU32(data + 32);
    return h;
}

size_t DibRowBytes(int width, int bits) {
    return (size_t(width) * size_t(bits) + 31) / 32 * 4;
}

size_t DibPaletteEntries(const DibHeader& header) {
    if (header.bits > 8) return 0;
    size_t full = size_t(1) << header.bits;
    return header.paletteUsed == 0 || header.paletteUsed > full ? full : header.paletteUsed;
}

}  // namespace iconc
