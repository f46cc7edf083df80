#pragma once
// One frame of a GIF: its extensions, image descriptor, local colour table and pixels (one
// colour index per pixel, rows from the top).
#include <cstdint>
#include <memory>
#include <span>

#include "codecs/gif/gif_color_map.h"
#include "codecs/gif/gif_extension.h"
#include "codecs/gif/gif_item.h"
#include "core/stream.h"

namespace codecs::gif {

// The 10-byte image descriptor as it stands in the file.
struct TGIFImageDescriptor {
    uint8_t Separator = 0;
    uint16_t Left = 0;
    uint16_t Top = 0;
    uint16_t Width = 0;
    uint16_t Height = 0;
    uint8_t PackedFields = 0;
};

class TGIFSubImage : public TGIFItem {
  public:
    explicit TGIFSubImage(TGIFData* data) : TGIFItem(data), colorMap_(data) {}

    const TGIFExtensionList& Extensions() const { return extensions_; }
    const TGIFImageDescriptor& Descriptor() const { return descriptor_; }
    int Left() const { return descriptor_.Left; }
    int Top() const { return descriptor_.Top; }
    int Width() const { return descriptor_.Width; }
    int Height() const { return descriptor_.Height; }
    bool Interlaced() const { return (descriptor_.PackedFields & 0x40) != 0; }
    bool HasLocalColorMap() const { return (descriptor_.PackedFields & 0x80) != 0; }

    TGIFLocalColorMap& ColorMap() { return colorMap_; }
    const TGIFLocalColorMap& ColorMap() const { return colorMap_; }
    // The local table when it has entries, else the global one when that has, else the
    // (empty) local one.
    const TGIFColorMap& ActiveColorMap() const;

    // False for a frame made of extensions only.
    bool HasImage() const { return hasImage_; }
    std::span<const uint8_t> Pixels() const { return {pixels_.get(), pixelCount_}; }
    const uint8_t* Scanline(int row) const {
        return pixels_.get() + static_cast<size_t>(row) * static_cast<size_t>(Width());
    }

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    // The first graphic control extension of the frame, or none.
    const TGIFGraphicControlExtension* GraphicControlExtension() const { return graphicControl_; }

    // Reads the extensions, then the descriptor, local table and pixels if an image follows.
    void LoadFromStream(core::TStream& stream);

  private:
    void ReadExtensions(core::TStream& stream);
    void ReadDescriptor(core::TStream& stream);
    void DecodePixels(core::TStream& stream);
    void Deinterlace(const uint8_t* sent);

    TGIFExtensionList extensions_;
    TGIFImageDescriptor descriptor_;
    TGIFLocalColorMap colorMap_;
    std::unique_ptr<uint8_t[]> pixels_;
    size_t pixelCount_ = 0;
    bool hasImage_ = false;
    bool transparent_ = false;
    const TGIFGraphicControlExtension* graphicControl_ = nullptr;
};

}  // namespace codecs::gif
