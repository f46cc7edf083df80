#include "iconc/source_picture.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "core/stream.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/picture.h"
#include "iconc/png_file.h"

namespace iconc {
namespace {

bool HasPngExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return tail == ".png";
}

// The picture drawn at its own size over one background colour, as BGRA rows.
std::unique_ptr<graphics::TBitmap> DrawOver(graphics::TGraphic* graphic, int width, int height,
                                            graphics::TColor background) {
    auto owned = std::make_unique<graphics::TBitmap>();
    graphics::TBitmap& bitmap = *owned;
    bitmap.SetPixelFormat(graphics::TPixelFormat::pf32bit);
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    graphics::TRect all = graphics::Rect(0, 0, width, height);
    bitmap.Canvas().Brush().SetColor(background);
    bitmap.Canvas().FillRect(all);
    bitmap.Canvas().DrawGraphic(all, graphic);
    return owned;
}

// Over black a pixel shows alpha * colour, over white that plus (1 - alpha) * white.
void RecoverPixel(const uint8_t* onBlack, const uint8_t* onWhite, uint8_t* rgba) {
    int lift = 0;
    for (int c = 0; c < 3; ++c) lift = std::max(lift, int(onWhite[c]) - int(onBlack[c]));
    int alpha = 255 - lift;
    rgba[3] = uint8_t(alpha);
    for (int c = 0; c < 3; ++c)  // BGR to RGB
        rgba[c] = alpha == 0 ? 0 : uint8_t(std::min(255, onBlack[2 - c] * 255 / alpha));
}

RgbaImage LoadThroughRegistry(const std::string& fileName) {
    // The registry and the drawing caches are shared by the whole process: one load at a time.
    static std::mutex registryLock;
    std::lock_guard lock(registryLock);
    graphics::TPicture picture;
    picture.LoadFile(fileName);
    int width = picture.Width(), height = picture.Height();
    if (width <= 0 || height <= 0) throw EIconError(fileName + ": the picture is empty");
    if (int64_t(width) * height > kMaxSourcePixels)
        throw EIconError(fileName + ": the picture is too large");
    auto black = DrawOver(picture.Graphic(), width, height, graphics::clBlack);
    auto white = DrawOver(picture.Graphic(), width, height, graphics::clWhite);
    RgbaImage image(width, height);
    for (int y = 0; y < height; ++y) {
        auto* b = static_cast<const uint8_t*>(black->ScanLine(y));
        auto* w = static_cast<const uint8_t*>(white->ScanLine(y));
        for (int x = 0; x < width; ++x, b += 4, w += 4) RecoverPixel(b, w, image.At(x, y));
    }
    return image;
}

RgbaImage LoadPng(const std::string& fileName) {
    core::TMemoryStream file;
    file.LoadFromFile(fileName);
    return DecodePng(file.Bytes().data(), file.Bytes().size(), fileName);
}

}  // namespace

void ApplyKeyColour(RgbaImage& image, const KeyColour& key) {
    if (!key.Active() || image.pixels.empty()) return;
    for (size_t i = 3; i < image.pixels.size(); i += 4)
        if (image.pixels[i] != 255) return;  // the picture has alpha of its own
    const uint8_t* corner = image.At(0, image.height - 1);
    uint32_t keyRgb = key.rgb.value_or(uint32_t(corner[0]) << 16 | corner[1] << 8 | corner[2]);
    for (size_t i = 0; i < image.pixels.size(); i += 4) {
        uint8_t* p = &image.pixels[i];
        if ((uint32_t(p[0]) << 16 | p[1] << 8 | p[2]) == keyRgb) std::fill_n(p, 4, 0);
    }
}

RgbaImage LoadSourcePicture(const std::string& fileName, const KeyColour& key) {
    RgbaImage image = HasPngExtension(fileName) ? LoadPng(fileName) : LoadThroughRegistry(fileName);
    ApplyKeyColour(image, key);
    return image;
}

}  // namespace iconc
