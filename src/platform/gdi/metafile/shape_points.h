#pragma once
// Outlines of curved shapes as points, for shapes the raster cannot draw directly: curves in
// paths, ellipses under a rotating transform, chords, and Bézier curves.
#include <vector>

#include "platform/gdi/metafile/mapping.h"

namespace platform::metafile {

// A cubic Bézier curve from p0 to p3, as `segments` line pieces (p0 itself not included).
void AppendBezier(std::vector<Vec2>& out, Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, int segments);

// Points on the ellipse inside the box, going round once (the first point not repeated).
std::vector<Vec2> EllipsePoints(double left, double top, double right, double bottom, int segments);

// The arc of the ellipse inside the box from the ray through `start` to the ray through
// `end`, counter-clockwise as seen on screen unless `clockwise`; both ends included. Equal
// rays give the whole ellipse.
std::vector<Vec2> ArcPoints(double left, double top, double right, double bottom, Vec2 start,
                            Vec2 end, bool clockwise, int segmentsPerTurn);

// A rectangle with corners rounded by an ellipse of cornerWidth x cornerHeight.
std::vector<Vec2> RoundRectPoints(double left, double top, double right, double bottom,
                                  double cornerWidth, double cornerHeight, int segmentsPerCorner);

// How many line pieces make a curve of this size in pixels look smooth.
int SegmentsFor(double pixelExtent);

}  // namespace platform::metafile
