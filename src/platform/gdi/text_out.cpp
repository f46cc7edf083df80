// TextOut, ExtTextOut and the text measuring calls.
#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/font_object.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/text_render.h"

namespace platform {
namespace {

// Coordinates beyond this are clamped so pen arithmetic cannot overflow.
constexpr int kCoordinateLimit = 1 << 26;

int ClampCoordinate(long long v) {
    return static_cast<int>(std::clamp<long long>(v, -kCoordinateLimit, kCoordinateLimit));
}

// Pen positions from x = 0 and the total advance, with the DC's character spacing or the
// caller's explicit advances (one per character).
int PlacePens(text::RealizedFont& font, std::u32string_view chars, int extra, const INT* dx,
              std::vector<int>& pens) {
    long long x = 0;
    pens.clear();
    pens.reserve(chars.size());
    for (size_t i = 0; i < chars.size(); ++i) {
        pens.push_back(ClampCoordinate(x));
        x += dx != nullptr ? dx[i] : font.Advance(chars[i]) + extra;
    }
    return ClampCoordinate(x);
}

struct Anchor {
    int left;
    int baseline;
};

// Where the text starts for the DC's alignment, given the reference point in device pixels.
Anchor AlignRun(UINT align, POINT ref, int width, const text::FontMetrics& m) {
    Anchor a{ref.x, ref.y + m.ascent};
    if ((align & TA_CENTER) == TA_CENTER)
        a.left = ref.x - width / 2;
    else if (align & TA_RIGHT)
        a.left = ref.x - width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        a.baseline = ref.y;
    else if (align & TA_BOTTOM)
        a.baseline = ref.y - m.descent;
    return a;
}

RECT NormalisedDeviceRect(DcObject& dc, const RECT& logical) {
    RECT r = dc.ToDeviceRect(logical);
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

}  // namespace

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT length,
                const INT* dx) {
    DcObject* object = ResolveDc(dc);
    if (object == nullptr) return FALSE;
    std::lock_guard lock(text::TextLock());
    DcState& state = object->State();
    auto font = DcFont(*object);
    const std::u32string chars =
        text != nullptr
            ? text::DecodeText(text, static_cast<int>(std::min<UINT>(length, 0x7FFFFFFF)))
            : std::u32string();

    std::optional<RECT> deviceRect;
    if (rect != nullptr) deviceRect = NormalisedDeviceRect(*object, *rect);
    if ((options & ETO_OPAQUE) && deviceRect && deviceRect->right > deviceRect->left &&
        deviceRect->bottom > deviceRect->top)
        FillDeviceRect(*object, *deviceRect, state.bkColor);
    if (chars.empty()) return TRUE;

    std::vector<int> pens;
    const int width = PlacePens(*font, chars, state.charExtra, dx, pens);
    const bool updateCp = (state.textAlign & TA_UPDATECP) != 0;
    const POINT logicalRef = updateCp ? state.currentPos : POINT{x, y};
    POINT ref = object->ToDevice(logicalRef);
    ref.x = ClampCoordinate(ref.x);
    ref.y = ClampCoordinate(ref.y);
    const text::FontMetrics& m = font->Metrics();
    const Anchor anchor = AlignRun(state.textAlign, ref, width, m);

    text::TextRun run;
    run.chars = chars;
    run.baseline = anchor.baseline;
    for (int pen : pens) run.penX.push_back(anchor.left + pen);
    run.cell = RECT{anchor.left, anchor.baseline - m.ascent, anchor.left + width,
                    anchor.baseline + m.descent};
    text::AddStyleBars(*font, anchor.left, width, anchor.baseline, run.bars);

    std::optional<RECT> clip;
    if ((options & ETO_CLIPPED) && deviceRect) clip = deviceRect;
    text::DrawRun(*object, *font, run, clip, state.bkMode == OPAQUE);

    if (updateCp) {
        // The current position moves past the text (back over it for right alignment; centred
        // text leaves it where it was).
        const int logicalWidth = LogicalWidth(*object, width);
        const bool centred = (state.textAlign & TA_CENTER) == TA_CENTER;
        if (!centred)
            state.currentPos.x += (state.textAlign & TA_RIGHT) ? -logicalWidth : logicalWidth;
    }
    return TRUE;
}

BOOL TextOut(HDC dc, int x, int y, const char* text, int length) {
    if (text == nullptr && length != 0) return FALSE;
    if (length < 0) return FALSE;  // TextOut has no NUL-terminated form
    return ExtTextOut(dc, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
}

BOOL GetTextExtentExPoint(HDC dc, const char* text, int length, int maxExtent, INT* fit, INT* dx,
                          SIZE* size) {
    DcObject* object = ResolveDc(dc);
    if (object == nullptr || size == nullptr || (text == nullptr && length > 0)) return FALSE;
    std::lock_guard lock(text::TextLock());
    auto font = DcFont(*object);
    const std::u32string chars =
        text != nullptr && length > 0 ? text::DecodeText(text, length) : std::u32string();
    const int extra = object->State().charExtra;
    long long x = 0;
    int fitted = 0;
    for (size_t i = 0; i < chars.size(); ++i) {
        x += font->Advance(chars[i]) + extra;
        const int logical = LogicalWidth(*object, ClampCoordinate(x));
        if (dx != nullptr) dx[i] = logical;
        if (maxExtent >= 0 && logical <= maxExtent && fitted == static_cast<int>(i)) ++fitted;
    }
    if (fit != nullptr) *fit = fitted;
    size->cx = LogicalWidth(*object, ClampCoordinate(x));
    size->cy = LogicalHeight(*object, font->Metrics().height);
    return TRUE;
}

BOOL GetTextExtentPoint32(HDC dc, const char* text, int length, SIZE* size) {
    if (length < 0) return FALSE;
    return GetTextExtentExPoint(dc, text, length, -1, nullptr, nullptr, size);
}

int SetTextCharacterExtra(HDC dc, int extra) {
    DcObject* object = ResolveDc(dc);
    if (object == nullptr) return static_cast<int>(0x80000000);
    const int previous = object->State().charExtra;
    object->State().charExtra =
        std::clamp(extra, -kCoordinateLimit / 1024, kCoordinateLimit / 1024);
    return previous;
}

int GetTextCharacterExtra(HDC dc) {
    DcObject* object = ResolveDc(dc);
    if (object == nullptr) return static_cast<int>(0x80000000);
    return object->State().charExtra;
}

BOOL GetCharWidth32(HDC dc, UINT first, UINT last, INT* widths) {
    DcObject* object = ResolveDc(dc);
    if (object == nullptr || widths == nullptr || last < first || last > 0x10FFFF) return FALSE;
    std::lock_guard lock(text::TextLock());
    auto font = DcFont(*object);
    for (UINT ch = first; ch <= last; ++ch)
        widths[ch - first] = LogicalWidth(*object, font->Advance(static_cast<char32_t>(ch)));
    return TRUE;
}

}  // namespace platform
