#include "skinctrls/skin_image.h"

#include <algorithm>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"

namespace skinctrls {

using namespace platform;
using graphics::TBitmap;

TRect ToRect(const skin::TRect& r) {
    return graphics::Rect(r.Left, r.Top, r.Right, r.Bottom);
}
TPoint ToPoint(const skin::TPoint& p) {
    return {p.X, p.Y};
}

namespace {

TRect Offset(TRect r, int dx, int dy) {
    return graphics::Rect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
}

// Sizes the result and hands out the two contexts. The picture is read through a shared copy so
// that the skin's own bitmap is never modified; the result is made private before drawing.
class Composer {
  public:
    Composer(TBitmap& result, int width, int height, const TBitmap& picture) : result_(result) {
        source_.CopyFrom(&picture);
        result_.SetWidth(std::max(width, 0));
        result_.SetHeight(std::max(height, 0));
        if (!result_.IsEmpty()) {
            result_.Canvas().Changing();
            target_ = result_.Canvas().Handle();
        }
        if (!source_.IsEmpty()) src_ = source_.Canvas().Handle();
    }
    ~Composer() {
        if (target_ != nullptr) result_.Canvas().Changed();
    }
    Composer(const Composer&) = delete;
    Composer& operator=(const Composer&) = delete;

    bool Ready() const { return target_ != nullptr && src_ != nullptr; }
    HDC Target() const { return target_; }
    HDC Source() const { return src_; }

  private:
    TBitmap& result_;
    TBitmap source_;
    HDC target_ = nullptr;
    HDC src_ = nullptr;
};

}  // namespace

void TilePiece(HDC target, const TRect& dest, HDC source, const TRect& src) {
    int stepX = src.Width();
    int stepY = src.Height();
    if (stepX <= 0 || stepY <= 0 || dest.IsEmpty()) return;
    for (int y = dest.top; y < dest.bottom; y += stepY) {
        int h = std::min(stepY, dest.bottom - y);
        for (int x = dest.left; x < dest.right; x += stepX) {
            int w = std::min(stepX, dest.right - x);
            BitBlt(target, x, y, w, h, source, src.left, src.top, SRCCOPY);
        }
    }
}

void StretchPiece(HDC target, const TRect& dest, HDC source, const TRect& src) {
    if (src.IsEmpty() || dest.IsEmpty()) return;
    int oldMode = SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, dest.left, dest.top, dest.Width(), dest.Height(), source, src.left, src.top,
               src.Width(), src.Height(), SRCCOPY);
    SetStretchBltMode(target, oldMode);
}

void DrawPiece(HDC target, const TRect& dest, HDC source, const TRect& src, bool stretch) {
    if (stretch)
        StretchPiece(target, dest, source, src);
    else
        TilePiece(target, dest, source, src);
}

void FillByStretchType(HDC target, const TRect& dest, HDC source, const TRect& src, bool stretch,
                       skin::TbsStretchType type) {
    if (src.IsEmpty() || dest.IsEmpty()) return;
    if (!stretch) {
        TilePiece(target, dest, source, src);
        return;
    }
    switch (type) {
        case skin::TbsStretchType::bsstFull:
            StretchPiece(target, dest, source, src);
            return;
        case skin::TbsStretchType::bsstHorz:
            // Each column of tiles is the piece stretched to the full height.
            for (int x = dest.left; x < dest.right; x += src.Width()) {
                int w = std::min(src.Width(), dest.right - x);
                TRect part = graphics::Rect(src.left, src.top, src.left + w, src.bottom);
                StretchPiece(target, graphics::Rect(x, dest.top, x + w, dest.bottom), source, part);
            }
            return;
        case skin::TbsStretchType::bsstVert:
            for (int y = dest.top; y < dest.bottom; y += src.Height()) {
                int h = std::min(src.Height(), dest.bottom - y);
                TRect part = graphics::Rect(src.left, src.top, src.right, src.top + h);
                StretchPiece(target, graphics::Rect(dest.left, y, dest.right, y + h), source, part);
            }
            return;
    }
}

void ComposeHorizontalImage(TBitmap& result, int width, const TBitmap& picture,
                            const TRect& skinRect, int leftWidth, int rightWidth, bool stretch) {
    Composer c(result, width, skinRect.Height(), picture);
    if (!c.Ready()) return;
    int h = skinRect.Height();
    leftWidth = std::clamp(leftWidth, 0, skinRect.Width());
    rightWidth = std::clamp(rightWidth, 0, skinRect.Width());
    // The middle piece is what lies between the ends, at least one column wide.
    int midLeft = skinRect.left + leftWidth;
    int midRight = std::max(skinRect.right - rightWidth, midLeft + 1);
    TRect middle = graphics::Rect(midLeft, skinRect.top, midRight, skinRect.bottom);
    if (width >= leftWidth + rightWidth) {
        TRect gap = graphics::Rect(leftWidth, 0, width - rightWidth, h);
        DrawPiece(c.Target(), gap, c.Source(), middle, stretch);
    }
    if (leftWidth > 0)
        BitBlt(c.Target(), 0, 0, leftWidth, h, c.Source(), skinRect.left, skinRect.top, SRCCOPY);
    if (rightWidth > 0)
        BitBlt(c.Target(), width - rightWidth, 0, rightWidth, h, c.Source(),
               skinRect.right - rightWidth, skinRect.top, SRCCOPY);
}

