#include "codecs/jpeg/jpeg_settings.h"

#include <atomic>

namespace codecs {

namespace {
std::atomic<int64_t> maxPixels{kDefaultJpegMaxPixels};
}

JpegSettings& JPEGDefaults() {
    static JpegSettings defaults;
    return defaults;
}

TJPEGPixelFormat PixelFormatForScreenDepth(int bitsPerPixel) {
    return bitsPerPixel <= 8 ? jf8Bit : jf24Bit;
}

int64_t JpegMaxPixels() {
    return maxPixels.load(std::memory_order_relaxed);
}

void SetJpegMaxPixels(int64_t pixels) {
    maxPixels.store(pixels, std::memory_order_relaxed);
}

}  // namespace codecs
