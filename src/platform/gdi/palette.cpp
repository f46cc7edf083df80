// Palettes. The screen is true colour, so palettes only matter for colour tables: creating,
// reading and matching entries.
#include <algorithm>
#include <cstring>

#include "platform/gdi/brush_pen.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/pixel_format.h"

namespace platform {
namespace {

PaletteObject* ResolvePalette(HPALETTE palette) {
    return ResolveObject<PaletteObject>(palette);
}

}  // namespace

HPALETTE CreatePalette(const LOGPALETTE* palette) {
    if (!palette || palette->palVersion != 0x300 || palette->palNumEntries == 0) return nullptr;
    auto p = std::make_unique<PaletteObject>();
    p->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    return RegisterObject<HPALETTE>(std::move(p));
}

// 256 entries: the 16 basic colours, a 6x6x6 colour cube and 24 further grays.
HPALETTE CreateHalftonePalette(HDC dc) {
    (void)dc;
    auto p = std::make_unique<PaletteObject>();
    for (const RGBQUAD& q : kBasicColors16)
        p->entries.push_back({q.rgbRed, q.rgbGreen, q.rgbBlue, 0});
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p->entries.push_back({BYTE(r * 51), BYTE(g * 51), BYTE(b * 51), 0});
    for (int i = 1; i <= 24; ++i) {
        BYTE v = BYTE(i * 255 / 25);
        p->entries.push_back({v, v, v, 0});
    }
    return RegisterObject<HPALETTE>(std::move(p));
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
    (void)forceBackground;
    DcObject* d = ResolveDc(dc);
    if (!d || !ResolvePalette(palette)) return nullptr;
    HPALETTE previous = d->State().palette;
    d->State().palette = palette;
    return previous;
}

UINT RealizePalette(HDC dc) {
    // True colour: nothing to map into a hardware palette.
    return ResolveDc(dc) ? 0 : GDI_ERROR;
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
    PaletteObject* p = ResolvePalette(palette);
    if (!p) return 0;
    UINT size = UINT(p->entries.size());
    if (!entries) return size;
    if (start >= size) return 0;
    UINT n = std::min(count, size - start);
    std::copy_n(p->entries.begin() + start, n, entries);
    return n;
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries) {
    PaletteObject* p = ResolvePalette(palette);
    if (!p || !entries || p->IsStock()) return 0;
    UINT size = UINT(p->entries.size());
    if (start >= size) return 0;
    UINT n = std::min(count, size - start);
    std::copy_n(entries, n, p->entries.begin() + start);
    return n;
}

UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries) {
    if (!ResolveDc(dc)) return 0;
    return GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), start, count,
                             entries);
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
    PaletteObject* p = ResolvePalette(palette);
    if (!p || p->entries.empty()) return CLR_INVALID;
    std::vector<RGBQUAD> table;
    for (const PALETTEENTRY& e : p->entries) table.push_back({e.peBlue, e.peGreen, e.peRed, 0});
    return NearestIndex(table.data(), table.size(), color & 0xFFFFFF);
}

COLORREF GetNearestColor(HDC dc, COLORREF color) {
    // Every colour is exact on the true-colour surface.
    return ResolveDc(dc) ? (color & 0xFFFFFF) : CLR_INVALID;
}

}  // namespace platform
