#include "platform/gdi/metafile/shape_points.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::metafile {

void AppendBezier(std::vector<Vec2>& out, Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, int segments) {
    for (int i = 1; i <= segments; ++i) {
        double t = static_cast<double>(i) / segments;
        double u = 1 - t;
        double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        out.push_back(
            {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
}

std::vector<Vec2> EllipsePoints(double left, double top, double right, double bottom,
                                int segments) {
    double cx = (left + right) / 2, cy = (top + bottom) / 2;
    double rx = (right - left) / 2, ry = (bottom - top) / 2;
    std::vector<Vec2> points;
    points.reserve(static_cast<size_t>(segments));
    for (int i = 0; i < segments; ++i) {
        double a = 2 * std::numbers::pi * i / segments;
        points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return points;
}

std::vector<Vec2> ArcPoints(double left, double top, double right, double bottom, Vec2 start,
                            Vec2 end, bool clockwise, int segmentsPerTurn) {
    double cx = (left + right) / 2, cy = (top + bottom) / 2;
    double rx = std::abs(right - left) / 2, ry = std::abs(bottom - top) / 2;
    // Angles on screen, y pointing down: counter-clockwise means decreasing screen angle.
    double a0 = std::atan2(start.y - cy, start.x - cx);
    double a1 = std::atan2(end.y - cy, end.x - cx);
    double sweep = clockwise ? a1 - a0 : a0 - a1;
    while (sweep <= 0) sweep += 2 * std::numbers::pi;
    int steps =
        std::max(2, static_cast<int>(std::ceil(segmentsPerTurn * sweep / (2 * std::numbers::pi))));
    std::vector<Vec2> points;
    points.reserve(static_cast<size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        double a = a0 + (clockwise ? 1 : -1) * sweep * i / steps;
        points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return points;
}

std::vector<Vec2> RoundRectPoints(double left, double top, double right, double bottom,
                                  double cornerWidth, double cornerHeight, int segmentsPerCorner) {
    double rx = std::min(std::abs(cornerWidth), std::abs(right - left)) / 2;
    double ry = std::min(std::abs(cornerHeight), std::abs(bottom - top)) / 2;
    // Corner centres clockwise on screen from the top right, each with its quarter turn.
    const double cx[4] = {right - rx, right - rx, left + rx, left + rx};
    const double cy[4] = {top + ry, bottom - ry, bottom - ry, top + ry};
    std::vector<Vec2> points;
    for (int corner = 0; corner < 4; ++corner) {
        double from = -std::numbers::pi / 2 + corner * std::numbers::pi / 2;
        for (int i = 0; i <= segmentsPerCorner; ++i) {
            double a = from + (std::numbers::pi / 2) * i / segmentsPerCorner;
            points.push_back({cx[corner] + rx * std::cos(a), cy[corner] + ry * std::sin(a)});
        }
    }
    return points;
}

int SegmentsFor(double pixelExtent) {
    if (!(pixelExtent > 0)) return 8;
    return static_cast<int>(std::clamp(pixelExtent, 8.0, 256.0));
}

}  // namespace platform::metafile
