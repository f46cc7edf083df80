#include "skin/morph_blend.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/gdi.h"
#include "skin/dib_pixels.h"

namespace skin {

using namespace platform;

namespace {

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        double ca = double((a >> shift) & 0xFF);
        double cb = double((b >> shift) & 0xFF);
        uint32_t c = uint32_t(std::lround(ca + (cb - ca) * t));
        out |= std::min<uint32_t>(c, 255) << shift;
    }
    return out;
}

}  // namespace

void BlendImages(graphics::TBitmap& result, const graphics::TBitmap& from,
                 const graphics::TBitmap& to, double factor, TbsMorphKind kind) {
    const int width = std::min(from.Width(), to.Width());
    const int height = std::min(from.Height(), to.Height());
    result.SetWidth(width);
    result.SetHeight(height);
    if (width <= 0 || height <= 0) return;
    factor = std::clamp(factor, 0.0, 1.0);
    std::vector<uint32_t> a = ReadTopDown32(from, width, height);
    std::vector<uint32_t> b = ReadTopDown32(to, width, height);
    std::vector<uint32_t> out(a.size());
    // How far the hot image has come in from the side, in columns.
    const int reach = int(std::lround(factor * width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            size_t i = size_t(y) * size_t(width) + size_t(x);
            switch (kind) {
                case TbsMorphKind::mkLeftSlide:
                case TbsMorphKind::mkPush:
                    out[i] = x < reach ? b[i + size_t(width - reach)]
                                       : a[i - size_t(kind == TbsMorphKind::mkPush ? reach : 0)];
                    break;
                case TbsMorphKind::mkRightSlide:
                    out[i] = x >= width - reach ? b[i - size_t(width - reach)] : a[i];
                    break;
                case TbsMorphKind::mkLeftGradient:
                case TbsMorphKind::mkRightGradient:
                case TbsMorphKind::mkGradient: {
                    // A soft edge that sweeps across; the gradient kinds differ in direction.
                    double pos = double(x) / double(std::max(width - 1, 1));
                    if (kind == TbsMorphKind::mkRightGradient) pos = 1.0 - pos;
                    if (kind == TbsMorphKind::mkGradient) pos = std::abs(pos - 0.5);
                    double t = std::clamp(factor * 2.0 - pos, 0.0, 1.0);
                    out[i] = Mix(a[i], b[i], t);
                    break;
                }
                case TbsMorphKind::mkDefault:
                    out[i] = Mix(a[i], b[i], factor);
                    break;
            }
        }
    }
    BITMAPINFO info = TopDown32(width, height);
    HDC dc = CreateCompatibleDC(nullptr);
    SetDIBits(dc, result.BitmapHandle(), 0, UINT(height), out.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    result.NotifyChange();
}

}  // namespace skin
