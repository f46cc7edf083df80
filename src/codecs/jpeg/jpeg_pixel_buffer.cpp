#include "codecs/jpeg/jpeg_pixel_buffer.h"

#include "core/exceptions.h"

namespace codecs {

void JpegPixelBuffer::Reset(int bitsPerPixel) {
    bitsPerPixel_ = bitsPerPixel;
    width_ = height_ = 0;
    stride_ = 0;
    pixels_.reset();
    palette_.clear();
}

void JpegPixelBuffer::SetSize(int32_t width, int32_t height) {
    if (width < 0 || height < 0) throw core::EInvalidOperation("Invalid pixel buffer size");
    width_ = width;
    height_ = height;
    stride_ = (int64_t{width} * bitsPerPixel_ + 31) / 32 * 4;
    pixels_.reset();
    size_t size = static_cast<size_t>(stride_ * height);
    if (size == 0) return;
    pixels_.reset(static_cast<uint8_t*>(std::calloc(size, 1)));
    if (!pixels_) throw core::EOutOfMemory("Out of memory");
}

uint8_t* JpegPixelBuffer::RowAddress(int32_t row) {
    if (row < 0 || row >= height_) throw core::EInvalidOperation("Row index out of range");
    return pixels_.get() + stride_ * row;
}

}  // namespace codecs
