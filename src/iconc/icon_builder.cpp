#include "iconc/icon_builder.h"

#include <future>

#include "iconc/icon_directory.h"
#include "iconc/palette_image.h"
#include "iconc/png_file.h"

namespace iconc {
namespace {

struct Entry {
    int size = 0;
    int bits = 32;
    std::vector<uint8_t> data;
};

void PutDibHeader(std::vector<uint8_t>& out, int size, int bits, size_t imageBytes) {
    PutU32(out, kDibHeaderBytes);
    PutU32(out, uint32_t(size));
    PutU32(out, uint32_t(size * 2));  // colour rows and mask rows
    PutU16(out, 1);
    PutU16(out, uint32_t(bits));
    PutU32(out, 0);  // BI_RGB
    PutU32(out, uint32_t(imageBytes));
    for (int i = 0; i < 4; ++i) PutU32(out, 0);
}

// AND mask rows, bottom-up: 1 marks a hidden pixel.
template <typename IsHidden>
void PutMask(std::vector<uint8_t>& out, int size, IsHidden isHidden) {
    size_t rowBytes = DibRowBytes(size, 1);
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < size; ++x)
            if (isHidden(x, y)) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

std::vector<uint8_t> TrueColourDib(const RgbaImage& image) {
    int size = image.width;
    std::vector<uint8_t> out;
    size_t maskBytes = DibRowBytes(size, 1) * size_t(size);
    PutDibHeader(out, size, 32, size_t(size) * size_t(size) * 4 + maskBytes);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const uint8_t* p = image.At(x, y);
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    PutMask(out, size, [&](int x, int y) { return image.At(x, y)[3] == 0; });
    return out;
}

std::vector<uint8_t> PaletteDib(const RgbaImage& image, int bits) {
    PaletteImage reduced = ReduceColours(image, bits);
    int size = image.width;
    size_t rowBytes = DibRowBytes(size, bits);
    std::vector<uint8_t> out;
    PutDibHeader(out, size, bits, (rowBytes + DibRowBytes(size, 1)) * size_t(size));
    for (const auto& c : reduced.colours) out.insert(out.end(), {c[2], c[1], c[0], 0});
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < size; ++x) {
            unsigned index = reduced.indices[size_t(y) * size_t(size) + size_t(x)];
            int bit = x * bits;
            row[size_t(bit) / 8] |= uint8_t(index << (8 - bits - bit % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    PutMask(out, size, [&](int x, int y) {
        return bool(reduced.hidden[size_t(y) * size_t(size) + size_t(x)]);
    });
    return out;
}

std::vector<Entry> EntriesForSize(const RgbaImage& source, int size, const BuildOptions& options) {
    RgbaImage image = ResampleToSquare(source, size, options.filter);
    std::vector<Entry> entries;
    bool png = options.pngFrom > 0 && size >= options.pngFrom;
    entries.push_back({size, 32, png ? EncodePng(image) : TrueColourDib(image)});
    if (options.depth != 32)
        entries.push_back({size, options.depth, PaletteDib(image, options.depth)});
    return entries;
}

std::vector<uint8_t> Assemble(const std::vector<Entry>& entries) {
    std::vector<uint8_t> out;
    PutU16(out, 0);
    PutU16(out, 1);
    PutU16(out, uint32_t(entries.size()));
    size_t offset = kIconHeaderBytes + kDirectoryRecordBytes * entries.size();
    for (const Entry& e : entries) {
        out.push_back(uint8_t(e.size & 0xFF));  // 256 is stored as 0
        out.push_back(uint8_t(e.size & 0xFF));
        out.push_back(e.bits < 8 ? uint8_t(1 << e.bits) : 0);
        out.push_back(0);
        PutU16(out, 1);
        PutU16(out, uint32_t(e.bits));
        PutU32(out, uint32_t(e.data.size()));
        PutU32(out, uint32_t(offset));
        offset += e.data.size();
    }
    for (const Entry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
    return out;
}

}  // namespace

std::vector<uint8_t> BuildIcon(const RgbaImage& source, const BuildOptions& options) {
    std::vector<std::future<std::vector<Entry>>> work;
    for (int size : options.sizes)
        work.push_back(std::async(std::launch::async, EntriesForSize, std::cref(source), size,
                                  std::cref(options)));
    std::vector<Entry> trueColour, palette;
    for (auto& w : work) {
        std::vector<Entry> made = w.get();
        trueColour.push_back(std::move(made[0]));
        if (made.size() > 1) palette.push_back(std::move(made[1]));
    }
    // Old readers take the first entry that suits them; palette entries come first for them.
    palette.insert(palette.end(), trueColour.begin(), trueColour.end());
    return Assemble(palette);
}

}  // namespace iconc
