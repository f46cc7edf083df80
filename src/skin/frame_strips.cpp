#include "skin/frame_strips.h"

#include <algorithm>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"

namespace skin {

using namespace platform;

namespace {

std::unique_ptr<graphics::TBitmap> NewStrip(int width, int height) {
    auto bitmap = std::make_unique<graphics::TBitmap>();
    bitmap->SetWidth(width);
    bitmap->SetHeight(height);
    return bitmap;
}

void Copy(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy) {
    if (w > 0 && h > 0) BitBlt(dst, x, y, w, h, src, sx, sy, SRCCOPY);
}

void Stretch(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh) {
    if (w > 0 && h > 0 && sw > 0 && sh > 0) {
        SetStretchBltMode(dst, COLORONCOLOR);
        StretchBlt(dst, x, y, w, h, src, sx, sy, sw, sh, SRCCOPY);
    }
}

// A strip running across the window: rows srcY.. of the picture, split at the columns a and
// b; the part right of b moves with the right edge.
struct HorizontalCut {
    int srcY, height, a, b;
    bool stretch;
};

std::unique_ptr<graphics::TBitmap> CutHorizontal(const TbsStripSource& s, const TbsFrameGeometry& g,
                                                 const HorizontalCut& cut) {
    const int edge = cut.b - cut.a;
    if (g.W <= 0 || cut.height <= 0 || edge <= 0) return nullptr;
    auto strip = NewStrip(g.W, cut.height);
    HDC dst = strip->Canvas().Handle();
    const int mappedB = cut.b + g.DX;
    if (cut.stretch) {
        Stretch(dst, cut.a, 0, mappedB - cut.a, cut.height, s.Dc, cut.a, cut.srcY, edge,
                cut.height);
    } else {
        for (int x = 0; x < g.W; x += edge)
            Copy(dst, x, 0, std::min(edge, g.W - x), cut.height, s.Dc, cut.a, cut.srcY);
    }
    // The corners go over the tiles.
    Copy(dst, 0, 0, cut.a, cut.height, s.Dc, 0, cut.srcY);
    Copy(dst, mappedB, 0, s.Width - cut.b, cut.height, s.Dc, cut.b, cut.srcY);
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
    const int edge = cut.b - cut.a;
    if (cut.width <= 0 || stripHeight <= 0 || edge <= 0) return nullptr;
    auto strip = NewStrip(cut.width, stripHeight);
    HDC dst = strip->Canvas().Handle();
    const int topPiece = cut.a - s.Inner.Top;
    const int bottomPiece = s.Inner.Bottom - cut.b;
    if (cut.stretch) {
        Stretch(dst, 0, topPiece, cut.width, stripHeight - bottomPiece - topPiece, s.Dc, cut.srcX,
                cut.a, cut.width, edge);
    } else {
        for (int y = 0; y < stripHeight; y += edge)
            Copy(dst, 0, y, cut.width, std::min(edge, stripHeight - y), s.Dc, cut.srcX, cut.a);
    }
    Copy(dst, 0, 0, cut.width, topPiece, s.Dc, cut.srcX, s.Inner.Top);
    Copy(dst, 0, stripHeight - bottomPiece, cut.width, bottomPiece, s.Dc, cut.srcX, cut.b);
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
