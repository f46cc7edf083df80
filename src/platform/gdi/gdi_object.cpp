// Object-level services: stock objects, GetObject, GetObjectType, DeleteObject, SelectObject.
#include <array>
#include <cstring>
#include <mutex>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/brush_pen.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/pixel_format.h"

namespace platform {

namespace {

HGDIOBJ MakeStockBrush(UINT style, COLORREF color, bool dcBrush = false) {
    auto b = std::make_unique<BrushObject>();
    b->style = style;
    b->color = color;
    b->dcBrush = dcBrush;
    return RegisterObject<HBRUSH>(std::move(b));
}

HGDIOBJ MakeStockPen(int style, COLORREF color, bool dcPen = false) {
    auto p = std::make_unique<PenObject>();
    p->style = style;
    p->color = color;
    p->dcPen = dcPen;
    return RegisterObject<HPEN>(std::move(p));
}

HGDIOBJ MakeDefaultPalette() {
    auto p = std::make_unique<PaletteObject>();
    for (const RGBQUAD& q : kBasicColors16)
        p->entries.push_back({q.rgbRed, q.rgbGreen, q.rgbBlue, 0});
    return RegisterObject<HPALETTE>(std::move(p));
}

HGDIOBJ MakeStock(int index) {
    switch (index) {
        case WHITE_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
        case LTGRAY_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
        case GRAY_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
        case DKGRAY_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
        case BLACK_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
        case NULL_BRUSH:
            return MakeStockBrush(BS_NULL, 0);
        case WHITE_PEN:
            return MakeStockPen(PS_SOLID, RGB(255, 255, 255));
        case BLACK_PEN:
            return MakeStockPen(PS_SOLID, RGB(0, 0, 0));
        case NULL_PEN:
            return MakeStockPen(PS_NULL, 0);
        case DEFAULT_PALETTE:
            return MakeDefaultPalette();
        case DC_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(255, 255, 255), true);
        case DC_PEN:
            return MakeStockPen(PS_SOLID, 0, true);
        case OEM_FIXED_FONT:
        case ANSI_FIXED_FONT:
        case ANSI_VAR_FONT:
        case SYSTEM_FONT:
        case DEVICE_DEFAULT_FONT:
        case SYSTEM_FIXED_FONT:
        case DEFAULT_GUI_FONT:
            return CreateStockFont(index);
        default:
            return nullptr;
    }
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
    static std::recursive_mutex mutex;  // a stock font may ask for other stock objects
    static std::array<HGDIOBJ, STOCK_LAST + 1> stock{};
    static std::array<bool, STOCK_LAST + 1> creating{};
    if (index < 0 || index > STOCK_LAST) return nullptr;
    std::lock_guard lock(mutex);
    std::size_t i = std::size_t(index);
    // Making a stock font creates a DC, whose defaults ask for the stock font again: that
    // inner request gets none instead of recursing.
    if (!stock[i] && !creating[i]) {
        creating[i] = true;
        HGDIOBJ h = MakeStock(index);
        creating[i] = false;
        if (h) MarkStockObject(h);
        stock[i] = h;
    }
    return stock[std::size_t(index)];
}

int GetObject(HGDIOBJ object, int bufferSize, LPVOID buffer) {
    GdiObject* o = ResolveAny(object);
    if (!o || o->Kind() == kObjIcon || bufferSize < 0) return 0;
    return o->Describe(bufferSize, buffer);
}

DWORD GetObjectType(HGDIOBJ object) {
    GdiObject* o = ResolveAny(object);
    if (!o || o->Kind() > OBJ_ENHMETAFILE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return o->Kind();
}

BOOL DeleteObject(HGDIOBJ object) {
    GdiObject* o = ResolveAny(object);
    if (!o) return FALSE;
    DWORD kind = o->Kind();
    if (kind == OBJ_DC || kind == OBJ_MEMDC || kind == kObjIcon) return FALSE;
    if (o->IsStock()) return TRUE;
    if (!o->CanDelete()) return FALSE;
    return DestroyObject(object) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    DcObject* d = ResolveDc(dc);
    GdiObject* o = ResolveAny(object);
    if (!d || !o) return nullptr;
    DcState& s = d->State();
    HGDIOBJ previous = nullptr;
    switch (o->Kind()) {
        case OBJ_BITMAP:
            if (d->GetType() != DcObject::Type::Memory) return nullptr;
            return d->SetSurface(static_cast<HBITMAP>(object));
        case OBJ_BRUSH:
            previous = s.brush;
            s.brush = static_cast<HBRUSH>(object);
            return previous;
        case OBJ_PEN:
            previous = s.pen;
            s.pen = static_cast<HPEN>(object);
            return previous;
        case OBJ_FONT:
            previous = s.font;
            s.font = static_cast<HFONT>(object);
            return previous;
        case OBJ_REGION:
            return reinterpret_cast<HGDIOBJ>(
                std::intptr_t(SelectClipRgn(dc, static_cast<HRGN>(object))));
        default:
            return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
    DcObject* d = ResolveDc(dc);
    if (!d) return nullptr;
    const DcState& s = d->State();
    switch (type) {
        case OBJ_BITMAP:
            return s.bitmap;
        case OBJ_BRUSH:
            return s.brush;
        case OBJ_PEN:
            return s.pen;
        case OBJ_FONT:
            return s.font;
        case OBJ_PAL:
            return s.palette;
        default:
            return nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// GetObject descriptions of brushes, pens and palettes

int BrushObject::Describe(int size, void* buffer) const {
    if (!buffer) return int(sizeof(LOGBRUSH));
    if (size < int(sizeof(LOGBRUSH))) return 0;
    LOGBRUSH lb{style, color, style == BS_HATCHED ? std::uintptr_t(hatch) : 0};
    std::memcpy(buffer, &lb, sizeof lb);
    return int(sizeof lb);
}

int PenObject::Describe(int size, void* buffer) const {
    if (!buffer) return int(sizeof(LOGPEN));
    if (size < int(sizeof(LOGPEN))) return 0;
    LOGPEN lp{UINT(style), {width, 0}, color};
    std::memcpy(buffer, &lp, sizeof lp);
    return int(sizeof lp);
}

int PaletteObject::Describe(int size, void* buffer) const {
    if (!buffer) return int(sizeof(WORD));
    if (size < int(sizeof(WORD))) return 0;
    WORD count = WORD(entries.size());
    std::memcpy(buffer, &count, sizeof count);
    return int(sizeof count);
}

}  // namespace platform
