#pragma once
// Compressing blue, green, red rows into JPEG bytes, for saving a JPEG picture that holds
// only a bitmap.
#include <cstdint>
#include <functional>

#include "core/stream.h"

namespace codecs {

// Returns the address of row y (0 the top one), width × 3 bytes of blue, green, red.
using JpegRowSource = std::function<const uint8_t*(int32_t y)>;

// Writes a baseline JPEG file of the given quality (clamped to 1..100) to `output`.
// Raises EJPEG for library errors and whatever the stream raises.
void CompressBgrRows(int32_t width, int32_t height, int quality, const JpegRowSource& row,
                     core::TStream& output);

}  // namespace codecs
