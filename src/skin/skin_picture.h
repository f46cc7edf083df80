#pragma once
// One picture of a skin package: the bitmap read from it, and the BMP file exactly as the
// package holds it.
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/bitmap.h"

namespace skin {

class TbsSkinPicture {
  public:
    TbsSkinPicture();
    ~TbsSkinPicture();
    bool Empty() const { return bytes_.empty(); }
    void Clear();
    // Takes the BMP file that starts at `data`; raises like MeasureBmp for a bad one. Returns
    // the number of bytes used.
    int64_t LoadFromBytes(const uint8_t* data, int64_t size);

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    graphics::TBitmap& Bitmap() { return *bitmap_; }
    const graphics::TBitmap& Bitmap() const { return *bitmap_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t BitCount() const { return bitCount_; }

  private:
    std::vector<uint8_t> bytes_;
    std::unique_ptr<graphics::TBitmap> bitmap_;
    int32_t width_ = 0, height_ = 0, bitCount_ = 0;
};

}  // namespace skin
