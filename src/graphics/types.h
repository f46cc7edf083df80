#pragma once
// Rectangles and points: signed 32-bit, right and bottom exclusive.
#include <cstdint>

#include "platform/gdi/wintypes.h"

namespace graphics {

struct TPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    // Empty when its width or height is 0 or less.
    bool IsEmpty() const { return right <= left || bottom <= top; }
    platform::RECT ToRECT() const { return {left, top, right, bottom}; }
    static TRect FromRECT(const platform::RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return {left, top, right, bottom};
}
constexpr TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    return {left, top, left + width, top + height};
}

}  // namespace graphics
