#pragma once
// Drawing steps the plain controls share: bevel frames and captions.
#include <string>

#include "graphics/canvas.h"
#include "graphics/types.h"

namespace ui {

// A one-pixel frame: top and left edges in `topLeft`, bottom and right edges in `bottomRight`.
void Frame3D(graphics::TCanvas& canvas, const graphics::TRect& rect, graphics::TColor topLeft,
             graphics::TColor bottomRight);
// Text in the canvas font and its colour, without background, laid out by DrawText.
void DrawCaption(graphics::TCanvas& canvas, const std::string& text, graphics::TRect rect,
                 unsigned format);
// Fills a rectangle with a colour (the canvas brush is left set to it).
void FillColor(graphics::TCanvas& canvas, const graphics::TRect& rect, graphics::TColor color);

}  // namespace ui
