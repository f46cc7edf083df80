#include "skin/frame_hit_test.h"

#include "platform/gdi/gdi.h"
#include "platform/user/winuser.h"

namespace skin {

using namespace platform;

namespace {

bool In(graphics::TPoint p, int left, int top, int right, int bottom) {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
}

bool In(graphics::TPoint p, const graphics::TRect& r) {
    return In(p, r.left, r.top, r.right, r.bottom);
}

bool NearEdge(const TbsFrameGeometry& g, const TbsHitTestState& s, graphics::TPoint p) {
    const int bw = s.BorderWidth;
    const graphics::TPoint probes[] = {
        {p.x - bw, p.y}, {p.x, p.y - bw}, {p.x + bw, p.y}, {p.x, p.y + bw}};
    if (!s.HasMask || s.Region == nullptr) {
        for (const auto& q : probes)
            if (!In(q, 0, 0, g.W, g.H)) return true;
        return false;
    }
    if (In(p, g.MaskArea)) return false;
    for (const auto& q : probes)
        if (!PtInRegion(s.Region, q.x, q.y)) return true;
    return false;
}

}  // namespace

LRESULT SkinHitTest(const TbsFrameGeometry& g, const TbsHitTestState& s, graphics::TPoint p) {
    if (s.RolledUpOrMinimized) return s.OnCaption ? HTCAPTION : kNeutralHit;
    if (s.ObjectHot && !s.OnObject && !In(p, g.Client) && !s.SizeMoving) return kNeutralHit;
    if (!s.Maximized && s.Sizeable && NearEdge(g, s, p)) {
        if (p.x <= g.HitLT.x && p.y <= g.HitLT.y) return HTTOPLEFT;
        if (p.x >= g.HitRT.x && p.y <= g.HitRT.y) return HTTOPRIGHT;
        if (p.x <= g.HitLB.x && p.y >= g.HitLB.y) return HTBOTTOMLEFT;
        if (p.x >= g.HitRB.x && p.y >= g.HitRB.y) return HTBOTTOMRIGHT;
        if (In(p, g.HitLT.x, 0, g.HitRT.x, g.Client.top)) return HTTOP;
        if (In(p, g.HitLB.x, g.Client.bottom, g.HitRB.x, g.H)) return HTBOTTOM;
        if (In(p, 0, g.HitLT.y, g.Client.left, g.HitLB.y)) return HTLEFT;
        if (In(p, g.Client.right, g.HitRT.y, g.W, g.HitRB.y)) return HTRIGHT;
    }
    if (In(p, g.Client)) return HTCLIENT;
    if (s.OnCaption) return HTCAPTION;
    return kNeutralHit;
}

LRESULT PlainHitTest(int w, int h, int border, int captionHeight, bool sizeable,
                     graphics::TPoint p) {
    if (!In(p, 0, 0, w, h)) return HTNOWHERE;
    const bool left = p.x < border, right = p.x >= w - border;
    const bool top = p.y < border, bottom = p.y >= h - border;
    if (left || right || top || bottom) {
        if (!sizeable) return HTBORDER;
        if (top && left) return HTTOPLEFT;
        if (top && right) return HTTOPRIGHT;
        if (bottom && left) return HTBOTTOMLEFT;
        if (bottom && right) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        return top ? HTTOP : HTBOTTOM;
    }
    if (p.y < border + captionHeight) return HTCAPTION;
    return HTCLIENT;
}

}  // namespace skin
