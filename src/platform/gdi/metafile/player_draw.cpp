// Drawing records: shapes, lines, curves, paths, clipping, text and bitmaps.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/utf8.h"
#include "platform/gdi/metafile/ansi_text.h"
#include "platform/gdi/metafile/byte_reader.h"
#include "platform/gdi/metafile/dib_layout.h"
#include "platform/gdi/metafile/emf_format.h"
#include "platform/gdi/metafile/player.h"
#include "platform/gdi/metafile/shape_points.h"

namespace platform::metafile {

namespace {

constexpr uint32_t kBoundsSize = 16;
constexpr int kBezierSegments = 16;

bool Is16Bit(uint32_t type) {
    return type == EMR_POLYGON16 || type == EMR_POLYLINE16 || type == EMR_POLYBEZIER16 ||
           type == EMR_POLYBEZIERTO16 || type == EMR_POLYLINETO16 || type == EMR_POLYPOLYGON16 ||
           type == EMR_POLYPOLYLINE16;
}

// Reads `count` points at `offset`, 16 or 32 bits per coordinate; nothing when they do not
// fit in the record.
std::optional<std::vector<Vec2>> ReadPoints(const ByteReader& r, size_t offset, uint64_t count,
                                            bool small) {
    uint64_t pointSize = small ? 4 : 8;
    if (offset > r.Size() || count > (r.Size() - offset) / pointSize) return std::nullopt;
    std::vector<Vec2> points;
    points.reserve(static_cast<size_t>(count));
    for (uint64_t i = 0; i < count; ++i) {
        size_t at = offset + static_cast<size_t>(i * pointSize);
        if (small)
            points.push_back({double(r.I16Or0(at)), double(r.I16Or0(at + 2))});
        else
            points.push_back({double(r.I32Or0(at)), double(r.I32Or0(at + 4))});
    }
    return points;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Lines and polygons

void EmfPlayer::DrawPolygon(const std::vector<Vec2>& points) {
    std::vector<Vec2> clipped = ClipPolygon(points, guard_);
    if (clipped.size() < 2) return;
    std::vector<POINT> device = DevicePoints(clipped);
    Polygon(dc_, device.data(), static_cast<int>(device.size()));
}

void EmfPlayer::DrawPolyPolygon(const std::vector<std::vector<Vec2>>& polygons) {
    std::vector<POINT> points;
    std::vector<INT> counts;
    for (const auto& polygon : polygons) {
        std::vector<Vec2> clipped = ClipPolygon(polygon, guard_);
        if (clipped.size() < 3) continue;
        for (Vec2 p : clipped) points.push_back(DevicePoint(p));
        counts.push_back(static_cast<INT>(clipped.size()));
    }
    if (counts.empty()) return;
    PolyPolygon(dc_, points.data(), counts.data(), static_cast<int>(counts.size()));
}

void EmfPlayer::DrawPolyline(const std::vector<Vec2>& points) {
    if (points.size() < 2) return;
    ApplyPen();
    for (const auto& piece : ClipPolyline(points, guard_)) {
        std::vector<POINT> device = DevicePoints(piece);
        Polyline(dc_, device.data(), static_cast<int>(device.size()));
    }
}

void EmfPlayer::LineTo(double x, double y) {
    Vec2 to = ToDevice(x, y);
    if (inPath_) {
        PathAdd({to}, false, false);
    } else {
        DrawPolyline({state_.position, to});
    }
    SetPosition(to);
}

void EmfPlayer::Points(uint32_t type, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(kBoundsSize + 8, 4)) return;
    bool small = Is16Bit(type);
    auto logical = ReadPoints(r, 28, r.U32Or0(24), small);
    if (!logical || logical->empty()) return;
    std::vector<Vec2> pts;
    pts.reserve(logical->size());
    for (Vec2 p : *logical) pts.push_back(ToDevice(p.x, p.y));

    bool bezier = type == EMR_POLYBEZIER || type == EMR_POLYBEZIER16 || type == EMR_POLYBEZIERTO ||
                  type == EMR_POLYBEZIERTO16;
    bool continues = type == EMR_POLYBEZIERTO || type == EMR_POLYBEZIERTO16 ||
                     type == EMR_POLYLINETO || type == EMR_POLYLINETO16;
    bool polygon = type == EMR_POLYGON || type == EMR_POLYGON16;

    // Curves become lines; a curve takes three points after its start.
    if (bezier) {
        std::vector<Vec2> flat;
        size_t first = continues ? 0 : 1;
        Vec2 start = continues ? state_.position : pts[0];
        flat.push_back(start);
        for (size_t i = first; i + 2 < pts.size(); i += 3) {
            AppendBezier(flat, start, pts[i], pts[i + 1], pts[i + 2], kBezierSegments);
            start = pts[i + 2];
        }
        pts = std::move(flat);
    } else if (continues) {
        pts.insert(pts.begin(), state_.position);
    }

    if (inPath_) {
        PathAdd(pts, !continues, polygon);
    } else if (polygon) {
        ApplyPen();
        DrawPolygon(pts);
    } else {
        DrawPolyline(pts);
    }
    if (continues) SetPosition(pts.back());
}

// Bounds, count, the points, then one type byte per point: move, line or the first of
// three Bézier points, with a flag that closes the figure.
void EmfPlayer::PolyDraw(uint32_t type, std::span<const uint8_t> rec) {
    constexpr uint8_t kPtCloseFigure = 1, kPtLineTo = 2, kPtBezierTo = 4, kPtMoveTo = 6;
    ByteReader r(rec);
    if (!r.Has(24, 4)) return;
    uint64_t count = r.U32Or0(24);
    bool small = type == EMR_POLYDRAW16;
    auto logical = ReadPoints(r, 28, count, small);
    if (!logical) return;
    size_t typesAt = 28 + static_cast<size_t>(count) * (small ? 4 : 8);
    auto kinds = r.Slice(typesAt, static_cast<size_t>(count));
    if (!kinds) return;

    std::vector<Figure> figures{{{state_.position}, false}};
    for (size_t i = 0; i < count; ++i) {
        Vec2 p = ToDevice((*logical)[i].x, (*logical)[i].y);
        uint8_t kind = (*kinds)[i];
        switch (kind & ~kPtCloseFigure) {
            case kPtMoveTo:
                figures.push_back({{p}, false});
                break;
            case kPtLineTo:
                figures.back().points.push_back(p);
                break;
            case kPtBezierTo: {
                if (i + 2 >= count) return;  // a curve needs all three of its points
                Vec2 c2 = ToDevice((*logical)[i + 1].x, (*logical)[i + 1].y);
                Vec2 end = ToDevice((*logical)[i + 2].x, (*logical)[i + 2].y);
                auto& pts = figures.back().points;
                AppendBezier(pts, pts.back(), p, c2, end, kBezierSegments);
                i += 2;
                kind = (*kinds)[i];
                break;
            }
            default:
                return;  // an unknown type ends the record, as the platform refuses it
        }
        if (kind & kPtCloseFigure) {
            figures.back().closed = true;
            figures.push_back({{figures.back().points.front()}, false});
        }
    }
    for (Figure& f : figures) {
        if (inPath_) {
            if (f.points.size() > 1) PathAdd(f.points, true, f.closed);
        } else {
            if (f.closed) f.points.push_back(f.points.front());
            DrawPolyline(f.points);
        }
    }
    SetPosition(figures.back().points.back());
}

// Bounds, number of polygons, total points, the counts, then the points.
void EmfPlayer::PolyPoly(uint32_t type, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(24, 8)) return;
    uint64_t polys = r.U32Or0(24);
    uint64_t total = r.U32Or0(28);
    if (polys == 0 || polys > (r.Size() - 32) / 4) return;
    std::vector<uint32_t> counts;
    uint64_t sum = 0;
    for (uint64_t i = 0; i < polys; ++i) {
        counts.push_back(r.U32Or0(32 + static_cast<size_t>(i) * 4));
        sum += counts.back();
    }
    if (sum != total) return;
    auto logical = ReadPoints(r, 32 + static_cast<size_t>(polys) * 4, total, Is16Bit(type));
    if (!logical) return;
    bool polygon = type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16;

