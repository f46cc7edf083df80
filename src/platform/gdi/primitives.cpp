// Drawing primitives: rectangles, lines, polygons, ellipses, rounded rectangles, arcs and
// region painting. Shapes are built as regions of device pixels, then painted with the pen
// (outline) and the brush (interior) through the DC's binary raster operation.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gdi/brush_pen.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/rop.h"

namespace platform {
namespace {

struct Pen {
    bool null = true;
    COLORREF color = 0;
    int width = 1;
    int style = PS_SOLID;
};

Pen CurrentPen(DcObject& dc) {
    Pen pen;
    auto* p = ResolveObject<PenObject>(dc.State().pen);
    if (!p || p->style == PS_NULL) return pen;
    pen.null = false;
    pen.color = PlainColor(dc, p->dcPen ? dc.State().dcPenColor : p->color);
    pen.width = std::max(1, p->width);
    pen.style = p->style;
    return pen;
}

// Brushes may be given as a system colour index plus one, as Windows allows.
HBRUSH BrushArgument(HBRUSH brush) {
    auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value >= 1 && value <= std::uintptr_t(kSysColorCount))
        return GetSysColorBrush(int(value) - 1);
    return brush;
}

Region ToSurface(DcObject& dc, Region deviceRegion) {
    POINT o = dc.DeviceOrigin();
    deviceRegion.Offset(o.x, o.y);
    return deviceRegion;
}

void PaintWithColor(DcObject& dc, const Region& deviceRegion, COLORREF color) {
    BitmapObject* s = dc.Surface();
    if (!s || deviceRegion.IsEmpty()) return;
    Pattern pattern(s->Format(), color);
    FillSurfaceRegion(dc, ToSurface(dc, deviceRegion), pattern, Rop2ToRop3(dc.State().rop2));
}

void PaintWithBrush(DcObject& dc, const Region& deviceRegion, HBRUSH brush = nullptr,
                    std::uint8_t rop3 = 0) {
    BitmapObject* s = dc.Surface();
    if (!s || deviceRegion.IsEmpty()) return;
    Pattern pattern(dc, s->Format(), brush);
    FillSurfaceRegion(dc, ToSurface(dc, deviceRegion), pattern,
                      rop3 ? rop3 : Rop2ToRop3(dc.State().rop2));
}

// Collects pixels row by row, merging horizontal runs.
class PixelSet {
  public:
    void Add(int x, int y, int size = 1) {
        int lo = size > 1 ? -(size - 1) / 2 : 0;
        rects_.push_back({x + lo, y + lo, x + lo + size, y + lo + size});
    }
    void AddSpan(int y, int x0, int x1) {  // [x0, x1)
        if (x0 < x1) rects_.push_back({x0, y, x1, y + 1});
    }
    Region ToRegion() const { return Region::FromRects(rects_.data(), rects_.size()); }

