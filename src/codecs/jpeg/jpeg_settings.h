#pragma once
// The decoding settings of a JPEG picture and their process-wide defaults. Every picture
// copies the defaults when it is created.
#include <cstdint>

namespace codecs {

enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGPixelFormat { jf24Bit, jf8Bit };
enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };

struct JpegSettings {
    int CompressionQuality = 90;  // only for compressing a bitmap, which this program never does
    bool Grayscale = false;
    TJPEGPerformance Performance = jpBestQuality;
    TJPEGPixelFormat PixelFormat = jf24Bit;
    bool ProgressiveDisplay = false;
    TJPEGScale Scale = jsFullSize;
    bool Smoothing = true;
};

// The process-wide defaults.
JpegSettings& JPEGDefaults();

// The pixel format the defaults take for a screen of the given depth (colour planes × bits per
// pixel): 8-bit up to 8 bits, 24-bit above.
TJPEGPixelFormat PixelFormatForScreenDepth(int bitsPerPixel);

// The largest image (width × height) that is decoded; larger ones fail with the library's
// "image too big" code before any pixel memory is taken. The default keeps a 24-bit bitmap
// within a 32-bit byte size; the fuzzer lowers it.
inline constexpr int64_t kDefaultJpegMaxPixels = int64_t{1} << 28;
int64_t JpegMaxPixels();
void SetJpegMaxPixels(int64_t pixels);

}  // namespace codecs
