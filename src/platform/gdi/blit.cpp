// Blits: PatBlt, BitBlt, StretchBlt, MaskBlt, GetPixel and SetPixel over the raster engine.
#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/rop.h"

namespace platform {
namespace {

// One axis of a blit after normalising mirrored rectangles.
struct Axis {
    std::int64_t dstStart = 0;
    std::int64_t dstSize = 0;
    std::int64_t srcStart = 0;
    std::int64_t srcSize = 0;
    bool mirror = false;
    bool Identity() const { return dstSize == srcSize && !mirror; }
};

Axis MakeAxis(LONG dstA, LONG dstB, LONG srcA, LONG srcB) {
    Axis a;
    std::int64_t dw = std::int64_t(dstB) - dstA, sw = std::int64_t(srcB) - srcA;
    a.mirror = (dw < 0) != (sw < 0);
    a.dstStart = std::min<std::int64_t>(dstA, dstB);
    a.dstSize = dw < 0 ? -dw : dw;
    a.srcStart = std::min<std::int64_t>(srcA, srcB);
    a.srcSize = sw < 0 ? -sw : sw;
    return a;
}

// Destination pixels [lo, hi) of an axis whose source lies inside [0, srcLimit), given the
// mapping for destination offsets starting at `from`.
void ValidRange(const AxisMapping& m, std::int64_t srcStart, std::int64_t srcLimit,
                std::int64_t& lo, std::int64_t& hi, std::int64_t from) {
    std::int64_t first = -1, last = -1;
    for (std::size_t i = 0; i < m.index.size(); ++i) {
        std::int64_t s = srcStart + m.index[i];
        if (s >= 0 && s < srcLimit) {
            if (first < 0) first = std::int64_t(i);
            last = std::int64_t(i);
        }
    }
    if (first < 0) {
        lo = hi = 0;
        return;
    }
    lo = from + first;
    hi = from + last + 1;
}

enum class Combine { None, And, Or, Average };

class BlitEngine {
  public:
    explicit BlitEngine(const BlitRequest& q) : q_(q) {}
    bool Run();

  private:
    void SourceRow(std::int64_t offsetY, std::int64_t x0, int n, std::uint32_t* out);
    void CombinedSourceRow(std::int64_t offsetY, std::int64_t x0, int n, std::uint32_t* out);
    bool DirectCopy(const std::vector<RECT>& rects, bool reverse);

