#include "platform/gdi/metafile/clip_geometry.h"

#include <algorithm>

namespace platform::metafile {

namespace {

enum class Edge { Left, Top, Right, Bottom };

bool Inside(Vec2 p, Edge e, const GuardBox& b) {
    switch (e) {
        case Edge::Left:
            return p.x >= b.left;
        case Edge::Top:
            return p.y >= b.top;
        case Edge::Right:
            return p.x <= b.right;
        case Edge::Bottom:
            return p.y <= b.bottom;
    }
    return true;
}

Vec2 Cross(Vec2 a, Vec2 c, Edge e, const GuardBox& b) {
    double t = 0;
    switch (e) {
        case Edge::Left:
            t = (b.left - a.x) / (c.x - a.x);
            return {b.left, a.y + t * (c.y - a.y)};
        case Edge::Right:
            t = (b.right - a.x) / (c.x - a.x);
            return {b.right, a.y + t * (c.y - a.y)};
        case Edge::Top:
            t = (b.top - a.y) / (c.y - a.y);
            return {a.x + t * (c.x - a.x), b.top};
        case Edge::Bottom:
            t = (b.bottom - a.y) / (c.y - a.y);
            return {a.x + t * (c.x - a.x), b.bottom};
    }
    return a;
}

}  // namespace

std::vector<Vec2> ClipPolygon(const std::vector<Vec2>& polygon, const GuardBox& box) {
    if (std::all_of(polygon.begin(), polygon.end(), [&](Vec2 p) { return box.Contains(p); }))
        return polygon;
    std::vector<Vec2> current = polygon;
    for (Edge e : {Edge::Left, Edge::Top, Edge::Right, Edge::Bottom}) {
        if (current.empty()) break;
        std::vector<Vec2> next;
        next.reserve(current.size() + 4);
        Vec2 prev = current.back();
        for (Vec2 p : current) {
            bool in = Inside(p, e, box), prevIn = Inside(prev, e, box);
            if (in != prevIn) next.push_back(Cross(prev, p, e, box));
            if (in) next.push_back(p);
            prev = p;
        }
        current = std::move(next);
    }
    return current;
}

// Liang–Barsky for each segment; consecutive visible pieces are joined.
std::vector<std::vector<Vec2>> ClipPolyline(const std::vector<Vec2>& line, const GuardBox& box) {
    std::vector<std::vector<Vec2>> pieces;
    if (std::all_of(line.begin(), line.end(), [&](Vec2 p) { return box.Contains(p); })) {
        if (line.size() >= 2) pieces.push_back(line);
        return pieces;
    }
    std::vector<Vec2> piece;
    auto flush = [&] {
        if (piece.size() >= 2) pieces.push_back(std::move(piece));
        piece.clear();
    };
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        Vec2 a = line[i], c = line[i + 1];
        double dx = c.x - a.x, dy = c.y - a.y;
        double t0 = 0, t1 = 1;
        bool visible = true;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
        for (int k = 0; k < 4 && visible; ++k) {
            if (p[k] == 0) {
                if (q[k] < 0) visible = false;
            } else {
                double t = q[k] / p[k];
                if (p[k] < 0)
                    t0 = std::max(t0, t);
                else
                    t1 = std::min(t1, t);
                if (t0 > t1) visible = false;
            }
        }
        if (!visible) {
            flush();
            continue;
        }
        Vec2 from{a.x + t0 * dx, a.y + t0 * dy};
        Vec2 to{a.x + t1 * dx, a.y + t1 * dy};
        if (piece.empty() || t0 > 0) {
            flush();
            piece.push_back(from);
        }
        piece.push_back(to);
        if (t1 < 1) flush();
    }
    flush();
    return pieces;
}

}  // namespace platform::metafile
