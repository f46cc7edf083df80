// Regions: sets of pixels kept as sorted bands of rectangles (pixman's region32).
#pragma once

#include <pixman.h>

#include <vector>

#include "platform/gdi/gdi_object.h"

namespace platform {

// A value type: copies are deep.
class Region {
  public:
    Region();
    explicit Region(const RECT& rect);
    Region(const Region& other);
    Region& operator=(const Region& other);
    ~Region();

    static Region FromRects(const RECT* rects, std::size_t count);

    bool IsEmpty() const;
    RECT Bounds() const;  // {0,0,0,0} when empty
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    std::vector<RECT> Rects() const;
    bool Contains(int x, int y) const;
    bool Overlaps(const RECT& rect) const;
    bool Equals(const Region& other) const;

    void SetRect(const RECT& rect);
    void Clear();
    void Offset(int dx, int dy);
    void Intersect(const Region& other);
    void Intersect(const RECT& rect);
    void Union(const Region& other);
    void Subtract(const Region& other);
    void Xor(const Region& other);

    pixman_region32_t* Raw() { return &region_; }
    const pixman_region32_t* Raw() const { return &region_; }

  private:
    pixman_region32_t region_;
};

class RegionObject final : public GdiObject {
  public:
    static constexpr DWORD kObjectType = OBJ_REGION;
    RegionObject() : GdiObject(kObjectType) {}
    explicit RegionObject(Region region) : GdiObject(kObjectType), region_(std::move(region)) {}

    Region& Get() { return region_; }
    const Region& Get() const { return region_; }

  private:
    Region region_;
};

// Normalised copy of a rectangle (left <= right, top <= bottom).
RECT NormalizedRect(const RECT& rect);

}  // namespace platform
