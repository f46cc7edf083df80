#pragma once
// The multi-size icon: every size made from the source picture itself, as 32-bit BGRA entries
// (PNG-compressed from a chosen size on) and, on request, palette entries for old readers.
#include <cstdint>
#include <vector>

#include "iconc/resample.h"
#include "iconc/rgba_image.h"

namespace iconc {

struct BuildOptions {
    std::vector<int> sizes{16, 24, 32, 48, 64, 128, 256};
    int pngFrom = 256;  // sizes at least this large are stored as PNG; 0 means never
    int depth = 32;     // 8, 4 or 1 add palette entries of that depth beside the 32-bit ones
    Filter filter = Filter::Lanczos;
};

// The whole file in memory. The sizes are made in parallel.
std::vector<uint8_t> BuildIcon(const RgbaImage& source, const BuildOptions& options);

}  // namespace iconc
