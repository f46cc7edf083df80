#include "skin/frame_strips.h"

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "skin/skin_image_compose.h"

namespace skin {

using namespace platform;

namespace {

std::unique_ptr<graphics::TBitmap> NewStrip(int width, int height) {
    auto bitmap = std::make_unique<graphics::TBitmap>();
    bitmap->SetWidth(width);
    bitmap->SetHeight(height);
    return bitmap;
}

// A strip running across the window: rows srcY.. of the picture, split at the columns a and
// b; the part right of b moves with the right edge.
struct HorizontalCut {
    int srcY, height, a, b;
    bool stretch;
};

std::unique_ptr<graphics::TBitmap> CutHorizontal(const TbsStripSource& s, const TbsFrameGeometry& g,
                                                 const HorizontalCut& cut) {
    if (g.W <= 0 || cut.height <= 0 || cut.b - cut.a <= 0) return nullptr;
    auto strip = NewStrip(g.W, cut.height);
    DrawFrameRow(strip->Canvas().Handle(), 0, g.W, cut.height, s.Dc, s.Width, cut.srcY, cut.a,
                 cut.b, g.DX, cut.stretch);
    return strip;
}

// A strip running down a side: columns srcX.. of the picture, rows between the inner area's
// top and bottom, split at the rows a and b.
struct VerticalCut {
    int srcX, width, a, b;
    bool stretch;
};

std::unique_ptr<graphics::TBitmap> CutVertical(const TbsStripSource& s, int stripHeight,
                                               const VerticalCut& cut) {
    if (cut.width <= 0 || stripHeight <= 0 || cut.b - cut.a <= 0) return nullptr;
    auto strip = NewStrip(cut.width, stripHeight);
    DrawFrameColumn(strip->Canvas().Handle(), 0, 0, cut.width, stripHeight, s.Dc, cut.srcX,
                    s.Inner.Top, s.Inner.Bottom, cut.a, cut.b, cut.stretch);
    return strip;
}

}  // namespace

TbsFrameStrips BuildFrameStrips(const TbsStripSource& s, const TbsSkinFormInfo& info,
                                const TbsFrameGeometry& g) {
    TbsFrameStrips strips;
    if (s.Dc == nullptr) return strips;
    const TRect& in = s.Inner;
    const int topHeight = in.Top;
    const int bottomHeight = s.Height - in.Bottom;
    const int sideHeight = g.H - topHeight - bottomHeight;

    strips.Top.Bitmap =
        CutHorizontal(s, g, {0, topHeight, info.LTPoint.X, info.RTPoint.X, s.TopStretch});
    strips.Top.At = {0, 0};
    strips.Bottom.Bitmap = CutHorizontal(
        s, g, {in.Bottom, bottomHeight, info.LBPoint.X, info.RBPoint.X, s.BottomStretch});
    strips.Bottom.At = {0, g.H - bottomHeight};
    strips.Left.Bitmap =
        CutVertical(s, sideHeight, {0, in.Left, info.LTPoint.Y, info.LBPoint.Y, s.LeftStretch});
    strips.Left.At = {0, topHeight};
    strips.Right.Bitmap =
        CutVertical(s, sideHeight,
                    {in.Right, s.Width - in.Right, info.RTPoint.Y, info.RBPoint.Y, s.RightStretch});
    strips.Right.At = {in.Right + g.DX, topHeight};
    return strips;
}

void DrawFrameStrips(HDC dc, const TbsFrameStrips& strips) {
    for (const TbsFrameStrip* strip : {&strips.Top, &strips.Left, &strips.Right, &strips.Bottom}) {
        if (!strip->Bitmap) continue;
        graphics::TBitmap& b = *strip->Bitmap;
        BitBlt(dc, strip->At.x, strip->At.y, b.Width(), b.Height(), b.Canvas().Handle(), 0, 0,
               SRCCOPY);
    }
}

}  // namespace skin
