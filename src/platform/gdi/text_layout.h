#pragma once
// The layout of DrawText: lines from line feeds and word breaks, the "&" accelerator prefix,
// tab expansion, end and path ellipses, and horizontal and vertical placement in a rectangle.
// It only measures; drawing the result is the caller's job, which keeps it testable without a
// device context.
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/wintypes.h"

namespace platform::text {

// What the layout needs to know of a font.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual int Advance(char32_t ch) = 0;
    virtual int LineHeight() = 0;       // tmHeight
    virtual int ExternalLeading() = 0;  // tmExternalLeading
    virtual int AveCharWidth() = 0;     // tab stops are 8 of these apart
};

struct LayoutBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct LaidLine {
    std::u32string chars;  // what is drawn (prefixes removed, ellipsis inserted)
    std::vector<int> x;    // pen position of each character, absolute
    int left = 0;          // absolute position of the line
    int top = 0;
    int width = 0;
    std::vector<std::pair<int, int>> underlines;  // accelerator underlines, absolute [from, to)
};

struct TextLayout {
    std::vector<LaidLine> lines;
    int lineHeight = 0;
    int width = 0;     // widest line
    int height = 0;    // what DrawText returns
    LayoutBox extent;  // the rectangle DT_CALCRECT hands back
};

// Lays out UTF-32 text in `box` as DrawText does with `format`.
TextLayout LayoutText(std::u32string_view text, const LayoutBox& box, unsigned format,
                      TextMeasure& measure);

// True for characters between which a line may break with no space (CJK ideographs, kana,
// hangul, full-width forms).
bool IsBreakableWide(char32_t ch);

}  // namespace platform::text
