#pragma once
// The ICO container: a 6-byte header, one 16-byte directory record per entry, then the entries'
// image data, each either a DIB (header, palette, colour rows, AND mask rows; height doubled)
// or a complete PNG file.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace iconc {

constexpr size_t kIconHeaderBytes = 6;
constexpr size_t kDirectoryRecordBytes = 16;
constexpr size_t kDibHeaderBytes = 40;

struct DirectoryRecord {
    int width = 0;  // 1..256 (the stored 0 means 256)
    int height = 0;
    int colours = 0;
    int planes = 0;
    int bits = 0;
    uint32_t bytes = 0;
    uint32_t offset = 0;
};

// The header's entry count when `data` starts like an icon (reserved 0, type 1), else nothing.
std::optional<int> IconEntryCount(const uint8_t* data, size_t size);

// The records that lie inside the data (all of them when the directory is complete).
std::vector<DirectoryRecord> ReadDirectory(const uint8_t* data, size_t size);

// The image header of a DIB entry, read from its first 40 bytes.
struct DibHeader {
    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;  // colour rows plus mask rows
    int planes = 0;
    int bits = 0;
    uint32_t compression = 0;
    uint32_t paletteUsed = 0;
};

DibHeader ReadDibHeader(const uint8_t* data);

// Bytes of one row of a DIB of this width and depth (rows are padded to four bytes).
size_t DibRowBytes(int width, int bits);
// Palette entries of a DIB header (none above 8 bits).
size_t DibPaletteEntries(const DibHeader& header);

// Appends little-endian values.
void PutU16(std::vector<uint8_t>& out, uint32_t value);
void PutU32(std::vector<uint8_t>& out, uint32_t value);
uint32_t GetU16(const uint8_t* p);
uint32_t GetU32(const uint8_t* p);

}  // namespace iconc
