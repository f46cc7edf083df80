#include "platform/gdi/metafile/wmf_converter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <unordered_map>
#include <utility>

#include "platform/gdi/metafile/ansi_text.h"
#include "platform/gdi/metafile/byte_reader.h"
#include "platform/gdi/metafile/dib_layout.h"
#include "platform/gdi/metafile/emf_document.h"
#include "platform/gdi/metafile/emf_format.h"
#include "platform/gdi/metafile/emf_writer.h"
#include "platform/gdi/metafile/wmf_format.h"

namespace platform::metafile {

namespace {

using namespace wmf;

constexpr size_t kRecordFixedWords = 3;  // size (2 words) and function
constexpr size_t kMaxObjects = 0xFFFF;   // EMF handle indices are 16-bit in the header
constexpr uint64_t kMaxOutput = 0xFFFF0000u;
constexpr uint32_t kEtoOpaque = 0x0002;
constexpr uint32_t kEtoClipped = 0x0004;
constexpr uint32_t kBsNull = 1;

// What a Windows metafile's object slot holds. Regions and palettes take a slot but have no
// enhanced counterpart here, so selecting or deleting them emits nothing.
enum class Slot { Free, Pen, Brush, Font, Untranslated };

// The parameter words of one record.
class Params {
  public:
    explicit Params(std::span<const uint8_t> bytes) : r_(bytes) {}
    size_t Words() const { return r_.Size() / 2; }
    size_t Bytes() const { return r_.Size(); }
    int16_t I16(size_t word) const { return r_.I16Or0(word * 2); }
    uint16_t U16(size_t word) const { return r_.U16Or0(word * 2); }
    uint32_t U32(size_t word) const { return r_.U32Or0(word * 2); }
    std::span<const uint8_t> From(size_t word) const {
        return word * 2 <= r_.Size() ? r_.Bytes().subspan(word * 2) : std::span<const uint8_t>();
    }

  private:
    ByteReader r_;
};

struct Point16 {
    int16_t x, y;
};

class Converter {
  public:
    explicit Converter(const WmfPictureSize* size) {
        if (size) size_ = *size;
    }

    bool Run(std::span<const uint8_t> wmf, std::string* why);
    std::optional<std::vector<uint8_t>> Finish(std::string* why);

  private:
    // Translates one record; a table maps each function to its handler.
    using Handler = void (Converter::*)(const Params& p);
    static const std::pair<uint16_t, Handler> kHandlers[];
    void Record(uint16_t function, const Params& p);
    void Emit(std::vector<uint8_t> record);

    // Records that translate one to one.
    template <uint32_t Type>
    void ColorValue(const Params& p) {
        if (p.Words() >= 2) Value(Type, p.U32(0));
    }
    template <uint32_t Type>
    void WordValue(const Params& p) {
        if (p.Words() >= 1) Value(Type, p.U16(0));
    }
    template <uint32_t Type>
    void Rect(const Params& p) {
        RectRecord(Type, p);
    }
    template <uint32_t Type>
    void Arc(const Params& p) {
        ArcFamily(Type, p);
    }
    template <uint32_t Type>
    void Polyline(const Params& p) {
        Poly(Type, p);
    }
    template <Slot Kind>
    void PlaceholderRecord(const Params&) {
        Placeholder(Kind);
    }
    void SetWindowOrg(const Params& p);
    void OffsetWindowOrg(const Params& p);
    void SetWindowExt(const Params& p);
    void ScaleWindowExt(const Params& p);
    void MoveTo(const Params& p);
    void LineTo(const Params& p);
    void RoundRect(const Params& p);
    void SetPixel(const Params& p);
    void SaveDc(const Params& p);
    void RestoreDc(const Params& p);
    void PatBltRecord(const Params& p);
    void StretchDibRecord(const Params& p);
    void DibStretchBlt(const Params& p);
    void DibBitBlt(const Params& p);
    void SetDibToDevice(const Params& p);
    void SelectObjectRecord(const Params& p);
    void DeleteObjectRecord(const Params& p);