    std::vector<std::vector<Vec2>> figures;
    size_t at = 0;
    for (uint32_t count : counts) {
        std::vector<Vec2> figure;
        for (uint32_t i = 0; i < count; ++i, ++at)
            figure.push_back(ToDevice((*logical)[at].x, (*logical)[at].y));
        figures.push_back(std::move(figure));
    }
    if (inPath_) {
        for (auto& f : figures) PathAdd(f, true, polygon);
        return;
    }
    ApplyPen();
    if (!polygon) {
        for (auto& f : figures) DrawPolyline(f);
        return;
    }
    DrawPolyPolygon(figures);
}

// ---------------------------------------------------------------------------------------------
// Shapes

void EmfPlayer::Shape(uint32_t type, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 16)) return;
    int32_t l = r.I32Or0(8), t = r.I32Or0(12), rt = r.I32Or0(16), b = r.I32Or0(20);
    double extent = std::max(std::abs(current_.ScaleX() * (double(rt) - l)),
                             std::abs(current_.ScaleY() * (double(b) - t)));
    RECT box;
    // Shapes the raster cannot draw directly, or that reach far beyond the target, are drawn
    // as outlines so they can be cut to the guard box.
    bool direct = DeviceBox(l, t, rt, b, box) &&
                  guard_.Contains({double(box.left), double(box.top)}) &&
                  guard_.Contains({double(box.right), double(box.bottom)});

    if (inPath_ || !direct) {
        std::vector<Vec2> outline;
        std::vector<Vec2> logical;
        if (type == EMR_ELLIPSE) {
            logical = EllipsePoints(l, t, rt, b, SegmentsFor(extent));
        } else if (type == EMR_ROUNDRECT && r.Has(24, 8)) {
            logical = RoundRectPoints(l, t, rt, b, r.I32Or0(24), r.I32Or0(28),
                                      SegmentsFor(extent) / 4 + 1);
        }
        if (!logical.empty()) {
            for (Vec2 p : logical) outline.push_back(ToDevice(p.x, p.y));
        } else {
            for (Vec2 p : {Vec2{double(l), double(t)}, Vec2{double(rt), double(t)},
                           Vec2{double(rt), double(b)}, Vec2{double(l), double(b)}})
                outline.push_back(ToDevice(p.x, p.y));
        }
        if (inPath_) {
            PathAdd(outline, true, true);
        } else {
            ApplyPen();
            DrawPolygon(outline);
        }
        return;
    }
    ApplyPen();
    if (type == EMR_RECTANGLE) {
        Rectangle(dc_, box.left, box.top, box.right, box.bottom);
    } else if (type == EMR_ELLIPSE) {
        Ellipse(dc_, box.left, box.top, box.right, box.bottom);
    } else {
        if (!r.Has(24, 8)) return;
        int cw = RoundCoordinate(std::abs(r.I32Or0(24) * current_.ScaleX()));
        int ch = RoundCoordinate(std::abs(r.I32Or0(28) * current_.ScaleY()));
        RoundRect(dc_, box.left, box.top, box.right, box.bottom, cw, ch);
    }
}

