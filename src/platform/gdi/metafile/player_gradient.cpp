// Gradient fills: rectangles shade along one axis; triangles are filled with the mean of
// their corner colours.
#include <algorithm>
#include <cmath>

#include "platform/gdi/metafile/byte_reader.h"
#include "platform/gdi/metafile/player.h"

namespace platform::metafile {

namespace {

constexpr uint32_t kGradientRectV = 1;  // 0 shades rectangles horizontally
constexpr uint32_t kGradientTriangle = 2;
constexpr size_t kVertexSize = 16;

}  // namespace

struct EmfPlayer::Vertex {
    Vec2 device;
    double rgb[3];
};

namespace {

using Vertex = EmfPlayer::Vertex;

COLORREF Mix(const Vertex& a, const Vertex& b, double t) {
    int c[3];
    for (int i = 0; i < 3; ++i)
        c[i] = static_cast<int>(std::lround((a.rgb[i] + (b.rgb[i] - a.rgb[i]) * t) / 256.0));
    return static_cast<COLORREF>(std::clamp(c[0], 0, 255) | std::clamp(c[1], 0, 255) << 8 |
                                 std::clamp(c[2], 0, 255) << 16);
}

}  // namespace

// Bounds, vertex count, shape count, mode, the vertices, then the shapes as vertex indices.
void EmfPlayer::GradientFill(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(0, 36)) return;
    uint64_t vertexCount = r.U32Or0(24), shapes = r.U32Or0(28);
    uint32_t mode = r.U32Or0(32);
    uint64_t shapeSize = mode == kGradientTriangle ? 12 : 8;
    if (mode > kGradientTriangle || vertexCount > (r.Size() - 36) / kVertexSize) return;
    size_t shapesAt = 36 + static_cast<size_t>(vertexCount) * kVertexSize;
    if (shapes > (r.Size() - shapesAt) / shapeSize) return;

    std::vector<Vertex> vertices;
    for (size_t i = 0; i < vertexCount; ++i) {
        size_t at = 36 + i * kVertexSize;
        vertices.push_back(
            {ToDevice(r.I32Or0(at), r.I32Or0(at + 4)),
             {double(r.U16Or0(at + 8)), double(r.U16Or0(at + 10)), double(r.U16Or0(at + 12))}});
    }
    RECT visible{};
    GetClipBox(dc_, &visible);
    HGDIOBJ oldPen = platform::SelectObject(dc_, GetStockObject(NULL_PEN));
    for (size_t s = 0; s < shapes; ++s) {
        size_t at = shapesAt + s * static_cast<size_t>(shapeSize);
        uint32_t a = r.U32Or0(at), b = r.U32Or0(at + 4);
        uint32_t c = mode == kGradientTriangle ? r.U32Or0(at + 8) : 0;
        if (a >= vertexCount || b >= vertexCount || c >= vertexCount) continue;
        if (mode == kGradientTriangle) {
            Vertex mean{{}, {0, 0, 0}};
            for (int k = 0; k < 3; ++k)
                mean.rgb[k] = (vertices[a].rgb[k] + vertices[b].rgb[k] + vertices[c].rgb[k]) / 3;
            HBRUSH brush = CreateSolidBrush(Mix(mean, mean, 0));
            HGDIOBJ old = platform::SelectObject(dc_, brush);
            DrawPolygon({vertices[a].device, vertices[b].device, vertices[c].device});
            platform::SelectObject(dc_, old);
            platform::DeleteObject(brush);
            continue;
        }
        ShadeRect(vertices[a], vertices[b], mode == kGradientRectV, visible);
    }
    platform::SelectObject(dc_, oldPen);
}

// One band of a pixel per step along the shading axis, only across the visible part.
void EmfPlayer::ShadeRect(const Vertex& from, const Vertex& to, bool vertical,
                          const RECT& visible) {
    POINT p = DevicePoint(from.device), q = DevicePoint(to.device);
    RECT box{std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)};
    RECT area{};
    if (!IntersectRect(&area, &box, &visible)) return;
    int start = vertical ? p.y : p.x, end = vertical ? q.y : q.x;
    int first = vertical ? area.top : area.left, last = vertical ? area.bottom : area.right;
    double span = end - start;
    for (int i = first; i < last; ++i) {
        double t = span != 0 ? std::clamp((i + 0.5 - start) / span, 0.0, 1.0) : 0;
        HBRUSH brush = CreateSolidBrush(Mix(from, to, t));
        RECT band = vertical ? RECT{area.left, i, area.right, i + 1}
                             : RECT{i, area.top, i + 1, area.bottom};
        FillRect(dc_, &band, brush);
        platform::DeleteObject(brush);
    }
}

}  // namespace platform::metafile
