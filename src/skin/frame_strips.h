#pragma once
// The four strips a frame is made of (top, bottom, left, right), cut from a frame picture for
// the current window size: corner pieces stay as they are, the edge pieces between the corner
// points are tiled or stretched to fill the rest. The window's shape is cut the same way from
// the mask picture, around the mask area instead of the client rect.
#include <memory>

#include "graphics/bitmap.h"
#include "skin/frame_geometry.h"

namespace skin {

struct TbsFrameStrip {
    std::unique_ptr<graphics::TBitmap> Bitmap;  // null when the strip is skipped
    graphics::TPoint At;                        // place in the window
};

struct TbsFrameStrips {
    TbsFrameStrip Top, Bottom, Left, Right;
};

struct TbsStripSource {
    platform::HDC Dc = nullptr;  // the picture to cut from
    int Width = 0, Height = 0;   // its size
    TRect Inner;                 // the area the strips surround (client rect or mask area)
    bool TopStretch = false, BottomStretch = false, LeftStretch = false, RightStretch = false;
};

// Cuts the four strips. A strip whose size or edge piece is 0 or less is skipped.
TbsFrameStrips BuildFrameStrips(const TbsStripSource& source, const TbsSkinFormInfo& info,
                                const TbsFrameGeometry& g);

// Draws the strips that exist onto a device context at their places.
void DrawFrameStrips(platform::HDC dc, const TbsFrameStrips& strips);

}  // namespace skin
