#pragma once
// The pieces every skin picture is fitted with: a piece copied as it is, tiled over an area from
// the area's top-left corner (the last column and row cut), or stretched without smoothing.
// Frames, rows, control images and areas are all composed from these.
#include "graphics/types.h"
#include "platform/gdi/wintypes.h"
#include "skin/skin_types.h"

namespace skin {

inline graphics::TRect ToRect(const TRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}
inline graphics::TPoint ToPoint(const TPoint& p) {
    return {p.X, p.Y};
}

// Keeps drawing inside one rectangle for the life of the object.
class ClipScope {
  public:
    ClipScope(platform::HDC dc, const graphics::TRect& clip);
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

  private:
    platform::HDC dc_;
    int saved_;
};

// Source piece `src` copied unscaled with its top-left corner at (x, y). Nothing happens for an
// empty piece.
void CopyPiece(platform::HDC target, int x, int y, platform::HDC source,
               const graphics::TRect& src);
// Source piece tiled over `dest` from its top-left corner, the last column and row cut at the
// edges. Nothing happens for an empty piece or destination.
void TilePiece(platform::HDC target, const graphics::TRect& dest, platform::HDC source,
               const graphics::TRect& src);
// Source piece stretched over `dest` (whole pixels repeated or dropped, no smoothing).
void StretchPiece(platform::HDC target, const graphics::TRect& dest, platform::HDC source,
                  const graphics::TRect& src);
// Tiled or stretched by `stretch`.
void DrawPiece(platform::HDC target, const graphics::TRect& dest, platform::HDC source,
               const graphics::TRect& src, bool stretch);
// Fills `dest` with a piece by the stretch type: full stretches both ways; horizontal stretches
// to the height and tiles across; vertical stretches to the width and tiles down. Without
// `stretch` the piece is tiled in a grid.
void FillByStretchType(platform::HDC target, const graphics::TRect& dest, platform::HDC source,
                       const graphics::TRect& src, bool stretch, TbsStretchType type);

}  // namespace skin
