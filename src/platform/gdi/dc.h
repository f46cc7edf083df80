// Device contexts (internal to the platform layer): selected objects, colours and modes,
// coordinate mapping, clipping, and the surface they draw on.
//
// Coordinates: logical -> (mapping) -> device -> (+ device origin) -> surface pixels.
// Memory DCs have device origin (0,0) and their surface is the selected bitmap. A surface
// DC (CreateSurfaceDC) draws into a window's backing bitmap at an origin, limited to a
// visible region. The clip region an application selects is kept in device coordinates.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/region.h"

namespace platform {

class BitmapObject;

struct DcState {
    HBITMAP bitmap = nullptr;
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    HPALETTE palette = nullptr;
    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = 2;  // OPAQUE
    UINT textAlign = 0;
    int rop2 = 13;         // R2_COPYPEN
    int stretchMode = 1;   // BLACKONWHITE
    int polyFillMode = 1;  // ALTERNATE
    int graphicsMode = 1;  // GM_COMPATIBLE
    int charExtra = 0;
    POINT brushOrg{0, 0};
    POINT currentPos{0, 0};
    COLORREF dcBrushColor = 0xFFFFFF;
    COLORREF dcPenColor = 0x000000;
    int mapMode = 1;  // MM_TEXT
    POINT windowOrg{0, 0};
    POINT viewportOrg{0, 0};
    SIZE windowExt{1, 1};
    SIZE viewportExt{1, 1};
    std::optional<Region> clip;  // device coordinates; none = whole surface
};

class DcObject final : public GdiObject {
  public:
    static constexpr DWORD kObjectType = OBJ_DC;  // resolves OBJ_DC and OBJ_MEMDC alike

    enum class Type { Memory, Screen, Surface };
    explicit DcObject(Type type);
    ~DcObject() override;

    Type GetType() const { return type_; }
    DcState& State() { return state_; }
    const DcState& State() const { return state_; }
    std::vector<DcState>& SavedStates() { return saved_; }

    // The bitmap drawn on (nullptr for the screen DC, which draws nowhere).
    BitmapObject* Surface() const;
    // Selects `bitmap` as the surface, moving the selection count; returns the previous one.
    HBITMAP SetSurface(HBITMAP bitmap);

    POINT DeviceOrigin() const { return deviceOrigin_; }
    void SetDeviceOrigin(POINT origin);
    // Base visible region in surface pixels (none = whole surface).
    void SetVisibleRegion(std::optional<Region> region);

    // The pixels drawing may touch, in surface coordinates: surface bounds, visible region
    // and clip region together. Recomputed after any change.
    const Region& EffectiveClip();
    void InvalidateClip() { clipValid_ = false; }

    // Logical <-> device mapping.
    POINT ToDevice(POINT logical) const;
    POINT ToLogical(POINT device) const;
    // A logical rectangle as device rectangle (not normalised: may be mirrored).
    RECT ToDeviceRect(const RECT& logical) const;
    bool IsIdentityScale() const;

  private:
    Type type_;
    DcState state_;
    std::vector<DcState> saved_;
    POINT deviceOrigin_{0, 0};
    std::optional<Region> visible_;
    Region effectiveClip_;
    bool clipValid_ = false;
};

// Resolves a DC handle (nullptr when stale or not a DC).
DcObject* ResolveDc(HDC dc);

// Draws `color` through an 8-bit coverage mask (0 = untouched, 255 = full colour, between:
// blended with the pixel underneath) at device position (deviceX, deviceY) of the DC,
// respecting the DC's clip and device origin; rows of the mask are `pitch` bytes apart.
// Works for every surface format; on indexed and monochrome surfaces coverage is thresholded
// at 128. For 1-bit glyphs expand the bits to 0/255 first.
void BlendCoverage(DcObject& dc, int deviceX, int deviceY, const std::uint8_t* coverage, int width,
                   int height, int pitch, COLORREF color);

// Fills a device rectangle with a solid colour, respecting clip and origin (R2_COPYPEN).
void FillDeviceRect(DcObject& dc, const RECT& deviceRect, COLORREF color);

}  // namespace platform
