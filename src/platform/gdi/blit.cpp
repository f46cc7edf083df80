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

// The destination pixels a blit works on, surface coordinates, half-open.
struct PixelRange {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;
    bool IsEmpty() const { return left >= right || top >= bottom; }
    RECT Rect() const { return RECT{LONG(left), LONG(top), LONG(right), LONG(bottom)}; }
};

// What a stretch can make of the source: draw, draw nothing, or fail.
enum class SourceSetup { Ready, NothingVisible, Failed };

// One destination row's values while the raster codes combine them.
struct RowBuffers {
    RowBuffers(std::size_t width, bool masked)
        : source(width), pattern(width), dest(width), skip(width) {
        if (masked) {
            destBack.resize(width);
            mask.resize(width);
        }
    }
    std::vector<std::uint32_t> source;
    std::vector<std::uint32_t> pattern;
    std::vector<std::uint32_t> dest;      // the destination, then the foreground code's result
    std::vector<std::uint32_t> destBack;  // the background code's result, for a mask's 0 pixels
    std::vector<std::uint32_t> mask;
    std::vector<std::uint8_t> skip;  // 1 where the pattern leaves the destination alone
};

class BlitEngine {
  public:
    explicit BlitEngine(const BlitRequest& request) : request_(request) {}
    bool Run();

  private:
    void SetUpAxes();
    PixelRange VisibleRange(const RECT& clipBounds) const;
    bool MaskCovers(const PixelRange& range) const;
    SourceSetup SetUpSource(DcObject& dc, PixelRange& range);
    void ChooseCombine();
    bool MapSource(PixelRange& range);
    bool CanCopyDirectly() const;
    void RenderRows(DcObject& dc, const std::vector<RECT>& rects, bool reverse, std::size_t width);
    void RenderRow(int y, int left, int count, const Pattern* pattern, RowBuffers& row);
    void SourceRow(std::int64_t offsetY, std::int64_t x0, int n, std::uint32_t* out);
    void CombinedSourceRow(std::int64_t offsetY, std::int64_t x0, int n, std::uint32_t* out);
    bool DirectCopy(const std::vector<RECT>& rects, bool reverse);

    const BlitRequest& request_;
    BitmapObject* dst_ = nullptr;
    const BitmapObject* src_ = nullptr;
    std::unique_ptr<BitmapObject> sourceCopy_;  // when a stretch reads the surface it writes
    std::uint8_t foreCode_ = 0;  // raster code where the mask is 1, or everywhere without one
    std::uint8_t backCode_ = 0;  // raster code where the mask is 0
    bool usesSource_ = false;
    bool usesPattern_ = false;
    Axis xAxis_, yAxis_;
    std::int64_t rangeLeft_ = 0, rangeTop_ = 0;  // the first destination column and row drawn
    AxisMapping columnMap_, rowMap_;             // source offsets for the drawn columns and rows
    std::vector<int> sourceColumns_;             // absolute source columns for the drawn columns
    Combine combine_ = Combine::None;
    std::unique_ptr<ValueConverter> convert_;
    RowReader sourceRead_ = nullptr;
    RowGather sourceGather_ = nullptr;
    RowReader destRead_ = nullptr;
    RowWriter destWrite_ = nullptr;
    RowReader maskRead_ = nullptr;
    RopRowFn foreRop_ = nullptr;
    RopRowFn backRop_ = nullptr;
};

