// Coordinate mapping of device contexts: window and viewport origins and extents.
#include <cstdlib>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"

namespace platform {
namespace {

// a * b / c rounded half away from zero, as Windows' MulDiv; c != 0.
LONG ScaleRounded(std::int64_t a, std::int64_t b, std::int64_t c) {
    std::int64_t n = a * b;
    bool negative = (n < 0) != (c < 0);
    std::int64_t q = (std::llabs(n) + std::llabs(c) / 2) / std::llabs(c);
    q = negative ? -q : q;
    if (q > INT32_MAX) return INT32_MAX;
    if (q < INT32_MIN) return INT32_MIN;
    return LONG(q);
}

bool Scalable(int mode) {
    return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC;
}

// Keeps one logical unit the same size along both axes, shrinking the larger viewport scale.
void FixIsotropic(DcState& s) {
    if (s.mapMode != MM_ISOTROPIC) return;
    std::int64_t wx = s.windowExt.cx, wy = s.windowExt.cy, vx = s.viewportExt.cx,
                 vy = s.viewportExt.cy;
    if (!wx || !wy || !vx || !vy) return;
    // Compare |vx/wx| with |vy/wy|.
    if (std::llabs(vx * wy) < std::llabs(vy * wx)) {
        LONG v = ScaleRounded(std::llabs(wy), std::llabs(vx), std::llabs(wx));
        s.viewportExt.cy = vy < 0 ? -v : v;
    } else {
        LONG v = ScaleRounded(std::llabs(wx), std::llabs(vy), std::llabs(wy));
        s.viewportExt.cx = vx < 0 ? -v : v;
    }
}

}  // namespace

POINT DcObject::ToDevice(POINT p) const {
    const DcState& s = state_;
    if (s.mapMode == MM_TEXT) {
        return {LONG(std::int64_t(p.x) - s.windowOrg.x + s.viewportOrg.x),
                LONG(std::int64_t(p.y) - s.windowOrg.y + s.viewportOrg.y)};
    }
    return {ScaleRounded(std::int64_t(p.x) - s.windowOrg.x, s.viewportExt.cx, s.windowExt.cx) +
                s.viewportOrg.x,
            ScaleRounded(std::int64_t(p.y) - s.windowOrg.y, s.viewportExt.cy, s.windowExt.cy) +
                s.viewportOrg.y};
}

POINT DcObject::ToLogical(POINT p) const {
    const DcState& s = state_;
    if (s.mapMode == MM_TEXT) {
        return {LONG(std::int64_t(p.x) - s.viewportOrg.x + s.windowOrg.x),
                LONG(std::int64_t(p.y) - s.viewportOrg.y + s.windowOrg.y)};
    }
    return {ScaleRounded(std::int64_t(p.x) - s.viewportOrg.x, s.windowExt.cx, s.viewportExt.cx) +
                s.windowOrg.x,
            ScaleRounded(std::int64_t(p.y) - s.viewportOrg.y, s.windowExt.cy, s.viewportExt.cy) +
                s.windowOrg.y};
}

RECT DcObject::ToDeviceRect(const RECT& r) const {
    POINT a = ToDevice({r.left, r.top});
    POINT b = ToDevice({r.right, r.bottom});
    return {a.x, a.y, b.x, b.y};
}

bool DcObject::IsIdentityScale() const {
    const DcState& s = state_;
    return s.mapMode == MM_TEXT ||
           (s.windowExt.cx == s.viewportExt.cx && s.windowExt.cy == s.viewportExt.cy);
}

int SetMapMode(HDC dc, int mode) {
    DcObject* d = ResolveDc(dc);
    if (!d || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
    DcState& s = d->State();
    int previous = s.mapMode;
    s.mapMode = mode;
    int unitsPerInch = 0;
    switch (mode) {
        case MM_TEXT:
            s.windowExt = {1, 1};
            s.viewportExt = {1, 1};
            return previous;
        case MM_LOMETRIC:
            unitsPerInch = 254;
            break;
        case MM_HIMETRIC:
            unitsPerInch = 2540;
            break;
        case MM_LOENGLISH:
            unitsPerInch = 100;
            break;
        case MM_HIENGLISH:
            unitsPerInch = 1000;
            break;
        case MM_TWIPS:
            unitsPerInch = 1440;
            break;
        case MM_ISOTROPIC:
            unitsPerInch = 254;
            break;
        case MM_ANISOTROPIC:
            return previous;  // keeps the current extents
    }
    // Fixed modes: y grows upwards, as on paper.
    s.windowExt = {unitsPerInch, unitsPerInch};
    s.viewportExt = {96, -96};
    return previous;
}

int GetMapMode(HDC dc) {
    DcObject* d = ResolveDc(dc);
    return d ? d->State().mapMode : 0;
}

namespace {

BOOL SetPoint(HDC dc, POINT DcState::*field, int x, int y, POINT* previous, bool relative) {
    DcObject* d = ResolveDc(dc);
    if (!d) return FALSE;
    POINT& p = d->State().*field;
    if (previous) *previous = p;
    p = relative ? POINT{p.x + x, p.y + y} : POINT{x, y};
    return TRUE;
}

BOOL GetPoint(HDC dc, POINT DcState::*field, POINT* out) {
    DcObject* d = ResolveDc(dc);
    if (!d || !out) return FALSE;
    *out = d->State().*field;
    return TRUE;
}

BOOL SetExtent(HDC dc, SIZE DcState::*field, int x, int y, SIZE* previous) {
    DcObject* d = ResolveDc(dc);
    if (!d) return FALSE;
    DcState& s = d->State();
    if (previous) *previous = s.*field;
    if (!Scalable(s.mapMode)) return TRUE;  // ignored in fixed modes, as on Windows
    if (x == 0 || y == 0) return FALSE;
    s.*field = {x, y};
    FixIsotropic(s);
    return TRUE;
}

BOOL GetExtent(HDC dc, SIZE DcState::*field, SIZE* out) {
    DcObject* d = ResolveDc(dc);
    if (!d || !out) return FALSE;
    *out = d->State().*field;
    return TRUE;
}

BOOL ScaleExtent(HDC dc, SIZE DcState::*field, int xNum, int xDenom, int yNum, int yDenom,
                 SIZE* previous) {
    DcObject* d = ResolveDc(dc);
    if (!d || !xDenom || !yDenom) return FALSE;
    SIZE e = d->State().*field;
    return SetExtent(dc, field, ScaleRounded(e.cx, xNum, xDenom), ScaleRounded(e.cy, yNum, yDenom),
                     previous);
}

}  // namespace

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous) {
    return SetPoint(dc, &DcState::viewportOrg, x, y, previous, false);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous) {
    return SetPoint(dc, &DcState::viewportOrg, dx, dy, previous, true);
}
BOOL GetViewportOrgEx(HDC dc, POINT* origin) {
    return GetPoint(dc, &DcState::viewportOrg, origin);
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous) {
    return SetPoint(dc, &DcState::windowOrg, x, y, previous, false);
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous) {
    return SetPoint(dc, &DcState::windowOrg, dx, dy, previous, true);
}
BOOL GetWindowOrgEx(HDC dc, POINT* origin) {
    return GetPoint(dc, &DcState::windowOrg, origin);
}
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* previous) {
    return SetExtent(dc, &DcState::viewportExt, x, y, previous);
}
BOOL GetViewportExtEx(HDC dc, SIZE* extent) {
    return GetExtent(dc, &DcState::viewportExt, extent);
}
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* previous) {
    return SetExtent(dc, &DcState::windowExt, x, y, previous);
}
BOOL GetWindowExtEx(HDC dc, SIZE* extent) {
    return GetExtent(dc, &DcState::windowExt, extent);
}
BOOL ScaleViewportExtEx(HDC dc, int xNum, int xDenom, int yNum, int yDenom, SIZE* previous) {
    return ScaleExtent(dc, &DcState::viewportExt, xNum, xDenom, yNum, yDenom, previous);
}
BOOL ScaleWindowExtEx(HDC dc, int xNum, int xDenom, int yNum, int yDenom, SIZE* previous) {
    return ScaleExtent(dc, &DcState::windowExt, xNum, xDenom, yNum, yDenom, previous);
}

BOOL LPtoDP(HDC dc, POINT* points, int count) {
    DcObject* d = ResolveDc(dc);
    if (!d || (count > 0 && !points)) return FALSE;
    for (int i = 0; i < count; ++i) points[i] = d->ToDevice(points[i]);
    return TRUE;
}

BOOL DPtoLP(HDC dc, POINT* points, int count) {
    DcObject* d = ResolveDc(dc);
    if (!d || (count > 0 && !points)) return FALSE;
    for (int i = 0; i < count; ++i) points[i] = d->ToLogical(points[i]);
    return TRUE;
}

}  // namespace platform
