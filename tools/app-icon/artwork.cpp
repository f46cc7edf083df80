#include "artwork.h"

#include <algorithm>
#include <cmath>

namespace icon_art {

namespace {

struct Color {
    double r, g, b, a;
};

Color Rgb(uint32_t rgb) {
    return {double((rgb >> 16) & 0xFF), double((rgb >> 8) & 0xFF), double(rgb & 0xFF), 1.0};
}

Color Mix(Color a, Color b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

// Inside a rectangle with round corners; coordinates run 0..1 over the icon.
bool InRoundBox(double x, double y, double left, double top, double right, double bottom,
                double radius) {
    if (x < left || x > right || y < top || y > bottom) return false;
    const double cx = std::clamp(x, left + radius, right - radius);
    const double cy = std::clamp(y, top + radius, bottom - radius);
    return std::hypot(x - cx, y - cy) <= radius;
}

// The colour at one point of the artwork (alpha 0 outside the tile).
Color Sample(double x, double y) {
    const Color clear{0, 0, 0, 0};
    if (!InRoundBox(x, y, 0.04, 0.04, 0.96, 0.96, 0.16)) return clear;
    // The badge: a white tile holding a 2 x 2 grid of icon pixels.
    if (InRoundBox(x, y, 0.52, 0.52, 0.96, 0.96, 0.08)) {
        if (!InRoundBox(x, y, 0.58, 0.58, 0.90, 0.90, 0.02)) return Rgb(0xFFFFFF);
        const bool right = x > 0.74;
        const bool lower = y > 0.74;
        return Rgb(right == lower ? 0xD04010 : 0x1F4E8C);
    }
    // The frame, then the picture inside it.
    if (!InRoundBox(x, y, 0.12, 0.12, 0.88, 0.88, 0.06)) return Rgb(0x1F4E8C);
    if (std::hypot(x - 0.66, y - 0.34) < 0.09) return Rgb(0xF8C830);  // sun
    const double hill = 0.62 + 0.08 * std::cos((x - 0.3) * 6.0);
    if (y > hill) return Mix(Rgb(0x4CA040), Rgb(0x2E7030), (y - hill) / 0.3);
    return Mix(Rgb(0xBFE3FA), Rgb(0x6FB6EE), (y - 0.12) / 0.5);
}

}  // namespace

std::vector<uint8_t> DrawProgramIcon(int size) {
    constexpr int kSamples = 4;  // per axis and pixel: smooth edges at 16 pixels too
    std::vector<uint8_t> rgba(size_t(size) * size_t(size) * 4);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Color sum{0, 0, 0, 0};
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Color c = Sample((px + (sx + 0.5) / kSamples) / size,
                                           (py + (sy + 0.5) / kSamples) / size);
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            }
            uint8_t* out = &rgba[(size_t(py) * size_t(size) + size_t(px)) * 4];
            const double alpha = sum.a / (kSamples * kSamples);
            out[0] = uint8_t(sum.a > 0 ? std::lround(sum.r / sum.a) : 0);
            out[1] = uint8_t(sum.a > 0 ? std::lround(sum.g / sum.a) : 0);
            out[2] = uint8_t(sum.a > 0 ? std::lround(sum.b / sum.a) : 0);
            out[3] = uint8_t(std::lround(alpha * 255));
        }
    }
    return rgba;
}

}  // namespace icon_art
