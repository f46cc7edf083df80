// Pixel formats: value <-> colour conversion and row access per bit depth.
#include "platform/gdi/pixel_format.h"

#include <bit>
#include <cstring>

namespace platform {

const RGBQUAD kBasicColors16[16] = {
    {0x00, 0x00, 0x00, 0}, {0x00, 0x00, 0x80, 0}, {0x00, 0x80, 0x00, 0}, {0x00, 0x80, 0x80, 0},
    {0x80, 0x00, 0x00, 0}, {0x80, 0x00, 0x80, 0}, {0x80, 0x80, 0x00, 0}, {0x80, 0x80, 0x80, 0},
    {0xC0, 0xC0, 0xC0, 0}, {0x00, 0x00, 0xFF, 0}, {0x00, 0xFF, 0x00, 0}, {0x00, 0xFF, 0xFF, 0},
    {0xFF, 0x00, 0x00, 0}, {0xFF, 0x00, 0xFF, 0}, {0xFF, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0xFF, 0},
};

namespace {

// Extracts an 8-bit channel from a masked value, scaling short masks up to full range
// (5 bits 0x1F -> 0xFF) by replicating the top bits.
BYTE ExtractChannel(std::uint32_t value, DWORD mask) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask);
    int bits = std::popcount(mask);
    std::uint32_t v = (value & mask) >> shift;
    if (bits >= 8) return BYTE(v >> (bits - 8));
    std::uint32_t out = v << (8 - bits);
    for (int filled = bits; filled < 8; filled += bits) out |= out >> bits;
    return BYTE(out & 0xFF);
}

std::uint32_t InsertChannel(BYTE channel, DWORD mask) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask);
    int bits = std::popcount(mask);
    std::uint32_t v =
        bits >= 8 ? std::uint32_t(channel) << (bits - 8) : std::uint32_t(channel) >> (8 - bits);
    return (v << shift) & mask;
}

}  // namespace

