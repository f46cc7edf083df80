#pragma once
// PNG pictures through libpng's simplified interface, which keeps libpng's error jumps inside
// libpng: a damaged file comes back as an error message, never as a jump through our frames.
#include <cstdint>
#include <string>
#include <vector>

#include "iconc/rgba_image.h"

namespace iconc {

bool HasPngSignature(const uint8_t* data, size_t size);

// Raises EIconError "NAME: reason" for anything that is not a complete, well-formed PNG or
// that is larger than kMaxSourcePixels.
RgbaImage DecodePng(const uint8_t* data, size_t size, const std::string& name);

// The header's size without decoding the rows; false when there is no readable header.
bool PeekPngSize(const uint8_t* data, size_t size, int& width, int& height);

std::vector<uint8_t> EncodePng(const RgbaImage& image);

}  // namespace iconc
