// The effects that mark an inactive frame, pixel by pixel.
#include "skin/frame_inactive_effect.h"

#include <gtest/gtest.h>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"

using namespace skin;
using namespace platform;

namespace {

uint32_t PixelRgb(graphics::TBitmap& b, int x, int y) {
    return uint32_t(GetPixel(b.Canvas().Handle(), x, y));
}

TEST(FrameInactiveEffectTest, EffectsChangeEveryPixelByTheirRule) {
    auto make = [] {
        auto b = std::make_unique<graphics::TBitmap>();
        b->SetWidth(3);
        b->SetHeight(1);
        SetPixel(b->Canvas().Handle(), 0, 0, RGB(100, 50, 200));
        SetPixel(b->Canvas().Handle(), 1, 0, RGB(0, 0, 0));
        SetPixel(b->Canvas().Handle(), 2, 0, RGB(200, 200, 200));
        return b;
    };
    auto b = make();
    ApplyInactiveEffect(*b, TbsInactiveEffect::ieGrayscale);
    const uint32_t gray = PixelRgb(*b, 0, 0);
    EXPECT_EQ(GetRValue(gray), GetGValue(gray));
    EXPECT_EQ(GetGValue(gray), GetBValue(gray));
    EXPECT_EQ(GetRValue(gray), (200 * 11 + 50 * 59 + 100 * 30) / 100);
    b = make();
    ApplyInactiveEffect(*b, TbsInactiveEffect::ieInvert);
    EXPECT_EQ(PixelRgb(*b, 1, 0), RGB(255, 255, 255));
    b = make();
    ApplyInactiveEffect(*b, TbsInactiveEffect::ieBrightness);
    EXPECT_EQ(PixelRgb(*b, 1, 0), RGB(127, 127, 127));
    b = make();
    ApplyInactiveEffect(*b, TbsInactiveEffect::ieDarkness);
    EXPECT_EQ(PixelRgb(*b, 2, 0), RGB(140, 140, 140));
    b = make();
    ApplyInactiveEffect(*b, TbsInactiveEffect::ieSplitBlur);
    EXPECT_EQ(GetRValue(PixelRgb(*b, 1, 0)), (100 + 200 + 0 + 0) / 4);
}

}  // namespace
