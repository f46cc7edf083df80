#pragma once
// How skin pictures are made to fit an area: a frame picture composed around a resizable
// middle (corners copied, edges stretched or tiled), the three-piece rule for rows, an area
// filled by tiling or stretching, and a window shape taken from the black pixels of a mask.
#include "graphics/types.h"
#include "platform/gdi/wintypes.h"
#include "skin/skin_types.h"

namespace graphics {
class TBitmap;
}

namespace skin {

inline graphics::TRect ToRect(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
inline graphics::TPoint ToPoint(const TPoint& p) { return {p.X, p.Y}; }

// The cut of a frame picture: four division points, the part that becomes the resizable
// middle, and whether each edge piece is stretched (else tiled).
struct TbsFrameCut {
    graphics::TPoint leftTop, rightTop, leftBottom, rightBottom;
    graphics::TRect middle;
    bool leftStretch = false, rightStretch = false, topStretch = false, bottomStretch = false;
};

// Draws the frame part of a `pictureWidth` x `pictureHeight` picture (read from `source`)
// around a `width` x `height` area of `dest` at the origin: the four strips outside the
// middle, corners unscaled, edge pieces stretched or tiled from the strip's start. A strip
// whose size or edge piece is empty is skipped. The middle itself is left untouched.
void ComposeFrame(platform::HDC dest, int width, int height, platform::HDC source,
                  int pictureWidth, int pictureHeight, const TbsFrameCut& cut);

// The three-piece rule: `sourceRect`'s left `leftOffset` and right `rightOffset` columns go
// unscaled to the two ends of a row `rowWidth` wide at (x, y); the middle fills the space
// between, stretched or tiled from the end of the left part (the last tile cut). The row
// keeps the source's height.
void DrawThreePiece(platform::HDC dest, int x, int y, int rowWidth, platform::HDC source,
                    const graphics::TRect& sourceRect, int leftOffset, int rightOffset,
                    bool stretch);

// Fills `area` from `sourceRect`: tiled both ways, or with `stretch` stretched by `type`
// (full; to the area's height and repeated across; to its width and repeated downward).
void FillArea(platform::HDC dest, const graphics::TRect& area, platform::HDC source,
              const graphics::TRect& sourceRect, bool stretch, TbsStretchType type);

// A region made of the black pixels (red + green + blue = 0) of `mask`: one rectangle per
// horizontal run. The caller owns the region.
platform::HRGN RegionFromBlackPixels(graphics::TBitmap& mask);

}  // namespace skin
