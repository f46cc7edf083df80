#pragma once
// JPEG files made at test time with the library's own compressor from generated pixels.
#include <cstdint>
#include <functional>
#include <vector>

namespace codecs::testing {

struct Rgb {
    uint8_t red, green, blue;
};

struct SampleOptions {
    int width = 64;
    int height = 48;
    bool grayscale = false;
    bool cmyk = false;  // four components, from the colour's complement and no black
    bool progressive = false;
    int quality = 95;
};

// The colour of each pixel (for grayscale files only the red value is used).
using PixelFunction = std::function<Rgb(int x, int y)>;

std::vector<uint8_t> MakeJpeg(const SampleOptions& options, const PixelFunction& pixel);

// Four horizontal bands: red, green, blue, white, top to bottom.
Rgb Bands(int x, int y, int height);
// A smooth ramp that exercises every row and column.
Rgb Gradient(int x, int y);

}  // namespace codecs::testing
