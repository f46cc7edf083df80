#include "graphics/graphics_objects.h"

#include <cmath>
#include <cstring>

#include "graphics/bitmap.h"
#include "platform/gdi/gdi.h"

namespace graphics {

using namespace platform;

// --- TGraphicsObject ---

TGraphicsObject::~TGraphicsObject() {
    manager_.Free(entry_);
}

bool TGraphicsObject::HandleAllocated() const {
    return entry_ && entry_->handle;
}

void TGraphicsObject::Changed() {
    if (onChange_) onChange_(this);
}

void TGraphicsObject::SetDescription(const void* description, size_t size) {
    std::unique_lock<std::recursive_mutex> guard;
    if (ownerLock_) guard = std::unique_lock(*ownerLock_);
    TResourceManager::Entry* old = entry_;
    entry_ = manager_.Allocate(description, size);
    if (old == entry_) {
        manager_.Free(old);
        return;
    }
    manager_.Free(old);
    Changed();
}

HGDIOBJ TGraphicsObject::EntryHandle(const std::function<HGDIOBJ()>& create) const {
    std::lock_guard guard(manager_.Lock());
    if (!entry_->handle) entry_->handle = create();
    return entry_->handle;
}

namespace {

template <typename T>
T Zeroed() {
    T value;
    std::memset(&value, 0, sizeof value);
    return value;
}

}  // namespace

// --- TFont ---

TFont::TFont() : TGraphicsObject(FontManager()) {
    Data data = Zeroed<Data>();
    data.height = -11;  // 8 points at 96 pixels per inch
    data.charset = DEFAULT_CHARSET;
    std::strncpy(data.name, "MS Sans Serif", sizeof data.name - 1);
    entry_ = manager_.Allocate(&data, sizeof data);
}

void TFont::CopyFrom(const core::TPersistent* source) {
    if (auto* font = dynamic_cast<const TFont*>(source)) {
        color_ = font->color_;
        pixelsPerInch_ = font->pixelsPerInch_;
        SetDescription(&font->Description<Data>(), sizeof(Data));
        Changed();
        return;
    }
    TGraphicsObject::CopyFrom(source);
}

HFONT TFont::Handle() const {
    return static_cast<HFONT>(EntryHandle([this]() -> HGDIOBJ {
        const Data& data = Description<Data>();
        if (data.handle) return data.handle;
        LOGFONT font = Zeroed<LOGFONT>();
        font.lfHeight = data.height;
        font.lfWeight = (data.style & fsBold) ? FW_BOLD : FW_NORMAL;
        font.lfItalic = (data.style & fsItalic) ? 1 : 0;
        font.lfUnderline = (data.style & fsUnderline) ? 1 : 0;
        font.lfStrikeOut = (data.style & fsStrikeOut) ? 1 : 0;
        font.lfCharSet = data.charset;
        font.lfOutPrecision = OUT_DEFAULT_PRECIS;
        font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        font.lfQuality = DEFAULT_QUALITY;
        font.lfPitchAndFamily = data.pitch == TFontPitch::fpFixed      ? FIXED_PITCH
                                : data.pitch == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                                       : DEFAULT_PITCH;
        std::memcpy(font.lfFaceName, data.name, sizeof font.lfFaceName);
        return CreateFontIndirect(&font);
    }));
}

void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TFont::SetHeight(int value) {
    Modify<Data>([&](Data& data) { data.height = value; });
}

int TFont::Size() const {
    return -static_cast<int>(std::lround(Height() * 72.0 / pixelsPerInch_));
}

void TFont::SetSize(int points) {
    SetHeight(-static_cast<int>(std::lround(points * pixelsPerInch_ / 72.0)));
}

void TFont::SetName(const std::string& value) {
    if (value.empty()) return;
    Modify<Data>([&](Data& data) {
        std::memset(data.name, 0, sizeof data.name);
        std::strncpy(data.name, value.c_str(), sizeof data.name - 1);
    });
}

void TFont::SetStyle(TFontStyles value) {
    Modify<Data>([&](Data& data) { data.style = value; });
}

void TFont::SetCharset(uint8_t value) {
    Modify<Data>([&](Data& data) { data.charset = value; });
}

void TFont::SetPitch(TFontPitch value) {
    Modify<Data>([&](Data& data) { data.pitch = value; });
}

// --- TPen ---

TPen::TPen() : TGraphicsObject(PenManager()) {
    Data data = Zeroed<Data>();
    data.color = clBlack;
    data.width = 1;
    data.style = TPenStyle::psSolid;
    entry_ = manager_.Allocate(&data, sizeof data);
}

void TPen::CopyFrom(const core::TPersistent* source) {
    if (auto* pen = dynamic_cast<const TPen*>(source)) {
        mode_ = pen->mode_;
        SetDescription(&pen->Description<Data>(), sizeof(Data));
        Changed();
        return;
    }
    TGraphicsObject::CopyFrom(source);
}

HPEN TPen::Handle() const {
    return static_cast<HPEN>(EntryHandle([this]() -> HGDIOBJ {
        const Data& data = Description<Data>();
        if (data.handle) return data.handle;
        static const UINT kStyles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                       PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        LOGPEN pen = Zeroed<LOGPEN>();
        pen.lopnStyle = kStyles[static_cast<int>(data.style)];
        pen.lopnWidth.x = data.width;
        pen.lopnColor = ColorToRGB(data.color);
        return CreatePenIndirect(&pen);
    }));
}

void TPen::SetColor(TColor value) {
    Modify<Data>([&](Data& data) { data.color = value; });
}

void TPen::SetWidth(int value) {
    if (value < 0) return;
    Modify<Data>([&](Data& data) { data.width = value; });
}

void TPen::SetStyle(TPenStyle value) {
    Modify<Data>([&](Data& data) { data.style = value; });
}

void TPen::SetMode(TPenMode value) {
    if (value == mode_) return;
    mode_ = value;
    Changed();
}

int TPen::Rop2() const {
    static const int kRop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return kRop2[static_cast<int>(mode_)];
}

// --- TBrush ---

TBrush::TBrush() : TGraphicsObject(BrushManager()) {
    Data data = Zeroed<Data>();
    data.color = clWhite;
    data.style = TBrushStyle::bsSolid;
    entry_ = manager_.Allocate(&data, sizeof data);
}

void TBrush::CopyFrom(const core::TPersistent* source) {
    if (auto* brush = dynamic_cast<const TBrush*>(source)) {
        SetDescription(&brush->Description<Data>(), sizeof(Data));
        Changed();
        return;
    }
    TGraphicsObject::CopyFrom(source);
}

HBRUSH TBrush::Handle() const {
    return static_cast<HBRUSH>(EntryHandle([this]() -> HGDIOBJ {
        const Data& data = Description<Data>();
        if (data.handle) return data.handle;
        if (data.bitmap && !data.bitmap->IsEmpty())
            return CreatePatternBrush(data.bitmap->BitmapHandle());
        LOGBRUSH brush = Zeroed<LOGBRUSH>();
        brush.lbColor = ColorToRGB(data.color);
        switch (data.style) {
            case TBrushStyle::bsSolid:
                brush.lbStyle = BS_SOLID;
                break;
            case TBrushStyle::bsClear:
                brush.lbStyle = BS_HOLLOW;
                break;
            default:
                brush.lbStyle = BS_HATCHED;
                brush.lbHatch =
                    static_cast<int>(data.style) - static_cast<int>(TBrushStyle::bsHorizontal);
                break;
        }
        return CreateBrushIndirect(&brush);
    }));
}

void TBrush::SetColor(TColor value) {
    Modify<Data>([&](Data& data) {
        data.color = value;
        data.bitmap = nullptr;
        if (data.style == TBrushStyle::bsClear) data.style = TBrushStyle::bsSolid;
    });
}

void TBrush::SetStyle(TBrushStyle value) {
    Modify<Data>([&](Data& data) {
        data.style = value;
        if (value == TBrushStyle::bsClear) data.bitmap = nullptr;
    });
}

void TBrush::SetBitmap(TBitmap* value) {
    Modify<Data>([&](Data& data) { data.bitmap = value; });
}

}  // namespace graphics
