#include "platform/gdi/metafile/shape_points.h"

#include <gtest/gtest.h>

namespace {

using namespace platform::metafile;

TEST(ShapePoints, ArcsRunCounterClockwiseOnScreenUnlessAskedOtherwise) {
    // Box centred on (50, 50), radius 40; from the right-hand point to the top one.
    auto ccw = ArcPoints(10, 10, 90, 90, {100, 50}, {50, 0}, false, 64);
    ASSERT_GE(ccw.size(), 3u);
    EXPECT_NEAR(ccw.front().x, 90, 1e-9);
    EXPECT_NEAR(ccw.back().y, 10, 1e-9);
    // A quarter turn through the top-right quadrant (y up the screen is smaller).
    for (Vec2 p : ccw) {
        EXPECT_GE(p.x, 50 - 1e-9);
        EXPECT_LE(p.y, 50 + 1e-9);
    }
    auto cw = ArcPoints(10, 10, 90, 90, {100, 50}, {50, 0}, true, 64);
    // Three quarters the other way round, through the bottom.
    bool wentBelow = false;
    for (Vec2 p : cw) wentBelow = wentBelow || p.y > 85;
    EXPECT_TRUE(wentBelow);
    EXPECT_GT(cw.size(), ccw.size());
    // Equal rays: the whole ellipse.
    auto full = ArcPoints(10, 10, 90, 90, {100, 50}, {100, 50}, false, 64);
    EXPECT_NEAR(full.front().x, full.back().x, 1e-9);
    EXPECT_GE(full.size(), 64u);
}

TEST(ShapePoints, BezierEndsOnItsLastPointAndStaysInItsHull) {
    std::vector<Vec2> out;
    AppendBezier(out, {0, 0}, {0, 10}, {10, 10}, {10, 0}, 16);
    ASSERT_EQ(out.size(), 16u);
    EXPECT_DOUBLE_EQ(out.back().x, 10);
    EXPECT_DOUBLE_EQ(out.back().y, 0);
    EXPECT_NEAR(out[7].x, 5, 0.5);  // about half way at t = 0.5
    EXPECT_NEAR(out[7].y, 7.5, 0.2);
    for (Vec2 p : out) EXPECT_LE(p.y, 10);
}

}  // namespace
