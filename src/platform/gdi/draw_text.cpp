// DrawText: lays the text out (see text_layout.h) and draws each line, or with DT_CALCRECT only
// reports the rectangle the text needs.
#include <optional>
#include <utility>

#include "platform/gdi/dc.h"
#include "platform/gdi/font_object.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/text_layout.h"
#include "platform/gdi/text_render.h"

namespace platform {
namespace {

class FontMeasure final : public text::TextMeasure {
  public:
    FontMeasure(text::RealizedFont& font, int extra) : font_(font), extra_(extra) {}
    int Advance(char32_t ch) override { return font_.Advance(ch) + extra_; }
    int LineHeight() override { return font_.Metrics().height; }
    int ExternalLeading() override { return font_.Metrics().externalLeading; }
    int AveCharWidth() override { return font_.Metrics().aveCharWidth; }

  private:
    text::RealizedFont& font_;
    int extra_;
};

// Draws one laid-out line. Positions are logical; with the usual unscaled mapping they differ
// from device pixels by the origins only.
void DrawLine(DcObject& dc, text::RealizedFont& font, const text::LaidLine& line,
              const std::optional<RECT>& clip, bool prefixOnly) {
    const text::FontMetrics& m = font.Metrics();
    const POINT origin = dc.ToDevice(POINT{line.left, line.top});
    const int shift = origin.x - line.left;
    text::TextRun run;
    run.baseline = origin.y + m.ascent;
    if (!prefixOnly) {
        // DT_PREFIXONLY draws the accelerator marks alone.
        run.chars = line.chars;
        for (int x : line.x) run.penX.push_back(x + shift);
        run.cell = RECT{origin.x, origin.y, origin.x + line.width, origin.y + m.height};
        text::AddStyleBars(font, origin.x, line.width, run.baseline, run.bars);
    }
    const text::FaceMetrics& lm = font.LineMetrics();
    for (auto [from, to] : line.underlines) {
        const int top = run.baseline + lm.underlinePosition;
        run.bars.push_back(RECT{from + shift, top, to + shift, top + lm.underlineThickness});
    }
    text::DrawRun(dc, font, run, clip, !prefixOnly && dc.State().bkMode == OPAQUE);
}

}  // namespace

int DrawText(HDC dc, const char* text, int length, RECT* rect, UINT format) {
    DcObject* object = ResolveDc(dc);
    if (object == nullptr || rect == nullptr || text == nullptr) return 0;
    std::lock_guard lock(text::TextLock());
    auto font = DcFont(*object);
    const std::u32string chars = text::DecodeText(text, length);
    FontMeasure measure(*font, object->State().charExtra);
    const text::LayoutBox box{rect->left, rect->top, rect->right, rect->bottom};
    const text::TextLayout layout = text::LayoutText(chars, box, format, measure);

    if (format & DT_CALCRECT) {
        rect->right = layout.extent.right;
        rect->bottom = layout.extent.bottom;
        return layout.extent.bottom - layout.extent.top;
    }
    std::optional<RECT> clip;
    if (!(format & DT_NOCLIP)) {
        RECT r = object->ToDeviceRect(*rect);
        if (r.left > r.right) std::swap(r.left, r.right);
        if (r.top > r.bottom) std::swap(r.top, r.bottom);
        clip = r;
    }
    const bool prefixOnly = (format & DT_PREFIXONLY) != 0;
    for (const text::LaidLine& line : layout.lines)
        DrawLine(*object, *font, line, clip, prefixOnly);
    return layout.height;
}

}  // namespace platform
