#include "skin/frame_geometry.h"

namespace skin {

TbsFrameInsets FrameInsets(const TbsSkinFormInfo& info, int pw, int ph) {
    const TRect& c = info.ClRect;
    return {c.Left, c.Top, pw - c.Right, ph - c.Bottom};
}

TbsFrameGeometry MapFrameGeometry(const TbsSkinFormInfo& info, int pw, int ph, int w, int h) {
    TbsFrameGeometry g;
    g.W = w;
    g.H = h;
    g.PW = pw;
    g.PH = ph;
    g.DX = w - pw;
    g.DY = h - ph;
    g.LT = ToPoint(info.LTPoint);
    g.RT = {info.RTPoint.X + g.DX, info.RTPoint.Y};
    g.LB = {info.LBPoint.X, info.LBPoint.Y + g.DY};
    g.RB = {info.RBPoint.X + g.DX, info.RBPoint.Y + g.DY};
    g.HitLT = ToPoint(info.HitTestLTPoint);
    g.HitRT = {info.HitTestRTPoint.X + g.DX, info.HitTestRTPoint.Y};
    g.HitLB = {info.HitTestLBPoint.X, info.HitTestLBPoint.Y + g.DY};
    g.HitRB = {info.HitTestRBPoint.X + g.DX, info.HitTestRBPoint.Y + g.DY};
    const TRect& c = info.ClRect;
    g.Client = {c.Left, c.Top, c.Right + g.DX, c.Bottom + g.DY};
    g.Caption = ToRect(info.CaptionRect);
    if (!info.CaptionRect.IsEmpty()) g.Caption.right += g.DX;
    g.Buttons = ToRect(info.ButtonsRect);
    if (info.ButtonsRect.Left > pw / 2) {
        g.Buttons.left += g.DX;
        g.Buttons.right += g.DX;
    }
    const TRect& m = info.MaskRectArea;
    g.MaskArea = {m.Left, m.Top, m.Right + g.DX, m.Bottom + g.DY};
    g.Insets = FrameInsets(info, pw, ph);
    return g;
}

graphics::TRect MapPictureRect(const TRect& r, const TbsFrameGeometry& g,
                               const TbsSkinFormInfo& info) {
    graphics::TRect out = ToRect(r);
    // Columns right of the top-right split move with the right edge; a rect that starts left
    // of it and ends right of it spans the top edge and stretches.
    const int splitX = info.RTPoint.X;
    const int splitY = info.LBPoint.Y;
    if (r.Left >= splitX) out.left += g.DX;
    if (r.Right > splitX) out.right += g.DX;
    if (r.Top >= splitY) out.top += g.DY;
    if (r.Bottom > splitY) out.bottom += g.DY;
    return out;
}

}  // namespace skin