  private:
    std::vector<RECT> rects_;
};

// Cosmetic dash patterns in pixels, on/off alternating.
std::vector<int> DashPattern(int style) {
    switch (style) {
        case PS_DASH:
            return {18, 6};
        case PS_DOT:
            return {3, 3};
        case PS_DASHDOT:
            return {9, 6, 3, 6};
        case PS_DASHDOTDOT:
            return {9, 3, 3, 3, 3, 3};
        default:
            return {};
    }
}

// One-pixel steps from a to b, b itself excluded, as Windows draws lines.
void LinePixels(POINT a, POINT b, const Pen& pen, PixelSet& on, PixelSet& off, int& dashPos) {
    std::int64_t dx = std::llabs(std::int64_t(b.x) - a.x),
                 dy = -std::llabs(std::int64_t(b.y) - a.y);
    int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    std::int64_t err = dx + dy;
    std::int64_t x = a.x, y = a.y;
    std::vector<int> dashes = DashPattern(pen.style);
    int period = 0;
    for (int d : dashes) period += d;
    // Lines far outside any surface are cut to a sane number of steps.
    std::int64_t steps = std::max(dx, -dy);
    if (steps > (1 << 16)) steps = 1 << 16;
    for (std::int64_t i = 0; i < steps; ++i) {
        bool draw = true;
        if (period) {
            int p = dashPos % period, k = 0;
            while (p >= dashes[std::size_t(k)]) p -= dashes[std::size_t(k++)];
            draw = (k % 2) == 0;
            ++dashPos;
        }
        if (draw)
            on.Add(int(x), int(y), pen.width);
        else
            off.Add(int(x), int(y), 1);
        std::int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void StrokePolyline(DcObject& dc, const POINT* devicePoints, int count, bool closed) {
    Pen pen = CurrentPen(dc);
    if (pen.null || count < 2) return;
    PixelSet on, off;
    int dashPos = 0;
    for (int i = 0; i + 1 < count; ++i)
        LinePixels(devicePoints[i], devicePoints[i + 1], pen, on, off, dashPos);
    if (closed) LinePixels(devicePoints[count - 1], devicePoints[0], pen, on, off, dashPos);
    if (dc.State().bkMode == OPAQUE && !DashPattern(pen.style).empty()) {
        PaintWithColor(dc, off.ToRegion(), PlainColor(dc, dc.State().bkColor));
    }
    PaintWithColor(dc, on.ToRegion(), pen.color);
}

std::vector<POINT> ToDevicePoints(DcObject& dc, const POINT* points, int count) {
    std::vector<POINT> out(std::size_t(std::max(0, count)));
    for (int i = 0; i < count; ++i) out[std::size_t(i)] = dc.ToDevice(points[i]);
    return out;
}

RECT DeviceBox(DcObject& dc, int left, int top, int right, int bottom) {
    return NormalizedRect(dc.ToDeviceRect({left, top, right, bottom}));
}

// Interior of polygons by pixel centres, even-odd or winding, for the rows [rowMin, rowMax)
// only: drawing limits them to the surface so far-away coordinates cost nothing.
Region PolygonRegion(const std::vector<POINT>& pts, const std::vector<int>& counts, int fillMode,
                     double rowMin = -1e7, double rowMax = 1e7) {
    struct Edge {
        double x0, y0, x1, y1;
        int dir;
    };
    std::vector<Edge> edges;
    double minY = 1e18, maxY = -1e18;
    std::size_t base = 0;
    for (int c : counts) {
        for (int i = 0; i < c; ++i) {
            const POINT& a = pts[base + std::size_t(i)];
            const POINT& b = pts[base + std::size_t((i + 1) % c)];
            if (a.y == b.y) continue;
            edges.push_back(
                {double(a.x), double(a.y), double(b.x), double(b.y), a.y < b.y ? 1 : -1});
            minY = std::min({minY, double(a.y), double(b.y)});
            maxY = std::max({maxY, double(a.y), double(b.y)});
        }
        base += std::size_t(c);
    }
    PixelSet set;
    if (edges.empty()) return set.ToRegion();
    minY = std::max(minY, rowMin);
    maxY = std::min(maxY, rowMax);
    std::vector<std::pair<double, int>> xs;
    for (int y = int(std::floor(minY)); y < int(std::ceil(maxY)); ++y) {
        double cy = y + 0.5;
        xs.clear();
        for (const Edge& e : edges) {
            double lo = std::min(e.y0, e.y1), hi = std::max(e.y0, e.y1);
            if (cy < lo || cy >= hi) continue;
            xs.push_back({e.x0 + (cy - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir});
        }
        std::sort(xs.begin(), xs.end());
        int winding = 0;
        for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
            winding += xs[i].second;
            bool inside = fillMode == WINDING ? winding != 0 : (i % 2) == 0;
            if (!inside) continue;
            int x0 = int(std::ceil(xs[i].first - 0.5)), x1 = int(std::ceil(xs[i + 1].first - 0.5));
            set.AddSpan(y, x0, x1);
        }
    }
    return set.ToRegion();
}

// Rows of a rectangle with elliptic corners (corner ellipse ew x eh pixels), inclusive pixel
// box [l, r] x [t, b]. An ellipse is the case ew = width, eh = height. The corner ellipses
// touch the box's outer pixel edges; a pixel belongs to the shape when its centre is inside.
struct Span {
    int y, x0, x1;
};  // x1 inclusive
std::vector<Span> RoundedSpans(int l, int t, int r, int b, int ew, int eh) {
    std::vector<Span> spans;
    if (r < l || b < t) return spans;
    ew = std::clamp(ew, 0, r - l + 1);
    eh = std::clamp(eh, 0, b - t + 1);
    double rx = ew / 2.0, ry = eh / 2.0;
    for (int y = t; y <= b; ++y) {
        double cy = y + 0.5, dy = 0;
        if (ry > 0 && cy < t + ry)
            dy = (t + ry) - cy;
        else if (ry > 0 && cy > b + 1 - ry)
            dy = cy - (b + 1 - ry);
        int x0 = l, x1 = r;
        if (dy > 0 && rx > 0) {
            double half = rx * std::sqrt(std::max(0.0, 1 - (dy / ry) * (dy / ry)));
            x0 = int(std::ceil(l + rx - half - 0.5));
            x1 = int(std::floor(r + 1 - rx + half - 0.5));
        }
        if (x0 <= x1) spans.push_back({y, x0, x1});
    }
    return spans;
}

// Splits rounded-shape rows into outline pixels and interior pixels.
void ShapeParts(const std::vector<Span>& spans, PixelSet& outline, PixelSet& interior) {
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const Span& s = spans[i];
        if (i == 0 || i + 1 == spans.size()) {
            outline.AddSpan(s.y, s.x0, s.x1 + 1);
            continue;
        }
        int in0 = std::max({spans[i - 1].x0, spans[i + 1].x0, s.x0 + 1});
        int in1 = std::min({spans[i - 1].x1, spans[i + 1].x1, s.x1 - 1});
        if (in0 > in1) {
            outline.AddSpan(s.y, s.x0, s.x1 + 1);
        } else {
            outline.AddSpan(s.y, s.x0, in0);
            interior.AddSpan(s.y, in0, in1 + 1);
            outline.AddSpan(s.y, in1 + 1, s.x1 + 1);
        }
    }
}

// Rectangle, ellipse and rounded rectangle share this: box in device pixels [l, r) x [t, b).
BOOL DrawRoundedShape(DcObject& dc, RECT box, int ew, int eh, bool ellipse) {
    Pen pen = CurrentPen(dc);
    int l = box.left, t = box.top, r = box.right - 1, b = box.bottom - 1;
    if (pen.null) {  // without a pen the shape is one pixel smaller to the right and bottom
        --r;
        --b;
    }
    if (r < l || b < t) return TRUE;
    if (ellipse) {
        ew = r - l + 1;
        eh = b - t + 1;
    }
    if (pen.null) {
        PixelSet all;
        for (const Span& s : RoundedSpans(l, t, r, b, ew, eh)) all.AddSpan(s.y, s.x0, s.x1 + 1);
        PaintWithBrush(dc, all.ToRegion());
        return TRUE;
    }
    // Wide pens: concentric one-pixel outlines inside the box; the brush fills what the
    // innermost outline encloses.
    PixelSet interior;
    for (int k = 0; k < pen.width && l + k <= r - k && t + k <= b - k; ++k) {
        PixelSet ring, inner;
        ShapeParts(RoundedSpans(l + k, t + k, r - k, b - k, std::max(0, ew - 2 * k),
                                std::max(0, eh - 2 * k)),
                   ring, inner);
        PaintWithColor(dc, ring.ToRegion(), pen.color);
        interior = std::move(inner);
    }
    PaintWithBrush(dc, interior.ToRegion());
    return TRUE;
}

double AngleOf(double x, double y, double cx, double cy) {
    return std::atan2(-(y - cy), x - cx);
}

// Whether angle a lies on the counter-clockwise sweep from s to e.
bool InSweep(double a, double s, double e) {
    const double full = 2 * std::numbers::pi;
    double sweep = std::fmod(e - s + 2 * full, full);
    if (sweep == 0) return true;
    return std::fmod(a - s + 2 * full, full) <= sweep;
}

BOOL ArcOrPie(HDC hdc, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye,
              bool pie) {
    DcObject* dc = ResolveDc(hdc);
    if (!dc) return FALSE;
    RECT box = DeviceBox(*dc, left, top, right, bottom);
    int l = box.left, t = box.top, r = box.right - 1, b = box.bottom - 1;
    if (r < l || b < t) return TRUE;
    POINT ps = dc->ToDevice({xs, ys}), pe = dc->ToDevice({xe, ye});
    double cx = (l + r) / 2.0, cy = (t + b) / 2.0;
    double as = AngleOf(ps.x, ps.y, cx, cy), ae = AngleOf(pe.x, pe.y, cx, cy);
    PixelSet outline, interior, arc, fill;
    ShapeParts(RoundedSpans(l, t, r, b, r - l + 1, b - t + 1), outline, interior);
    for (const RECT& rc : outline.ToRegion().Rects())
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (InSweep(AngleOf(x, y, cx, cy), as, ae)) arc.Add(x, y);
    if (pie) {
        for (const RECT& rc : interior.ToRegion().Rects())
            for (int y = rc.top; y < rc.bottom; ++y)
                for (int x = rc.left; x < rc.right; ++x)
                    if (InSweep(AngleOf(x, y, cx, cy), as, ae)) fill.Add(x, y);
        PaintWithBrush(*dc, fill.ToRegion());
    }
    Pen pen = CurrentPen(*dc);
    if (!pen.null) {
        PaintWithColor(*dc, arc.ToRegion(), pen.color);
        if (pie) {
            POINT c{LONG(std::lround(cx)), LONG(std::lround(cy))};
            auto edgePoint = [&](double a) {
                return POINT{LONG(std::lround(cx + (r - l) / 2.0 * std::cos(a))),
                             LONG(std::lround(cy - (b - t) / 2.0 * std::sin(a)))};
            };
            POINT spoke1[2] = {c, edgePoint(as)}, spoke2[2] = {c, edgePoint(ae)};
            StrokePolyline(*dc, spoke1, 2, false);
            StrokePolyline(*dc, spoke2, 2, false);
        }
    }
    return TRUE;
}

// Regions given to the painting functions are in logical units; MM_TEXT offsets apply.
Region RegionToDevice(DcObject& dc, const Region& logical) {
    Region r(logical);
    POINT o = dc.ToDevice({0, 0});
    r.Offset(o.x, o.y);
    return r;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DcObject* dc = ResolveDc(hdc);
    brush = BrushArgument(brush);
    if (!dc || !rect || !ResolveAny(brush)) return 0;
    PaintWithBrush(*dc, Region(DeviceBox(*dc, rect->left, rect->top, rect->right, rect->bottom)),
                   brush, 0xF0);
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DcObject* dc = ResolveDc(hdc);
    brush = BrushArgument(brush);
    if (!dc || !rect || !ResolveAny(brush)) return 0;
    RECT r = DeviceBox(*dc, rect->left, rect->top, rect->right, rect->bottom);
    if (r.left >= r.right || r.top >= r.bottom) return 1;
    Region frame(r);
    frame.Subtract(Region(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}));
    PaintWithBrush(*dc, frame, brush, 0xF0);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
    DcObject* dc = ResolveDc(hdc);
    if (!dc || !rect) return FALSE;
    PaintWithBrush(*dc, Region(DeviceBox(*dc, rect->left, rect->top, rect->right, rect->bottom)),
                   nullptr, 0x55);
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DcObject* dc = ResolveDc(hdc);
    if (!dc) return FALSE;
    return DrawRoundedShape(*dc, DeviceBox(*dc, left, top, right, bottom), 0, 0, false);
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
    DcObject* dc = ResolveDc(hdc);
    if (!dc) return FALSE;
    POINT e0 = dc->ToDevice({0, 0}), e1 = dc->ToDevice({width, height});
    return DrawRoundedShape(*dc, DeviceBox(*dc, left, top, right, bottom), std::abs(e1.x - e0.x),
                            std::abs(e1.y - e0.y), false);
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    DcObject* dc = ResolveDc(hdc);
    if (!dc) return FALSE;
    return DrawRoundedShape(*dc, DeviceBox(*dc, left, top, right, bottom), 0, 0, true);
}

BOOL PolyPolygon(HDC hdc, const POINT* points, const INT* counts, int polygons) {
    DcObject* dc = ResolveDc(hdc);
    if (!dc || !points || !counts || polygons <= 0) return FALSE;
    std::vector<int> cs;
    std::int64_t total = 0;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 2) return FALSE;
        cs.push_back(counts[i]);
        total += counts[i];
    }
    if (total > (1 << 24)) return FALSE;
    std::vector<POINT> pts = ToDevicePoints(*dc, points, int(total));
    // Device rows may sit anywhere on the surface (window DCs have an origin), so keep a wide
    // margin around it; what lies beyond cannot be visible.
    BitmapObject* surface = dc->Surface();
    double reach = (surface ? double(surface->Height()) : 0.0) + 65536.0;
    PaintWithBrush(*dc, PolygonRegion(pts, cs, dc->State().polyFillMode, -reach, reach));
    std::size_t base = 0;
    for (int c : cs) {
        StrokePolyline(*dc, pts.data() + base, c, true);
        base += std::size_t(c);
    }
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
    INT c = count;
    return PolyPolygon(hdc, points, &c, 1);
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
    DcObject* dc = ResolveDc(hdc);
    if (!dc || !points || count < 2) return FALSE;
    std::vector<POINT> pts = ToDevicePoints(*dc, points, count);
    StrokePolyline(*dc, pts.data(), count, false);
    return TRUE;
}

