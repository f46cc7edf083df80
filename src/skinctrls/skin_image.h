#pragma once
// Building a control-sized image out of a small skin picture: copying pieces, tiling and
// stretching them, and the four composition rules (horizontal, vertical, nine-part and fully
// stretched). Coordinates of points and client rects are relative to the skin rect.
#include "graphics/bitmap.h"
#include "graphics/types.h"
#include "platform/gdi/wintypes.h"
#include "skin/skin_types.h"

namespace skinctrls {

using graphics::TPoint;
using graphics::TRect;

TRect ToRect(const skin::TRect& r);
TPoint ToPoint(const skin::TPoint& p);

// Source piece `src` of `source` tiled over `dest` of `target` from its top-left corner, the
// last column and row cut at the edges. Nothing happens for an empty piece or destination.
void TilePiece(platform::HDC target, const TRect& dest, platform::HDC source, const TRect& src);
// Source piece stretched over `dest` (whole pixels repeated or dropped, no smoothing).
void StretchPiece(platform::HDC target, const TRect& dest, platform::HDC source, const TRect& src);
// Tiled or stretched by `stretch`.
void DrawPiece(platform::HDC target, const TRect& dest, platform::HDC source, const TRect& src,
               bool stretch);
// Fills `dest` with a piece by the stretch type: full stretches both ways; horizontal stretches
// to the height and tiles across; vertical stretches to the width and tiles down. Without
// `stretch` the piece is tiled in a grid.
void FillByStretchType(platform::HDC target, const TRect& dest, platform::HDC source,
                       const TRect& src, bool stretch, skin::TbsStretchType type);

// The geometry of a resizable skin object, before and after resizing to the control.
struct TbsSkinGeometry {
    TPoint LT, RT, LB, RB;
    TRect ClRect;
    TPoint NewLT, NewRT, NewLB, NewRB;
    TRect NewClRect;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    skin::TbsStretchType StretchType = skin::TbsStretchType::bsstFull;
};

// The picture's piece `skinRect` widened to `width`: fixed left and right ends, the middle
// tiled (or stretched). The result is `width` × skin height.
void ComposeHorizontalImage(graphics::TBitmap& result, int width, const graphics::TBitmap& picture,
                            const TRect& skinRect, int leftWidth, int rightWidth, bool stretch);
// The same along the vertical axis: fixed top and bottom ends; skin width × `height`.
void ComposeVerticalImage(graphics::TBitmap& result, int height, const graphics::TBitmap& picture,
                          const TRect& skinRect, int topHeight, int bottomHeight, bool stretch);
// Nine-part resize to width × height: corners copied, edges and (when `drawClient`) the client
// piece tiled or stretched between the resized points.
void ComposeNinePartImage(graphics::TBitmap& result, int width, int height,
                          const graphics::TBitmap& picture, const TRect& skinRect,
                          const TbsSkinGeometry& geometry, bool drawClient);
// Nine-part resize with the client rect's corners as points and everything stretched.
void ComposeStretchedImage(graphics::TBitmap& result, int width, int height,
                           const graphics::TBitmap& picture, const TRect& skinRect,
                           const TRect& clRect);

}  // namespace skinctrls