    const BlitRequest& q_;
    BitmapObject* dst_ = nullptr;
    const BitmapObject* src_ = nullptr;
    std::unique_ptr<BitmapObject> srcCopy_;  // when a stretch reads the surface it writes
    Axis ax_, ay_;
    std::int64_t rangeX0_ = 0, rangeY0_ = 0;
    AxisMapping mx_, my_;
    std::vector<int> xs_;  // absolute source columns for the destination range
    Combine combine_ = Combine::None;
    std::unique_ptr<ValueConverter> convert_;
    RowReader srcRead_ = nullptr;
    RowGather srcGather_ = nullptr;
};

bool BlitEngine::Run() {
    DcObject& dc = *q_.dst;
    dst_ = dc.Surface();
    if (!dst_) return true;  // the screen DC draws nowhere
    std::uint8_t fore = Rop3Code(q_.rop);
    std::uint8_t back = q_.mask ? std::uint8_t(q_.rop >> 24) : fore;
    bool useSrc = Rop3UsesSource(fore) || Rop3UsesSource(back);
    bool usePat = Rop3UsesPattern(fore) || Rop3UsesPattern(back);
    if (useSrc) {
        if (!q_.src || !(src_ = q_.src->Surface())) return false;
        ax_ = MakeAxis(q_.dstRect.left, q_.dstRect.right, q_.srcRect.left, q_.srcRect.right);
        ay_ = MakeAxis(q_.dstRect.top, q_.dstRect.bottom, q_.srcRect.top, q_.srcRect.bottom);
    } else {
        ax_ = MakeAxis(q_.dstRect.left, q_.dstRect.right, q_.dstRect.left, q_.dstRect.right);
        ay_ = MakeAxis(q_.dstRect.top, q_.dstRect.bottom, q_.dstRect.top, q_.dstRect.bottom);
        ax_.mirror = ay_.mirror = false;
    }
    if (ax_.dstSize == 0 || ay_.dstSize == 0 || ax_.srcSize == 0 || ay_.srcSize == 0) return true;

    // Work only on the part of the destination the clip lets through: the cost follows the
    // visible destination, never the source or the nominal rectangle.
    const Region& clip = dc.EffectiveClip();
    if (clip.IsEmpty()) return true;
    RECT cb = clip.Bounds();
    std::int64_t x0 = std::max<std::int64_t>(ax_.dstStart, cb.left),
                 x1 = std::min<std::int64_t>(ax_.dstStart + ax_.dstSize, cb.right);
    std::int64_t y0 = std::max<std::int64_t>(ay_.dstStart, cb.top),
                 y1 = std::min<std::int64_t>(ay_.dstStart + ay_.dstSize, cb.bottom);
    if (x0 >= x1 || y0 >= y1) return true;

    if (q_.mask) {
        std::int64_t mx = q_.maskOrigin.x + (x0 - ax_.dstStart),
                     my = q_.maskOrigin.y + (y0 - ay_.dstStart);
        if (q_.maskOrigin.x < 0 || q_.maskOrigin.y < 0 ||
            q_.maskOrigin.x + ax_.dstSize > q_.mask->Width() ||
            q_.maskOrigin.y + ay_.dstSize > q_.mask->Height() || mx < 0 || my < 0) {
            return false;
        }
    }

    if (useSrc) {
        bool shrinking = ax_.dstSize < ax_.srcSize || ay_.dstSize < ay_.srcSize;
        int mode = q_.stretchMode;
        if (shrinking && mode == BLACKONWHITE)
            combine_ = Combine::And;
        else if (shrinking && mode == WHITEONBLACK)
            combine_ = Combine::Or;
        else if (shrinking && mode == HALFTONE && dst_->BitsPerPixel() > 1)
            combine_ = Combine::Average;
        mx_ = MapAxis(ax_.srcSize, ax_.dstSize, x0 - ax_.dstStart, x1 - ax_.dstStart, ax_.mirror,
                      true);
        my_ = MapAxis(ay_.srcSize, ay_.dstSize, y0 - ay_.dstStart, y1 - ay_.dstStart, ay_.mirror,
                      false);
        std::int64_t lo, hi;
        ValidRange(mx_, ax_.srcStart, src_->Width(), lo, hi, x0);
        std::int64_t shiftX = lo - x0;
        x0 = lo;
        x1 = hi;
        ValidRange(my_, ay_.srcStart, src_->Height(), lo, hi, y0);
        std::int64_t shiftY = lo - y0;
        y0 = lo;
        y1 = hi;
        if (x0 >= x1 || y0 >= y1) return true;
        auto trim = [](AxisMapping& m, std::int64_t shift, std::int64_t count) {
            for (auto* v : {&m.index, &m.first, &m.last}) {
                v->erase(v->begin(), v->begin() + shift);
                v->resize(std::size_t(count));
            }
        };
        trim(mx_, shiftX, x1 - x0);
        trim(my_, shiftY, y1 - y0);
        xs_.resize(mx_.index.size());
        for (std::size_t i = 0; i < xs_.size(); ++i) xs_[i] = int(ax_.srcStart + mx_.index[i]);
        if (src_ == dst_ && !(ax_.Identity() && ay_.Identity())) {
            srcCopy_ = src_->Clone();
            if (!srcCopy_) return false;
            src_ = srcCopy_.get();
        }
        const DcState& ds = dc.State();
        convert_ = std::make_unique<ValueConverter>(
            src_->Format(), dst_->Format(), q_.src->State().bkColor, PlainColor(dc, ds.textColor),
            PlainColor(dc, ds.bkColor));
        srcRead_ = RowReaderFor(src_->BitsPerPixel());
        srcGather_ = RowGatherFor(src_->BitsPerPixel());
    }
    rangeX0_ = x0;
    rangeY0_ = y0;

    Region area(clip);
    area.Intersect(RECT{LONG(x0), LONG(y0), LONG(x1), LONG(y1)});
    if (area.IsEmpty()) return true;
    std::vector<RECT> rects = area.Rects();
    // Copies within one surface towards larger y run bottom-up so no source row is overwritten
    // before it is read.
    bool reverse = useSrc && src_ == dst_ && ay_.dstStart > ay_.srcStart;
    if (reverse) std::reverse(rects.begin(), rects.end());

    if (!q_.mask && fore == 0xCC && useSrc && combine_ == Combine::None && ax_.Identity() &&
        ay_.Identity() && convert_->IsIdentity() && dst_->BitsPerPixel() >= 8) {
        return DirectCopy(rects, reverse);
    }

    std::unique_ptr<Pattern> pattern;
    if (usePat) {
        pattern = std::make_unique<Pattern>(dc, dst_->Format(), q_.brush);
        if (pattern->IsNull()) pattern = std::make_unique<Pattern>(dst_->Format(), COLORREF(0));
    }
    RowReader dstRead = RowReaderFor(dst_->BitsPerPixel());
    RowWriter dstWrite = RowWriterFor(dst_->BitsPerPixel());
    RowReader maskRead = RowReaderFor(1);
    RopRowFn ropFore = RopRowFor(fore), ropBack = RopRowFor(back);
    std::size_t width = std::size_t(x1 - x0);
    std::vector<std::uint32_t> s(width), p(width), d(width), d2, m;
    std::vector<std::uint8_t> skip(width);
    if (q_.mask) {
        d2.resize(width);
        m.resize(width);
    }
    for (const RECT& r : rects) {
        int n = r.right - r.left;
        for (int k = 0; k < r.bottom - r.top; ++k) {
            int y = reverse ? r.bottom - 1 - k : r.top + k;
            std::uint8_t* row = dst_->Row(y);
            if (useSrc) SourceRow(y - rangeY0_, r.left, n, s.data());
            if (pattern)
                pattern->Row(r.left, y, n, p.data(), pattern->HasSkips() ? skip.data() : nullptr);
            dstRead(row, r.left, n, d.data());
            if (q_.mask) {
                std::copy_n(d.begin(), n, d2.begin());
                ropBack(d2.data(), s.data(), p.data(), n);
                ropFore(d.data(), s.data(), p.data(), n);
                std::int64_t mx = q_.maskOrigin.x + (r.left - ax_.dstStart),
                             my = q_.maskOrigin.y + (y - ay_.dstStart);
                maskRead(q_.mask->Row(int(my)), int(mx), n, m.data());
                for (int i = 0; i < n; ++i)
                    if (!m[std::size_t(i)]) d[std::size_t(i)] = d2[std::size_t(i)];
            } else if (pattern && pattern->HasSkips()) {
                std::vector<std::uint32_t> keep(d.begin(), d.begin() + n);
                ropFore(d.data(), s.data(), p.data(), n);
                for (int i = 0; i < n; ++i)
                    if (skip[std::size_t(i)]) d[std::size_t(i)] = keep[std::size_t(i)];
            } else {
                ropFore(d.data(), s.data(), p.data(), n);
            }
            dstWrite(row, r.left, n, d.data());
        }
    }
    return true;
}

bool BlitEngine::DirectCopy(const std::vector<RECT>& rects, bool reverse) {
    int bytesPerPixel = dst_->BitsPerPixel() / 8;
    for (const RECT& r : rects) {
        std::size_t bytes = std::size_t(r.right - r.left) * bytesPerPixel;
        std::int64_t sx = ax_.srcStart + (r.left - ax_.dstStart);
        for (int k = 0; k < r.bottom - r.top; ++k) {
            int y = reverse ? r.bottom - 1 - k : r.top + k;
            std::int64_t sy = ay_.srcStart + (y - ay_.dstStart);
            std::memmove(dst_->Row(y) + std::size_t(r.left) * bytesPerPixel,
                         src_->Row(int(sy)) + std::size_t(sx) * bytesPerPixel, bytes);
        }
    }
    return true;
}

// Source values for destination pixels x0 .. x0+n of the row at offset `offsetY` in the
// mapped range, converted to the destination's format.
void BlitEngine::SourceRow(std::int64_t offsetY, std::int64_t x0, int n, std::uint32_t* out) {
    if (combine_ != Combine::None) {
        CombinedSourceRow(offsetY, x0, n, out);
        return;
    }
    int sy = int(ay_.srcStart + my_.index[std::size_t(offsetY)]);
    std::size_t i0 = std::size_t(x0 - rangeX0_);
    if (ax_.Identity())
        srcRead_(src_->Row(sy), xs_[i0], n, out);
    else
        srcGather_(src_->Row(sy), xs_.data() + i0, n, out);
    convert_->Convert(out, n);
}

// Shrinking in BLACKONWHITE, WHITEONBLACK or HALFTONE mode: every destination pixel takes
// all source pixels of its group, ANDed, ORed or averaged. Each source row of the groups is
// read once, as one span.
void BlitEngine::CombinedSourceRow(std::int64_t offsetY, std::int64_t x0, int n,
                                   std::uint32_t* out) {
    std::size_t iy = std::size_t(offsetY);
    int yFirst = int(std::max<std::int64_t>(0, ay_.srcStart + my_.first[iy]));
    int yLast = int(std::min<std::int64_t>(src_->Height() - 1, ay_.srcStart + my_.last[iy]));
    std::size_t i0 = std::size_t(x0 - rangeX0_);
    auto columnFirst = [&](int i) {
        return int(std::max<std::int64_t>(0, ax_.srcStart + mx_.first[i0 + std::size_t(i)]));
    };
    auto columnLast = [&](int i) {
        return int(std::min<std::int64_t>(src_->Width() - 1,
                                          ax_.srcStart + mx_.last[i0 + std::size_t(i)]));
    };
    // Groups are monotonic along the row (reversed when mirrored): the span is their hull.
    int spanFirst = std::min(columnFirst(0), columnFirst(n - 1));
    int spanLast = std::max(columnLast(0), columnLast(n - 1));
    int span = spanLast - spanFirst + 1;
    if (span <= 0) {
        std::fill_n(out, n, 0u);
        return;
    }
    std::vector<std::uint32_t> row(static_cast<std::size_t>(span));
    const PixelFormat& sf = src_->Format();
    if (combine_ == Combine::Average) {
        const DcState& ds = q_.dst->State();
        std::vector<std::uint32_t> sums(std::size_t(n) * 3, 0);
        std::vector<std::uint32_t> counts(static_cast<std::size_t>(n), 0);
        for (int y = yFirst; y <= yLast; ++y) {
            srcRead_(src_->Row(y), spanFirst, span, row.data());
            for (int i = 0; i < n; ++i) {
                for (int x = columnFirst(i); x <= columnLast(i); ++x) {
                    std::uint32_t v = row[std::size_t(x - spanFirst)];
                    COLORREF c = sf.monoDdb ? (v ? ds.bkColor : ds.textColor) : sf.ToColor(v);
                    sums[std::size_t(i) * 3] += GetRValue(c);
                    sums[std::size_t(i) * 3 + 1] += GetGValue(c);
                    sums[std::size_t(i) * 3 + 2] += GetBValue(c);
                    ++counts[std::size_t(i)];
                }
            }
        }
        for (int i = 0; i < n; ++i) {
            std::uint32_t k = std::max(1u, counts[std::size_t(i)]);
            const std::uint32_t* s = &sums[std::size_t(i) * 3];
            out[i] = dst_->Format().FromColor(
                RGB(BYTE((s[0] + k / 2) / k), BYTE((s[1] + k / 2) / k), BYTE((s[2] + k / 2) / k)));
        }
        return;
    }
    // The pixels are combined as the destination holds them: a 1-bit picture whose table
    // lists white first keeps its black pixels like one that lists black first.
    const bool isAnd = combine_ == Combine::And;
    std::fill_n(out, n, isAnd ? ~0u : 0u);
    for (int y = yFirst; y <= yLast; ++y) {
        srcRead_(src_->Row(y), spanFirst, span, row.data());
        convert_->Convert(row.data(), span);
        for (int i = 0; i < n; ++i) {
            std::uint32_t acc = out[i];
            for (int x = columnFirst(i); x <= columnLast(i); ++x) {
                std::uint32_t v = row[std::size_t(x - spanFirst)];
                acc = isAnd ? (acc & v) : (acc | v);
            }
            out[i] = acc;
        }
    }
    for (int i = 0; i < n; ++i) out[i] &= dst_->Format().ValueMask();
}

// A logical rectangle of a DC as surface rectangle (may be mirrored).
RECT SurfaceRect(DcObject& dc, LONG x, LONG y, std::int64_t width, std::int64_t height) {
    auto clamp = [](std::int64_t v) {
        return LONG(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    RECT r = dc.ToDeviceRect({x, y, clamp(x + width), clamp(y + height)});
    POINT o = dc.DeviceOrigin();
    return {clamp(std::int64_t(r.left) + o.x), clamp(std::int64_t(r.top) + o.y),
            clamp(std::int64_t(r.right) + o.x), clamp(std::int64_t(r.bottom) + o.y)};
}

}  // namespace

bool ExecuteBlit(const BlitRequest& request) {
    if (!request.dst) return false;
    BlitEngine engine(request);
    return engine.Run();
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    DcObject* d = ResolveDc(dc);
    if (!d || Rop3UsesSource(Rop3Code(rop))) return FALSE;
    BlitRequest q;
    q.dst = d;
    q.dstRect = SurfaceRect(*d, x, y, width, height);
    q.rop = rop;
    return ExecuteBlit(q) ? TRUE : FALSE;
}

BOOL StretchBlt(HDC dest, int xDest, int yDest, int destWidth, int destHeight, HDC src, int xSrc,
                int ySrc, int srcWidth, int srcHeight, DWORD rop) {
    DcObject* d = ResolveDc(dest);
    if (!d) return FALSE;
    BlitRequest q;
    q.dst = d;
    q.rop = rop & 0x00FFFFFF;
    q.dstRect = SurfaceRect(*d, xDest, yDest, destWidth, destHeight);
    q.stretchMode = d->State().stretchMode;
    if (Rop3UsesSource(Rop3Code(rop))) {
        q.src = ResolveDc(src);
        if (!q.src) return FALSE;
        q.srcRect = SurfaceRect(*q.src, xSrc, ySrc, srcWidth, srcHeight);
    }
    return ExecuteBlit(q) ? TRUE : FALSE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop) {
    return StretchBlt(dest, x, y, width, height, src, xSrc, ySrc, width, height, rop);
}

BOOL MaskBlt(HDC dest, int xDest, int yDest, int width, int height, HDC src, int xSrc, int ySrc,
             HBITMAP mask, int xMask, int yMask, DWORD rop) {
    if (!mask) return BitBlt(dest, xDest, yDest, width, height, src, xSrc, ySrc, rop & 0x00FFFFFF);
    DcObject* d = ResolveDc(dest);
    auto* m = ResolveObject<BitmapObject>(mask);
    if (!d || !m || m->BitsPerPixel() != 1 || width <= 0 || height <= 0) return FALSE;
    BlitRequest q;
    q.dst = d;
    q.rop = rop;
    q.mask = m;
    q.maskOrigin = {xMask, yMask};
    RECT r = SurfaceRect(*d, xDest, yDest, width, height);
    // No stretching: the destination keeps the source's size whatever the mapping.
    q.dstRect = {r.left, r.top, LONG(std::int64_t(r.left) + width),
                 LONG(std::int64_t(r.top) + height)};
    std::uint8_t fore = Rop3Code(rop), back = std::uint8_t(rop >> 24);
    if (Rop3UsesSource(fore) || Rop3UsesSource(back)) {
        q.src = ResolveDc(src);
        if (!q.src) return FALSE;
        RECT s = SurfaceRect(*q.src, xSrc, ySrc, width, height);
        q.srcRect = {s.left, s.top, LONG(std::int64_t(s.left) + width),
                     LONG(std::int64_t(s.top) + height)};
    }
    return ExecuteBlit(q) ? TRUE : FALSE;
}

namespace {

// The surface pixel of a logical point, or false when it lies outside the bitmap or clip.
bool SurfacePoint(DcObject& d, int x, int y, int& sx, int& sy) {
    BitmapObject* s = d.Surface();
    if (!s) return false;
    POINT p = d.ToDevice({x, y});
    POINT o = d.DeviceOrigin();
    std::int64_t px = std::int64_t(p.x) + o.x, py = std::int64_t(p.y) + o.y;
    if (px < 0 || py < 0 || px >= s->Width() || py >= s->Height()) return false;
    if (!d.EffectiveClip().Contains(int(px), int(py))) return false;
    sx = int(px);
    sy = int(py);
    return true;
}

}  // namespace

COLORREF GetPixel(HDC dc, int x, int y) {
    DcObject* d = ResolveDc(dc);
    int sx, sy;
    if (!d || !SurfacePoint(*d, x, y, sx, sy)) return CLR_INVALID;
    BitmapObject* s = d->Surface();
    return s->Format().ToColor(ReadPixelValue(s->Row(sy), sx, s->BitsPerPixel()));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    DcObject* d = ResolveDc(dc);
    int sx, sy;
    if (!d || !SurfacePoint(*d, x, y, sx, sy)) return CLR_INVALID;
    BitmapObject* s = d->Surface();
    std::uint32_t v = s->Format().FromColor(PlainColor(*d, color));
    WritePixelValue(s->Row(sy), sx, s->BitsPerPixel(), v);
    return s->Format().ToColor(v);
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF color) {
    return SetPixel(dc, x, y, color) == CLR_INVALID ? FALSE : TRUE;
}

}  // namespace platform