BOOL PolyPolyline(HDC hdc, const POINT* points, const DWORD* counts, DWORD polylines) {
    if (!points || !counts) return FALSE;
    std::size_t base = 0;
    for (DWORD i = 0; i < polylines; ++i) {
        if (!Polyline(hdc, points + base, int(counts[i]))) return FALSE;
        base += counts[i];
    }
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DcObject* dc = ResolveDc(hdc);
    if (!dc) return FALSE;
    POINT pts[2] = {dc->ToDevice(dc->State().currentPos), dc->ToDevice({x, y})};
    StrokePolyline(*dc, pts, 2, false);
    dc->State().currentPos = {x, y};
    return TRUE;
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
         int yEnd) {
    return ArcOrPie(dc, left, top, right, bottom, xStart, yStart, xEnd, yEnd, false);
}

BOOL Pie(HDC dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
         int yEnd) {
    return ArcOrPie(dc, left, top, right, bottom, xStart, yStart, xEnd, yEnd, true);
}

BOOL FillRgn(HDC hdc, HRGN region, HBRUSH brush) {
    DcObject* dc = ResolveDc(hdc);
    auto* r = ResolveObject<RegionObject>(region);
    brush = BrushArgument(brush);
    if (!dc || !r || !ResolveAny(brush)) return FALSE;
    PaintWithBrush(*dc, RegionToDevice(*dc, r->Get()), brush, 0xF0);
    return TRUE;
}

