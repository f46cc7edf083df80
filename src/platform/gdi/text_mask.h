#pragma once
// A coverage mask that text is rasterised into before it is blended onto a surface in the text
// colour: glyphs (1-bit or 8-bit rows) and the underline and strike-out bars.
#include <cstdint>
#include <vector>

#include "platform/gdi/font_face.h"

namespace platform::text {

class CoverageMask {
  public:
    // A mask covering [left, left + width) × [top, top + height) in the caller's coordinates.
    CoverageMask(int left, int top, int width, int height);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const uint8_t* Row(int y) const { return bits_.data() + static_cast<size_t>(y) * width_; }
    uint8_t At(int x, int y) const;  // caller's coordinates; 0 outside
    bool Empty() const;

    // Glyph with its pen position at x and its baseline at y; parts outside the mask are cut.
    void DrawGlyph(const GlyphImage& glyph, int x, int y);
    // A solid bar [x0, x1) × [y0, y1).
    void FillBar(int x0, int y0, int x1, int y1);

  private:
    void Put(int x, int y, uint8_t coverage);

    int left_;
    int top_;
    int width_;
    int height_;
    std::vector<uint8_t> bits_;
};

}  // namespace platform::text
