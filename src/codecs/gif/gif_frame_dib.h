#pragma once
// Turns a frame's colour indices into the bytes the bitmap reader loads: a BMP file holding an
// 8-bit bottom-up image with 256 colour entries, and, for transparent frames, the rows of a
// 1-bit mask (1 where the pixel is transparent). Plain bytes, so nothing here draws.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "codecs/gif/gif_sub_image.h"

namespace codecs::gif {

struct TGIFFrameDIB {
    // A whole BMP file: file header, information header, 256 colour entries, pixel rows.
    std::vector<uint8_t> file;
    // Mask rows from the top, most significant bit first, each padded to 16 bits; empty when
    // no mask was asked for or the frame is not transparent.
    std::vector<uint8_t> maskBits;
    // True when at least one pixel is transparent (only then does the frame get a mask).
    bool anyTransparent = false;
};

// Called with the row being written, every 32 rows; it may raise EAbort to stop.
using TGIFRowProgress = std::function<void(int row, int height)>;

// The levels of the fixed 216-colour palette: 0, 51, ... 255 per channel; index
// red * 36 + green * 6 + blue.
inline constexpr int kDitherLevels = 6;
inline constexpr int kDitherColors = 216;
inline constexpr int DitherLevel(int value) {
    return (value + 3) / 51;
}

// Builds the frame's image. With `dithered`, the colours of the frame's active colour map are
// reduced to the 216-colour palette by serpentine Floyd-Steinberg error diffusion; otherwise
// the indices are copied and the colour entries are `colors`, the frame palette's (which is
// not always the active map: a frame without a table takes frame 0's). The mask is made when
// `wantMask` is set and the frame is transparent. Raises EOutOfMemory "Failed to allocate
// memory for GIF DIB" when the image does not fit in memory.
TGIFFrameDIB BuildFrameDIB(const TGIFSubImage& frame, std::span<const TGIFColor> colors,
                           bool dithered, bool wantMask, const TGIFRowProgress& progress);

// Bytes per row of the mask: the width rounded up to 16 bits.
inline size_t MaskStride(int width) {
    return static_cast<size_t>((width + 15) / 16) * 2;
}
// Bytes per row of the 8-bit image: the width rounded up to 4 bytes.
inline size_t DIBStride(int width) {
    return static_cast<size_t>((width + 3) & ~3);
}

}  // namespace codecs::gif
