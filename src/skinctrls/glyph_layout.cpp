#include "skinctrls/glyph_layout.h"

#include <algorithm>

#include "platform/gdi/gdi.h"

namespace skinctrls {

using namespace platform;

TbsGlyphAndCaptionPlace CalcGlyphAndCaptionLayout(const TRect& rect, int gw, int gh, int tw, int th,
                                                  int margin, int spacing, TbsButtonLayout layout) {
    if (gw == 0) spacing = 0;
    const int cx = rect.left + rect.Width() / 2;
    const int cy = rect.top + rect.Height() / 2;
    TbsGlyphAndCaptionPlace p;
    const bool horizontal =
        layout == TbsButtonLayout::blGlyphLeft || layout == TbsButtonLayout::blGlyphRight;
    if (horizontal) {
        p.glyph.y = cy - gh / 2;
        p.caption.y = cy - th / 2;
    } else {
        p.glyph.x = cx - gw / 2;
        p.caption.x = cx - tw / 2;
    }
    if (margin == -1) {
        switch (layout) {
            case TbsButtonLayout::blGlyphLeft:
                p.glyph.x = cx - (gw + tw + spacing) / 2;
                p.caption.x = cx + (gw + tw + spacing) / 2 - tw;
                break;
            case TbsButtonLayout::blGlyphRight:
                p.caption.x = cx - (gw + tw + spacing) / 2;
                p.glyph.x = cx + (gw + tw + spacing) / 2 - gw;
                break;
            case TbsButtonLayout::blGlyphTop:
                p.glyph.y = cy - (th + gh + spacing) / 2;
                p.caption.y = cy + (th + gh + spacing) / 2 - th;
                break;
            case TbsButtonLayout::blGlyphBottom:
                p.caption.y = cy - (th + gh + spacing) / 2;
                p.glyph.y = cy + (th + gh + spacing) / 2 - gh;
                break;
        }
        return p;
    }
    switch (layout) {
        case TbsButtonLayout::blGlyphLeft:
            p.glyph.x = rect.left + margin;
            p.caption.x = p.glyph.x + gw + spacing;
            break;
        case TbsButtonLayout::blGlyphRight:
            p.glyph.x = rect.right - gw - margin;
            p.caption.x = p.glyph.x - spacing - tw;
            break;
        case TbsButtonLayout::blGlyphTop:
            p.glyph.y = rect.top + margin;
            p.caption.y = p.glyph.y + gh + spacing;
            break;
        case TbsButtonLayout::blGlyphBottom:
            p.glyph.y = rect.bottom - gh - margin;
            p.caption.y = p.glyph.y - spacing - th;
            break;
    }
    return p;
}

void DrawGlyphFrame(graphics::TCanvas& canvas, int x, int y, const graphics::TBitmap& glyph,
                    int frame, int numGlyphs) {
    if (glyph.IsEmpty() || numGlyphs < 1) return;
    const int gw = glyph.Width() / numGlyphs;
    const int gh = glyph.Height();
    if (gw <= 0) return;
    frame = std::clamp(frame, 1, numGlyphs);
    graphics::TBitmap source;
    source.CopyFrom(&glyph);
    graphics::TBitmap piece;
    piece.SetWidth(gw);
    piece.SetHeight(gh);
    piece.Canvas().CopyRect(graphics::Rect(0, 0, gw, gh), source.Canvas(),
                            graphics::Rect((frame - 1) * gw, 0, frame * gw, gh));
    // A glyph with a fixed transparent colour (an image list's image) keeps it.
    if (source.MaskColorMode() == graphics::TTransparentMode::Fixed)
        piece.SetMaskColor(graphics::TColor(source.MaskColor()));
    piece.SetTransparent(true);
    canvas.Draw(x, y, &piece);
}

void DrawGlyphAndCaption(graphics::TCanvas& canvas, const TRect& rect, int margin, bool pressed,
                         int frame, int numGlyphs, const graphics::TBitmap& glyph,
                         const std::string& caption, TbsButtonLayout layout, int spacing) {
    const int strip = std::max(numGlyphs, 1);
    const int gw = glyph.IsEmpty() ? 0 : glyph.Width() / strip;
    const int gh = glyph.IsEmpty() ? 0 : glyph.Height();
    int tw = 0;
    int th = 0;
    const bool vertical =
        layout == TbsButtonLayout::blGlyphTop || layout == TbsButtonLayout::blGlyphBottom;
    if (!caption.empty()) {
        RECT measure{0, 0, rect.Width() - (vertical ? 0 : gw), rect.Height() - (vertical ? gh : 0)};
        canvas.EnsureDrawState();
        DrawText(canvas.Handle(), caption.c_str(), int(caption.size()), &measure,
                 DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        tw = measure.right - measure.left;
        th = measure.bottom - measure.top;
        canvas.Brush().SetStyle(graphics::TBrushStyle::bsClear);
    }
    TbsGlyphAndCaptionPlace p =
        CalcGlyphAndCaptionLayout(rect, gw, gh, tw, th, margin, spacing, layout);
    if (pressed) {
        p.glyph.x += 1;
        p.glyph.y += 1;
        p.caption.x += 1;
        p.caption.y += 1;
    }
    if (!caption.empty()) {
        RECT box{p.caption.x, p.caption.y, p.caption.x + tw + 2, p.caption.y + th};
        canvas.Changing();
        canvas.EnsureDrawState();
        HDC dc = canvas.Handle();
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, graphics::ColorToRGB(canvas.Font().Color()));
        DrawText(dc, caption.c_str(), int(caption.size()), &box,
                 DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS);
        canvas.Changed();
    }
    if (gw > 0) DrawGlyphFrame(canvas, p.glyph.x, p.glyph.y, glyph, frame, strip);
}

int GlyphFrameNumber(bool active, bool down, bool enabled, int numGlyphs) {
    if (active && down && numGlyphs > 2) return 3;
    if (active && numGlyphs > 3) return 4;
    if (enabled || numGlyphs < 2) return 1;
    return 2;
}

}  // namespace skinctrls
