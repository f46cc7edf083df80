#pragma once
// Builds BMP and ICO files byte by byte for the readers' tests, independent of the writers.
#include <cstdint>
#include <cstring>
#include <vector>

namespace testing_support {

class ByteWriter {
  public:
    ByteWriter& U8(uint8_t v) {
        bytes_.push_back(v);
        return *this;
    }
    ByteWriter& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
    ByteWriter& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    ByteWriter& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    ByteWriter& Bytes(const std::vector<uint8_t>& v) {
        bytes_.insert(bytes_.end(), v.begin(), v.end());
        return *this;
    }
    ByteWriter& Zeros(size_t n) {
        bytes_.insert(bytes_.end(), n, 0);
        return *this;
    }
    std::vector<uint8_t>& Get() { return bytes_; }
    size_t Size() const { return bytes_.size(); }

  private:
    std::vector<uint8_t> bytes_;
};

struct BmpSpec {
    int32_t width = 2;
    int32_t height = 2;  // negative: top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    uint32_t imageSize = 0;
    uint16_t planes = 1;
    std::vector<uint32_t> palette;  // 0x00RRGGBB entries
    std::vector<uint32_t> masks;    // bit fields after a 40-byte header
    std::vector<uint8_t> pixels;    // rows as stored
};

inline std::vector<uint8_t> MakeBmp(const BmpSpec& s) {
    ByteWriter w;
    w.U16(0x4D42).U32(0).U32(0).U32(0);
    w.U32(40)
        .I32(s.width)
        .I32(s.height)
        .U16(s.planes)
        .U16(s.bits)
        .U32(s.compression)
        .U32(s.imageSize)
        .I32(2835)
        .I32(2835)
        .U32(s.colorsUsed)
        .U32(0);
    for (uint32_t m : s.masks) w.U32(m);
    for (uint32_t c : s.palette) w.U8(c & 0xFF).U8((c >> 8) & 0xFF).U8((c >> 16) & 0xFF).U8(0);
    w.Bytes(s.pixels);
    return w.Get();
}

// An OS/2 file: 12-byte core header and 3-byte palette entries.
inline std::vector<uint8_t> MakeOs2Bmp(uint16_t width, uint16_t height, uint16_t bits,
                                       const std::vector<uint32_t>& palette,
                                       const std::vector<uint8_t>& pixels) {
    ByteWriter w;
    w.U16(0x4D42).U32(0).U32(0).U32(0);
    w.U32(12).U16(width).U16(height).U16(1).U16(bits);
    for (uint32_t c : palette) w.U8(c & 0xFF).U8((c >> 8) & 0xFF).U8((c >> 16) & 0xFF);
    w.Bytes(pixels);
    return w.Get();
}

struct IcoImage {
    uint8_t width;
    uint8_t height;
    uint16_t colors;  // directory colour value
    uint16_t bits;    // DIB depth
    uint32_t fill;    // palette index (<= 8 bits) or 0x00RRGGBB for every pixel
    bool transparentLeftHalf = false;
};

// An ICO file with one DIB image per entry, each filled with one value.
inline std::vector<uint8_t> MakeIco(const std::vector<IcoImage>& images, uint16_t type = 1) {
    std::vector<std::vector<uint8_t>> bodies;
    for (const auto& image : images) {
        ByteWriter b;
        int w = image.width ? image.width : 256;
        int h = image.height ? image.height : 256;
        uint32_t colors = image.bits <= 8 ? (1u << image.bits) : 0;
        b.U32(40)
            .I32(w)
            .I32(h * 2)
            .U16(1)
            .U16(image.bits)
            .U32(0)
            .U32(0)
            .I32(0)
            .I32(0)
            .U32(0)
            .U32(0);
        for (uint32_t i = 0; i < colors; ++i) {
            // Entry i is a distinct colour: i in blue, 255 - i in red.
            b.U8(static_cast<uint8_t>(i)).U8(0x40).U8(static_cast<uint8_t>(255 - i)).U8(0);
        }
        const size_t line = (static_cast<size_t>(w) * image.bits + 31) / 32 * 4;
        for (int y = 0; y < h; ++y) {
            std::vector<uint8_t> row(line, 0);
            for (int x = 0; x < w; ++x) {
                if (image.bits == 24) {
                    const size_t at = static_cast<size_t>(x) * 3;
                    row[at] = image.fill & 0xFF;
                    row[at + 1] = (image.fill >> 8) & 0xFF;
                    row[at + 2] = (image.fill >> 16) & 0xFF;
                } else if (image.bits == 8) {
                    row[x] = static_cast<uint8_t>(image.fill);
                } else if (image.bits == 4) {
                    row[x / 2] |= static_cast<uint8_t>((image.fill & 15) << ((x % 2) ? 0 : 4));
                }
            }
            b.Bytes(row);
        }
        const size_t maskLine = static_cast<size_t>((w + 31) / 32) * 4;
        for (int y = 0; y < h; ++y) {
            std::vector<uint8_t> row(maskLine, 0);
            if (image.transparentLeftHalf)
                for (int x = 0; x < w / 2; ++x) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            b.Bytes(row);
        }
        bodies.push_back(b.Get());
    }
    ByteWriter w;
    w.U16(0).U16(type).U16(static_cast<uint16_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        w.U8(images[i].width)
            .U8(images[i].height)
            .U16(images[i].colors)
            .U16(1)
            .U16(images[i].bits)
            .U32(static_cast<uint32_t>(bodies[i].size()))
            .U32(offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (auto& body : bodies) w.Bytes(body);
    return w.Get();
}

}  // namespace testing_support