// Box, start point, end point.
void EmfPlayer::ArcFamily(uint32_t type, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 32)) return;
    double l = r.I32Or0(8), t = r.I32Or0(12), rt = r.I32Or0(16), b = r.I32Or0(20);
    Vec2 start{double(r.I32Or0(24)), double(r.I32Or0(28))};
    Vec2 end{double(r.I32Or0(32)), double(r.I32Or0(36))};
    double extent =
        std::max(std::abs(current_.ScaleX() * (rt - l)), std::abs(current_.ScaleY() * (b - t)));
    // Directions are as seen on the device: a mirrored mapping turns them round.
    bool mirrored = current_.m11 * current_.m22 - current_.m12 * current_.m21 < 0;
    std::vector<Vec2> arc;
    for (Vec2 p :
         ArcPoints(l, t, rt, b, start, end, state_.clockwise != mirrored, SegmentsFor(extent * 2)))
        arc.push_back(ToDevice(p.x, p.y));
    if (type == EMR_PIE) arc.push_back(ToDevice((l + rt) / 2, (t + b) / 2));
    if (inPath_) {
        PathAdd(arc, true, type != EMR_ARC);
    } else if (type == EMR_ARC) {
        DrawPolyline(arc);
    } else {
        ApplyPen();
        DrawPolygon(arc);
    }
}

