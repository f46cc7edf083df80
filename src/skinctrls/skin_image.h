#pragma once
// Building a control-sized image out of a small skin picture by the four composition rules
// (horizontal, vertical, nine-part and fully stretched). Coordinates of points and client rects are
// relative to the skin rect.
#include "graphics/bitmap.h"
#include "graphics/types.h"
#include "platform/gdi/wintypes.h"
#include "skin/picture_pieces.h"
#include "skin/skin_types.h"

namespace skinctrls {

using graphics::TPoint;
using graphics::TRect;

// The piece primitives are the skin layer's.
using skin::CopyPiece;
using skin::DrawPiece;
using skin::FillByStretchType;
using skin::StretchPiece;
using skin::TilePiece;
using skin::ToPoint;
using skin::ToRect;

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
// The same image drawn onto a device context at its logical origin; what lies outside the
// context's surface or clip is left out, so a part of the image costs only that part.
void DrawNinePartImage(platform::HDC target, int width, int height, platform::HDC picture,
                       const TRect& skinRect, const TbsSkinGeometry& geometry, bool drawClient);
// Nine-part resize with the client rect's corners as points and everything stretched.
void ComposeStretchedImage(graphics::TBitmap& result, int width, int height,
                           const graphics::TBitmap& picture, const TRect& skinRect,
                           const TRect& clRect);

}  // namespace skinctrls
