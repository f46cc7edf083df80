// Clipping of device contexts: the application clip region, kept in device coordinates.
#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"

namespace platform {
namespace {

// The region an absent clip stands for: everything the DC could draw on, in device units.
Region WholeDevice(DcObject& d) {
    POINT o = d.DeviceOrigin();
    RECT bounds{-o.x, -o.y, -o.x, -o.y};
    if (BitmapObject* s = d.Surface()) {
        bounds.right += s->Width();
        bounds.bottom += s->Height();
    } else {
        bounds = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return Region(bounds);
}

int ClipComplexity(DcObject& d) {
    const Region& clip = d.EffectiveClip();
    return d.Surface() ? clip.Complexity() : SIMPLEREGION;
}

int CombineClip(DcObject& d, const Region* region, int mode) {
    DcState& s = d.State();
    if (mode == RGN_COPY) {
        if (region)
            s.clip = *region;
        else
            s.clip.reset();
    } else {
        if (!region) return ERROR;
        Region current = s.clip ? *s.clip : WholeDevice(d);
        switch (mode) {
            case RGN_AND:
                current.Intersect(*region);
                break;
            case RGN_OR:
                current.Union(*region);
                break;
            case RGN_XOR:
                current.Xor(*region);
                break;
            case RGN_DIFF:
                current.Subtract(*region);
                break;
            default:
                return ERROR;
        }
        s.clip = std::move(current);
    }
    d.InvalidateClip();
    return ClipComplexity(d);
}

RECT DeviceRectOf(DcObject& d, int left, int top, int right, int bottom) {
    return NormalizedRect(d.ToDeviceRect({left, top, right, bottom}));
}

}  // namespace

int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
    DcObject* d = ResolveDc(dc);
    if (!d) return ERROR;
    if (!region) return CombineClip(*d, nullptr, mode);
    auto* r = ResolveObject<RegionObject>(region);
    if (!r) return ERROR;
    return CombineClip(*d, &r->Get(), mode);
}

int SelectClipRgn(HDC dc, HRGN region) {
    return ExtSelectClipRgn(dc, region, RGN_COPY);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    DcObject* d = ResolveDc(dc);
    if (!d) return ERROR;
    Region r(DeviceRectOf(*d, left, top, right, bottom));
    return CombineClip(*d, &r, RGN_DIFF);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    DcObject* d = ResolveDc(dc);
    if (!d) return ERROR;
    Region r(DeviceRectOf(*d, left, top, right, bottom));
    return CombineClip(*d, &r, RGN_AND);
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
    DcObject* d = ResolveDc(dc);
    if (!d) return ERROR;
    if (d->State().clip) {
        POINT a = d->ToDevice({0, 0}), b = d->ToDevice({dx, dy});
        d->State().clip->Offset(b.x - a.x, b.y - a.y);
        d->InvalidateClip();
    }
    return ClipComplexity(*d);
}

int GetClipRgn(HDC dc, HRGN region) {
    DcObject* d = ResolveDc(dc);
    auto* r = ResolveObject<RegionObject>(region);
    if (!d || !r) return -1;
    if (!d->State().clip) return 0;
    r->Get() = *d->State().clip;
    return 1;
}

int GetClipBox(HDC dc, RECT* rect) {
    DcObject* d = ResolveDc(dc);
    if (!d || !rect) return ERROR;
    if (!d->Surface()) {  // the screen DC
        Region whole = WholeDevice(*d);
        if (d->State().clip) whole.Intersect(*d->State().clip);
        RECT b = whole.Bounds();
        POINT a = d->ToLogical({b.left, b.top}), c = d->ToLogical({b.right, b.bottom});
        *rect = NormalizedRect({a.x, a.y, c.x, c.y});
        return whole.Complexity();
    }
    const Region& clip = d->EffectiveClip();
    RECT b = clip.Bounds();
    POINT o = d->DeviceOrigin();
    POINT a = d->ToLogical({b.left - o.x, b.top - o.y});
    POINT c = d->ToLogical({b.right - o.x, b.bottom - o.y});
    *rect = clip.IsEmpty() ? RECT{0, 0, 0, 0} : NormalizedRect({a.x, a.y, c.x, c.y});
    return clip.Complexity();
}

BOOL PtVisible(HDC dc, int x, int y) {
    DcObject* d = ResolveDc(dc);
    if (!d) return FALSE;
    POINT p = d->ToDevice({x, y});
    POINT o = d->DeviceOrigin();
    return d->EffectiveClip().Contains(p.x + o.x, p.y + o.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC dc, const RECT* rect) {
    DcObject* d = ResolveDc(dc);
    if (!d || !rect) return FALSE;
    RECT r = NormalizedRect(d->ToDeviceRect(*rect));
    POINT o = d->DeviceOrigin();
    r = {r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
    return d->EffectiveClip().Overlaps(r) ? TRUE : FALSE;
}

}  // namespace platform
