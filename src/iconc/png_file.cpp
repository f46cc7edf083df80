#include "iconc/png_file.h"

#include <png.h>

#include <cstring>

namespace iconc {
namespace {

// png_image owns libpng's state between begin and finish; this frees it on every path.
class PngImage {
  public:
    PngImage() {
        std::memset(&image_, 0, sizeof image_);
        image_.version = PNG_IMAGE_VERSION;
    }
    ~PngImage() { png_image_free(&image_); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;
    png_image* operator->() { return &image_; }
    png_image* Get() { return &image_; }

  private:
    png_image image_;
};

uint32_t BigEndian32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

}  // namespace

bool HasPngSignature(const uint8_t* data, size_t size) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return size >= 8 && std::memcmp(data, kSignature, 8) == 0;
}

bool PeekPngSize(const uint8_t* data, size_t size, int& width, int& height) {
    // The signature, then the IHDR chunk's length and name, then width and height.
    if (!HasPngSignature(data, size) || size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0)
        return false;
    uint32_t w = BigEndian32(data + 16), h = BigEndian32(data + 20);
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
    width = int(w);
    height = int(h);
    return true;
}

RgbaImage DecodePng(const uint8_t* data, size_t size, const std::string& name) {
    if (!HasPngSignature(data, size)) throw EIconError(name + ": not a PNG picture");
    PngImage png;
    if (!png_image_begin_read_from_memory(png.Get(), data, size))
        throw EIconError(name + ": damaged PNG picture (" + png->message + ")");
    if (png->width == 0 || png->height == 0 ||
        int64_t(png->width) * int64_t(png->height) > kMaxSourcePixels)
        throw EIconError(name + ": the PNG picture is too large");
    png->format = PNG_FORMAT_RGBA;
    RgbaImage image(int(png->width), int(png->height));
    if (!png_image_finish_read(png.Get(), nullptr, image.pixels.data(), 0, nullptr))
        throw EIconError(name + ": damaged PNG picture (" + png->message + ")");
    return image;
}

std::vector<uint8_t> EncodePng(const RgbaImage& image) {
    PngImage png;
    png->width = png_uint_32(image.width);
    png->height = png_uint_32(image.height);
    png->format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(*png.Get(), size, 0, image.pixels.data(), 0, nullptr))
        throw EIconError(std::string("cannot compress a PNG picture (") + png->message + ")");
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(png.Get(), bytes.data(), &size, 0, image.pixels.data(), 0,
                                   nullptr))
        throw EIconError(std::string("cannot compress a PNG picture (") + png->message + ")");
    bytes.resize(size);
    return bytes;
}

}  // namespace iconc