void ComposeVerticalImage(TBitmap& result, int height, const TBitmap& picture,
                          const TRect& skinRect, int topHeight, int bottomHeight, bool stretch) {
    Composer c(result, skinRect.Width(), height, picture);
    if (!c.Ready()) return;
    int w = skinRect.Width();
    topHeight = std::clamp(topHeight, 0, skinRect.Height());
    bottomHeight = std::clamp(bottomHeight, 0, skinRect.Height());
    int midTop = skinRect.top + topHeight;
    int midBottom = std::max(skinRect.bottom - bottomHeight, midTop + 1);
    TRect middle = graphics::Rect(skinRect.left, midTop, skinRect.right, midBottom);
    if (height >= topHeight + bottomHeight) {
        TRect gap = graphics::Rect(0, topHeight, w, height - bottomHeight);
        DrawPiece(c.Target(), gap, c.Source(), middle, stretch);
    }
    if (topHeight > 0)
        BitBlt(c.Target(), 0, 0, w, topHeight, c.Source(), skinRect.left, skinRect.top, SRCCOPY);
    if (bottomHeight > 0)
        BitBlt(c.Target(), 0, height - bottomHeight, w, bottomHeight, c.Source(), skinRect.left,
               skinRect.bottom - bottomHeight, SRCCOPY);
}

void ComposeNinePartImage(TBitmap& result, int width, int height, const TBitmap& picture,
                          const TRect& skinRect, const TbsSkinGeometry& g, bool drawClient) {
    Composer c(result, width, height, picture);
    if (!c.Ready()) return;
    if (g.RB.x == g.LT.x || g.RB.y == g.LT.y) return;
    const int sw = skinRect.Width();
    const int sh = skinRect.Height();
    const TRect& cr = g.ClRect;
    const TRect& ncr = g.NewClRect;
    auto src = [&](int l, int t, int r, int b) {
        return Offset(graphics::Rect(l, t, r, b), skinRect.left, skinRect.top);
    };
    HDC dst = c.Target();
    HDC s = c.Source();

    // Edges between the resized points.
    DrawPiece(dst, graphics::Rect(g.NewLT.x, 0, g.NewRT.x, ncr.top), s,
              src(g.LT.x, 0, g.RT.x, cr.top), g.TopStretch);
    DrawPiece(dst, graphics::Rect(g.NewLB.x, ncr.bottom, g.NewRB.x, height), s,
              src(g.LB.x, cr.bottom, g.RB.x, sh), g.BottomStretch);
    DrawPiece(dst, graphics::Rect(0, g.NewLT.y, ncr.left, g.NewLB.y), s,
              src(0, g.LT.y, cr.left, g.LB.y), g.LeftStretch);
    DrawPiece(dst, graphics::Rect(ncr.right, g.NewRT.y, width, g.NewRB.y), s,
              src(cr.right, g.RT.y, sw, g.RB.y), g.RightStretch);

    // Eight corner pieces, copied as they are to their resized places.
    auto corner = [&](TRect piece, int x, int y) {
        if (piece.IsEmpty()) return;
        TRect from = Offset(piece, skinRect.left, skinRect.top);
        BitBlt(dst, x, y, piece.Width(), piece.Height(), s, from.left, from.top, SRCCOPY);
    };
    corner(graphics::Rect(0, 0, g.LT.x, cr.top), 0, 0);
    corner(graphics::Rect(0, cr.top, cr.left, g.LT.y), 0, ncr.top);
    corner(graphics::Rect(g.RT.x, 0, sw, cr.top), g.NewRT.x, 0);
    corner(graphics::Rect(cr.right, cr.top, sw, g.RT.y), ncr.right, ncr.top);
    corner(graphics::Rect(0, g.LB.y, cr.left, sh), 0, g.NewLB.y);
    corner(graphics::Rect(cr.left, cr.bottom, g.LB.x, sh), ncr.left, ncr.bottom);
    corner(graphics::Rect(g.RB.x, cr.bottom, sw, sh), g.NewRB.x, ncr.bottom);
    corner(graphics::Rect(cr.right, g.RB.y, sw, cr.bottom), ncr.right, g.NewRB.y);

    if (drawClient) {
        TRect piece = src(cr.left, cr.top, cr.right, cr.bottom);
        int saved = SaveDC(dst);
        IntersectClipRect(dst, ncr.left, ncr.top, ncr.right, ncr.bottom);
        FillByStretchType(dst, ncr, s, piece, g.StretchEffect, g.StretchType);
        RestoreDC(dst, saved);
    }
}

void ComposeStretchedImage(TBitmap& result, int width, int height, const TBitmap& picture,
                           const TRect& skinRect, const TRect& clRect) {
    TbsSkinGeometry g;
    g.LT = {clRect.left, clRect.top};
    g.RT = {clRect.right, clRect.top};
    g.LB = {clRect.left, clRect.bottom};
    g.RB = {clRect.right, clRect.bottom};
    g.ClRect = clRect;
    int dx = width - skinRect.Width();
    int dy = height - skinRect.Height();
    g.NewLT = g.LT;
    g.NewRT = {g.RT.x + dx, g.RT.y};
    g.NewLB = {g.LB.x, g.LB.y + dy};
    g.NewRB = {g.RB.x + dx, g.RB.y + dy};
    g.NewClRect = graphics::Rect(clRect.left, clRect.top, clRect.right + dx, clRect.bottom + dy);
    g.LeftStretch = g.TopStretch = g.RightStretch = g.BottomStretch = true;
    g.StretchEffect = true;
    g.StretchType = skin::TbsStretchType::bsstFull;
    ComposeNinePartImage(result, width, height, picture, skinRect, g, true);
}

}  // namespace skinctrls
