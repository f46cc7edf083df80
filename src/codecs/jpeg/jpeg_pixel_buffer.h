#pragma once
// A plain decode target: top-down rows, each padded to 4 bytes like a bitmap's.
#include <cstdint>
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
    const uint8_t* Row(int32_t row) const { return pixels_.data() + stride_ * row; }
    const std::vector<JpegPaletteEntry>& Palette() const { return palette_; }

private:
    int bitsPerPixel_ = 24;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int64_t stride_ = 0;
    std::vector<uint8_t> pixels_;
    std::vector<JpegPaletteEntry> palette_;
};

}  // namespace codecs