BOOL PaintRgn(HDC hdc, HRGN region) {
    DcObject* dc = ResolveDc(hdc);
    auto* r = ResolveObject<RegionObject>(region);
    if (!dc || !r) return FALSE;
    PaintWithBrush(*dc, RegionToDevice(*dc, r->Get()));
    return TRUE;
}

BOOL InvertRgn(HDC hdc, HRGN region) {
    DcObject* dc = ResolveDc(hdc);
    auto* r = ResolveObject<RegionObject>(region);
    if (!dc || !r) return FALSE;
    PaintWithBrush(*dc, RegionToDevice(*dc, r->Get()), nullptr, 0x55);
    return TRUE;
}

BOOL FrameRgn(HDC hdc, HRGN region, HBRUSH brush, int width, int height) {
    DcObject* dc = ResolveDc(hdc);
    auto* r = ResolveObject<RegionObject>(region);
    brush = BrushArgument(brush);
    if (!dc || !r || !ResolveAny(brush) || width < 0 || height < 0) return FALSE;
    // The frame is the region minus the region eroded by width x height.
    Region eroded(r->Get());
    for (int dx : {-width, width}) {
        Region moved(r->Get());
        moved.Offset(dx, 0);
        eroded.Intersect(moved);
    }
    for (int dy : {-height, height}) {
        Region moved(r->Get());
        moved.Offset(0, dy);
        eroded.Intersect(moved);
    }
    Region frame(r->Get());
    frame.Subtract(eroded);
    PaintWithBrush(*dc, RegionToDevice(*dc, frame), brush, 0xF0);
    return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
    DcObject* dc = ResolveDc(hdc);
    if (!dc || !rect) return FALSE;
    RECT r = DeviceBox(*dc, rect->left, rect->top, rect->right, rect->bottom);
    PixelSet dots;
    for (int x = r.left; x < r.right; x += 2) {
        dots.Add(x, r.top);
        dots.Add(x, r.bottom - 1);
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        dots.Add(r.left, y);
        dots.Add(r.right - 1, y);
    }
    PaintWithBrush(*dc, dots.ToRegion(), nullptr, 0x55);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Shaped regions

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    RECT b = NormalizedRect({left, top, right, bottom});
    PixelSet set;
    for (const Span& s :
         RoundedSpans(b.left, b.top, b.right - 1, b.bottom - 1, b.right - b.left, b.bottom - b.top))
        set.AddSpan(s.y, s.x0, s.x1 + 1);
    return RegisterObject<HRGN>(std::make_unique<RegionObject>(set.ToRegion()));
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height) {
    RECT b = NormalizedRect({left, top, right, bottom});
    PixelSet set;
    for (const Span& s :
         RoundedSpans(b.left, b.top, b.right - 1, b.bottom - 1, std::abs(width), std::abs(height)))
        set.AddSpan(s.y, s.x0, s.x1 + 1);
    return RegisterObject<HRGN>(std::make_unique<RegionObject>(set.ToRegion()));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (!points || count < 3 || count > (1 << 24)) return nullptr;
    std::vector<POINT> pts(points, points + count);
    return RegisterObject<HRGN>(
        std::make_unique<RegionObject>(PolygonRegion(pts, {count}, fillMode)));
}

}  // namespace platform
