#pragma once
// Where two pictures of the same size differ, for tests that compare a control's images.
#include <algorithm>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"

namespace testing_support {

// The smallest rect holding every pixel whose colour differs between `a` and `b` (an empty
// rect when none does).
inline graphics::TRect Differences(graphics::TBitmap& a, graphics::TBitmap& b) {
    graphics::TRect box = graphics::Rect(a.Width(), a.Height(), -1, -1);
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((a.Canvas().ReadPixel(x, y) & 0xFFFFFF) !=
                (b.Canvas().ReadPixel(x, y) & 0xFFFFFF)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

}  // namespace testing_support