bool BlitEngine::Run() {
    DcObject& dc = *request_.dst;
    dst_ = dc.Surface();
    if (!dst_) return true;  // the screen DC draws nowhere
    foreCode_ = Rop3Code(request_.rop);
    backCode_ = request_.mask ? std::uint8_t(request_.rop >> 24) : foreCode_;
    usesSource_ = Rop3UsesSource(foreCode_) || Rop3UsesSource(backCode_);
    usesPattern_ = Rop3UsesPattern(foreCode_) || Rop3UsesPattern(backCode_);
    if (usesSource_ && (!request_.src || !(src_ = request_.src->Surface()))) return false;
    SetUpAxes();
    if (xAxis_.dstSize == 0 || yAxis_.dstSize == 0 || xAxis_.srcSize == 0 || yAxis_.srcSize == 0)
        return true;

    // Work only on the part of the destination the clip lets through: the cost follows the
    // visible destination, never the source or the nominal rectangle.
    const Region& clip = dc.EffectiveClip();
    if (clip.IsEmpty()) return true;
    PixelRange range = VisibleRange(clip.Bounds());
    if (range.IsEmpty()) return true;
    if (request_.mask && !MaskCovers(range)) return false;
    if (usesSource_) {
        SourceSetup setup = SetUpSource(dc, range);
        if (setup != SourceSetup::Ready) return setup == SourceSetup::NothingVisible;
    }
    rangeLeft_ = range.left;
    rangeTop_ = range.top;

    Region area(clip);
    area.Intersect(range.Rect());
    if (area.IsEmpty()) return true;
    std::vector<RECT> rects = area.Rects();
    // Copies within one surface towards larger y run bottom-up so no source row is overwritten
    // before it is read.
    bool reverse = usesSource_ && src_ == dst_ && yAxis_.dstStart > yAxis_.srcStart;
    if (reverse) std::reverse(rects.begin(), rects.end());
    if (CanCopyDirectly()) return DirectCopy(rects, reverse);
    RenderRows(dc, rects, reverse, std::size_t(range.right - range.left));
    return true;
}

void BlitEngine::SetUpAxes() {
    const RECT& to = request_.dstRect;
    if (usesSource_) {
        const RECT& from = request_.srcRect;
        xAxis_ = MakeAxis(to.left, to.right, from.left, from.right);
        yAxis_ = MakeAxis(to.top, to.bottom, from.top, from.bottom);
    } else {
        xAxis_ = MakeAxis(to.left, to.right, to.left, to.right);
        yAxis_ = MakeAxis(to.top, to.bottom, to.top, to.bottom);
        xAxis_.mirror = yAxis_.mirror = false;
    }
}

PixelRange BlitEngine::VisibleRange(const RECT& clipBounds) const {
    return {std::max<std::int64_t>(xAxis_.dstStart, clipBounds.left),
            std::max<std::int64_t>(yAxis_.dstStart, clipBounds.top),
            std::min<std::int64_t>(xAxis_.dstStart + xAxis_.dstSize, clipBounds.right),
            std::min<std::int64_t>(yAxis_.dstStart + yAxis_.dstSize, clipBounds.bottom)};
}

// The mask must hold a pixel for every destination pixel of the blit.
bool BlitEngine::MaskCovers(const PixelRange& range) const {
    const POINT& origin = request_.maskOrigin;
    std::int64_t maskX = origin.x + (range.left - xAxis_.dstStart),
                 maskY = origin.y + (range.top - yAxis_.dstStart);
    return origin.x >= 0 && origin.y >= 0 && origin.x + xAxis_.dstSize <= request_.mask->Width() &&
           origin.y + yAxis_.dstSize <= request_.mask->Height() && maskX >= 0 && maskY >= 0;
}

// Maps the destination range onto the source, narrows it to the pixels whose source exists,
// and prepares reading and converting the source.
SourceSetup BlitEngine::SetUpSource(DcObject& dc, PixelRange& range) {
    ChooseCombine();
    if (!MapSource(range)) return SourceSetup::NothingVisible;
    if (src_ == dst_ && !(xAxis_.Identity() && yAxis_.Identity())) {
        sourceCopy_ = src_->Clone();
        if (!sourceCopy_) return SourceSetup::Failed;
        src_ = sourceCopy_.get();
    }
    const DcState& ds = dc.State();
    convert_ = std::make_unique<ValueConverter>(
        src_->Format(), dst_->Format(), request_.src->State().bkColor, PlainColor(dc, ds.textColor),
        PlainColor(dc, ds.bkColor));
    sourceRead_ = RowReaderFor(src_->BitsPerPixel());
    sourceGather_ = RowGatherFor(src_->BitsPerPixel());
    return SourceSetup::Ready;
}