void EmfPlayer::SetPixel(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 12)) return;
    POINT p = DevicePoint(ToDevice(r.I32Or0(8), r.I32Or0(12)));
    SetPixelV(dc_, p.x, p.y, r.U32Or0(16));
}

// ---------------------------------------------------------------------------------------------
// Paths (kept in device space; curves already flattened)

void EmfPlayer::PathFigureStart(Vec2 p) {
    if (!path_.empty() && path_.back().points.size() == 1 && !path_.back().closed)
        path_.back().points[0] = p;  // a move after a move replaces it
    else
        path_.push_back({{p}, false});
}

void EmfPlayer::PathAdd(const std::vector<Vec2>& points, bool startsFigure, bool closed) {
    if (points.empty()) return;
    if (startsFigure || path_.empty() || path_.back().closed) {
        if (!path_.empty() && path_.back().points.size() == 1 && !path_.back().closed)
            path_.pop_back();
        path_.push_back({{}, false});
        if (!startsFigure) path_.back().points.push_back(state_.position);
    }
    Figure& f = path_.back();
    f.points.insert(f.points.end(), points.begin(), points.end());
    if (closed) {
        f.closed = true;
        SetPosition(f.points.front());
    }
}

void EmfPlayer::FillAndStrokePath(bool fill, bool stroke) {
    inPath_ = false;
    std::vector<Figure> figures = std::move(path_);
    path_.clear();
    if (fill) {
        std::vector<std::vector<Vec2>> polygons;
        for (const Figure& f : figures)
            if (f.points.size() >= 3) polygons.push_back(f.points);
        // A filled path has no outline of its own.
        HGDIOBJ previous = platform::SelectObject(dc_, GetStockObject(NULL_PEN));
        DrawPolyPolygon(polygons);
        if (previous) platform::SelectObject(dc_, previous);
    }
    if (stroke) {
        ApplyPen();
        for (const Figure& f : figures) {
            std::vector<Vec2> line = f.points;
            if (f.closed && line.size() > 1) line.push_back(line.front());
            DrawPolyline(line);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Clipping

void EmfPlayer::ClipRect(uint32_t type, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 16)) return;
    int32_t l = r.I32Or0(8), t = r.I32Or0(12), rt = r.I32Or0(16), b = r.I32Or0(20);
    RECT box;
    if (DeviceBox(l, t, rt, b, box)) {
        if (type == EMR_INTERSECTCLIPRECT)
            IntersectClipRect(dc_, box.left, box.top, box.right, box.bottom);
        else
            ExcludeClipRect(dc_, box.left, box.top, box.right, box.bottom);
        return;
    }
    std::vector<POINT> corners;
    for (Vec2 p : {Vec2{double(l), double(t)}, Vec2{double(rt), double(t)},
                   Vec2{double(rt), double(b)}, Vec2{double(l), double(b)}})
        corners.push_back(DevicePoint(ToDevice(p.x, p.y)));
    HRGN region = CreatePolygonRgn(corners.data(), 4, ALTERNATE);
    if (!region) return;
    ExtSelectClipRgn(dc_, region, type == EMR_INTERSECTCLIPRECT ? RGN_AND : RGN_DIFF);
    platform::DeleteObject(region);
}

// The path's figures become the clip, combined with the present one by the record's mode.
void EmfPlayer::SelectClipPath(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    inPath_ = false;
    std::vector<Figure> figures = std::move(path_);
    path_.clear();
    int mode = r.I32Or0(8);
    if (mode < RGN_AND || mode > RGN_COPY) return;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (!region) return;
    bool winding = GetPolyFillMode(dc_) == WINDING;
    for (const Figure& f : figures) {
        std::vector<Vec2> clipped = ClipPolygon(f.points, guard_);
        if (clipped.size() < 3) continue;
        std::vector<POINT> points = DevicePoints(clipped);
        HRGN piece = CreatePolygonRgn(points.data(), static_cast<int>(points.size()),
                                      winding ? WINDING : ALTERNATE);
        if (!piece) continue;
        // Overlapping figures cancel under the alternate rule and join under winding.
        CombineRgn(region, region, piece, winding ? RGN_OR : RGN_XOR);
        platform::DeleteObject(piece);
    }
    if (mode == RGN_COPY && initialClip_) CombineRgn(region, region, initialClip_, RGN_AND);
    ExtSelectClipRgn(dc_, region, mode);
    platform::DeleteObject(region);
}

// Region data is in reference-device units; an empty one with RGN_COPY returns to the clip
// the target had when playback began.
void EmfPlayer::SelectClipRegion(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(8, 8)) return;
    uint32_t size = r.U32Or0(8);
    int mode = r.I32Or0(12);
    if (mode < RGN_AND || mode > RGN_COPY) return;
    auto data = r.Slice(16, size);
    if (!data) return;
    ByteReader rgn(*data);
    constexpr size_t kHeader = 32;
    uint64_t count = rgn.U32Or0(8);
    if (size == 0 || count == 0) {
        if (mode == RGN_COPY) ExtSelectClipRgn(dc_, initialClip_, RGN_COPY);
        return;
    }
    if (!rgn.Has(0, kHeader) || count > (data->size() - kHeader) / 16) return;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (!region) return;
    for (uint64_t i = 0; i < count; ++i) {
        size_t at = kHeader + static_cast<size_t>(i) * 16;
        Vec2 a = play_.Apply({double(rgn.I32Or0(at)), double(rgn.I32Or0(at + 4))});
        Vec2 b = play_.Apply({double(rgn.I32Or0(at + 8)), double(rgn.I32Or0(at + 12))});
        POINT pa = DevicePoint(a), pb = DevicePoint(b);
        HRGN piece = CreateRectRgn(std::min(pa.x, pb.x), std::min(pa.y, pb.y), std::max(pa.x, pb.x),
                                   std::max(pa.y, pb.y));
        if (piece) {
            CombineRgn(region, region, piece, RGN_OR);
            platform::DeleteObject(piece);
        }
    }
    if (mode == RGN_COPY && initialClip_) CombineRgn(region, region, initialClip_, RGN_AND);
    ExtSelectClipRgn(dc_, region, mode);
    platform::DeleteObject(region);
}

