#include "iconc/icon_entry.h"

#include "iconc/png_file.h"

#include <algorithm>

namespace iconc {
namespace {

// Entries larger than this are not icons any reader uses; refusing them bounds the work.
constexpr int kMaxDibSide = 1024;

std::string EntryName(int index) {
    return "entry " + std::to_string(index);
}

[[noreturn]] void Fail(int index, const std::string& problem) {
    throw EIconError(EntryName(index) + ": " + problem);
}

bool SupportedDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

unsigned PixelValue(const uint8_t* row, int x, int bits) {
    if (bits >= 8) return row[size_t(x) * size_t(bits / 8)];
    int bit = x * bits;
    return (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

void ReadColourRows(const uint8_t* rows, const uint8_t* palette, size_t paletteEntries,
                    const DibHeader& h, int height, DecodedEntry& out) {
    size_t rowBytes = DibRowBytes(h.width, h.bits);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = rows + rowBytes * size_t(height - 1 - y);
        for (int x = 0; x < h.width; ++x) {
            uint8_t* p = out.colour.At(x, y);
            if (h.bits >= 24) {
                const uint8_t* s = row + size_t(x) * size_t(h.bits / 8);
                p[0] = s[2], p[1] = s[1], p[2] = s[0];
                p[3] = h.bits == 32 ? s[3] : 255;
                continue;
            }
            unsigned index = PixelValue(row, x, h.bits);
            const uint8_t* c = index < paletteEntries ? palette + size_t{index} * 4 : nullptr;
            p[0] = c ? c[2] : 0, p[1] = c ? c[1] : 0, p[2] = c ? c[0] : 0, p[3] = 255;
        }
    }
}

DecodedEntry DecodeDib(const uint8_t* data, size_t bytes, int index) {
    if (bytes < kDibHeaderBytes) Fail(index, "the image header is cut short");
    DibHeader h = ReadDibHeader(data);
    if (h.headerSize < kDibHeaderBytes || h.headerSize > bytes)
        Fail(index, "bad image header size " + std::to_string(h.headerSize));
    if (h.width <= 0 || h.width > kMaxDibSide || h.height <= 0 || h.height > 2 * kMaxDibSide)
        Fail(index, "bad image size in the header");
    if (h.height % 2 != 0) Fail(index, "the image height is not doubled for the mask");
    if (!SupportedDepth(h.bits) || h.compression != 0)
        Fail(index, "unsupported image format (" + std::to_string(h.bits) + " bits, compression " +
                        std::to_string(h.compression) + ")");
    int height = h.height / 2;
    size_t paletteEntries = DibPaletteEntries(h);
    size_t colourAt = h.headerSize + paletteEntries * 4;
    size_t maskAt = colourAt + DibRowBytes(h.width, h.bits) * size_t(height);
    size_t end = maskAt + DibRowBytes(h.width, 1) * size_t(height);
    if (maskAt > bytes) Fail(index, "the colour rows are cut short");
    if (end > bytes) Fail(index, "the AND mask is missing or cut short");

    DecodedEntry out;
    out.bits = h.bits;
    out.colour = RgbaImage(h.width, height);
    ReadColourRows(data + colourAt, data + h.headerSize, paletteEntries, h, height, out);
    out.mask.assign(size_t(h.width) * size_t(height), false);
    size_t maskRow = DibRowBytes(h.width, 1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < h.width; ++x)
            out.mask[size_t(y) * size_t(h.width) + size_t(x)] =
                PixelValue(data + maskAt + maskRow * size_t(height - 1 - y), x, 1) != 0;
    if (h.bits == 32)
        for (size_t i = 3; i < out.colour.pixels.size() && !out.usesAlpha; i += 4)
            out.usesAlpha = out.colour.pixels[i] != 0;
    if (!out.usesAlpha)
        for (size_t i = 3; i < out.colour.pixels.size(); i += 4) out.colour.pixels[i] = 255;
    return out;
}

}  // namespace

DecodedEntry DecodeEntry(const uint8_t* file, size_t size, const DirectoryRecord& record,
                         int index) {
    if (record.offset > size || record.bytes > size - record.offset)
        Fail(index, "the image data lies outside the file");
    const uint8_t* data = file + record.offset;
    if (!HasPngSignature(data, record.bytes)) return DecodeDib(data, record.bytes, index);
    int width = 0, height = 0;
    if (PeekPngSize(data, record.bytes, width, height) &&
        (width > kMaxDibSide || height > kMaxDibSide))
        Fail(index, "the PNG picture is larger than " + std::to_string(kMaxDibSide) + " x " +
                        std::to_string(kMaxDibSide));
    DecodedEntry out;
    out.png = true;
    out.bits = 32;
    out.usesAlpha = true;
    out.colour = DecodePng(data, record.bytes, EntryName(index));
    return out;
}

RgbaImage VisiblePicture(const DecodedEntry& entry) {
    RgbaImage picture = entry.colour;
    if (entry.usesAlpha) return picture;
    for (size_t i = 0; i < entry.mask.size(); ++i)
        if (entry.mask[i]) std::fill_n(&picture.pixels[i * 4], 4, 0);
    return picture;
}

}  // namespace iconc