COLORREF PixelFormat::ToColor(std::uint32_t value) const {
    if (IsIndexed()) {
        if (value >= colors.size())
            return colors.empty() ? 0
                                  : RGB(colors[0].rgbRed, colors[0].rgbGreen, colors[0].rgbBlue);
        const RGBQUAD& q = colors[value];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    if (bitsPerPixel == 24) return RGB(BYTE(value >> 16), BYTE(value >> 8), BYTE(value));
    return RGB(ExtractChannel(value, redMask), ExtractChannel(value, greenMask),
               ExtractChannel(value, blueMask));
}

std::uint32_t PixelFormat::FromColor(COLORREF color) const {
    if (IsIndexed()) return NearestIndex(colors.data(), colors.size(), color);
    if (bitsPerPixel == 24) {
        return (std::uint32_t(GetRValue(color)) << 16) | (std::uint32_t(GetGValue(color)) << 8) |
               GetBValue(color);
    }
    return InsertChannel(GetRValue(color), redMask) | InsertChannel(GetGValue(color), greenMask) |
           InsertChannel(GetBValue(color), blueMask);
}

std::uint32_t PixelFormat::ValueMask() const {
    return bitsPerPixel >= 32 ? 0xFFFFFFFFu : (1u << bitsPerPixel) - 1u;
}

bool PixelFormat::SameLayout(const PixelFormat& other) const {
    if (bitsPerPixel != other.bitsPerPixel || monoDdb != other.monoDdb) return false;
    if (IsIndexed()) {
        if (colors.size() != other.colors.size()) return false;
        return colors.empty() || std::memcmp(colors.data(), other.colors.data(),
                                             colors.size() * sizeof(RGBQUAD)) == 0;
    }
    if (bitsPerPixel == 24) return true;
    return redMask == other.redMask && greenMask == other.greenMask && blueMask == other.blueMask;
}

void PixelFormat::SetMasks(DWORD red, DWORD green, DWORD blue) {
    redMask = red;
    greenMask = green;
    blueMask = blue;
}

PixelFormat PixelFormat::Screen() {
    return PixelFormat{};
}

PixelFormat PixelFormat::Monochrome() {
    PixelFormat f;
    f.bitsPerPixel = 1;
    f.monoDdb = true;
    f.colors = {{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};
    return f;
}

std::uint32_t NearestIndex(const RGBQUAD* table, std::size_t count, COLORREF color) {
    int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    std::uint32_t best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < count; ++i) {
        int dr = r - table[i].rgbRed, dg = g - table[i].rgbGreen, db = b - table[i].rgbBlue;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {  // strict: ties keep the lower index
            bestDistance = d;
            best = std::uint32_t(i);
            if (d == 0) break;
        }
    }
    return best;
}

// ---------------------------------------------------------------------------------------------
// Row readers and writers. Sub-byte formats keep the leftmost pixel in the high bits.

namespace {

void Read1(const std::uint8_t* row, int x, int count, std::uint32_t* out) {
    for (int i = 0; i < count; ++i, ++x) out[i] = (row[x >> 3] >> (7 - (x & 7))) & 1u;
}
void Read4(const std::uint8_t* row, int x, int count, std::uint32_t* out) {
    for (int i = 0; i < count; ++i, ++x) out[i] = (x & 1) ? row[x >> 1] & 0x0Fu : row[x >> 1] >> 4;
}
void Read8(const std::uint8_t* row, int x, int count, std::uint32_t* out) {
    for (int i = 0; i < count; ++i) out[i] = row[x + i];
}
void Read16(const std::uint8_t* row, int x, int count, std::uint32_t* out) {
    const std::uint8_t* p = row + std::size_t(x) * 2;
    for (int i = 0; i < count; ++i, p += 2)
        out[i] = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8);
}
void Read24(const std::uint8_t* row, int x, int count, std::uint32_t* out) {
    const std::uint8_t* p = row + std::size_t(x) * 3;
    for (int i = 0; i < count; ++i, p += 3) {
        out[i] = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
    }
}
void Read32(const std::uint8_t* row, int x, int count, std::uint32_t* out) {
    std::memcpy(out, row + std::size_t(x) * 4, std::size_t(count) * 4);
}

void Write1(std::uint8_t* row, int x, int count, const std::uint32_t* in) {
    for (int i = 0; i < count; ++i, ++x) {
        std::uint8_t bit = std::uint8_t(0x80 >> (x & 7));
        if (in[i] & 1)
            row[x >> 3] |= bit;
        else
            row[x >> 3] &= std::uint8_t(~bit);
    }
}
void Write4(std::uint8_t* row, int x, int count, const std::uint32_t* in) {
    for (int i = 0; i < count; ++i, ++x) {
        std::uint8_t& b = row[x >> 1];
        if (x & 1)
            b = std::uint8_t((b & 0xF0) | (in[i] & 0x0F));
        else
            b = std::uint8_t((b & 0x0F) | ((in[i] & 0x0F) << 4));
    }
}
void Write8(std::uint8_t* row, int x, int count, const std::uint32_t* in) {
    for (int i = 0; i < count; ++i) row[x + i] = std::uint8_t(in[i]);
}
void Write16(std::uint8_t* row, int x, int count, const std::uint32_t* in) {
    std::uint8_t* p = row + std::size_t(x) * 2;
    for (int i = 0; i < count; ++i, p += 2) {
        p[0] = std::uint8_t(in[i]);
        p[1] = std::uint8_t(in[i] >> 8);
    }
}
void Write24(std::uint8_t* row, int x, int count, const std::uint32_t* in) {
    std::uint8_t* p = row + std::size_t(x) * 3;
    for (int i = 0; i < count; ++i, p += 3) {
        p[0] = std::uint8_t(in[i]);
        p[1] = std::uint8_t(in[i] >> 8);
        p[2] = std::uint8_t(in[i] >> 16);
    }
}
void Write32(std::uint8_t* row, int x, int count, const std::uint32_t* in) {
    std::memcpy(row + std::size_t(x) * 4, in, std::size_t(count) * 4);
}

template <int Bpp>
void Gather(const std::uint8_t* row, const int* xs, int count, std::uint32_t* out) {
    for (int i = 0; i < count; ++i) {
        int x = xs[i];
        if constexpr (Bpp == 1)
            out[i] = (row[x >> 3] >> (7 - (x & 7))) & 1u;
        else if constexpr (Bpp == 4)
            out[i] = (x & 1) ? row[x >> 1] & 0x0Fu : row[x >> 1] >> 4;
        else if constexpr (Bpp == 8)
            out[i] = row[x];
        else if constexpr (Bpp == 16)
            out[i] = std::uint32_t(row[std::ptrdiff_t(x) * 2]) |
                     (std::uint32_t(row[std::ptrdiff_t(x) * 2 + 1]) << 8);
        else if constexpr (Bpp == 24) {
            const std::uint8_t* p = row + std::size_t(x) * 3;
            out[i] = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
        } else {
            std::memcpy(&out[i], row + std::size_t(x) * 4, 4);
        }
    }
}

}  // namespace

RowGather RowGatherFor(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return Gather<1>;
        case 4:
            return Gather<4>;
        case 8:
            return Gather<8>;
        case 16:
            return Gather<16>;
        case 24:
            return Gather<24>;
        default:
            return Gather<32>;
    }
}

RowReader RowReaderFor(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return Read1;
        case 4:
            return Read4;
        case 8:
            return Read8;
        case 16:
            return Read16;
        case 24:
            return Read24;
        default:
            return Read32;
    }
}

RowWriter RowWriterFor(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return Write1;
        case 4:
            return Write4;
        case 8:
            return Write8;
        case 16:
            return Write16;
        case 24:
            return Write24;
        default:
            return Write32;
    }
}

std::uint32_t ReadPixelValue(const std::uint8_t* row, int x, int bitsPerPixel) {
    std::uint32_t v;
    RowReaderFor(bitsPerPixel)(row, x, 1, &v);
    return v;
}

void WritePixelValue(std::uint8_t* row, int x, int bitsPerPixel, std::uint32_t value) {
    RowWriterFor(bitsPerPixel)(row, x, 1, &value);
}

}  // namespace platform
