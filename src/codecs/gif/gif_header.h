#pragma once
// The header and logical screen descriptor, with the global colour table.
#include <array>
#include <cstdint>
#include <string>

#include "codecs/gif/gif_color_map.h"
#include "codecs/gif/gif_item.h"
#include "core/stream.h"

namespace codecs::gif {

class TGIFHeader : public TGIFItem {
  public:
    explicit TGIFHeader(TGIFData* data) : TGIFItem(data), colorMap_(data) {}

    std::string Signature() const { return std::string(signature_.begin(), signature_.end()); }
    std::string Version() const { return std::string(version_.begin(), version_.end()); }
    uint16_t Width() const { return width_; }
    uint16_t Height() const { return height_; }
    uint8_t Packed() const { return packed_; }
    bool HasGlobalColorMap() const { return (packed_ & 0x80) != 0; }
    int ColorResolution() const { return (packed_ >> 4) & 7; }
    bool Sorted() const { return (packed_ & 0x08) != 0; }
    uint8_t BackgroundColorIndex() const { return background_; }
    uint8_t AspectRatio() const { return aspect_; }
    TGIFGlobalColorMap& ColorMap() { return colorMap_; }
    const TGIFGlobalColorMap& ColorMap() const { return colorMap_; }

    // Back to an empty 0 x 0 screen without a global table.
    void Clear();
    // Reads the signature (retrying 4 bytes after `start` when the first one is not "GIF"),
    // the screen descriptor and the global colour table.
    void LoadFromStream(core::TStream& stream, int64_t start);

  private:
    std::array<char, 3> signature_{};
    std::array<char, 3> version_{};
    uint16_t width_ = 0;
    uint16_t height_ = 0;
    uint8_t packed_ = 0;
    uint8_t background_ = 0;
    uint8_t aspect_ = 0;
    TGIFGlobalColorMap colorMap_;
};

}  // namespace codecs::gif
