#pragma once
// A picture as 8-bit red, green, blue and alpha per pixel (straight, not premultiplied alpha),
// rows top-down without padding. Every stage of the icon compiler passes pictures this way.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/exceptions.h"

namespace iconc {

// Every failure of the icon compiler the user sees: a bad input, a damaged icon, a write error.
class EIconError : public core::Exception {
  public:
    using Exception::Exception;
    const char* ClassName() const override { return "EIconError"; }
};

// The largest picture the compiler takes in, so a small file cannot claim gigabytes.
constexpr int64_t kMaxSourcePixels = int64_t(1) << 26;

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height * 4 bytes

    RgbaImage() = default;
    RgbaImage(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h) * 4, 0) {}

    uint8_t* At(int x, int y) {
        return pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * 4;
    }
    const uint8_t* At(int x, int y) const {
        return pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * 4;
    }
    bool operator==(const RgbaImage&) const = default;
};

}  // namespace iconc
