#include "skinctrls/skin_image.h"

#include <algorithm>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"

namespace skinctrls {

using namespace platform;
using graphics::TBitmap;

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
    CopyPiece(c.Target(), 0, 0, c.Source(),
              graphics::Rect(skinRect.left, skinRect.top, midLeft, skinRect.bottom));
    CopyPiece(
        c.Target(), width - rightWidth, 0, c.Source(),
        graphics::Rect(skinRect.right - rightWidth, skinRect.top, skinRect.right, skinRect.bottom));
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
    CopyPiece(c.Target(), 0, 0, c.Source(),
              graphics::Rect(skinRect.left, skinRect.top, skinRect.right, midTop));
    CopyPiece(c.Target(), 0, height - bottomHeight, c.Source(),
              graphics::Rect(skinRect.left, skinRect.bottom - bottomHeight, skinRect.right,
                             skinRect.bottom));
}

void ComposeNinePartImage(TBitmap& result, int width, int height, const TBitmap& picture,
                          const TRect& skinRect, const TbsSkinGeometry& g, bool drawClient) {
    Composer c(result, width, height, picture);
    if (!c.Ready()) return;
    DrawNinePartImage(c.Target(), width, height, c.Source(), skinRect, g, drawClient);
}

void DrawNinePartImage(HDC dst, int width, int height, HDC s, const TRect& skinRect,
                       const TbsSkinGeometry& g, bool drawClient) {
    if (g.RB.x == g.LT.x || g.RB.y == g.LT.y) return;
    const int sw = skinRect.Width();
    const int sh = skinRect.Height();
    const TRect& cr = g.ClRect;
    const TRect& ncr = g.NewClRect;
    auto src = [&](int l, int t, int r, int b) {
        return Offset(graphics::Rect(l, t, r, b), skinRect.left, skinRect.top);
    };

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
        CopyPiece(dst, x, y, s, Offset(piece, skinRect.left, skinRect.top));
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
        skin::ClipScope clip(dst, ncr);
        FillByStretchType(dst, ncr, s, src(cr.left, cr.top, cr.right, cr.bottom), g.StretchEffect,
                          g.StretchType);
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