    // Record families.
    void Value(uint32_t type, uint32_t value) { Emit(EmfRecordBuilder(type).U32(value).Finish()); }
    void PointRecord(uint32_t type, int32_t x, int32_t y);
    void RectRecord(uint32_t type, const Params& p);
    void Poly(uint32_t type, const Params& p);
    void PolyPolygon(const Params& p);
    void ArcFamily(uint32_t type, const Params& p);
    void Text(int32_t x, int32_t y, uint32_t options, const int16_t* rect,
              std::span<const uint8_t> text, const Params* dxParams, size_t dxWord);
    void TextOut(const Params& p);
    void ExtTextOut(const Params& p);
    void StretchDib(const Params& p, int32_t xDst, int32_t yDst, int32_t cxDst, int32_t cyDst,
                    int32_t xSrc, int32_t ySrc, int32_t cxSrc, int32_t cySrc, uint32_t rop,
                    uint32_t usage, size_t dibWord);
    void PatBlt(int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t rop);

    // Objects.
    int Allocate(Slot kind);
    void CreatePen(const Params& p);
    void CreateBrush(const Params& p);
    void CreateFont(const Params& p);
    void CreateDibBrush(const Params& p);
    void Placeholder(Slot kind);
    void SelectObject(uint16_t index);
    void DeleteObject(uint16_t index);

    void Extend(int32_t x, int32_t y);

