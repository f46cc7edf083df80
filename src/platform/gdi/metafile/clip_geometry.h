#pragma once
// Cuts outlines to a guard box around the visible area before they reach the raster, so a
// picture with coordinates far outside the target costs no more than one inside it. The box
// is larger than anything visible by more than the widest pen, so nothing visible changes.
#include <vector>

#include "platform/gdi/metafile/mapping.h"

namespace platform::metafile {

struct GuardBox {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(Vec2 p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
};

// A closed outline cut to the box (Sutherland–Hodgman). Inside the box the winding number of
// every point is kept, so both fill modes fill as before there.
std::vector<Vec2> ClipPolygon(const std::vector<Vec2>& polygon, const GuardBox& box);

// An open line cut to the box: the pieces that lie inside, each with at least two points.
std::vector<std::vector<Vec2>> ClipPolyline(const std::vector<Vec2>& line, const GuardBox& box);

}  // namespace platform::metafile
