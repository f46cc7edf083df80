// The alpha-blending bitmap record: a stretched bitmap mixed with what lies beneath it by
// its own per-pixel alpha and a constant alpha.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdi/metafile/byte_reader.h"
#include "platform/gdi/metafile/dib_layout.h"
#include "platform/gdi/metafile/player.h"

namespace platform::metafile {

namespace {

constexpr uint8_t kAcSrcAlpha = 0x01;
constexpr uint32_t kBiRgb = 0;

struct Blend {
    uint8_t constant = 255;
    bool perPixel = false;
};

// One source pixel of a 32-bit bitmap, rows counted from the top.
const uint8_t* SourcePixel(std::span<const uint8_t> bits, const DibLayout& dib, int32_t x,
                           int32_t y) {
    int32_t height = std::abs(dib.height);
    int32_t row = dib.height > 0 ? height - 1 - y : y;
    size_t stride = static_cast<size_t>(dib.width) * 4;
    return bits.data() + static_cast<size_t>(row) * stride + static_cast<size_t>(x) * 4;
}

}  // namespace

// Laid out as the stretching blit, with the blend function where the raster operation stands.
void EmfPlayer::AlphaBlend(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(0, 108)) return;
    int32_t x = r.I32Or0(24), y = r.I32Or0(28), cx = r.I32Or0(32), cy = r.I32Or0(36);
    Blend blend{r.U8(42).value_or(255), (r.U8(43).value_or(0) & kAcSrcAlpha) != 0};
    int32_t xSrc = r.I32Or0(44), ySrc = r.I32Or0(48);
    int32_t cxSrc = r.I32Or0(100), cySrc = r.I32Or0(104);
    auto info = r.Slice(r.U32Or0(84), r.U32Or0(88));
    auto bits = r.Slice(r.U32Or0(92), r.U32Or0(96));
    if (!info || !bits || blend.constant == 0) return;
    auto dib = DescribeDib(*info, r.U32Or0(80));
    if (!dib || bits->size() < dib->bitsSize) return;
    Vec2 a = ToDevice(x, y), b = ToDevice(double(x) + cx, double(y) + cy);

    bool blendable = dib->bitCount == 32 && dib->compression == kBiRgb;
    if (!blendable || (!blend.perPixel && blend.constant == 255)) {
        // Nothing to mix (or a form only copying can draw): an ordinary copy.
        DrawDib(rec, r.U32Or0(84), r.U32Or0(88), r.U32Or0(92), r.U32Or0(96), r.U32Or0(80), a, b,
                xSrc, ySrc, cxSrc, cySrc, true, 0x00CC0020);
        return;
    }
    if (cxSrc <= 0 || cySrc <= 0 || xSrc < 0 || ySrc < 0 || int64_t(xSrc) + cxSrc > dib->width ||
        int64_t(ySrc) + cySrc > std::abs(int64_t(dib->height)))
        return;

    // Only the part of the destination that can be seen is read, mixed and written back.
    POINT pa = DevicePoint(a), pb = DevicePoint(b);
    RECT dest{std::min(pa.x, pb.x), std::min(pa.y, pb.y), std::max(pa.x, pb.x),
              std::max(pa.y, pb.y)};
    RECT visible{}, area{};
    GetClipBox(dc_, &visible);
    if (!IntersectRect(&area, &dest, &visible)) return;
    int width = area.right - area.left, height = area.bottom - area.top;
    bool flipX = pb.x < pa.x, flipY = pb.y < pa.y;

    BITMAPINFO section{};
    section.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, 0, 0, 0, 0, 0, 0};
    void* pixels = nullptr;
    HBITMAP buffer = CreateDIBSection(dc_, &section, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HDC memory = CreateCompatibleDC(dc_);
    if (!buffer || !memory || !pixels) {
        if (buffer) platform::DeleteObject(buffer);
        if (memory) DeleteDC(memory);
        return;
    }
    HGDIOBJ old = platform::SelectObject(memory, buffer);
    BitBlt(memory, 0, 0, width, height, dc_, area.left, area.top, 0x00CC0020);

    double scaleX = double(cxSrc) / (dest.right - dest.left);
    double scaleY = double(cySrc) / (dest.bottom - dest.top);
    auto* out = static_cast<uint8_t*>(pixels);
    for (int row = 0; row < height; ++row) {
        int dy = area.top + row - dest.top;
        if (flipY) dy = dest.bottom - dest.top - 1 - dy;
        int32_t sy = ySrc + std::min(cySrc - 1, static_cast<int32_t>((dy + 0.5) * scaleY));
        for (int col = 0; col < width; ++col) {
            int dx = area.left + col - dest.left;
            if (flipX) dx = dest.right - dest.left - 1 - dx;
            int32_t sx = xSrc + std::min(cxSrc - 1, static_cast<int32_t>((dx + 0.5) * scaleX));
            const uint8_t* s = SourcePixel(*bits, *dib, sx, sy);
            uint8_t* d = out + (static_cast<size_t>(row) * width + col) * 4;
            // Source colours are premultiplied by their alpha when it is used.
            unsigned alpha = blend.perPixel ? s[3] * blend.constant / 255 : blend.constant;
            for (int c = 0; c < 3; ++c) {
                unsigned src = s[c] * blend.constant / 255u;
                d[c] = static_cast<uint8_t>(std::min(255u, src + d[c] * (255 - alpha) / 255));
            }
        }
    }
    BitBlt(dc_, area.left, area.top, width, height, memory, 0, 0, 0x00CC0020);
    platform::SelectObject(memory, old);
    DeleteDC(memory);
    platform::DeleteObject(buffer);
}

}  // namespace platform::metafile
