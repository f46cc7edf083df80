// The raster engine: format conversion, brush patterns and rectangle fills.
#include "platform/gdi/raster.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "platform/gdi/brush_pen.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/rop.h"

namespace platform {
namespace {

// The bits of a stored value that carry colour (32-bit pixels may carry anything in the
// fourth byte).
std::uint32_t ColourBits(const PixelFormat& f) {
    if (f.IsIndexed()) return f.ValueMask();
    if (f.bitsPerPixel == 24) return 0xFFFFFF;
    return f.redMask | f.greenMask | f.blueMask;
}

// Hatch rows, leftmost pixel in the high bit.
constexpr std::uint8_t kHatch[6][8] = {
    {0xFF, 0, 0, 0, 0, 0, 0, 0},                       // HS_HORIZONTAL
    {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

// True when red, green and blue are whole bytes at the same places in the values of both
// formats: a value then converts by keeping the bits that carry colour.
bool SameByteChannels(const PixelFormat& a, const PixelFormat& b) {
    auto channels = [](const PixelFormat& f) -> std::array<DWORD, 3> {
        if (f.bitsPerPixel == 24) return {0xFF0000, 0xFF00, 0xFF};
        return {f.redMask, f.greenMask, f.blueMask};
    };
    auto wholeByte = [](DWORD mask) {
        return mask != 0 && (mask >> std::countr_zero(mask)) == 0xFF;
    };
    const std::array<DWORD, 3> channelsA = channels(a);
    return channelsA == channels(b) && std::all_of(channelsA.begin(), channelsA.end(), wholeByte);
}

int PositiveMod(std::int64_t a, int m) {
    std::int64_t r = a % m;
    return int(r < 0 ? r + m : r);
}

}  // namespace

COLORREF PlainColor(DcObject& dc, COLORREF color) {
    if ((color >> 24) == 0x01) {  // PALETTEINDEX
        PALETTEENTRY e{};
        if (GetPaletteEntries(dc.State().palette, color & 0xFFFF, 1, &e) == 1)
            return RGB(e.peRed, e.peGreen, e.peBlue);
        return 0;
    }
    return color & 0xFFFFFF;
}

// ---------------------------------------------------------------------------------------------
// ValueConverter

ValueConverter::ValueConverter(const PixelFormat& src, const PixelFormat& dst, COLORREF srcBkColor,
                               COLORREF dstTextColor, COLORREF dstBkColor)
    : src_(src), dst_(dst) {
    if (src.SameLayout(dst) || (src.bitsPerPixel == 1 && dst.bitsPerPixel == 1)) {
        kind_ = Kind::Identity;
    } else if (dst.bitsPerPixel == 1) {
        // Colour onto monochrome: the source's background colour becomes 1, all else 0.
        kind_ = Kind::ToMono;
        monoKey_ = src.FromColor(srcBkColor & 0xFFFFFF) & ColourBits(src);
    } else if (!src.IsIndexed() && !dst.IsIndexed() && SameByteChannels(src, dst)) {
        kind_ = Kind::Mask;  // 24 and 32 bits per pixel with the usual channel order
        keptBits_ = ColourBits(dst);
    } else if (src.IsIndexed()) {
        kind_ = Kind::Table;
        std::size_t n = std::size_t(1) << src.bitsPerPixel;
        table_.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            COLORREF c =
                src.monoDdb ? (i == 0 ? dstTextColor : dstBkColor) : src.ToColor(std::uint32_t(i));
            table_[i] = dst.FromColor(c & 0xFFFFFF);
        }
    } else {
        kind_ = Kind::Colour;
    }
}

void ValueConverter::Convert(std::uint32_t* v, int count) const {
    switch (kind_) {
        case Kind::Identity:
            return;
        case Kind::Table: {
            std::uint32_t limit = std::uint32_t(table_.size() - 1);
            for (int i = 0; i < count; ++i) v[i] = table_[std::min(v[i], limit)];
            return;
        }
        case Kind::Mask:
            for (int i = 0; i < count; ++i) v[i] &= keptBits_;
            return;
        case Kind::ToMono: {
            std::uint32_t bits = ColourBits(src_);
            for (int i = 0; i < count; ++i) v[i] = (v[i] & bits) == monoKey_ ? 1u : 0u;
            return;
        }
        case Kind::Colour: {
            std::uint32_t lastIn = 0, lastOut = dst_.FromColor(src_.ToColor(0));
            for (int i = 0; i < count; ++i) {
                if (v[i] != lastIn) {
                    lastIn = v[i];
                    lastOut = dst_.FromColor(src_.ToColor(v[i]));
                }
                v[i] = lastOut;
            }
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Pattern

Pattern::Pattern(const PixelFormat& dst, COLORREF color)
    : solidValue_(dst.FromColor(color & 0xFFFFFF)) {}

Pattern::Pattern(DcObject& dc, const PixelFormat& dst, HBRUSH brush) {
    const DcState& s = dc.State();
    auto* b = ResolveObject<BrushObject>(brush ? brush : s.brush);
    if (!b || b->style == BS_NULL) {
        null_ = true;
        return;
    }
    POINT o = dc.DeviceOrigin();
    origin_ = {s.brushOrg.x + o.x, s.brushOrg.y + o.y};
    if (b->style == BS_HATCHED) {
        solid_ = false;
        width_ = height_ = 8;
        std::uint32_t fore = dst.FromColor(PlainColor(dc, b->color));
        std::uint32_t back = dst.FromColor(PlainColor(dc, s.bkColor));
        hasSkips_ = s.bkMode == TRANSPARENT;
        const std::uint8_t* rows = kHatch[std::clamp(b->hatch, 0, 5)];
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                bool on = (rows[y] >> (7 - x)) & 1;
                values_.push_back(on ? fore : back);
                skips_.push_back(!on && hasSkips_ ? 1 : 0);
            }
        }
    } else if (b->style == BS_PATTERN && b->pattern) {
        solid_ = false;
        const BitmapObject& p = *b->pattern;
        width_ = p.Width();
        height_ = p.Height();
        values_.resize(std::size_t(width_) * height_);
        ValueConverter convert(p.Format(), dst, s.bkColor, PlainColor(dc, s.textColor),
                               PlainColor(dc, s.bkColor));
        RowReader read = RowReaderFor(p.BitsPerPixel());
        for (int y = 0; y < height_; ++y) {
            std::uint32_t* row = values_.data() + std::size_t(y) * width_;
            read(p.Row(y), 0, width_, row);
            convert.Convert(row, width_);
        }
    } else {
        solidValue_ = dst.FromColor(PlainColor(dc, b->dcBrush ? s.dcBrushColor : b->color));
    }
}

void Pattern::Row(int x, int y, int count, std::uint32_t* out, std::uint8_t* skip) const {
    if (solid_) {
        std::fill_n(out, count, solidValue_);
        if (skip) std::fill_n(skip, count, 0);
        return;
    }
    int py = PositiveMod(std::int64_t(y) - origin_.y, height_);
    int px = PositiveMod(std::int64_t(x) - origin_.x, width_);
    const std::uint32_t* row = values_.data() + std::size_t(py) * width_;
    const std::uint8_t* skipRow =
        skips_.empty() ? nullptr : skips_.data() + std::size_t(py) * width_;
    for (int i = 0; i < count; ++i) {
        out[i] = row[px];
        if (skip) skip[i] = skipRow ? skipRow[px] : 0;
        if (++px == width_) px = 0;
    }
}

// ---------------------------------------------------------------------------------------------
// Rectangle fills

void FillSurfaceRect(DcObject& dc, const RECT& surfaceRect, const Pattern& pattern,
                     std::uint8_t rop3) {
    FillSurfaceRegion(dc, Region(NormalizedRect(surfaceRect)), pattern, rop3);
}

void FillSurfaceRegion(DcObject& dc, Region area, const Pattern& pattern, std::uint8_t rop3) {
    BitmapObject* surface = dc.Surface();
    if (!surface) return;
    bool usePattern = Rop3UsesPattern(rop3);
    if (usePattern && pattern.IsNull()) return;
    area.Intersect(dc.EffectiveClip());
    if (area.IsEmpty()) return;
    RowReader read = RowReaderFor(surface->BitsPerPixel());
    RowWriter write = RowWriterFor(surface->BitsPerPixel());
    RopRowFn rop = RopRowFor(rop3);
    const auto width = static_cast<std::size_t>(surface->Width());
    std::vector<std::uint32_t> dst(width), pat(width), zero(width), keep;
    std::vector<std::uint8_t> skip(width);
    bool skips = usePattern && pattern.HasSkips();
    bool useDest = Rop3UsesDest(rop3) || skips;
    for (const RECT& r : area.Rects()) {
        int n = r.right - r.left;
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint8_t* row = surface->Row(y);
            if (useDest) read(row, r.left, n, dst.data());
            if (usePattern) pattern.Row(r.left, y, n, pat.data(), skips ? skip.data() : nullptr);
            if (skips) keep.assign(dst.begin(), dst.begin() + n);
            rop(dst.data(), zero.data(), pat.data(), n);
            if (skips) {
                for (int i = 0; i < n; ++i)
                    if (skip[std::size_t(i)]) dst[std::size_t(i)] = keep[std::size_t(i)];
            }
            write(row, r.left, n, dst.data());
        }
    }
}

void FillDeviceRect(DcObject& dc, const RECT& deviceRect, COLORREF color) {
    BitmapObject* surface = dc.Surface();
    if (!surface) return;
    POINT o = dc.DeviceOrigin();
    RECT r = NormalizedRect(deviceRect);
    Pattern solid(surface->Format(), color);
    FillSurfaceRect(dc, {r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y}, solid, 0xF0);
}

}  // namespace platform

namespace platform {

void BlendCoverage(DcObject& dc, int deviceX, int deviceY, const std::uint8_t* coverage, int width,
                   int height, int pitch, COLORREF color) {
    BitmapObject* surface = dc.Surface();
    if (!surface || !coverage || width <= 0 || height <= 0) return;
    POINT o = dc.DeviceOrigin();
    std::int64_t left = std::int64_t(deviceX) + o.x, top = std::int64_t(deviceY) + o.y;
    RECT box{LONG(std::clamp<std::int64_t>(left, INT32_MIN / 2, INT32_MAX / 2)),
             LONG(std::clamp<std::int64_t>(top, INT32_MIN / 2, INT32_MAX / 2)), 0, 0};
    box.right = box.left + width;
    box.bottom = box.top + height;
    Region area(box);
    area.Intersect(dc.EffectiveClip());
    if (area.IsEmpty()) return;
    const PixelFormat& f = surface->Format();
    color = PlainColor(dc, color);
    const std::uint32_t full = f.FromColor(color);
    const bool blend =
        !f.IsIndexed();  // indexed and 1-bit surfaces take the colour or leave the pixel
    RowReader read = RowReaderFor(f.bitsPerPixel);
    RowWriter write = RowWriterFor(f.bitsPerPixel);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(surface->Width()));
    const int cr = GetRValue(color), cg = GetGValue(color), cb = GetBValue(color);
    for (const RECT& r : area.Rects()) {
        int n = r.right - r.left;
        for (int y = r.top; y < r.bottom; ++y) {
            const std::uint8_t* cov = coverage + std::size_t(y - box.top) * std::size_t(pitch) +
                                      std::size_t(r.left - box.left);
            std::uint8_t* line = surface->Row(y);
            read(line, r.left, n, row.data());
            for (int i = 0; i < n; ++i) {
                int c = cov[i];
                std::uint32_t& v = row[std::size_t(i)];
                if (c == 0) continue;
                if (c == 255 || !blend) {
                    if (c >= 128) v = full;
                    continue;
                }
                COLORREF under = f.ToColor(v);
                auto mix = [c](int a, int b) { return BYTE((a * c + b * (255 - c) + 127) / 255); };
                v = f.FromColor(RGB(mix(cr, GetRValue(under)), mix(cg, GetGValue(under)),
                                    mix(cb, GetBValue(under))));
            }
            write(line, r.left, n, row.data());
        }
    }
}

}  // namespace platform
