#include "png_writer.h"

#include <zlib.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace icon_art {

namespace {

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

// A chunk: length, type, data, and the CRC of type and data.
void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
    PutBigEndian(out, uint32_t(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, uInt(out.size() - typeAt));
    PutBigEndian(out, uint32_t(crc));
}

std::vector<uint8_t> CompressedRows(int width, int height, const std::vector<uint8_t>& rgba) {
    std::vector<uint8_t> raw;
    const size_t rowBytes = size_t(width) * 4;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        raw.insert(raw.end(), rgba.begin() + long(y * rowBytes),
                   rgba.begin() + long((y + 1) * rowBytes));
    }
    uLongf size = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(size);
    if (compress2(packed.data(), &size, raw.data(), uLong(raw.size()), 9) != Z_OK)
        throw std::runtime_error("cannot compress the picture");
    packed.resize(size);
    return packed;
}

}  // namespace

void WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
    if (width <= 0 || height <= 0 || rgba.size() != size_t(width) * size_t(height) * 4)
        throw std::runtime_error("bad picture size");
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, uint32_t(width));
    PutBigEndian(header, uint32_t(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", CompressedRows(width, height, rgba));
    PutChunk(file, "IEND", {});

    const std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb"), std::fclose);
    if (out == nullptr || std::fwrite(file.data(), 1, file.size(), out.get()) != file.size())
        throw std::runtime_error("cannot write " + path);
}

}  // namespace icon_art
