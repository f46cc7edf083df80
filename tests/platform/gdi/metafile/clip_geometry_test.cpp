#include "platform/gdi/metafile/clip_geometry.h"

#include <gtest/gtest.h>

namespace {

using namespace platform::metafile;

double Area(const std::vector<Vec2>& p) {
    double a = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        Vec2 u = p[i], v = p[(i + 1) % p.size()];
        a += u.x * v.y - v.x * u.y;
    }
    return a / 2;
}

const GuardBox kBox{0, 0, 100, 100};

TEST(ClipGeometry, PolygonsAreCutToTheBoxKeepingTheirTurn) {
    // A huge square around the box becomes the box, turning the same way.
    std::vector<Vec2> huge{{-1e8, -1e8}, {1e8, -1e8}, {1e8, 1e8}, {-1e8, 1e8}};
    auto cut = ClipPolygon(huge, kBox);
    EXPECT_DOUBLE_EQ(Area(cut), 100 * 100);
    // A triangle reaching out of two sides keeps what lies inside: the square (50..100)².
    std::vector<Vec2> tri{{50, 50}, {150, 50}, {50, 150}};
    EXPECT_DOUBLE_EQ(Area(ClipPolygon(tri, kBox)), 2500);
    // (0,0)-(150,0)-(0,150) keeps the box without its corner beyond x + y = 150.
    std::vector<Vec2> corner{{0, 0}, {150, 0}, {0, 150}};
    EXPECT_DOUBLE_EQ(Area(ClipPolygon(corner, kBox)), 10000 - 50.0 * 50 / 2);
    // Wholly inside: untouched; wholly outside: nothing left.
    std::vector<Vec2> inside{{10, 10}, {20, 10}, {20, 20}};
    EXPECT_EQ(ClipPolygon(inside, kBox).size(), 3u);
    std::vector<Vec2> outside{{200, 200}, {300, 200}, {300, 300}};
    EXPECT_TRUE(ClipPolygon(outside, kBox).empty());
}

TEST(ClipGeometry, LinesSplitWhereTheyLeaveAndReenter) {
    // In, out through the right side, back in through the bottom.
    std::vector<Vec2> line{{50, 50}, {200, 50}, {200, 80}, {50, 80}};
    auto pieces = ClipPolyline(line, kBox);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_DOUBLE_EQ(pieces[0].back().x, 100);
    EXPECT_DOUBLE_EQ(pieces[1].front().x, 100);
    EXPECT_DOUBLE_EQ(pieces[1].back().x, 50);
    // A line passing straight through keeps only its middle.
    auto through = ClipPolyline({{-1e9, 10}, {1e9, 10}}, kBox);
    ASSERT_EQ(through.size(), 1u);
    EXPECT_DOUBLE_EQ(through[0].front().x, 0);
    EXPECT_DOUBLE_EQ(through[0].back().x, 100);
    EXPECT_TRUE(ClipPolyline({{-5, -5}, {-1, 200}}, kBox).empty());
}

}  // namespace