// ---------------------------------------------------------------------------------------------
// Text

// Bounds, graphics mode, two scales, then the text: reference point, character count, string
// offset, options, rectangle, spacing offset.
// The 8-bit kind holds text in the code page of the selected font's character set.
void EmfPlayer::Text(std::span<const uint8_t> rec, bool wide) {
    ByteReader r(rec);
    constexpr size_t kFixed = 76;
    if (!r.Has(0, kFixed)) return;
    uint64_t chars = r.U32Or0(44);
    uint32_t offString = r.U32Or0(48);
    UINT options = r.U32Or0(52);
    size_t unit = wide ? 2 : 1;
    if (chars == 0 || chars > r.Size() / unit) return;
    auto raw = r.Slice(offString, static_cast<size_t>(chars) * unit);
    if (!raw) return;
    ByteReader text(*raw);
    std::u16string utf16;
    if (wide) {
        for (size_t i = 0; i < chars; ++i)
            utf16.push_back(static_cast<char16_t>(text.U16Or0(i * 2)));
    } else {
        utf16 = AnsiToUtf16(*raw, state_.font ? state_.font->lfCharSet : kDefaultCharset);
    }

    // Spacing is per UTF-16 unit; the raster wants one advance per character, so the two
    // halves of a surrogate pair are added together.
    std::vector<INT> dx;
    uint32_t offDx = r.U32Or0(72);
    bool haveDx = offDx != 0 && r.Slice(offDx, static_cast<size_t>(chars) * 4).has_value();
    double sx = current_.ScaleX();
    std::u32string code = core::Utf8ToUtf32(core::Utf16ToUtf8(utf16));
    // 8-bit text has one advance per byte; they only carry over one to one.
    if (!wide && utf16.size() != chars) haveDx = false;
    if (haveDx) {
        double pending = 0;
        for (size_t i = 0; i < utf16.size(); ++i) {
            pending += r.I32Or0(offDx + i * 4);
            bool lead = utf16[i] >= 0xD800 && utf16[i] < 0xDC00 && i + 1 < utf16.size() &&
                        utf16[i + 1] >= 0xDC00 && utf16[i + 1] < 0xE000;
            if (lead) continue;
            dx.push_back(RoundCoordinate(pending * sx));
            pending = 0;
        }
        if (dx.size() != code.size()) dx.clear();
    }

    RECT box{};
    const RECT* clip = nullptr;
    if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
        if (DeviceBox(r.I32Or0(56), r.I32Or0(60), r.I32Or0(64), r.I32Or0(68), box))
            clip = &box;
        else
            options &= ~static_cast<UINT>(ETO_OPAQUE | ETO_CLIPPED);
    }
    // Glyph numbers belong to the recording font: only the opaque box can be drawn.
    if (options & ETO_GLYPH_INDEX) {
        if ((options & ETO_OPAQUE) && clip) ExtTextOut(dc_, 0, 0, ETO_OPAQUE, clip, "", 0, nullptr);
        return;
    }
    ApplyFont();
    POINT at = DevicePoint(ToDevice(r.I32Or0(36), r.I32Or0(40)));
    std::string utf8 = core::Utf16ToUtf8(utf16);
    ExtTextOut(dc_, at.x, at.y, options, clip, utf8.data(), static_cast<UINT>(utf8.size()),
               dx.empty() ? nullptr : dx.data());
}

