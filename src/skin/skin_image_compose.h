#pragma once
// How skin pictures are made to fit an area: a frame picture composed around a resizable
// middle (corners copied, edges stretched or tiled) and the three-piece rule for rows.
#include "graphics/types.h"
#include "platform/gdi/wintypes.h"
#include "skin/picture_pieces.h"

namespace skin {

// The cut of a frame picture: four division points, the part that becomes the resizable
// middle, and whether each edge piece is stretched (else tiled).
struct TbsFrameCut {
    graphics::TPoint leftTop, rightTop, leftBottom, rightBottom;
    graphics::TRect middle;
    bool leftStretch = false, rightStretch = false, topStretch = false, bottomStretch = false;
};

// One strip of a frame running across: rows [sourceTop, sourceTop + height) of a picture
// `pictureWidth` wide, drawn at row `destTop` over `width` columns. The corners 0..leftX and
// rightX..pictureWidth stay unscaled, the right one moved by `dx`; the edge piece between them
// is stretched to fit or tiled from the strip's start. Skipped when the strip or edge piece is
// empty; nothing is drawn outside the strip.
void DrawFrameRow(platform::HDC dest, int destTop, int width, int height, platform::HDC source,
                  int pictureWidth, int sourceTop, int leftX, int rightX, int dx, bool stretch);

// One strip of a frame running down a side, between the top and bottom strips: columns
// [sourceLeft, sourceLeft + width) drawn as the `width` x `height` strip at (destLeft, destTop).
// The edge piece runs from row topY to bottomY of the picture; the pieces above it (from
// middleTop) and below it (to middleBottom) stay unscaled at the strip's ends.
void DrawFrameColumn(platform::HDC dest, int destLeft, int destTop, int width, int height,
                     platform::HDC source, int sourceLeft, int middleTop, int middleBottom,
                     int topY, int bottomY, bool stretch);

// Draws the frame part of a `pictureWidth` x `pictureHeight` picture (read from `source`)
// around a `width` x `height` area of `dest` at the origin: the four strips outside the
// middle, corners unscaled, edge pieces stretched or tiled from the strip's start. A strip
// whose size or edge piece is empty is skipped. The middle itself is left untouched.
void ComposeFrame(platform::HDC dest, int width, int height, platform::HDC source, int pictureWidth,
                  int pictureHeight, const TbsFrameCut& cut);

// The three-piece rule: `sourceRect`'s left `leftOffset` and right `rightOffset` columns go
// unscaled to the two ends of a row `rowWidth` wide at (x, y); the middle fills the space
// between, stretched or tiled from the end of the left part (the last tile cut). The row
// keeps the source's height.
void DrawThreePiece(platform::HDC dest, int x, int y, int rowWidth, platform::HDC source,
                    const graphics::TRect& sourceRect, int leftOffset, int rightOffset,
                    bool stretch);

}  // namespace skin
