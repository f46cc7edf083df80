#include "skin/frame_inactive_effect.h"

#include <algorithm>
#include <vector>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "skin/dib_pixels.h"

namespace skin {

using namespace platform;

namespace {

uint8_t Clamp(int v) {
    return uint8_t(std::clamp(v, 0, 255));
}

}  // namespace

void ApplyInactiveEffect(graphics::TBitmap& bitmap, TbsInactiveEffect effect) {
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    if (w <= 0 || h <= 0) return;
    BITMAPINFO info = TopDown32(w, h);
    std::vector<uint8_t> px(size_t(w) * size_t(h) * 4);
    HDC screen = GetDC(nullptr);
    const int rows =
        GetDIBits(screen, bitmap.BitmapHandle(), 0, UINT(h), px.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows == 0) return;
    const std::vector<uint8_t> original = px;
    auto at = [&](int x, int y, int c) {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        return int(original[(size_t(y) * size_t(w) + size_t(x)) * 4 + size_t(c)]);
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &px[(size_t(y) * size_t(w) + size_t(x)) * 4];
            switch (effect) {
                case TbsInactiveEffect::ieBrightness:
                    for (int c = 0; c < 3; ++c) p[c] = Clamp(p[c] + (255 - p[c]) / 2);
                    break;
                case TbsInactiveEffect::ieDarkness:
                    for (int c = 0; c < 3; ++c) p[c] = Clamp(p[c] * 7 / 10);
                    break;
                case TbsInactiveEffect::ieGrayscale: {
                    const uint8_t gray = Clamp((p[2] * 30 + p[1] * 59 + p[0] * 11) / 100);
                    p[0] = p[1] = p[2] = gray;
                    break;
                }
                case TbsInactiveEffect::ieNoise: {
                    const int shift =
                        int((unsigned(x) * 7919u + unsigned(y) * 104729u) % 101u) - 50;
                    for (int c = 0; c < 3; ++c) p[c] = Clamp(p[c] + shift);
                    break;
                }
                case TbsInactiveEffect::ieSplitBlur:
                    for (int c = 0; c < 3; ++c)
                        p[c] = Clamp((at(x - 1, y, c) + at(x + 1, y, c) + at(x, y - 1, c) +
                                      at(x, y + 1, c)) /
                                     4);
                    break;
                case TbsInactiveEffect::ieInvert:
                    for (int c = 0; c < 3; ++c) p[c] = uint8_t(255 - p[c]);
                    break;
            }
        }
    }
    SetDIBitsToDevice(bitmap.Canvas().Handle(), 0, 0, DWORD(w), DWORD(h), 0, 0, 0, UINT(h),
                      px.data(), &info, DIB_RGB_COLORS);
}

}  // namespace skin
