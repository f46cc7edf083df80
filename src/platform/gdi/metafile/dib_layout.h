#pragma once
// Where the parts of a device-independent bitmap lie: the header with its colour table, and
// the pixel bits. Metafiles carry bitmaps in this form, either packed (header, table and bits
// in a row) or as two separate ranges; both are checked here before anything reads them.
#include <cstdint>
#include <optional>
#include <span>

namespace platform::metafile {

struct DibLayout {
    uint32_t infoSize = 0;  // header plus colour table (and bit masks)
    uint64_t bitsSize = 0;  // bytes the pixel rows need
    int32_t width = 0;
    int32_t height = 0;  // negative: top-down rows
    uint16_t bitCount = 0;
    uint32_t compression = 0;
};

// Describes the bitmap header at the start of `info`; nothing when the header is malformed,
// names an unsupported form, or its colour table runs past `info`. `usage` is DIB_RGB_COLORS
// (0) or DIB_PAL_COLORS (1), which sizes the colour table.
std::optional<DibLayout> DescribeDib(std::span<const uint8_t> info, uint32_t usage);

// The same for a packed bitmap: the bits must follow the header and table within `packed`.
std::optional<DibLayout> DescribePackedDib(std::span<const uint8_t> packed, uint32_t usage);

}  // namespace platform::metafile