void BlitEngine::ChooseCombine() {
    bool shrinking = xAxis_.dstSize < xAxis_.srcSize || yAxis_.dstSize < yAxis_.srcSize;
    if (!shrinking) return;
    int mode = request_.stretchMode;
    if (mode == BLACKONWHITE)
        combine_ = Combine::And;
    else if (mode == WHITEONBLACK)
        combine_ = Combine::Or;
    else if (mode == HALFTONE && dst_->BitsPerPixel() > 1)
        combine_ = Combine::Average;
}

// False when no destination pixel of the range has a source pixel.
bool BlitEngine::MapSource(PixelRange& range) {
    columnMap_ = MapAxis(xAxis_.srcSize, xAxis_.dstSize, range.left - xAxis_.dstStart,
                         range.right - xAxis_.dstStart, xAxis_.mirror, true);
    rowMap_ = MapAxis(yAxis_.srcSize, yAxis_.dstSize, range.top - yAxis_.dstStart,
                      range.bottom - yAxis_.dstStart, yAxis_.mirror, false);
    std::int64_t lo, hi;
    ValidRange(columnMap_, xAxis_.srcStart, src_->Width(), lo, hi, range.left);
    std::int64_t shiftX = lo - range.left;
    range.left = lo;
    range.right = hi;
    ValidRange(rowMap_, yAxis_.srcStart, src_->Height(), lo, hi, range.top);
    std::int64_t shiftY = lo - range.top;
    range.top = lo;
    range.bottom = hi;
    if (range.IsEmpty()) return false;
    auto trim = [](AxisMapping& m, std::int64_t shift, std::int64_t count) {
        for (auto* v : {&m.index, &m.first, &m.last}) {
            v->erase(v->begin(), v->begin() + shift);
            v->resize(std::size_t(count));
        }
    };
    trim(columnMap_, shiftX, range.right - range.left);
    trim(rowMap_, shiftY, range.bottom - range.top);
    sourceColumns_.resize(columnMap_.index.size());
    for (std::size_t i = 0; i < sourceColumns_.size(); ++i)
        sourceColumns_[i] = int(xAxis_.srcStart + columnMap_.index[i]);
    return true;
}

// A plain copy between surfaces of one format, neither stretched nor masked.
bool BlitEngine::CanCopyDirectly() const {
    return !request_.mask && foreCode_ == 0xCC && usesSource_ && combine_ == Combine::None &&
           xAxis_.Identity() && yAxis_.Identity() && convert_->IsIdentity() &&
           dst_->BitsPerPixel() >= 8;
}

void BlitEngine::RenderRows(DcObject& dc, const std::vector<RECT>& rects, bool reverse,
                            std::size_t width) {
    std::unique_ptr<Pattern> pattern;
    if (usesPattern_) {
        pattern = std::make_unique<Pattern>(dc, dst_->Format(), request_.brush);
        if (pattern->IsNull()) pattern = std::make_unique<Pattern>(dst_->Format(), COLORREF(0));
    }
    destRead_ = RowReaderFor(dst_->BitsPerPixel());
    destWrite_ = RowWriterFor(dst_->BitsPerPixel());
    maskRead_ = RowReaderFor(1);
    foreRop_ = RopRowFor(foreCode_);
    backRop_ = RopRowFor(backCode_);
    RowBuffers row(width, request_.mask != nullptr);
    for (const RECT& r : rects) {
        for (int k = 0; k < r.bottom - r.top; ++k) {
            int y = reverse ? r.bottom - 1 - k : r.top + k;
            RenderRow(y, r.left, r.right - r.left, pattern.get(), row);
        }
    }
}

