// Bitmaps: device-dependent bitmaps (32-bit BGRX at screen depth, or monochrome) and DIB
// sections of 1, 4, 8, 16, 24 and 32 bits (internal to the platform layer).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/pixel_format.h"

namespace platform {

class BitmapObject final : public GdiObject {
  public:
    static constexpr DWORD kObjectType = OBJ_BITMAP;

    // A device-dependent bitmap: bitsPerPixel 1 (monochrome) or 32 (screen depth, BGRX).
    // nullptr when the size is not positive or too large.
    static std::unique_ptr<BitmapObject> CreateDdb(int width, int height, int bitsPerPixel);
    // A DIB section described by `info` (colour table or BI_BITFIELDS masks after the
    // header); nullptr when the header is invalid or the size too large.
    static std::unique_ptr<BitmapObject> CreateDib(const BITMAPINFO* info, UINT usage);
    // A bitmap of the same kind, format and colour table, with new contents.
    std::unique_ptr<BitmapObject> CloneEmpty(int width, int height) const;
    std::unique_ptr<BitmapObject> Clone() const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return format_.bitsPerPixel; }
    bool IsDib() const { return isDib_; }
    bool IsTopDown() const { return topDown_; }
    int Stride() const { return stride_; }  // bytes per row in memory
    const PixelFormat& Format() const { return format_; }
    PixelFormat& MutableFormat() { return format_; }
    const BITMAPINFOHEADER& DibHeader() const { return dibHeader_; }

    // Row `y` counted from the top of the picture, whatever the memory order.
    std::uint8_t* Row(int y) { return bits_ + std::size_t(MemoryRow(y)) * stride_; }
    const std::uint8_t* Row(int y) const { return bits_ + std::size_t(MemoryRow(y)) * stride_; }
    std::uint8_t* Bits() { return bits_; }
    std::size_t ByteSize() const { return std::size_t(stride_) * height_; }

    int Describe(int size, void* buffer) const override;

  private:
    BitmapObject() : GdiObject(kObjectType) {}
    int MemoryRow(int y) const { return topDown_ ? y : height_ - 1 - y; }
    bool Allocate();

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    bool isDib_ = false;
    bool topDown_ = true;
    PixelFormat format_;
    BITMAPINFOHEADER dibHeader_{};
    // calloc'd: large bitmaps get zeroed pages lazily instead of a zero-filling pass.
    struct FreeBytes {
        void operator()(std::uint8_t* bytes) const { std::free(bytes); }
    };
    std::unique_ptr<std::uint8_t[], FreeBytes> storage_;
    std::uint8_t* bits_ = nullptr;
};

// Bytes per row of a DIB: rows padded to 4 bytes; 0 on overflow.
std::size_t DibStride(std::int64_t width, int bitsPerPixel);

// The stock 1x1 monochrome bitmap a new memory DC holds.
HBITMAP DefaultBitmap();

}  // namespace platform
