// Brush and pen creation.
#include "platform/gdi/brush_pen.h"

#include "platform/gdi/gdi.h"

namespace platform {

HBRUSH CreateSolidBrush(COLORREF color) {
    auto b = std::make_unique<BrushObject>();
    b->style = BS_SOLID;
    b->color = color;
    return RegisterObject<HBRUSH>(std::move(b));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
    auto b = std::make_unique<BrushObject>();
    b->style = BS_HATCHED;
    b->color = color;
    b->hatch = hatch;
    return RegisterObject<HBRUSH>(std::move(b));
}

// The brush keeps its own copy, so the caller may delete the bitmap at once.
HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    auto* source = ResolveObject<BitmapObject>(bitmap);
    if (!source) return nullptr;
    auto b = std::make_unique<BrushObject>();
    b->style = BS_PATTERN;
    b->pattern = source->Clone();
    if (!b->pattern) return nullptr;
    return RegisterObject<HBRUSH>(std::move(b));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush) return nullptr;
    switch (brush->lbStyle) {
        case BS_SOLID:
            return CreateSolidBrush(brush->lbColor);
        case BS_NULL:
            return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        case BS_HATCHED:
            return CreateHatchBrush(int(brush->lbHatch), brush->lbColor);
        case BS_PATTERN:
            return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
        default:
            return nullptr;
    }
}

HPEN CreatePen(int style, int width, COLORREF color) {
    int kind = style & PS_STYLE_MASK;
    if (kind > PS_INSIDEFRAME) return nullptr;
    if (kind == PS_NULL) return static_cast<HPEN>(GetStockObject(NULL_PEN));
    auto p = std::make_unique<PenObject>();
    p->style = kind;
    p->width = width < 0 ? 0 : width;
    // Dotted and dashed styles exist only as one-pixel pens.
    if (p->width > 1 && kind >= PS_DASH && kind <= PS_DASHDOTDOT) p->style = PS_SOLID;
    p->color = color;
    return RegisterObject<HPEN>(std::move(p));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    if (!pen) return nullptr;
    return CreatePen(int(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

}  // namespace platform
