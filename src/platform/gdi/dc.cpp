// Device contexts: creation, the screen DC, surface DCs for windows, state, SaveDC/RestoreDC.
#include "platform/gdi/dc.h"

#include <atomic>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/gdi.h"

namespace platform {

DcObject::DcObject(Type type) : GdiObject(type == Type::Memory ? OBJ_MEMDC : OBJ_DC), type_(type) {
    state_.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    state_.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    state_.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    state_.palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    if (type == Type::Memory) SetSurface(DefaultBitmap());
}

DcObject::~DcObject() {
    if (GdiObject* b = ResolveAny(state_.bitmap)) b->RemoveSelection();
}

BitmapObject* DcObject::Surface() const {
    if (type_ == Type::Screen) return nullptr;
    return ResolveObject<BitmapObject>(state_.bitmap);
}

HBITMAP DcObject::SetSurface(HBITMAP bitmap) {
    HBITMAP previous = state_.bitmap;
    if (bitmap == previous) return previous;
    if (GdiObject* b = ResolveAny(bitmap)) b->AddSelection();
    if (GdiObject* b = ResolveAny(previous)) b->RemoveSelection();
    state_.bitmap = bitmap;
    clipValid_ = false;
    return previous;
}

void DcObject::SetDeviceOrigin(POINT origin) {
    deviceOrigin_ = origin;
    clipValid_ = false;
}

void DcObject::SetVisibleRegion(std::optional<Region> region) {
    visible_ = std::move(region);
    clipValid_ = false;
}

const Region& DcObject::EffectiveClip() {
    // Cached until the surface, origin, visible region or clip changes.
    BitmapObject* surface = Surface();
    if (!surface) {
        effectiveClip_.Clear();
        return effectiveClip_;
    }
    if (!clipValid_) {
        effectiveClip_.SetRect({0, 0, surface->Width(), surface->Height()});
        if (visible_) effectiveClip_.Intersect(*visible_);
        if (state_.clip) {
            Region clip = *state_.clip;
            clip.Offset(deviceOrigin_.x, deviceOrigin_.y);
            effectiveClip_.Intersect(clip);
        }
        clipValid_ = true;
    }
    return effectiveClip_;
}

DcObject* ResolveDc(HDC dc) {
    return ResolveObject<DcObject>(dc);
}

// ---------------------------------------------------------------------------------------------
// Creation and deletion

HDC CreateCompatibleDC(HDC dc) {
    if (dc && !ResolveDc(dc)) return nullptr;
    return RegisterObject<HDC>(std::make_unique<DcObject>(DcObject::Type::Memory));
}

BOOL DeleteDC(HDC dc) {
    if (!ResolveDc(dc)) return FALSE;
    return DestroyObject(dc) ? TRUE : FALSE;
}

namespace {

std::atomic<HDC (*)(HWND)> gGetWindowDc{nullptr};
std::atomic<int (*)(HWND, HDC)> gReleaseWindowDc{nullptr};

}  // namespace

void SetWindowDcHooks(HDC (*getWindowDc)(HWND), int (*releaseWindowDc)(HWND, HDC)) {
    gGetWindowDc = getWindowDc;
    gReleaseWindowDc = releaseWindowDc;
}

HDC GetDC(HWND window) {
    if (window) {
        auto hook = gGetWindowDc.load();
        return hook ? hook(window) : nullptr;
    }
    return RegisterObject<HDC>(std::make_unique<DcObject>(DcObject::Type::Screen));
}

int ReleaseDC(HWND window, HDC dc) {
    DcObject* d = ResolveDc(dc);
    if (!d || d->GetType() == DcObject::Type::Memory) return 0;
    if (d->GetType() == DcObject::Type::Surface) {
        auto hook = gReleaseWindowDc.load();
        return hook ? hook(window, dc) : 0;
    }
    return DestroyObject(dc) ? 1 : 0;
}

HDC CreateSurfaceDC(HBITMAP surface, POINT deviceOrigin, HRGN visibleRegion) {
    if (!ResolveObject<BitmapObject>(surface)) return nullptr;
    auto d = std::make_unique<DcObject>(DcObject::Type::Surface);
    d->SetSurface(surface);
    d->SetDeviceOrigin(deviceOrigin);
    if (auto* r = ResolveObject<RegionObject>(visibleRegion)) d->SetVisibleRegion(r->Get());
    return RegisterObject<HDC>(std::move(d));
}

BOOL SetSurfaceDCVisibleRegion(HDC dc, HRGN visibleRegion, POINT deviceOrigin) {
    DcObject* d = ResolveDc(dc);
    if (!d || d->GetType() != DcObject::Type::Surface) return FALSE;
    d->SetDeviceOrigin(deviceOrigin);
    if (auto* r = ResolveObject<RegionObject>(visibleRegion))
        d->SetVisibleRegion(r->Get());
    else
        d->SetVisibleRegion(std::nullopt);
    return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
    if (!ResolveDc(dc)) return 0;
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    switch (index) {
        case DRIVERVERSION:
            return 0x4000;
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case HORZSIZE:
            return (width * 254 + 480) / 960;  // millimetres at 96 pixels per inch
        case VERTSIZE:
            return (height * 254 + 480) / 960;
        case HORZRES:
        case DESKTOPHORZRES:
            return width;
        case VERTRES:
        case DESKTOPVERTRES:
            return height;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case NUMBRUSHES:
        case NUMPENS:
        case NUMCOLORS:
            return -1;
        case NUMFONTS:
            return 0;
        case ASPECTX:
        case ASPECTY:
            return 36;
        case ASPECTXY:
            return 51;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case RASTERCAPS:
            return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT |
                   RC_STRETCHDIB;
        case SIZEPALETTE:
        case NUMRESERVED:
            return 0;
        case COLORRES:
            return 24;
        default:
            return 0;
    }
}

int SaveDC(HDC dc) {
    DcObject* d = ResolveDc(dc);
    if (!d) return 0;
    d->SavedStates().push_back(d->State());
    return int(d->SavedStates().size());
}

BOOL RestoreDC(HDC dc, int savedDc) {
    DcObject* d = ResolveDc(dc);
    if (!d) return FALSE;
    auto& saved = d->SavedStates();
    int count = int(saved.size());
    int level = savedDc < 0 ? count + savedDc + 1 : savedDc;
    if (level < 1 || level > count) return FALSE;
    DcState state = saved[std::size_t(level - 1)];
    saved.resize(std::size_t(level - 1));
    HBITMAP bitmap = state.bitmap;
    state.bitmap = d->State().bitmap;  // swapped through SetSurface to keep selection counts
    d->State() = std::move(state);
    if (d->GetType() == DcObject::Type::Memory) d->SetSurface(bitmap);
    d->InvalidateClip();
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Simple state

namespace {

template <class T>
T Swap(T& slot, T value) {
    T previous = slot;
    slot = value;
    return previous;
}

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF color) {
    DcObject* d = ResolveDc(dc);
    return d ? Swap(d->State().textColor, color) : CLR_INVALID;
}
COLORREF GetTextColor(HDC dc) {
    DcObject* d = ResolveDc(dc);
    return d ? d->State().textColor : CLR_INVALID;
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
    DcObject* d = ResolveDc(dc);
    return d ? Swap(d->State().bkColor, color) : CLR_INVALID;
}
COLORREF GetBkColor(HDC dc) {
    DcObject* d = ResolveDc(dc);
    return d ? d->State().bkColor : CLR_INVALID;
}
int SetBkMode(HDC dc, int mode) {
    DcObject* d = ResolveDc(dc);
    if (!d || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return Swap(d->State().bkMode, mode);
}
int GetBkMode(HDC dc) {
    DcObject* d = ResolveDc(dc);
    return d ? d->State().bkMode : 0;
}
UINT SetTextAlign(HDC dc, UINT align) {
    DcObject* d = ResolveDc(dc);
    return d ? Swap(d->State().textAlign, align) : GDI_ERROR;
}
UINT GetTextAlign(HDC dc) {
    DcObject* d = ResolveDc(dc);
    return d ? d->State().textAlign : GDI_ERROR;
}
int SetROP2(HDC dc, int rop2) {
    DcObject* d = ResolveDc(dc);
    if (!d || rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
    return Swap(d->State().rop2, rop2);
}
int GetROP2(HDC dc) {
    DcObject* d = ResolveDc(dc);
    return d ? d->State().rop2 : 0;
}
int SetStretchBltMode(HDC dc, int mode) {
    DcObject* d = ResolveDc(dc);
    if (!d || mode < BLACKONWHITE || mode > HALFTONE) return 0;
    return Swap(d->State().stretchMode, mode);
}
int GetStretchBltMode(HDC dc) {
    DcObject* d = ResolveDc(dc);
    return d ? d->State().stretchMode : 0;
}
int SetPolyFillMode(HDC dc, int mode) {
    DcObject* d = ResolveDc(dc);
    if (!d || (mode != ALTERNATE && mode != WINDING)) return 0;
    return Swap(d->State().polyFillMode, mode);
}
int GetPolyFillMode(HDC dc) {
    DcObject* d = ResolveDc(dc);
    return d ? d->State().polyFillMode : 0;
}
int SetGraphicsMode(HDC dc, int mode) {
    DcObject* d = ResolveDc(dc);
    if (!d || (mode != GM_COMPATIBLE && mode != GM_ADVANCED)) return 0;
    return Swap(d->State().graphicsMode, mode);
}
int GetGraphicsMode(HDC dc) {
    DcObject* d = ResolveDc(dc);
    return d ? d->State().graphicsMode : 0;
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous) {
    DcObject* d = ResolveDc(dc);
    if (!d) return FALSE;
    POINT old = Swap(d->State().brushOrg, POINT{x, y});
    if (previous) *previous = old;
    return TRUE;
}
BOOL GetBrushOrgEx(HDC dc, POINT* origin) {
    DcObject* d = ResolveDc(dc);
    if (!d || !origin) return FALSE;
    *origin = d->State().brushOrg;
    return TRUE;
}
COLORREF SetDCBrushColor(HDC dc, COLORREF color) {
    DcObject* d = ResolveDc(dc);
    return d ? Swap(d->State().dcBrushColor, color) : CLR_INVALID;
}
COLORREF SetDCPenColor(HDC dc, COLORREF color) {
    DcObject* d = ResolveDc(dc);
    return d ? Swap(d->State().dcPenColor, color) : CLR_INVALID;
}
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
    DcObject* d = ResolveDc(dc);
    if (!d) return FALSE;
    POINT old = Swap(d->State().currentPos, POINT{x, y});
    if (previous) *previous = old;
    return TRUE;
}
BOOL GetCurrentPositionEx(HDC dc, POINT* position) {
    DcObject* d = ResolveDc(dc);
    if (!d || !position) return FALSE;
    *position = d->State().currentPos;
    return TRUE;
}

}  // namespace platform
