#pragma once
// Drawing of one line of placed glyphs into a device context: background cell, glyphs through
// a coverage mask in the text colour, and bars (underline, strike-out, accelerator marks).
// Shared by TextOut, ExtTextOut and DrawText.
#include <optional>
#include <string_view>
#include <vector>

#include "platform/gdi/font_realize.h"
#include "platform/gdi/wintypes.h"

namespace platform {

class DcObject;

namespace text {

// Everything in device coordinates.
struct TextRun {
    std::u32string_view chars;
    std::vector<int> penX;  // pen position of each character
    int baseline = 0;
    RECT cell{};  // the text's background cell
    std::vector<RECT> bars;
};

// Draws the run. `clip` (device) limits the background and the glyphs in addition to the DC's
// own clip; `fillCell` paints the cell in the background colour first.
void DrawRun(DcObject& dc, RealizedFont& font, const TextRun& run, const std::optional<RECT>& clip,
             bool fillCell);

// Underline and strike-out bars for a run of the given width starting at x.
void AddStyleBars(const RealizedFont& font, int x, int width, int baseline,
                  std::vector<RECT>& bars);

// Decodes caller text: `length` bytes, or up to the NUL when length is negative.
std::u32string DecodeText(const char* text, int length);

}  // namespace text
}  // namespace platform