// ---------------------------------------------------------------------------------------------
// Bitmaps

void EmfPlayer::DrawDib(std::span<const uint8_t> rec, uint32_t offBmi, uint32_t cbBmi,
                        uint32_t offBits, uint32_t cbBits, uint32_t usage, Vec2 destA, Vec2 destB,
                        int32_t xSrc, int32_t ySrc, int32_t cxSrc, int32_t cySrc,
                        bool sourceTopDown, DWORD rop) {
    ByteReader r(rec);
    auto info = r.Slice(offBmi, cbBmi);
    auto bits = r.Slice(offBits, cbBits);
    if (!info || !bits) return;
    // Bitmaps are at most 32768 pixels on a side, so sensible source rectangles are small
    // numbers; others are refused before any arithmetic on them can overflow. The same goes
    // for destinations far larger than any target.
    constexpr int32_t kSourceLimit = 1 << 20;
    constexpr double kDestLimit = 1 << 16;
    for (int32_t v : {xSrc, ySrc, cxSrc, cySrc})
        if (v <= -kSourceLimit || v >= kSourceLimit) return;
    if (std::abs(destB.x - destA.x) > kDestLimit || std::abs(destB.y - destA.y) > kDestLimit)
        return;
    auto dib = DescribeDib(*info, usage);
    if (!dib || bits->size() < dib->bitsSize) return;
    // The raster reads the header as a structure: give it aligned memory.
    std::vector<uint32_t> aligned((dib->infoSize + 3) / 4 + 1);
    std::memcpy(aligned.data(), info->data(), dib->infoSize);
    const auto* bmi = reinterpret_cast<const BITMAPINFO*>(aligned.data());
    // Blit sources count rows from the top; a bottom-up bitmap counts them from the bottom.
    int32_t height = std::abs(dib->height);
    if (sourceTopDown && dib->height > 0)
        ySrc = static_cast<int32_t>(
            std::clamp<int64_t>(int64_t(height) - ySrc - cySrc, INT32_MIN, INT32_MAX));
    POINT a = DevicePoint(destA), b = DevicePoint(destB);
    StretchDIBits(dc_, a.x, a.y, b.x - a.x, b.y - a.y, xSrc, ySrc, cxSrc, cySrc, bits->data(), bmi,
                  usage, rop);
}

