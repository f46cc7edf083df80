#include "platform/gdi/text_render.h"

#include <algorithm>
#include <cstring>

#include "core/utf8.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/text_mask.h"

namespace platform::text {
namespace {

constexpr long long kMaxMaskPixels = 64LL * 1024 * 1024;

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

void Extend(RECT& bounds, const RECT& r) {
    if (IsEmpty(r)) return;
    if (IsEmpty(bounds)) {
        bounds = r;
        return;
    }
    bounds.left = std::min(bounds.left, r.left);
    bounds.top = std::min(bounds.top, r.top);
    bounds.right = std::max(bounds.right, r.right);
    bounds.bottom = std::max(bounds.bottom, r.bottom);
}

RECT GlyphBox(const GlyphImage& glyph, int penX, int baseline) {
    const int x = penX + glyph.left;
    const int y = baseline - glyph.top;
    return RECT{x, y, x + glyph.width, y + glyph.rows};
}

// The part of the surface the DC may draw on, in device coordinates, so the mask never grows
// beyond what can show.
RECT DrawableDeviceArea(DcObject& dc) {
    const RECT box = dc.EffectiveClip().Bounds();
    const POINT origin = dc.DeviceOrigin();
    return RECT{box.left - origin.x, box.top - origin.y, box.right - origin.x,
                box.bottom - origin.y};
}

}  // namespace

std::u32string DecodeText(const char* text, int length) {
    if (text == nullptr) return {};
    const size_t bytes = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
    return core::Utf8ToUtf32(std::string_view(text, bytes));
}

void AddStyleBars(const RealizedFont& font, int x, int width, int baseline,
                  std::vector<RECT>& bars) {
    const FontMetrics& m = font.Metrics();
    const FaceMetrics& line = font.LineMetrics();
    if (width <= 0) return;
    if (m.underlined) {
        const int top = baseline + line.underlinePosition;
        bars.push_back(RECT{x, top, x + width, top + line.underlineThickness});
    }
    if (m.struckOut) {
        const int top = baseline - line.strikeoutPosition;
        bars.push_back(RECT{x, top, x + width, top + line.strikeoutThickness});
    }
}

void DrawRun(DcObject& dc, RealizedFont& font, const TextRun& run, const std::optional<RECT>& clip,
             bool fillCell) {
    RECT limit = DrawableDeviceArea(dc);
    if (clip) limit = Intersect(limit, *clip);
    if (IsEmpty(limit)) return;

    if (fillCell) {
        const RECT cell = Intersect(run.cell, limit);
        if (!IsEmpty(cell)) FillDeviceRect(dc, cell, dc.State().bkColor);
    }

    RECT bounds{};
    std::vector<const GlyphImage*> glyphs;
    glyphs.reserve(run.chars.size());
    for (size_t i = 0; i < run.chars.size() && i < run.penX.size(); ++i) {
        const GlyphImage& glyph = font.Glyph(run.chars[i]);
        glyphs.push_back(&glyph);
        Extend(bounds, GlyphBox(glyph, run.penX[i], run.baseline));
    }
    for (const RECT& bar : run.bars) Extend(bounds, bar);
    bounds = Intersect(bounds, limit);
    if (IsEmpty(bounds)) return;
    const long long pixels =
        static_cast<long long>(bounds.right - bounds.left) * (bounds.bottom - bounds.top);
    if (pixels > kMaxMaskPixels) return;

    CoverageMask mask(bounds.left, bounds.top, bounds.right - bounds.left,
                      bounds.bottom - bounds.top);
    for (size_t i = 0; i < glyphs.size(); ++i)
        mask.DrawGlyph(*glyphs[i], run.penX[i], run.baseline);
    for (const RECT& bar : run.bars) mask.FillBar(bar.left, bar.top, bar.right, bar.bottom);
    BlendCoverage(dc, mask.Left(), mask.Top(), mask.Row(0), mask.Width(), mask.Height(),
                  mask.Width(), dc.State().textColor);
}

}  // namespace platform::text
