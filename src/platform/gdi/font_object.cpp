#include "platform/gdi/font_object.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"

namespace platform {
namespace {

text::FontSpec SpecOf(const LOGFONT& lf, int height) {
    text::FontSpec spec;
    spec.faceName = FaceNameOf(lf);
    spec.height = height;
    spec.width = lf.lfWidth;
    spec.weight = lf.lfWeight;
    spec.italic = lf.lfItalic != 0;
    spec.underline = lf.lfUnderline != 0;
    spec.strikeOut = lf.lfStrikeOut != 0;
    spec.charSet = lf.lfCharSet;
    return spec;
}

LOGFONT MakeLogFont(int height, int weight, const char* face) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

// The stock fonts of a simplified-Chinese system: its system font is 16 pixels high, its dialog
// font the 12-pixel Song face.
LOGFONT StockLogFont(int index) {
    switch (index) {
        case OEM_FIXED_FONT:
        case ANSI_FIXED_FONT:
        case SYSTEM_FIXED_FONT:
            return MakeLogFont(-12, FW_NORMAL, "新宋体");
        case ANSI_VAR_FONT:
        case DEFAULT_GUI_FONT:
            return MakeLogFont(-12, FW_NORMAL, "宋体");
        default:
            return MakeLogFont(16, FW_NORMAL, "宋体");
    }
}

HFONT SystemFont() {
    static HFONT font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    return font;
}

}  // namespace

int LogicalWidth(DcObject& dc, int deviceWidth) {
    if (dc.IsIdentityScale()) return deviceWidth;
    const POINT a = dc.ToLogical(POINT{0, 0});
    const POINT b = dc.ToLogical(POINT{deviceWidth, 0});
    return std::abs(b.x - a.x);
}

int LogicalHeight(DcObject& dc, int deviceHeight) {
    if (dc.IsIdentityScale()) return deviceHeight;
    const POINT a = dc.ToLogical(POINT{0, 0});
    const POINT b = dc.ToLogical(POINT{0, deviceHeight});
    return std::abs(b.y - a.y);
}

std::string FaceNameOf(const LOGFONT& logFont) {
    const char* face = logFont.lfFaceName;
    return std::string(face, strnlen(face, LF_FACESIZE));
}

FontObject::FontObject(const LOGFONT& logFont) : GdiObject(kObjectType), logFont_(logFont) {
    // Keep the name terminated, as Windows does when it copies a LOGFONT in.
    logFont_.lfFaceName[LF_FACESIZE - 1] = '\0';
}

std::shared_ptr<text::RealizedFont> FontObject::Realize(int deviceHeight) const {
    return text::RealizeFont(SpecOf(logFont_, deviceHeight));
}

int FontObject::Describe(int size, void* buffer) const {
    if (buffer == nullptr) return static_cast<int>(sizeof(LOGFONT));
    if (size <= 0) return 0;
    const size_t bytes = std::min(static_cast<size_t>(size), sizeof(LOGFONT));
    std::memcpy(buffer, &logFont_, bytes);
    return static_cast<int>(bytes);
}

std::shared_ptr<text::RealizedFont> DcFont(DcObject& dc) {
    const FontObject* font = ResolveObject<FontObject>(dc.State().font);
    if (font == nullptr) font = ResolveObject<FontObject>(SystemFont());
    LOGFONT fallback = StockLogFont(SYSTEM_FONT);
    const LOGFONT& lf = font != nullptr ? font->LogFont() : fallback;
    int height = lf.lfHeight;
    if (!dc.IsIdentityScale() && height != 0) {
        // Fonts are realized in device pixels: scale the height as the mapping scales y.
        const DcState& s = dc.State();
        if (s.windowExt.cy != 0) {
            const double scale = std::abs(static_cast<double>(s.viewportExt.cy) / s.windowExt.cy);
            const double scaled = std::round(height * scale);
            height = static_cast<int>(std::clamp(scaled, -1.0e6, 1.0e6));
            if (height == 0) height = lf.lfHeight < 0 ? -1 : 1;
        }
    }
    return text::RealizeFont(SpecOf(lf, height));
}

HGDIOBJ CreateStockFont(int index) {
    return RegisterObject<HFONT>(std::make_unique<FontObject>(StockLogFont(index)));
}

HFONT CreateFontIndirect(const LOGFONT* font) {
    if (font == nullptr) return nullptr;
    return RegisterObject<HFONT>(std::make_unique<FontObject>(*font));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* faceName) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic != 0);
    lf.lfUnderline = static_cast<BYTE>(underline != 0);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut != 0);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (faceName != nullptr) std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics) {
    DcObject* object = ResolveDc(dc);
    if (object == nullptr || metrics == nullptr) return FALSE;
    auto font = DcFont(*object);
    const text::FontMetrics& m = font->Metrics();
    *metrics = TEXTMETRIC{};
    // The font is realized in device pixels; the caller sees its own units.
    DcObject& d = *object;
    metrics->tmHeight = LogicalHeight(d, m.height);
    metrics->tmAscent = LogicalHeight(d, m.ascent);
    metrics->tmDescent = metrics->tmHeight - metrics->tmAscent;
    metrics->tmInternalLeading = LogicalHeight(d, m.internalLeading);
    metrics->tmExternalLeading = LogicalHeight(d, m.externalLeading);
    metrics->tmAveCharWidth = LogicalWidth(d, m.aveCharWidth);
    metrics->tmMaxCharWidth = LogicalWidth(d, m.maxCharWidth);
    metrics->tmWeight = m.weight;
    metrics->tmOverhang = m.overhang;
    metrics->tmDigitizedAspectX = 96;
    metrics->tmDigitizedAspectY = 96;
    metrics->tmFirstChar = 0x20;
    metrics->tmLastChar = 0xFF;
    metrics->tmDefaultChar = 0x1F;
    metrics->tmBreakChar = 0x20;
    metrics->tmItalic = m.italic ? 255 : 0;
    metrics->tmUnderlined = m.underlined ? 255 : 0;
    metrics->tmStruckOut = m.struckOut ? 255 : 0;
    // TMPF_VECTOR | TMPF_TRUETYPE | TMPF_VARIABLE_PITCH (the last bit set means variable).
    metrics->tmPitchAndFamily = 0x01 | 0x02 | 0x04;
    metrics->tmCharSet = static_cast<BYTE>(m.charSet);
    return TRUE;
}

int GetTextFace(HDC dc, int count, char* faceName) {
    DcObject* object = ResolveDc(dc);
    if (object == nullptr) return 0;
    const FontObject* font = ResolveObject<FontObject>(object->State().font);
    // A font found through an alias keeps the name it was asked for, as on Windows.
    std::string name = font != nullptr ? FaceNameOf(font->LogFont()) : std::string();
    if (name.empty()) name = DcFont(*object)->Family();
    if (faceName == nullptr) return static_cast<int>(name.size()) + 1;
    if (count <= 0) return 0;
    size_t n = std::min(name.size(), static_cast<size_t>(count - 1));
    // Never cut a UTF-8 sequence in half.
    while (n > 0 && n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) --n;
    std::memcpy(faceName, name.data(), n);
    faceName[n] = '\0';
    return static_cast<int>(n) + 1;  // characters copied, the terminator included
}

}  // namespace platform
