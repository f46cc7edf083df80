#include "iconc/preview_sheet.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "platform/gdi/gdi.h"

namespace iconc {
namespace {

using namespace platform;

constexpr int kGap = 8;
constexpr int kLabelHeight = 16;
constexpr int kChecker = 8;
constexpr COLORREF kSheet = RGB(192, 192, 192), kLight = RGB(248, 248, 248),
                   kDark = RGB(32, 32, 32), kCheckerA = RGB(204, 204, 204),
                   kCheckerB = RGB(255, 255, 255);

struct GdiObjectDeleter {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
template <typename H>
using Owned = std::unique_ptr<std::remove_pointer_t<H>, GdiObjectDeleter>;

struct IconDeleter {
    void operator()(void* icon) const { DestroyIcon(static_cast<HICON>(icon)); }
};

// A memory DC with a 32-bit top-down DIB section selected, for the life of the sheet.
class SheetSurface {
  public:
    SheetSurface(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        dc_ = CreateCompatibleDC(nullptr);
        if (!bitmap_ || !dc_ || !bits) throw EIconError("cannot make the preview sheet");
        bits_ = static_cast<uint8_t*>(bits);
        previous_ = SelectObject(dc_, bitmap_.get());
    }
    ~SheetSurface() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    SheetSurface(const SheetSurface&) = delete;
    SheetSurface& operator=(const SheetSurface&) = delete;

    HDC Dc() const { return dc_; }
    uint8_t* Pixel(int x, int y) { return bits_ + (size_t(y) * size_t(width_) + size_t(x)) * 4; }
    RgbaImage Picture() {
        RgbaImage out(width_, height_);
        for (size_t i = 0; i < out.pixels.size(); i += 4)
            out.pixels[i] = bits_[i + 2], out.pixels[i + 1] = bits_[i + 1],
            out.pixels[i + 2] = bits_[i], out.pixels[i + 3] = 255;
        return out;
    }

  private:
    int width_, height_;
    Owned<HBITMAP> bitmap_;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint8_t* bits_ = nullptr;
};

void Fill(HDC dc, int left, int top, int width, int height, COLORREF colour) {
    Owned<HBRUSH> brush(CreateSolidBrush(colour));
    RECT r{left, top, left + width, top + height};
    FillRect(dc, &r, brush.get());
}

void FillChecker(HDC dc, int left, int top, int width, int height) {
    for (int y = 0; y < height; y += kChecker)
        for (int x = 0; x < width; x += kChecker)
            Fill(dc, left + x, top + y, std::min(kChecker, width - x),
                 std::min(kChecker, height - y),
                 (x / kChecker + y / kChecker) % 2 ? kCheckerA : kCheckerB);
}

// Source-over blending with straight alpha, as the platform draws 32-bit icons with alpha.
void BlendInto(SheetSurface& surface, const RgbaImage& picture, int left, int top) {
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* s = picture.At(x, y);
            uint8_t* d = surface.Pixel(left + x, top + y);
            for (int c = 0; c < 3; ++c)
                d[c] = uint8_t((s[2 - c] * s[3] + d[c] * (255 - s[3]) + 127) / 255);
        }
}

// Entries without alpha go through DrawIconEx: the AND mask, then the colour with XOR.
void DrawMasked(HDC dc, const DecodedEntry& entry, int left, int top) {
    int w = entry.colour.width, h = entry.colour.height;
    size_t maskRow = size_t((w + 15) / 16) * 2;  // device-dependent rows are WORD-aligned
    std::vector<uint8_t> mask(maskRow * size_t(h), 0), colour(size_t(w) * size_t(h) * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (entry.mask[size_t(y) * size_t(w) + size_t(x)])
                mask[size_t(y) * maskRow + size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
            const uint8_t* p = entry.colour.At(x, y);
            uint8_t* c = &colour[(size_t(y) * size_t(w) + size_t(x)) * 4];
            c[0] = p[2], c[1] = p[1], c[2] = p[0];
        }
    Owned<HBITMAP> maskBitmap(CreateBitmap(w, h, 1, 1, mask.data()));
    Owned<HBITMAP> colourBitmap(CreateBitmap(w, h, 1, 32, colour.data()));
    ICONINFO info{TRUE, 0, 0, maskBitmap.get(), colourBitmap.get()};
    std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter> icon(CreateIconIndirect(&info));
    if (!icon) throw EIconError("cannot draw an entry of the icon");
    DrawIconEx(dc, left, top, icon.get(), w, h, 0, nullptr, DI_NORMAL);
}

void DrawLabel(HDC dc, const DecodedEntry& entry, int left, int top) {
    std::string text = std::to_string(entry.colour.width) + "x" +
                       std::to_string(entry.colour.height) + " " + std::to_string(entry.bits);
    TextOut(dc, left, top, text.c_str(), int(text.size()));
}

int ColumnWidth(HDC dc, const DecodedEntry& entry) {
    SIZE text{};
    std::string sample = std::to_string(entry.colour.width) + "x" +
                         std::to_string(entry.colour.height) + " " + std::to_string(entry.bits);
    GetTextExtentPoint32(dc, sample.c_str(), int(sample.size()), &text);
    return std::max(int(text.cx), entry.colour.width);
}

}  // namespace

RgbaImage RenderPreviewSheet(const std::vector<DecodedEntry>& entries) {
    Owned<HFONT> font(CreateFont(-11, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
    int tallest = 0;
    for (const DecodedEntry& e : entries) tallest = std::max(tallest, e.colour.height);
    std::vector<int> widths;
    {
        SheetSurface probe(1, 1);
        HGDIOBJ old = SelectObject(probe.Dc(), font.get());
        for (const DecodedEntry& e : entries) widths.push_back(ColumnWidth(probe.Dc(), e));
        SelectObject(probe.Dc(), old);
    }
    int width = kGap;
    for (int w : widths) width += w + kGap;
    int height = 3 * (tallest + kGap) + kLabelHeight + kGap;
    if (int64_t(width) * height > kMaxSourcePixels)
        throw EIconError("the preview sheet would be too large");
    SheetSurface sheet(width, height);
    HDC dc = sheet.Dc();
    HGDIOBJ oldFont = SelectObject(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    Fill(dc, 0, 0, width, height, kSheet);
    int left = kGap;
    for (size_t i = 0; i < entries.size(); ++i) {
        const DecodedEntry& e = entries[i];
        int x = left + (widths[i] - e.colour.width) / 2;
        for (int row = 0; row < 3; ++row) {
            int y = kGap + row * (tallest + kGap);
            if (row == 2)
                FillChecker(dc, x, y, e.colour.width, e.colour.height);
            else
                Fill(dc, x, y, e.colour.width, e.colour.height, row == 0 ? kLight : kDark);
            if (e.usesAlpha)
                BlendInto(sheet, e.colour, x, y);
            else
                DrawMasked(dc, e, x, y);
        }
        DrawLabel(dc, e, left, kGap + 2 * (tallest + kGap) + e.colour.height + 2);
        left += widths[i] + kGap;
    }
    SelectObject(dc, oldFont);
    return sheet.Picture();
}

}  // namespace iconc
