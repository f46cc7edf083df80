#include "platform/gdi/metafile/mapping.h"

#include <gtest/gtest.h>

namespace {

using namespace platform::metafile;

// 96 dpi, as the screen.
const ReferenceDevice kDevice{{1920, 1440}, {508, 381}};

Vec2 Map(const PageMapping& m, double x, double y) {
    return m.Transform().Apply({x, y});
}

TEST(PageMapping, TextModeIsIdentityAndIgnoresExtents) {
    PageMapping m(kDevice);
    EXPECT_TRUE(m.SetWindowExt({10, 10}));
    EXPECT_TRUE(m.SetViewportExt({300, 300}));
    m.SetWindowOrg({5, 7});
    Vec2 p = Map(m, 15, 17);
    EXPECT_DOUBLE_EQ(p.x, 10);
    EXPECT_DOUBLE_EQ(p.y, 10);
}

TEST(PageMapping, AnisotropicMapsWindowOntoViewport) {
    PageMapping m(kDevice);
    ASSERT_TRUE(m.SetMapMode(kMmAnisotropic));
    ASSERT_TRUE(m.SetWindowExt({1000, 500}));
    ASSERT_TRUE(m.SetViewportExt({100, 100}));
    m.SetWindowOrg({-500, 0});
    m.SetViewportOrg({10, 20});
    Vec2 p = Map(m, 500, 250);
    EXPECT_DOUBLE_EQ(p.x, 10 + 100);
    EXPECT_DOUBLE_EQ(p.y, 20 + 50);
    // Zero extents are refused and change nothing.
    EXPECT_FALSE(m.SetWindowExt({0, 5}));
    EXPECT_EQ(m.WindowExt().x, 1000);
}

TEST(PageMapping, IsotropicKeepsUnitsSquare) {
    PageMapping m(kDevice);
    ASSERT_TRUE(m.SetMapMode(kMmIsotropic));
    m.SetWindowExt({100, 100});
    m.SetViewportExt({400, 200});
    // The x extent shrinks to match y's scale; signs are kept.
    EXPECT_EQ(m.ViewportExt().x, 200);
    EXPECT_EQ(m.ViewportExt().y, 200);
    m.SetViewportExt({-100, 300});
    EXPECT_EQ(m.ViewportExt().x, -100);
    EXPECT_EQ(m.ViewportExt().y, 100);
}

TEST(PageMapping, MetricModesUseTheReferenceDeviceAndPointYUp) {
    PageMapping m(kDevice);
    ASSERT_TRUE(m.SetMapMode(kMmLoMetric));  // 0.1 mm
    Vec2 p = Map(m, 254, -254);              // one inch right, one inch down
    EXPECT_NEAR(p.x, 96, 1e-9);
    EXPECT_NEAR(p.y, 96, 1e-9);
    ASSERT_TRUE(m.SetMapMode(kMmTwips));
    EXPECT_NEAR(Map(m, 1440, 0).x, 96, 0.01);
    ASSERT_TRUE(m.SetMapMode(kMmHiEnglish));
    EXPECT_NEAR(Map(m, 0, -1000).y, 96, 0.01);
    EXPECT_FALSE(m.SetMapMode(9));
    EXPECT_EQ(m.MapMode(), kMmHiEnglish);
}

TEST(PlayTransform, FrameCornersLandOnTargetCorners) {
    // A frame of 0..2540 hundredths of a millimetre is 96 reference pixels.
    FrameRect frame{0, 0, 2540, 1270};
    Affine t = PlayTransform(frame, kDevice, {10, 20, 10 + 191, 20 + 47});
    Vec2 a = t.Apply({0, 0});
    Vec2 b = t.Apply({96, 48});
    EXPECT_DOUBLE_EQ(a.x, 10);
    EXPECT_DOUBLE_EQ(a.y, 20);
    EXPECT_DOUBLE_EQ(b.x, 201);
    EXPECT_DOUBLE_EQ(b.y, 67);
    // A frame that does not start at zero is moved to the target's corner.
    Affine shifted = PlayTransform({2540, 2540, 5080, 5080}, kDevice, {0, 0, 96, 96});
    EXPECT_DOUBLE_EQ(shifted.Apply({96, 96}).x, 0);
    // A degenerate frame does not divide by zero.
    Affine flat = PlayTransform({0, 0, 0, 0}, kDevice, {0, 0, 10, 10});
    EXPECT_TRUE(flat.IsInvertible());
}

TEST(Affine, ComposeAppliesFirstThenSecond) {
    Affine scale{2, 0, 0, 3, 0, 0};
    Affine move{1, 0, 0, 1, 5, -5};
    Vec2 p = Compose(scale, move).Apply({1, 1});
    EXPECT_DOUBLE_EQ(p.x, 7);
    EXPECT_DOUBLE_EQ(p.y, -2);
    EXPECT_EQ(RoundCoordinate(1e30), 1 << 27);
    EXPECT_EQ(RoundCoordinate(-2.5), -3);
}

}  // namespace