// Bounds, destination x, y, source x, y, w, h, header and bits, usage, operation, dest w, h.
void EmfPlayer::StretchDibits(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(0, 80)) return;
    int32_t x = r.I32Or0(24), y = r.I32Or0(28);
    int32_t cx = r.I32Or0(72), cy = r.I32Or0(76);
    DrawDib(rec, r.U32Or0(48), r.U32Or0(52), r.U32Or0(56), r.U32Or0(60), r.U32Or0(64),
            ToDevice(x, y), ToDevice(double(x) + cx, double(y) + cy), r.I32Or0(32), r.I32Or0(36),
            r.I32Or0(40), r.I32Or0(44), false, r.U32Or0(68));
}

// Bounds, destination x, y, w, h, operation, source x, y, source transform, background,
// usage, header and bits (and for the stretching kind source w, h).
void EmfPlayer::Blt(uint32_t type, std::span<const uint8_t> rec) {
    ByteReader r(rec);
    size_t fixed = type == EMR_STRETCHBLT ? 108 : 100;
    if (!r.Has(0, fixed)) return;
    int32_t x = r.I32Or0(24), y = r.I32Or0(28), cx = r.I32Or0(32), cy = r.I32Or0(36);
    DWORD rop = r.U32Or0(40);
    Vec2 a = ToDevice(x, y), b = ToDevice(double(x) + cx, double(y) + cy);
    if (r.U32Or0(88) == 0) {  // no source: a pattern operation with the brush
        POINT pa = DevicePoint(a), pb = DevicePoint(b);
        PatBlt(dc_, pa.x, pa.y, pb.x - pa.x, pb.y - pa.y, rop);
        return;
    }
    int32_t cxSrc = type == EMR_STRETCHBLT ? r.I32Or0(100) : cx;
    int32_t cySrc = type == EMR_STRETCHBLT ? r.I32Or0(104) : cy;
    DrawDib(rec, r.U32Or0(84), r.U32Or0(88), r.U32Or0(92), r.U32Or0(96), r.U32Or0(80), a, b,
            r.I32Or0(44), r.I32Or0(48), cxSrc, cySrc, true, rop);
}

// Bounds, destination x, y, source x, y, w, h, header and bits, usage, first scan, scans.
void EmfPlayer::SetDibitsToDevice(std::span<const uint8_t> rec) {
    ByteReader r(rec);
    if (!r.Has(0, 76)) return;
    int32_t x = r.I32Or0(24), y = r.I32Or0(28);
    int32_t cx = r.I32Or0(40), cy = r.I32Or0(44);
    // Only whole bitmaps: partial scan bands would need the rows placed one band at a time.
    if (r.U32Or0(68) != 0) return;
    DrawDib(rec, r.U32Or0(48), r.U32Or0(52), r.U32Or0(56), r.U32Or0(60), r.U32Or0(64),
            ToDevice(x, y), ToDevice(double(x) + cx, double(y) + cy), r.I32Or0(32), r.I32Or0(36),
            cx, cy, false, 0x00CC0020);
}

}  // namespace platform::metafile
