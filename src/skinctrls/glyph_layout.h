#pragma once
// Where a button puts its glyph and caption, and the drawing of both.
#include <cstdint>
#include <string>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/types.h"

namespace skinctrls {

using graphics::TPoint;
using graphics::TRect;

enum class TbsButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TbsGlyphAndCaptionPlace {
    TPoint glyph;
    TPoint caption;
};

// Places a glyph of gw × gh and a caption of tw × th inside `rect`. A margin of -1 centres both;
// a margin m >= 0 keeps the glyph m pixels from the layout's edge. The spacing counts only when
// there is a glyph.
TbsGlyphAndCaptionPlace CalcGlyphAndCaptionLayout(const TRect& rect, int gw, int gh, int tw, int th,
                                                  int margin, int spacing, TbsButtonLayout layout);

// Draws frame `frame` (1-based) of a strip of `numGlyphs` glyphs and the caption inside `rect`
// in the canvas font; `pressed` moves both one pixel down and right.
void DrawGlyphAndCaption(graphics::TCanvas& canvas, const TRect& rect, int margin, bool pressed,
                         int frame, int numGlyphs, const graphics::TBitmap& glyph,
                         const std::string& caption, TbsButtonLayout layout, int spacing);

// Frame `frame` (1-based) of a glyph strip drawn with its bottom-left colour transparent.
void DrawGlyphFrame(graphics::TCanvas& canvas, int x, int y, const graphics::TBitmap& glyph,
                    int frame, int numGlyphs);

// The frame number a button shows: pressed 3, hot 4, disabled 2, else 1 (when the strip has
// that many frames).
int GlyphFrameNumber(bool active, bool down, bool enabled, int numGlyphs);

}  // namespace skinctrls
