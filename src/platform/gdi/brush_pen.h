// Brushes, pens and palettes as table objects (internal to the platform layer).
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/gdi_object.h"

namespace platform {

class BrushObject final : public GdiObject {
  public:
    static constexpr DWORD kObjectType = OBJ_BRUSH;
    BrushObject() : GdiObject(kObjectType) {}

    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
    bool dcBrush = false;                   // DC_BRUSH: takes the DC's brush colour
    std::unique_ptr<BitmapObject> pattern;  // BS_PATTERN: the brush's own copy of the bitmap

    int Describe(int size, void* buffer) const override;
};

class PenObject final : public GdiObject {
  public:
    static constexpr DWORD kObjectType = OBJ_PEN;
    PenObject() : GdiObject(kObjectType) {}

    int style = PS_SOLID;
    int width = 0;
    COLORREF color = 0;
    bool dcPen = false;  // DC_PEN: takes the DC's pen colour

    int Describe(int size, void* buffer) const override;
};

class PaletteObject final : public GdiObject {
  public:
    static constexpr DWORD kObjectType = OBJ_PAL;
    PaletteObject() : GdiObject(kObjectType) {}

    std::vector<PALETTEENTRY> entries;

    int Describe(int size, void* buffer) const override;
};

}  // namespace platform
