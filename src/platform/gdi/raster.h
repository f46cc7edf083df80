// The raster engine shared by blits, brushes and primitives (internal to the platform layer):
// converting pixel values between formats, brush patterns, and the one blit routine every
// raster operation goes through.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"

namespace platform {

// Converts stored values of one format into stored values of another; the kind of conversion
// is chosen once, when constructed.
class ValueConverter {
  public:
    // `srcBkColor` decides colour -> monochrome (equal = 1); `dstText`/`dstBk` give the colours
    // of a monochrome device-dependent source on a colour destination.
    ValueConverter(const PixelFormat& src, const PixelFormat& dst, COLORREF srcBkColor,
                   COLORREF dstTextColor, COLORREF dstBkColor);
    void Convert(std::uint32_t* values, int count) const;
    bool IsIdentity() const { return kind_ == Kind::Identity; }

  private:
    enum class Kind { Identity, Mask, Table, ToMono, Colour };
    Kind kind_;
    const PixelFormat& src_;
    const PixelFormat& dst_;
    std::vector<std::uint32_t> table_;
    std::uint32_t monoKey_ = 0;
    std::uint32_t keptBits_ = 0;  // Mask: the destination's colour bits
};

// A brush prepared for one drawing operation on one surface format.
class Pattern {
  public:
    // Prepares the DC's brush (or `brush` when given). IsNull() when the brush draws nothing.
    Pattern(DcObject& dc, const PixelFormat& dst, HBRUSH brush = nullptr);
    // A solid pattern of one colour.
    Pattern(const PixelFormat& dst, COLORREF color);
    bool IsNull() const { return null_; }
    // Values for surface pixels (x .. x+count) of row y; `skip` (may be null) receives 1 where
    // the pattern leaves the destination alone (hatch background in TRANSPARENT mode).
    void Row(int x, int y, int count, std::uint32_t* out, std::uint8_t* skip) const;
    bool HasSkips() const { return hasSkips_; }

  private:
    bool null_ = false;
    bool solid_ = true;
    bool hasSkips_ = false;
    std::uint32_t solidValue_ = 0;
    int width_ = 0;
    int height_ = 0;
    POINT origin_{0, 0};  // surface coordinates of pattern pixel (0,0)
    std::vector<std::uint32_t> values_;
    std::vector<std::uint8_t> skips_;
};

// One blit: destination and source rectangles in surface coordinates (right < left mirrors),
// the raster operation, an optional monochrome mask (MaskBlt) and the stretch mode.
struct BlitRequest {
    DcObject* dst = nullptr;
    RECT dstRect{};
    DcObject* src = nullptr;  // null when the operation uses no source
    RECT srcRect{};
    DWORD rop = 0;
    const BitmapObject* mask = nullptr;  // 1-bit; pixel (maskOrigin + offset) selects the code
    POINT maskOrigin{0, 0};
    int stretchMode = COLORONCOLOR;
    HBRUSH brush = nullptr;  // overrides the DC's brush when set
};

bool ExecuteBlit(const BlitRequest& request);

// A COLORREF as plain RGB: palette indices looked up in the DC's palette, flag bytes dropped.
COLORREF PlainColor(DcObject& dc, COLORREF color);

// Applies a ternary code over the surface rectangle (surface coordinates, clipped to the
// DC's clip) with the given pattern: PatBlt, FillRect and the filled primitives use it.
void FillSurfaceRect(DcObject& dc, const RECT& surfaceRect, const Pattern& pattern,
                     std::uint8_t rop3);
// The same over a region of surface pixels.
void FillSurfaceRegion(DcObject& dc, Region area, const Pattern& pattern, std::uint8_t rop3);

// Source offsets along one axis for destination offsets [from, to) of a stretch of `srcSize`
// onto `dstSize` (both > 0); `mirror` reverses the direction. `index` is the source the
// COLORONCOLOR rule picks (the last of a group for columns, the first for rows, chosen by
// `pickLastOfGroup`); `first`..`last` is the whole group when shrinking.
struct AxisMapping {
    std::vector<std::int64_t> index;
    std::vector<std::int64_t> first;
    std::vector<std::int64_t> last;
};
AxisMapping MapAxis(std::int64_t srcSize, std::int64_t dstSize, std::int64_t from, std::int64_t to,
                    bool mirror, bool pickLastOfGroup);

}  // namespace platform
