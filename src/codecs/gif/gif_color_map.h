#pragma once
// Colour tables: the global one of the header and the local one of a frame.
#include <array>
#include <cstdint>

#include "codecs/gif/gif_item.h"
#include "core/stream.h"

namespace codecs::gif {

struct TGIFColor {
    uint8_t Red;
    uint8_t Green;
    uint8_t Blue;
    bool operator==(const TGIFColor&) const = default;
};
static_assert(sizeof(TGIFColor) == 3, "a colour entry is 3 bytes in the file");

class TGIFColorMap : public TGIFItem {
  public:
    static constexpr int kMaxColors = 256;

    using TGIFItem::TGIFItem;

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    bool Optimized() const { return optimized_; }
    void SetOptimized(bool value) { optimized_ = value; }
    // The smallest b >= 1 with 2^b >= Count(); 0 for an empty map.
    int BitsPerPixel() const;

    // Sets the entry count (at most 256); capacity grows by the map's steps, new entries are black.
    void SetCount(int count);
    void Clear();
    // Appends a colour and returns its index; a full map raises "Invalid color index".
    int Add(TGIFColor color);

    // The colour at `index`. Outside 0..Count()-1 warns "Invalid color index" and gives entry 0;
    // an empty map raises GIFException "Color table is empty".
    TGIFColor Color(int index) const;
    // Direct access to the entries 0..Count()-1 for loops that checked their indices already.
    const TGIFColor* Entries() const { return colors_.data(); }

    // Reads `count` entries of 3 bytes; "Premature end of data" when short.
    void LoadFromStream(core::TStream& stream, int count);

    // Capacity of a map that holds `count` entries: 16 for up to 16, otherwise the count
    // rounded up to a multiple of 32, never above 256.
    static int CapacityFor(int count);

  private:
    std::array<TGIFColor, kMaxColors> colors_{};
    int count_ = 0;
    int capacity_ = 0;
    bool optimized_ = false;
};

class TGIFGlobalColorMap : public TGIFColorMap {
  public:
    using TGIFColorMap::TGIFColorMap;
};

class TGIFLocalColorMap : public TGIFColorMap {
  public:
    using TGIFColorMap::TGIFColorMap;
};

}  // namespace codecs::gif
