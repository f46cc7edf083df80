#include "platform/gdi/text_mask.h"

#include <algorithm>

namespace platform::text {

CoverageMask::CoverageMask(int left, int top, int width, int height)
    : left_(left),
      top_(top),
      width_(std::max(0, width)),
      height_(std::max(0, height)),
      bits_(static_cast<size_t>(width_) * height_, 0) {}

uint8_t CoverageMask::At(int x, int y) const {
    x -= left_;
    y -= top_;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return bits_[static_cast<size_t>(y) * width_ + x];
}

bool CoverageMask::Empty() const {
    return std::all_of(bits_.begin(), bits_.end(), [](uint8_t v) { return v == 0; });
}

void CoverageMask::Put(int x, int y, uint8_t coverage) {
    uint8_t& cell = bits_[static_cast<size_t>(y) * width_ + x];
    // Overlapping glyphs (bold, italic overhang) keep the stronger coverage, never a sum.
    cell = std::max(cell, coverage);
}

void CoverageMask::DrawGlyph(const GlyphImage& glyph, int x, int y) {
    const int originX = x + glyph.left - left_;
    const int originY = y - glyph.top - top_;
    const int x0 = std::max(0, -originX);
    const int y0 = std::max(0, -originY);
    const int x1 = std::min(glyph.width, width_ - originX);
    const int y1 = std::min(glyph.rows, height_ - originY);
    for (int gy = y0; gy < y1; ++gy) {
        for (int gx = x0; gx < x1; ++gx) {
            const uint8_t c = glyph.Coverage(gx, gy);
            if (c != 0) Put(originX + gx, originY + gy, c);
        }
    }
}

void CoverageMask::FillBar(int x0, int y0, int x1, int y1) {
    x0 = std::max(x0 - left_, 0);
    x1 = std::min(x1 - left_, width_);
    y0 = std::max(y0 - top_, 0);
    y1 = std::min(y1 - top_, height_);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) Put(x, y, 255);
}

}  // namespace platform::text