    WmfPictureSize size_;
    std::vector<std::vector<uint8_t>> body_;
    uint64_t bodyBytes_ = 0;
    std::vector<Slot> slots_;
    std::vector<uint8_t> slotCharset_;
    uint8_t charset_ = kDefaultCharset;
    bool haveWindowExt_ = false;
    int32_t firstExtX_ = 0, firstExtY_ = 0;
    int32_t firstOrgX_ = 0, firstOrgY_ = 0;
    bool haveWindowOrg_ = false;
    int32_t orgX_ = 0, orgY_ = 0;
    bool haveBounds_ = false;
    int32_t minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
    bool tooLarge_ = false;
};

void Converter::Emit(std::vector<uint8_t> record) {
    bodyBytes_ += record.size();
    if (bodyBytes_ > kMaxOutput) {
        tooLarge_ = true;
        return;
    }
    body_.push_back(std::move(record));
}

void Converter::Extend(int32_t x, int32_t y) {
    if (!haveBounds_) {
        minX_ = maxX_ = x;
        minY_ = maxY_ = y;
        haveBounds_ = true;
        return;
    }
    minX_ = std::min(minX_, x);
    maxX_ = std::max(maxX_, x);
    minY_ = std::min(minY_, y);
    maxY_ = std::max(maxY_, y);
}

void Converter::PointRecord(uint32_t type, int32_t x, int32_t y) {
    Emit(EmfRecordBuilder(type).I32(x).I32(y).Finish());
}

// Rectangles are stored bottom, right, top, left.
void Converter::RectRecord(uint32_t type, const Params& p) {
    if (p.Words() < 4) return;
    int32_t l = p.I16(3), t = p.I16(2), r = p.I16(1), b = p.I16(0);
    Extend(l, t);
    Extend(r, b);
    Emit(EmfRecordBuilder(type).I32(l).I32(t).I32(r).I32(b).Finish());
}

std::vector<Point16> ReadPoints(const Params& p, size_t firstWord, size_t count) {
    std::vector<Point16> points;
    points.reserve(count);
    for (size_t i = 0; i < count; ++i)
        points.push_back({p.I16(firstWord + 2 * i), p.I16(firstWord + 2 * i + 1)});
    return points;
}

void Converter::Poly(uint32_t type, const Params& p) {
    if (p.Words() < 1) return;
    size_t count = p.U16(0);
    if (count == 0 || 1 + 2 * count > p.Words()) return;
    std::vector<Point16> points = ReadPoints(p, 1, count);
    EmfRecordBuilder b(type);
    b.Rect({0, 0, -1, -1}).U32(static_cast<uint32_t>(count));
    for (auto pt : points) {
        Extend(pt.x, pt.y);
        b.U16(static_cast<uint16_t>(pt.x)).U16(static_cast<uint16_t>(pt.y));
    }
    Emit(b.Finish());
}

void Converter::PolyPolygon(const Params& p) {
    if (p.Words() < 1) return;
    size_t polys = p.U16(0);
    if (polys == 0 || 1 + polys > p.Words()) return;
    size_t total = 0;
    for (size_t i = 0; i < polys; ++i) total += p.U16(1 + i);
    size_t firstPoint = 1 + polys;
    if (total == 0 || total > (p.Words() - firstPoint) / 2) return;
    EmfRecordBuilder b(EMR_POLYPOLYGON16);
    b.Rect({0, 0, -1, -1}).U32(static_cast<uint32_t>(polys)).U32(static_cast<uint32_t>(total));
    for (size_t i = 0; i < polys; ++i) b.U32(p.U16(1 + i));
    for (auto pt : ReadPoints(p, firstPoint, total)) {
        Extend(pt.x, pt.y);
        b.U16(static_cast<uint16_t>(pt.x)).U16(static_cast<uint16_t>(pt.y));
    }
    Emit(b.Finish());
}

// Stored as end y, end x, start y, start x, bottom, right, top, left.
void Converter::ArcFamily(uint32_t type, const Params& p) {
    if (p.Words() < 8) return;
    int32_t l = p.I16(7), t = p.I16(6), r = p.I16(5), b = p.I16(4);
    Extend(l, t);
    Extend(r, b);
    Emit(EmfRecordBuilder(type)
             .I32(l)
             .I32(t)
             .I32(r)
             .I32(b)
             .I32(p.I16(3))
             .I32(p.I16(2))
             .I32(p.I16(1))
             .I32(p.I16(0))
             .Finish());
}

void Converter::Text(int32_t x, int32_t y, uint32_t options, const int16_t* rect,
                     std::span<const uint8_t> text, const Params* dxParams, size_t dxWord) {
    std::u16string wide = AnsiToUtf16(text, charset_);
    if (wide.empty()) return;
    Extend(x, y);
    // Spacing is per byte in the Windows metafile; it carries over only when bytes and
    // characters match one to one.
    bool withDx =
        dxParams && wide.size() == text.size() && dxWord + text.size() <= dxParams->Words();
    constexpr uint32_t kFixed = 76;
    uint32_t stringBytes = static_cast<uint32_t>((wide.size() * 2 + 3) / 4 * 4);
    EmfRecordBuilder b(EMR_EXTTEXTOUTW);
    b.Rect({0, 0, -1, -1}).U32(1).U32(0).U32(0);
    b.I32(x).I32(y).U32(static_cast<uint32_t>(wide.size())).U32(kFixed).U32(options);
    if (rect)
        b.Rect({rect[0], rect[1], rect[2], rect[3]});
    else
        b.Rect({0, 0, -1, -1});
    b.U32(withDx ? kFixed + stringBytes : 0);
    for (char16_t c : wide) b.U16(static_cast<uint16_t>(c));
    if (wide.size() % 2) b.U16(0);
    if (withDx)
        for (size_t i = 0; i < wide.size(); ++i) b.I32(dxParams->I16(dxWord + i));
    Emit(b.Finish());
}

// Length, the string padded to a word, then y and x.
void Converter::TextOut(const Params& p) {
    if (p.Words() < 1) return;
    size_t length = p.U16(0);
    size_t stringWords = (length + 1) / 2;
    if (1 + stringWords + 2 > p.Words()) return;
    int32_t y = p.I16(1 + stringWords), x = p.I16(2 + stringWords);
    Text(x, y, 0, nullptr, p.From(1).first(length), nullptr, 0);
}

// y, x, length, options, an optional rectangle, the string padded to a word, optional spacing.
void Converter::ExtTextOut(const Params& p) {
    if (p.Words() < 4) return;
    int32_t y = p.I16(0), x = p.I16(1);
    size_t length = p.U16(2);
    uint32_t options = p.U16(3);
    size_t word = 4;
    int16_t rect[4];
    bool hasRect = (options & (kEtoOpaque | kEtoClipped)) != 0;
    if (hasRect) {
        if (p.Words() < 8) return;
        for (int i = 0; i < 4; ++i) rect[i] = p.I16(4 + i);
        word = 8;
    }
    size_t stringWords = (length + 1) / 2;
    if (word + stringWords > p.Words()) return;
    Text(x, y, options, hasRect ? rect : nullptr, p.From(word).first(length), &p,
         word + stringWords);
}

void Converter::StretchDib(const Params& p, int32_t xDst, int32_t yDst, int32_t cxDst,
                           int32_t cyDst, int32_t xSrc, int32_t ySrc, int32_t cxSrc, int32_t cySrc,
                           uint32_t rop, uint32_t usage, size_t dibWord) {
    std::span<const uint8_t> packed = p.From(dibWord);
    auto dib = DescribePackedDib(packed, usage);
    if (!dib) return;
    Extend(xDst, yDst);
    Extend(xDst + cxDst, yDst + cyDst);
    constexpr uint32_t kFixed = 80;
    uint32_t bitsSize = static_cast<uint32_t>(dib->bitsSize);
    EmfRecordBuilder b(EMR_STRETCHDIBITS);
    b.Rect({0, 0, -1, -1}).I32(xDst).I32(yDst).I32(xSrc).I32(ySrc).I32(cxSrc).I32(cySrc);
    b.U32(kFixed).U32(dib->infoSize).U32(kFixed + dib->infoSize).U32(bitsSize);
    b.U32(usage).U32(rop).I32(cxDst).I32(cyDst);
    b.Bytes(packed.first(dib->infoSize + bitsSize));
    Emit(b.Finish());
}

void Converter::PatBlt(int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t rop) {
    Extend(x, y);
    Extend(x + cx, y + cy);
    EmfRecordBuilder b(EMR_BITBLT);
    b.Rect({0, 0, -1, -1}).I32(x).I32(y).I32(cx).I32(cy).U32(rop).I32(0).I32(0);
    const float identity[6] = {1, 0, 0, 1, 0, 0};
    for (float f : identity) {
        uint32_t raw;
        static_assert(sizeof raw == sizeof f);
        std::memcpy(&raw, &f, sizeof raw);
        b.U32(raw);
    }
    b.U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);
    Emit(b.Finish());
}

// New objects take the lowest free slot, as Windows metafile playback assigns them.
int Converter::Allocate(Slot kind) {
    auto free = std::find(slots_.begin(), slots_.end(), Slot::Free);
    size_t index = static_cast<size_t>(free - slots_.begin());
    if (free == slots_.end()) {
        if (slots_.size() >= kMaxObjects - 1) return -1;
        slots_.push_back(Slot::Free);
        slotCharset_.push_back(kDefaultCharset);
    }
    slots_[index] = kind;
    return static_cast<int>(index);
}

// Style, width as a point, colour.
void Converter::CreatePen(const Params& p) {
    if (p.Words() < 5) return Placeholder(Slot::Untranslated);
    int slot = Allocate(Slot::Pen);
    if (slot < 0) return;
    Emit(EmfRecordBuilder(EMR_CREATEPEN)
             .U32(static_cast<uint32_t>(slot + 1))
             .U32(p.U16(0))
             .I32(p.I16(1))
             .I32(0)
             .U32(p.U32(3))
             .Finish());
}

// Style, colour, hatch.
void Converter::CreateBrush(const Params& p) {
    if (p.Words() < 4) return Placeholder(Slot::Untranslated);
    int slot = Allocate(Slot::Brush);
    if (slot < 0) return;
    Emit(EmfRecordBuilder(EMR_CREATEBRUSHINDIRECT)
             .U32(static_cast<uint32_t>(slot + 1))
             .U32(p.U16(0))
             .U32(p.U32(1))
             .U32(p.U16(3))
             .Finish());
}

void Converter::CreateFont(const Params& p) {
    constexpr size_t kFixedBytes = 18;
    if (p.Bytes() < kFixedBytes) return Placeholder(Slot::Untranslated);
    ByteReader r(p.From(0));
    uint8_t charset = r.U8(13).value_or(kDefaultCharset);
    std::span<const uint8_t> face = p.From(9);
    face = face.first(std::min<size_t>(face.size(), 32));
    auto nul = std::find(face.begin(), face.end(), 0);
    std::u16string wideFace =
        AnsiToUtf16(face.first(static_cast<size_t>(nul - face.begin())), charset);
    if (wideFace.size() > 31) wideFace.resize(31);

    int slot = Allocate(Slot::Font);
    if (slot < 0) return;
    slotCharset_[static_cast<size_t>(slot)] = charset;
    EmfRecordBuilder b(EMR_EXTCREATEFONTINDIRECTW);
    b.U32(static_cast<uint32_t>(slot + 1));
    for (size_t i = 0; i < 5; ++i) b.I32(p.I16(i));
    for (size_t i = 10; i < 18; ++i) b.Bytes(std::span<const uint8_t>(&p.From(0)[i], 1));
    for (size_t i = 0; i < 32; ++i)
        b.U16(i < wideFace.size() ? static_cast<uint16_t>(wideFace[i]) : 0);
    Emit(b.Finish());
}

// Style, colour usage, then a packed bitmap.
void Converter::CreateDibBrush(const Params& p) {
    if (p.Words() < 2) return Placeholder(Slot::Untranslated);
    uint32_t usage = p.U16(1);
    std::span<const uint8_t> packed = p.From(2);
    auto dib = DescribePackedDib(packed, usage);
    if (!dib) return Placeholder(Slot::Brush);
    int slot = Allocate(Slot::Brush);
    if (slot < 0) return;
    constexpr uint32_t kFixed = 32;
    uint32_t bitsSize = static_cast<uint32_t>(dib->bitsSize);
    EmfRecordBuilder b(EMR_CREATEDIBPATTERNBRUSHPT);
    b.U32(static_cast<uint32_t>(slot + 1)).U32(usage);
    b.U32(kFixed).U32(dib->infoSize).U32(kFixed + dib->infoSize).U32(bitsSize);
    b.Bytes(packed.first(dib->infoSize + bitsSize));
    Emit(b.Finish());
}

// An object that still takes its slot so later indices stay right. A brush stand-in draws
// nothing; other kinds emit nothing at all.
void Converter::Placeholder(Slot kind) {
    int slot = Allocate(kind);
    if (slot < 0 || kind != Slot::Brush) return;
    Emit(EmfRecordBuilder(EMR_CREATEBRUSHINDIRECT)
             .U32(static_cast<uint32_t>(slot + 1))
             .U32(kBsNull)
             .U32(0)
             .U32(0)
             .Finish());
}

void Converter::SelectObject(uint16_t index) {
    if (index >= slots_.size()) return;
    Slot kind = slots_[index];
    if (kind == Slot::Free || kind == Slot::Untranslated) return;
    if (kind == Slot::Font) charset_ = slotCharset_[index];
    Value(EMR_SELECTOBJECT, index + 1u);
}

void Converter::DeleteObject(uint16_t index) {
    if (index >= slots_.size() || slots_[index] == Slot::Free) return;
    Slot kind = slots_[index];
    slots_[index] = Slot::Free;
    if (kind != Slot::Untranslated) Value(EMR_DELETEOBJECT, index + 1u);
}

// ---------------------------------------------------------------------------------------------
// Records that translate one to one

void Converter::SetWindowOrg(const Params& p) {
    if (p.Words() < 2) return;
    orgX_ = p.I16(1);
    orgY_ = p.I16(0);
    if (!haveWindowOrg_) {
        haveWindowOrg_ = true;
        firstOrgX_ = orgX_;
        firstOrgY_ = orgY_;
    }
    PointRecord(EMR_SETWINDOWORGEX, orgX_, orgY_);
}

void Converter::OffsetWindowOrg(const Params& p) {
    if (p.Words() < 2) return;
    orgX_ += p.I16(1);
    orgY_ += p.I16(0);
    PointRecord(EMR_SETWINDOWORGEX, orgX_, orgY_);
}

void Converter::SetWindowExt(const Params& p) {
    if (p.Words() < 2 || p.I16(0) == 0 || p.I16(1) == 0) return;
    if (!haveWindowExt_) {
        haveWindowExt_ = true;
        firstExtX_ = p.I16(1);
        firstExtY_ = p.I16(0);
    }
    PointRecord(EMR_SETWINDOWEXTEX, p.I16(1), p.I16(0));
}

void Converter::ScaleWindowExt(const Params& p) {
    if (p.Words() < 4) return;
    Emit(EmfRecordBuilder(EMR_SCALEWINDOWEXTEX)
             .I32(p.I16(3))
             .I32(p.I16(2))
             .I32(p.I16(1))
             .I32(p.I16(0))
             .Finish());
}

void Converter::MoveTo(const Params& p) {
    if (p.Words() >= 2) PointRecord(EMR_MOVETOEX, p.I16(1), p.I16(0));
}

void Converter::LineTo(const Params& p) {
    if (p.Words() < 2) return;
    Extend(p.I16(1), p.I16(0));
    PointRecord(EMR_LINETO, p.I16(1), p.I16(0));
}

void Converter::RoundRect(const Params& p) {
    if (p.Words() < 6) return;
    Extend(p.I16(5), p.I16(4));
    Extend(p.I16(3), p.I16(2));
    Emit(EmfRecordBuilder(EMR_ROUNDRECT)
             .I32(p.I16(5))
             .I32(p.I16(4))
             .I32(p.I16(3))
             .I32(p.I16(2))
             .I32(p.I16(1))
             .I32(p.I16(0))
             .Finish());
}

void Converter::SetPixel(const Params& p) {
    if (p.Words() < 4) return;
    Extend(p.I16(3), p.I16(2));
    Emit(EmfRecordBuilder(EMR_SETPIXELV).I32(p.I16(3)).I32(p.I16(2)).U32(p.U32(0)).Finish());
}

void Converter::SaveDc(const Params&) {
    Emit(EmfRecordBuilder(EMR_SAVEDC).Finish());
}

void Converter::RestoreDc(const Params& p) {
    if (p.Words() >= 1) Value(EMR_RESTOREDC, static_cast<uint32_t>(static_cast<int32_t>(p.I16(0))));
}

void Converter::PatBltRecord(const Params& p) {
    if (p.Words() >= 6) PatBlt(p.I16(5), p.I16(4), p.I16(3), p.I16(2), p.U32(0));
}

// Raster operation, source height, width, y, x, destination height, width, y, x, bitmap.
void Converter::StretchDibRecord(const Params& p) {
    if (p.Words() >= 11)
        StretchDib(p, p.I16(10), p.I16(9), p.I16(8), p.I16(7), p.I16(6), p.I16(5), p.I16(4),
                   p.I16(3), p.U32(0), p.U16(2), 11);
}

void Converter::DibStretchBlt(const Params& p) {
    if (p.Words() == 11)  // no bitmap: a pattern fill
        PatBlt(p.I16(10), p.I16(9), p.I16(8), p.I16(7), p.U32(0));
    else if (p.Words() > 10)
        StretchDib(p, p.I16(9), p.I16(8), p.I16(7), p.I16(6), p.I16(5), p.I16(4), p.I16(3),
                   p.I16(2), p.U32(0), 0, 10);
}

void Converter::DibBitBlt(const Params& p) {
    if (p.Words() == 9)
        PatBlt(p.I16(8), p.I16(7), p.I16(6), p.I16(5), p.U32(0));
    else if (p.Words() > 8)
        StretchDib(p, p.I16(7), p.I16(6), p.I16(5), p.I16(4), p.I16(3), p.I16(2), p.I16(5),
                   p.I16(4), p.U32(0), 0, 8);
}

// Colour usage, scan count, first scan, source y, x, height, width, destination y, x.
void Converter::SetDibToDevice(const Params& p) {
    if (p.Words() > 9)
        StretchDib(p, p.I16(8), p.I16(7), p.I16(6), p.I16(5), p.I16(4), p.I16(3), p.I16(6),
                   p.I16(5), 0x00CC0020, p.U16(0), 9);
}

void Converter::SelectObjectRecord(const Params& p) {
    if (p.Words() >= 1) SelectObject(p.U16(0));
}

void Converter::DeleteObjectRecord(const Params& p) {
    if (p.Words() >= 1) DeleteObject(p.U16(0));
}

// Functions missing here are skipped: escapes, palettes, regions and the rest. The converted
// picture owns the mapping mode and the viewport, which place the window onto the frame, so
// the records that set them are skipped too.
const std::pair<uint16_t, Converter::Handler> Converter::kHandlers[] = {
    {META_SETBKCOLOR, &Converter::ColorValue<EMR_SETBKCOLOR>},
    {META_SETTEXTCOLOR, &Converter::ColorValue<EMR_SETTEXTCOLOR>},
    {META_SETBKMODE, &Converter::WordValue<EMR_SETBKMODE>},
    {META_SETROP2, &Converter::WordValue<EMR_SETROP2>},
    {META_SETPOLYFILLMODE, &Converter::WordValue<EMR_SETPOLYFILLMODE>},
    {META_SETSTRETCHBLTMODE, &Converter::WordValue<EMR_SETSTRETCHBLTMODE>},
    {META_SETTEXTALIGN, &Converter::WordValue<EMR_SETTEXTALIGN>},
    {META_SETWINDOWORG, &Converter::SetWindowOrg},
    {META_OFFSETWINDOWORG, &Converter::OffsetWindowOrg},
    {META_SETWINDOWEXT, &Converter::SetWindowExt},
    {META_SCALEWINDOWEXT, &Converter::ScaleWindowExt},
    {META_MOVETO, &Converter::MoveTo},
    {META_LINETO, &Converter::LineTo},
    {META_EXCLUDECLIPRECT, &Converter::Rect<EMR_EXCLUDECLIPRECT>},
    {META_INTERSECTCLIPRECT, &Converter::Rect<EMR_INTERSECTCLIPRECT>},
    {META_RECTANGLE, &Converter::Rect<EMR_RECTANGLE>},
    {META_ELLIPSE, &Converter::Rect<EMR_ELLIPSE>},
    {META_ROUNDRECT, &Converter::RoundRect},
    {META_ARC, &Converter::Arc<EMR_ARC>},
    {META_PIE, &Converter::Arc<EMR_PIE>},
    {META_CHORD, &Converter::Arc<EMR_CHORD>},
    {META_SETPIXEL, &Converter::SetPixel},
    {META_POLYGON, &Converter::Polyline<EMR_POLYGON16>},
    {META_POLYLINE, &Converter::Polyline<EMR_POLYLINE16>},
    {META_POLYPOLYGON, &Converter::PolyPolygon},
    {META_TEXTOUT, &Converter::TextOut},
    {META_EXTTEXTOUT, &Converter::ExtTextOut},
    {META_SAVEDC, &Converter::SaveDc},
    {META_RESTOREDC, &Converter::RestoreDc},
    {META_PATBLT, &Converter::PatBltRecord},
    {META_STRETCHDIB, &Converter::StretchDibRecord},
    {META_DIBSTRETCHBLT, &Converter::DibStretchBlt},
    {META_DIBBITBLT, &Converter::DibBitBlt},
    {META_SETDIBTODEV, &Converter::SetDibToDevice},
    {META_CREATEPENINDIRECT, &Converter::CreatePen},
    {META_CREATEBRUSHINDIRECT, &Converter::CreateBrush},
    {META_CREATEFONTINDIRECT, &Converter::CreateFont},
    {META_DIBCREATEPATTERNBRUSH, &Converter::CreateDibBrush},
    {META_CREATEPATTERNBRUSH, &Converter::PlaceholderRecord<Slot::Brush>},
    {META_CREATEPALETTE, &Converter::PlaceholderRecord<Slot::Untranslated>},
    {META_CREATEREGION, &Converter::PlaceholderRecord<Slot::Untranslated>},
    {META_SELECTOBJECT, &Converter::SelectObjectRecord},
    {META_DELETEOBJECT, &Converter::DeleteObjectRecord},
};

void Converter::Record(uint16_t function, const Params& p) {
    static const std::unordered_map<uint16_t, Handler> byFunction(std::begin(kHandlers),
                                                                  std::end(kHandlers));
    auto found = byFunction.find(function);
    if (found != byFunction.end()) (this->*found->second)(p);
}

bool Converter::Run(std::span<const uint8_t> wmf, std::string* why) {
    ByteReader in(wmf);
    size_t start = 0;
    // A placeable header in front is tolerated and skipped.
    if (in.U32(0) == kPlaceableKey) start = kPlaceableSize;
    auto type = in.U16(start);
    auto headerWords = in.U16(start + 2);
    if (!type || !headerWords || (*type != 1 && *type != 2) || *headerWords != kHeaderSize / 2 ||
        !in.Has(start, kHeaderSize)) {
        if (why) *why = "no Windows-metafile header";
        return false;
    }
    size_t offset = start + kHeaderSize;
    // Each record is at least three words long, so the walk ends after at most size/6 steps.
    while (in.Has(offset, kRecordFixedWords * 2)) {
        uint64_t words = in.U32Or0(offset);
        uint16_t function = in.U16Or0(offset + 4);
        if (words < kRecordFixedWords || words * 2 > wmf.size() - offset) {
            if (why) *why = "record size out of range";
            return false;
        }
        if (function == META_EOF) break;
        size_t bytes = static_cast<size_t>(words * 2);
        Record(function, Params(wmf.subspan(offset + 6, bytes - 6)));
        if (tooLarge_) {
            if (why) *why = "converted picture too large";
            return false;
        }
        offset += bytes;
    }
    return true;
}

std::optional<std::vector<uint8_t>> Converter::Finish(std::string* why) {
    (void)why;
    // The window the picture shows: the metafile's own, else the extent of what it draws.
    int32_t orgX = firstOrgX_, orgY = firstOrgY_, extX = firstExtX_, extY = firstExtY_;
    if (!haveWindowExt_) {
        orgX = haveBounds_ ? minX_ : 0;
        orgY = haveBounds_ ? minY_ : 0;
        extX = haveBounds_ ? std::max(1, maxX_ - minX_) : 1;
        extY = haveBounds_ ? std::max(1, maxY_ - minY_) : 1;
    }
    const ReferenceDevice& device = kScreenReference;
    bool sized = (size_.mapMode == kMmAnisotropic || size_.mapMode == kMmIsotropic) &&
                 size_.xExt > 0 && size_.yExt > 0;
    // The frame in hundredths of a millimetre; without a requested size the window's extent
    // counts as screen pixels.
    int64_t frameX = sized ? size_.xExt
                           : static_cast<int64_t>(std::abs(static_cast<int64_t>(extX))) *
                                 device.millimeters.x * 100 / device.pixels.x;
    int64_t frameY = sized ? size_.yExt
                           : static_cast<int64_t>(std::abs(static_cast<int64_t>(extY))) *
                                 device.millimeters.y * 100 / device.pixels.y;
    int64_t viewX =
        std::max<int64_t>(1, std::llround(static_cast<double>(frameX) * device.pixels.x /
                                          (device.millimeters.x * 100.0)));
    int64_t viewY =
        std::max<int64_t>(1, std::llround(static_cast<double>(frameY) * device.pixels.y /
                                          (device.millimeters.y * 100.0)));

    EmfWriter out;
    out.Add(EmfRecordBuilder(EMR_SETMAPMODE).U32(kMmAnisotropic).Finish());
    out.Add(EmfRecordBuilder(EMR_SETWINDOWORGEX).I32(orgX).I32(orgY).Finish());
    out.Add(EmfRecordBuilder(EMR_SETWINDOWEXTEX).I32(extX).I32(extY).Finish());
    out.Add(EmfRecordBuilder(EMR_SETVIEWPORTORGEX).I32(0).I32(0).Finish());
    out.Add(EmfRecordBuilder(EMR_SETVIEWPORTEXTEX)
                .I32(static_cast<int32_t>(viewX))
                .I32(static_cast<int32_t>(viewY))
                .Finish());
    for (auto& record : body_) out.Add(std::move(record));
    FrameRect frame{0, 0, static_cast<int32_t>(frameX), static_cast<int32_t>(frameY)};
    FrameRect bounds{0, 0, static_cast<int32_t>(viewX), static_cast<int32_t>(viewY)};
    return out.Finish(bounds, frame, device, static_cast<uint16_t>(slots_.size() + 1));
}

}  // namespace

std::optional<std::vector<uint8_t>> ConvertWmfToEmf(std::span<const uint8_t> wmf,
                                                    const WmfPictureSize* size, std::string* why) {
    Converter converter(size);
    if (!converter.Run(wmf, why)) return std::nullopt;
    return converter.Finish(why);
}

}  // namespace platform::metafile
