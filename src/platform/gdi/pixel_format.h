// Pixel formats of bitmaps: how a stored pixel value maps to a colour and back, and the row
// readers and writers chosen once per operation (internal to the platform layer).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/wintypes.h"

namespace platform {

struct PixelFormat {
    int bitsPerPixel = 32;
    // A 1-bit device-dependent bitmap: as a blit source onto colour it takes the destination's
    // text colour for 0 and background colour for 1.
    bool monoDdb = false;
    std::vector<RGBQUAD> colors;  // indexed formats (1, 4, 8 bits)
    DWORD redMask = 0x00FF0000;   // 16 and 32 bits
    DWORD greenMask = 0x0000FF00;
    DWORD blueMask = 0x000000FF;

    bool IsIndexed() const { return bitsPerPixel <= 8; }
    // Stored value -> colour (COLORREF, red in the low byte).
    COLORREF ToColor(std::uint32_t value) const;
    // Colour -> stored value: exact for direct formats (within the mask precision), the
    // nearest table entry by squared RGB distance, ties to the lower index, for indexed ones.
    std::uint32_t FromColor(COLORREF color) const;
    std::uint32_t ValueMask() const;
    bool SameLayout(const PixelFormat& other) const;
    // Rebuilds the shift tables after masks change.
    void SetMasks(DWORD red, DWORD green, DWORD blue);
    static PixelFormat Screen();
    static PixelFormat Monochrome();
};

// Nearest entry of a colour table by squared RGB distance; ties go to the lower index.
std::uint32_t NearestIndex(const RGBQUAD* table, std::size_t count, COLORREF color);

// Row access by bit depth, without format switches inside the loops.
using RowReader = void (*)(const std::uint8_t* row, int x, int count, std::uint32_t* out);
using RowWriter = void (*)(std::uint8_t* row, int x, int count, const std::uint32_t* in);
RowReader RowReaderFor(int bitsPerPixel);
// Reads the pixels at columns xs[0..count) of a row (stretching picks scattered columns).
using RowGather = void (*)(const std::uint8_t* row, const int* xs, int count, std::uint32_t* out);
RowGather RowGatherFor(int bitsPerPixel);
RowWriter RowWriterFor(int bitsPerPixel);

std::uint32_t ReadPixelValue(const std::uint8_t* row, int x, int bitsPerPixel);
void WritePixelValue(std::uint8_t* row, int x, int bitsPerPixel, std::uint32_t value);

// The 16 basic colours in the order GetDIBits writes them for 4-bit results.
extern const RGBQUAD kBasicColors16[16];

}  // namespace platform
