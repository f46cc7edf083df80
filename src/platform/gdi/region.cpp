// Regions over pixman's region32, and the region functions of the drawing services.
#include "platform/gdi/region.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/gdi.h"

namespace platform {

RECT NormalizedRect(const RECT& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

Region::Region() {
    pixman_region32_init(&region_);
}

Region::Region(const RECT& rect) {
    RECT r = NormalizedRect(rect);
    pixman_region32_init_rect(&region_, r.left, r.top, unsigned(std::int64_t(r.right) - r.left),
                              unsigned(std::int64_t(r.bottom) - r.top));
}

Region::Region(const Region& other) {
    pixman_region32_init(&region_);
    pixman_region32_copy(&region_, &other.region_);
}

Region& Region::operator=(const Region& other) {
    if (this != &other) pixman_region32_copy(&region_, &other.region_);
    return *this;
}

Region::~Region() {
    pixman_region32_fini(&region_);
}

Region Region::FromRects(const RECT* rects, std::size_t count) {
    Region result;
    std::vector<pixman_box32_t> boxes;
    boxes.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        RECT r = NormalizedRect(rects[i]);
        if (r.left < r.right && r.top < r.bottom)
            boxes.push_back({r.left, r.top, r.right, r.bottom});
    }
    if (!boxes.empty()) {
        pixman_region32_fini(&result.region_);
        pixman_region32_init_rects(&result.region_, boxes.data(), int(boxes.size()));
    }
    return result;
}

bool Region::IsEmpty() const {
    return !pixman_region32_not_empty(const_cast<pixman_region32_t*>(&region_));
}

RECT Region::Bounds() const {
    if (IsEmpty()) return {0, 0, 0, 0};
    const pixman_box32_t* b = pixman_region32_extents(const_cast<pixman_region32_t*>(&region_));
    return {b->x1, b->y1, b->x2, b->y2};
}

int Region::Complexity() const {
    int n = pixman_region32_n_rects(const_cast<pixman_region32_t*>(&region_));
    return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

std::vector<RECT> Region::Rects() const {
    int n = 0;
    const pixman_box32_t* boxes =
        pixman_region32_rectangles(const_cast<pixman_region32_t*>(&region_), &n);
    std::vector<RECT> out;
    out.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) out.push_back({boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
    return out;
}

bool Region::Contains(int x, int y) const {
    return pixman_region32_contains_point(const_cast<pixman_region32_t*>(&region_), x, y, nullptr);
}

bool Region::Overlaps(const RECT& rect) const {
    RECT r = NormalizedRect(rect);
    if (r.left >= r.right || r.top >= r.bottom) return false;
    pixman_box32_t box{r.left, r.top, r.right, r.bottom};
    return pixman_region32_contains_rectangle(const_cast<pixman_region32_t*>(&region_), &box) !=
           PIXMAN_REGION_OUT;
}

bool Region::Equals(const Region& other) const {
    return pixman_region32_equal(const_cast<pixman_region32_t*>(&region_),
                                 const_cast<pixman_region32_t*>(&other.region_));
}

void Region::SetRect(const RECT& rect) {
    *this = Region(rect);
}
void Region::Clear() {
    pixman_region32_clear(&region_);
}
void Region::Offset(int dx, int dy) {
    pixman_region32_translate(&region_, dx, dy);
}
void Region::Intersect(const Region& other) {
    pixman_region32_intersect(&region_, &region_, const_cast<pixman_region32_t*>(&other.region_));
}
void Region::Intersect(const RECT& rect) {
    RECT r = NormalizedRect(rect);
    pixman_region32_intersect_rect(&region_, &region_, r.left, r.top,
                                   unsigned(std::int64_t(r.right) - r.left),
                                   unsigned(std::int64_t(r.bottom) - r.top));
}
void Region::Union(const Region& other) {
    pixman_region32_union(&region_, &region_, const_cast<pixman_region32_t*>(&other.region_));
}
void Region::Subtract(const Region& other) {
    pixman_region32_subtract(&region_, &region_, const_cast<pixman_region32_t*>(&other.region_));
}
void Region::Xor(const Region& other) {
    Region aMinusB(*this);
    aMinusB.Subtract(other);
    Region bMinusA(other);
    bMinusA.Subtract(*this);
    aMinusB.Union(bMinusA);
    *this = aMinusB;
}

// ---------------------------------------------------------------------------------------------
// Region functions

namespace {

RegionObject* ResolveRegion(HRGN region) {
    return ResolveObject<RegionObject>(region);
}

HRGN NewRegion(const Region& region) {
    return RegisterObject<HRGN>(std::make_unique<RegionObject>(region));
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return NewRegion(Region(RECT{left, top, right, bottom}));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (!rect) return nullptr;
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN ExtCreateRegion(const void* transform, DWORD byteCount, const RGNDATA* data) {
    // Transforms are not supported; callers pass none.
    if (transform || !data || byteCount < sizeof(RGNDATAHEADER)) return nullptr;
    const RGNDATAHEADER& h = data->rdh;
    if (h.dwSize < sizeof(RGNDATAHEADER) || h.iType != RDH_RECTANGLES) return nullptr;
    std::uint64_t needed = std::uint64_t(h.dwSize) + std::uint64_t(h.nCount) * sizeof(RECT);
    if (needed > byteCount) return nullptr;
    std::vector<RECT> rects(h.nCount);
    if (h.nCount)
        std::memcpy(rects.data(), reinterpret_cast<const char*>(data) + h.dwSize,
                    h.nCount * sizeof(RECT));
    // Each rectangle is a union member, whatever the order the caller gave.
    Region result;
    const std::size_t kBatch = 4096;
    for (std::size_t i = 0; i < rects.size(); i += kBatch) {
        result.Union(Region::FromRects(rects.data() + i, std::min(kBatch, rects.size() - i)));
    }
    return NewRegion(result);
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    RegionObject* d = ResolveRegion(dest);
    RegionObject* a = ResolveRegion(src1);
    if (!d || !a) return ERROR;
    if (mode == RGN_COPY) {
        d->Get() = a->Get();
        return d->Get().Complexity();
    }
    RegionObject* b = ResolveRegion(src2);
    if (!b) return ERROR;
    Region result = a->Get();
    switch (mode) {
        case RGN_AND:
            result.Intersect(b->Get());
            break;
        case RGN_OR:
            result.Union(b->Get());
            break;
        case RGN_XOR:
            result.Xor(b->Get());
            break;
        case RGN_DIFF:
            result.Subtract(b->Get());
            break;
        default:
            return ERROR;
    }
    d->Get() = result;
    return d->Get().Complexity();
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    RegionObject* r = ResolveRegion(region);
    if (!r) return FALSE;
    r->Get().SetRect({left, top, right, bottom});
    return TRUE;
}

BOOL PtInRegion(HRGN region, int x, int y) {
    RegionObject* r = ResolveRegion(region);
    return r && r->Get().Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
    RegionObject* r = ResolveRegion(region);
    return r && rect && r->Get().Overlaps(*rect) ? TRUE : FALSE;
}

int GetRgnBox(HRGN region, RECT* rect) {
    RegionObject* r = ResolveRegion(region);
    if (!r || !rect) return ERROR;
    *rect = r->Get().Bounds();
    return r->Get().Complexity();
}

int OffsetRgn(HRGN region, int dx, int dy) {
    RegionObject* r = ResolveRegion(region);
    if (!r) return ERROR;
    r->Get().Offset(dx, dy);
    return r->Get().Complexity();
}

BOOL EqualRgn(HRGN a, HRGN b) {
    RegionObject* ra = ResolveRegion(a);
    RegionObject* rb = ResolveRegion(b);
    if (!ra || !rb) return ERROR;
    return ra->Get().Equals(rb->Get()) ? TRUE : FALSE;
}

DWORD GetRegionData(HRGN region, DWORD byteCount, RGNDATA* data) {
    RegionObject* r = ResolveRegion(region);
    if (!r) return 0;
    std::vector<RECT> rects = r->Get().Rects();
    DWORD needed = DWORD(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    if (!data) return needed;
    if (byteCount < needed) return 0;
    RGNDATAHEADER h{};
    h.dwSize = sizeof(RGNDATAHEADER);
    h.iType = RDH_RECTANGLES;
    h.nCount = DWORD(rects.size());
    h.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    h.rcBound = r->Get().Bounds();
    std::memcpy(data, &h, sizeof h);
    if (!rects.empty())
        std::memcpy(reinterpret_cast<char*>(data) + sizeof h, rects.data(),
                    rects.size() * sizeof(RECT));
    return needed;
}

}  // namespace platform
