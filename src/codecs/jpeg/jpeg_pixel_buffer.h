#pragma once
// A plain decode target: top-down rows, each padded to 4 bytes like a bitmap's.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "codecs/jpeg/jpeg_decoder.h"

namespace codecs {

class JpegPixelBuffer : public JpegDecodeTarget {
  public:
    void Reset(int bitsPerPixel) override;
    void SetSize(int32_t width, int32_t height) override;
    uint8_t* RowAddress(int32_t row) override;
    void SetPalette(const std::vector<JpegPaletteEntry>& entries) override { palette_ = entries; }

    int BitsPerPixel() const { return bitsPerPixel_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int64_t Stride() const { return stride_; }
    const uint8_t* Row(int32_t row) const { return pixels_.get() + stride_ * row; }
    const std::vector<JpegPaletteEntry>& Palette() const { return palette_; }

  private:
    int bitsPerPixel_ = 24;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int64_t stride_ = 0;
    struct Free {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    // calloc: large zeroed blocks come straight from fresh pages, without a fill pass.
    std::unique_ptr<uint8_t, Free> pixels_;
    std::vector<JpegPaletteEntry> palette_;
};

}  // namespace codecs
