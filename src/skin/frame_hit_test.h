#pragma once
// Where a point of the window lies for the skinned frame: a sizing zone, the caption, the
// client area, or the neutral answer that leaves the caption objects to the frame.
#include "platform/gdi/wintypes.h"
#include "skin/frame_geometry.h"

namespace skin {

// The neutral answer: not client, caption or border; the frame handles the point itself.
inline constexpr platform::LRESULT kNeutralHit = 19;

struct TbsHitTestState {
    int BorderWidth = 0;
    platform::HRGN Region = nullptr;  // the window's shape when it has a mask
    bool HasMask = false;
    bool RolledUpOrMinimized = false;
    bool Maximized = false;
    bool Sizeable = false;
    bool ObjectHot = false;
    bool SizeMoving = false;
    bool OnCaption = false;  // the point lies on the caption text object
    bool OnObject = false;   // the point lies on any visible caption object
};

// The skinned frame's answer for a point in window coordinates.
platform::LRESULT SkinHitTest(const TbsFrameGeometry& g, const TbsHitTestState& s,
                              graphics::TPoint p);

// The plain frame's answer: a border of `border` pixels (corners where two borders meet) and
// a caption of `captionHeight` below the top border.
platform::LRESULT PlainHitTest(int w, int h, int border, int captionHeight, bool sizeable,
                               graphics::TPoint p);

}  // namespace skin