// Destination pixels left .. left+count of row y.
void BlitEngine::RenderRow(int y, int left, int count, const Pattern* pattern, RowBuffers& row) {
    std::uint32_t* source = row.source.data();
    std::uint32_t* brush = row.pattern.data();
    std::uint32_t* dest = row.dest.data();
    std::uint8_t* line = dst_->Row(y);
    if (usesSource_) SourceRow(y - rangeTop_, left, count, source);
    if (pattern)
        pattern->Row(left, y, count, brush, pattern->HasSkips() ? row.skip.data() : nullptr);
    destRead_(line, left, count, dest);
    if (request_.mask) {
        std::copy_n(row.dest.begin(), count, row.destBack.begin());
        backRop_(row.destBack.data(), source, brush, count);
        foreRop_(dest, source, brush, count);
        std::int64_t maskX = request_.maskOrigin.x + (left - xAxis_.dstStart),
                     maskY = request_.maskOrigin.y + (y - yAxis_.dstStart);
        maskRead_(request_.mask->Row(int(maskY)), int(maskX), count, row.mask.data());
        for (std::size_t i = 0; i < std::size_t(count); ++i)
            if (!row.mask[i]) row.dest[i] = row.destBack[i];
    } else if (pattern && pattern->HasSkips()) {
        std::vector<std::uint32_t> keep(row.dest.begin(), row.dest.begin() + count);
        foreRop_(dest, source, brush, count);
        for (std::size_t i = 0; i < std::size_t(count); ++i)
            if (row.skip[i]) row.dest[i] = keep[i];
    } else {
        foreRop_(dest, source, brush, count);
    }
    destWrite_(line, left, count, dest);
}

bool BlitEngine::DirectCopy(const std::vector<RECT>& rects, bool reverse) {
    int bytesPerPixel = dst_->BitsPerPixel() / 8;
    for (const RECT& r : rects) {
        std::size_t bytes = std::size_t(r.right - r.left) * bytesPerPixel;
        std::int64_t sx = xAxis_.srcStart + (r.left - xAxis_.dstStart);
        for (int k = 0; k < r.bottom - r.top; ++k) {
            int y = reverse ? r.bottom - 1 - k : r.top + k;
            std::int64_t sy = yAxis_.srcStart + (y - yAxis_.dstStart);
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
    int sy = int(yAxis_.srcStart + rowMap_.index[std::size_t(offsetY)]);
    std::size_t i0 = std::size_t(x0 - rangeLeft_);
    if (xAxis_.Identity())
        sourceRead_(src_->Row(sy), sourceColumns_[i0], n, out);
    else
        sourceGather_(src_->Row(sy), sourceColumns_.data() + i0, n, out);
    convert_->Convert(out, n);
}

// Shrinking in BLACKONWHITE, WHITEONBLACK or HALFTONE mode: every destination pixel takes
// all source pixels of its group, ANDed, ORed or averaged. Each source row of the groups is
// read once, as one span.
void BlitEngine::CombinedSourceRow(std::int64_t offsetY, std::int64_t x0, int n,
                                   std::uint32_t* out) {
    std::size_t iy = std::size_t(offsetY);
    int yFirst = int(std::max<std::int64_t>(0, yAxis_.srcStart + rowMap_.first[iy]));
    int yLast = int(std::min<std::int64_t>(src_->Height() - 1, yAxis_.srcStart + rowMap_.last[iy]));
    std::size_t i0 = std::size_t(x0 - rangeLeft_);
    auto columnFirst = [&](int i) {
        return int(
            std::max<std::int64_t>(0, xAxis_.srcStart + columnMap_.first[i0 + std::size_t(i)]));
    };
    auto columnLast = [&](int i) {
        return int(std::min<std::int64_t>(src_->Width() - 1,
                                          xAxis_.srcStart + columnMap_.last[i0 + std::size_t(i)]));
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
        const DcState& ds = request_.dst->State();
        std::vector<std::uint32_t> sums(std::size_t(n) * 3, 0);
        std::vector<std::uint32_t> counts(static_cast<std::size_t>(n), 0);
        for (int y = yFirst; y <= yLast; ++y) {
            sourceRead_(src_->Row(y), spanFirst, span, row.data());
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
        sourceRead_(src_->Row(y), spanFirst, span, row.data());
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
