#pragma once
// The frame picture's geometry mapped onto a window of a given size: the corner points, the
// client, caption and buttons areas, the sizing-zone corners and the always-solid mask area.
// Everything the frame paints, shapes and hit-tests is measured from here.
#include "graphics/types.h"
#include "skin/skin_globals.h"
#include "skin/skin_image_compose.h"

namespace skin {

struct TbsFrameInsets {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct TbsFrameGeometry {
    int W = 0, H = 0;                             // window size
    int PW = 0, PH = 0;                           // frame picture size
    int DX = 0, DY = 0;                           // W - PW, H - PH
    graphics::TPoint LT, RT, LB, RB;              // mapped corner points
    graphics::TPoint HitLT, HitRT, HitLB, HitRB;  // mapped sizing-zone corners
    graphics::TRect Client, Caption, Buttons, MaskArea;
    TbsFrameInsets Insets;  // frame widths around the client area
};

// The frame widths around the client area for a picture of width pw and height ph.
TbsFrameInsets FrameInsets(const TbsSkinFormInfo& info, int pw, int ph);

TbsFrameGeometry MapFrameGeometry(const TbsSkinFormInfo& info, int pw, int ph, int w, int h);

// A rect of the frame picture mapped to the window: unchanged in the top-left corner, moved
// by dx in the top-right, by dy in the bottom-left, by both in the bottom-right, and
// stretched when it spans an edge.
graphics::TRect MapPictureRect(const TRect& r, const TbsFrameGeometry& g,
                               const TbsSkinFormInfo& info);

}  // namespace skin
