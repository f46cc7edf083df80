// Blending text coverage into a DC's surface. The raster files may provide their own
// BlendCoverage; this one is weak so theirs takes precedence when it is linked.
#include <algorithm>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/pixel_format.h"
#include "platform/gdi/raster.h"

namespace platform {
namespace {

std::uint8_t Mix(std::uint32_t under, std::uint32_t over, std::uint32_t coverage) {
    return static_cast<std::uint8_t>((over * coverage + under * (255 - coverage) + 127) / 255);
}

COLORREF Blend(COLORREF under, COLORREF over, std::uint32_t coverage) {
    return RGB(Mix(under & 0xFF, over & 0xFF, coverage),
               Mix((under >> 8) & 0xFF, (over >> 8) & 0xFF, coverage),
               Mix((under >> 16) & 0xFF, (over >> 16) & 0xFF, coverage));
}

}  // namespace

__attribute__((weak)) void BlendCoverage(DcObject& dc, int deviceX, int deviceY,
                                         const std::uint8_t* coverage, int width, int height,
                                         int pitch, COLORREF color) {
    BitmapObject* surface = dc.Surface();
    if (surface == nullptr || coverage == nullptr || width <= 0 || height <= 0) return;
    const POINT origin = dc.DeviceOrigin();
    const int left = deviceX + origin.x;
    const int top = deviceY + origin.y;
    const PixelFormat& format = surface->Format();
    const int bpp = format.bitsPerPixel;
    const COLORREF plain = PlainColor(dc, color);
    const std::uint32_t solid = format.FromColor(plain);
    // Indexed and monochrome surfaces cannot show partial coverage: it is all or nothing.
    const bool threshold = format.IsIndexed();
    for (const RECT& r : dc.EffectiveClip().Rects()) {
        const int x0 = std::max<int>(r.left, left);
        const int x1 = std::min<int>(r.right, left + width);
        const int y0 = std::max<int>(r.top, top);
        const int y1 = std::min<int>(r.bottom, top + height);
        for (int y = y0; y < y1; ++y) {
            std::uint8_t* row = surface->Row(y);
            const std::uint8_t* mask = coverage + static_cast<std::size_t>(y - top) * pitch;
            for (int x = x0; x < x1; ++x) {
                const std::uint32_t c = mask[x - left];
                if (c == 0) continue;
                if (c == 255 || (threshold && c >= 128)) {
                    WritePixelValue(row, x, bpp, solid);
                } else if (!threshold) {
                    const COLORREF under = format.ToColor(ReadPixelValue(row, x, bpp));
                    WritePixelValue(row, x, bpp, format.FromColor(Blend(under, plain, c)));
                }
            }
        }
    }
}

}  // namespace platform
