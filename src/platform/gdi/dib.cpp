// Transfers between device-independent bits and bitmaps or device contexts: GetDIBits,
// SetDIBits, SetDIBitsToDevice, StretchDIBits, CreateDIBitmap (RLE4/RLE8 included) and the
// colour tables of DIB sections.
//
// GetDIBits to an indexed format writes a colour table: the bitmap's own when it has one of
// that depth; for 1 bit black and white; for 4 bits the 16 basic colours in their fixed order
// (each pixel maps to the nearest entry by squared RGB distance, ties to the lower index);
// for 8 bits the halftone palette.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/gdi/brush_pen.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"

namespace platform {
namespace {

struct DibLayout {
    int width = 0;
    int height = 0;  // absolute
    bool topDown = false;
    int bpp = 0;
    DWORD compression = BI_RGB;
    std::size_t stride = 0;
    std::size_t headerSize = 0;
};

bool ReadLayout(const BITMAPINFO* info, DibLayout& out) {
    if (!info) return false;
    DWORD size = info->bmiHeader.biSize;
    if (size == sizeof(BITMAPCOREHEADER)) {
        const auto* c = reinterpret_cast<const BITMAPCOREHEADER*>(info);
        out.width = c->bcWidth;
        out.height = c->bcHeight;
        out.bpp = c->bcBitCount;
        out.headerSize = size;
    } else {
        // Known headers run from 40 (BITMAPINFOHEADER) to 124 bytes (BITMAPV5HEADER).
        if (size < sizeof(BITMAPINFOHEADER) || size > sizeof(BITMAPV5HEADER)) return false;
        const BITMAPINFOHEADER& h = info->bmiHeader;
        if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return false;
        out.width = h.biWidth;
        out.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
        out.topDown = h.biHeight < 0;
        out.bpp = h.biBitCount;
        out.compression = h.biCompression;
        out.headerSize = size;
    }
    if (out.width <= 0 || out.height <= 0) return false;
    out.stride = DibStride(out.width, out.bpp);
    return out.stride != 0;
}

// Owns a temporary bitmap in the handle table and a memory DC holding it.
class TempDc {
  public:
    explicit TempDc(std::unique_ptr<BitmapObject> bitmap) {
        if (!bitmap) return;
        bitmap_ = bitmap.get();
        handle_ = RegisterObject<HBITMAP>(std::move(bitmap));
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, handle_);
    }
    ~TempDc() {
        if (dc_) {
            SelectObject(dc_, previous_);
            DeleteDC(dc_);
        }
        if (handle_) DeleteObject(handle_);
    }
    TempDc(const TempDc&) = delete;
    TempDc& operator=(const TempDc&) = delete;
    HDC Dc() const { return dc_; }
    BitmapObject* Bitmap() const { return bitmap_; }

  private:
    BitmapObject* bitmap_ = nullptr;
    HBITMAP handle_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// Decodes RLE8 or RLE4 data of `size` bytes into an uncompressed bottom-up bitmap.
void DecodeRle(const std::uint8_t* data, std::size_t size, bool four, BitmapObject& out) {
    int x = 0, y = 0;  // y counted from the bottom
    int w = out.Width(), h = out.Height();
    auto put = [&](int value) {
        if (x < w && y < h)
            WritePixelValue(out.Row(h - 1 - y), x, out.BitsPerPixel(), std::uint32_t(value));
        ++x;
    };
    std::size_t i = 0;
    while (i + 1 < size && y < h) {
        int count = data[i], value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count && x < w; ++k)
                put(four ? ((k & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // delta
            if (i + 1 >= size) break;
            x += data[i];
            y += data[i + 1];
            i += 2;
        } else {  // absolute run of `value` pixels, padded to a word
            std::size_t bytes = four ? (std::size_t(value) + 1) / 2 : std::size_t(value);
            if (i + bytes > size) bytes = size - i;
            for (int k = 0; k < value; ++k) {
                std::size_t at = four ? std::size_t(k / 2) : std::size_t(k);
                if (at >= bytes) break;
                int b = data[i + at];
                put(four ? ((k & 1) ? b & 0x0F : b >> 4) : b);
            }
            i += (bytes + 1) & ~std::size_t(1);
        }
    }
}

// A bitmap holding the caller's DIB rows (`rows` scan lines of the layout), or nullptr.
std::unique_ptr<BitmapObject> SourceFromBits(const BITMAPINFO* info, UINT usage,
                                             const DibLayout& layout, const void* bits, int rows) {
    if (!bits || rows <= 0) return nullptr;
    bool rle = layout.compression == BI_RLE8 || layout.compression == BI_RLE4;
    if (rle) {
        if ((layout.compression == BI_RLE8 && layout.bpp != 8) ||
            (layout.compression == BI_RLE4 && layout.bpp != 4))
            return nullptr;
        if (layout.topDown || info->bmiHeader.biSizeImage == 0)
            return nullptr;  // size bounds the decoder
    }
    // Build the bitmap from a header that describes exactly the rows handed over.
    if (layout.headerSize > sizeof(BITMAPV5HEADER)) return nullptr;
    std::array<std::uint8_t, sizeof(BITMAPV5HEADER) + 256 * sizeof(RGBQUAD) + 12> header{};
    std::memcpy(header.data(), info, layout.headerSize);
    std::size_t tableBytes = 0;
    if (layout.bpp <= 8) {
        std::size_t entries = std::size_t(1) << layout.bpp;
        if (layout.headerSize >= sizeof(BITMAPINFOHEADER) && info->bmiHeader.biClrUsed &&
            info->bmiHeader.biClrUsed < entries)
            entries = info->bmiHeader.biClrUsed;
        std::size_t entrySize =
            layout.headerSize == sizeof(BITMAPCOREHEADER) ? 3 : (usage == DIB_PAL_COLORS ? 2 : 4);
        tableBytes = entries * entrySize;
    } else if (layout.compression == BI_BITFIELDS) {
        tableBytes = layout.headerSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    }
    tableBytes = std::min<std::size_t>(tableBytes, 256 * 4 + 12);
    std::memcpy(header.data() + layout.headerSize,
                reinterpret_cast<const std::uint8_t*>(info) + layout.headerSize, tableBytes);
    if (layout.headerSize == sizeof(BITMAPCOREHEADER)) {
        auto* c = reinterpret_cast<BITMAPCOREHEADER*>(header.data());
        c->bcHeight = WORD(rows);
    } else {
        auto* h = reinterpret_cast<BITMAPINFOHEADER*>(header.data());
        h->biHeight = layout.topDown ? -rows : rows;
        if (rle) h->biCompression = BI_RGB;
    }
    auto source =
        BitmapObject::CreateDib(reinterpret_cast<const BITMAPINFO*>(header.data()), usage);
    if (!source) return nullptr;
    if (rle) {
        DecodeRle(static_cast<const std::uint8_t*>(bits), info->bmiHeader.biSizeImage,
                  layout.compression == BI_RLE4, *source);
    } else {
        std::memcpy(source->Bits(), bits, layout.stride * std::size_t(rows));
    }
    return source;
}

// The pixel format GetDIBits produces for a requested header.
bool TargetFormat(const BITMAPINFO* info, const DibLayout& layout, const BitmapObject& bitmap,
                  PixelFormat& f) {
    f = PixelFormat{};
    f.bitsPerPixel = layout.bpp;
    switch (layout.bpp) {
        case 1:
            f.colors = {{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};
            break;
        case 4:
            f.colors.assign(std::begin(kBasicColors16), std::end(kBasicColors16));
            break;
        case 8: {
            HPALETTE halftone = CreateHalftonePalette(nullptr);
            auto* p = ResolveObject<PaletteObject>(halftone);
            for (const PALETTEENTRY& e : p->entries)
                f.colors.push_back({e.peBlue, e.peGreen, e.peRed, 0});
            DeleteObject(halftone);
            break;
        }
        case 16:
            if (layout.compression == BI_BITFIELDS) {
                const auto* masks = reinterpret_cast<const DWORD*>(
                    reinterpret_cast<const std::uint8_t*>(info) + sizeof(BITMAPINFOHEADER));
                f.SetMasks(masks[0], masks[1], masks[2]);
            } else {
                f.SetMasks(0x7C00, 0x03E0, 0x001F);
            }
            break;
        case 24:
            break;
        case 32:
            if (layout.compression == BI_BITFIELDS) {
                const auto* masks = reinterpret_cast<const DWORD*>(
                    reinterpret_cast<const std::uint8_t*>(info) + sizeof(BITMAPINFOHEADER));
                f.SetMasks(masks[0], masks[1], masks[2]);
            }
            break;
        default:
            return false;
    }
    // A bitmap with its own table of the same depth keeps it.
    if (f.IsIndexed() && bitmap.Format().IsIndexed() && bitmap.BitsPerPixel() == layout.bpp &&
        !bitmap.Format().monoDdb) {
        f.colors = bitmap.Format().colors;
    }
    return true;
}

void WriteColorTable(BITMAPINFO* info, const PixelFormat& f, const DibLayout& layout) {
    if (f.IsIndexed()) {
        std::size_t n = std::size_t(1) << f.bitsPerPixel;
        for (std::size_t i = 0; i < n; ++i)
            info->bmiColors[i] = i < f.colors.size() ? f.colors[i] : RGBQUAD{0, 0, 0, 0};
    } else if (layout.compression == BI_BITFIELDS) {
        DWORD masks[3] = {f.redMask, f.greenMask, f.blueMask};
        std::memcpy(reinterpret_cast<std::uint8_t*>(info) + sizeof(BITMAPINFOHEADER), masks,
                    sizeof masks);
    }
}

}  // namespace

int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, LPVOID bits, BITMAPINFO* info,
              UINT usage) {
    (void)usage;
    auto* b = ResolveObject<BitmapObject>(bitmap);
    if (!ResolveDc(dc) || !b || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biBitCount == 0) {  // describe the bitmap
        h.biWidth = b->Width();
        h.biHeight = b->IsDib() && b->IsTopDown() ? -b->Height() : b->Height();
        h.biPlanes = 1;
        h.biBitCount = WORD(b->BitsPerPixel());
        h.biCompression = BI_RGB;
        h.biSizeImage = DWORD(DibStride(b->Width(), b->BitsPerPixel()) * std::size_t(b->Height()));
        h.biClrUsed = 0;
        h.biClrImportant = 0;
        return b->Height();
    }
    DibLayout layout;
    if (!ReadLayout(info, layout) || (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS))
        return 0;
    PixelFormat target;
    if (!TargetFormat(info, layout, *b, target)) return 0;
    h.biSizeImage = DWORD(layout.stride * std::size_t(layout.height));
    WriteColorTable(info, target, layout);
    if (!bits) return b->Height();

    // Scan s counts from the bottom of a bottom-up result, from the top of a top-down one.
    int height = b->Height();
    std::int64_t first = startScan,
                 last = std::min<std::int64_t>(std::int64_t(startScan) + scanLines, height);
    if (first >= last) return 0;
    const PixelFormat& sf = b->Format();
    bool identity = sf.SameLayout(target) || (sf.bitsPerPixel == 1 && target.bitsPerPixel == 1) ||
                    (sf.bitsPerPixel == target.bitsPerPixel && !sf.IsIndexed() &&
                     sf.bitsPerPixel != 16 && sf.redMask == target.redMask &&
                     sf.greenMask == target.greenMask && sf.blueMask == target.blueMask);
    int copyWidth = std::min(b->Width(), layout.width);
    std::vector<std::uint32_t> values(std::size_t(std::max(1, copyWidth)));
    RowReader read = RowReaderFor(sf.bitsPerPixel);
    RowWriter write = RowWriterFor(target.bitsPerPixel);
    std::vector<std::uint32_t> lut;
    if (!identity && sf.IsIndexed()) {
        for (std::uint32_t i = 0; i < (1u << sf.bitsPerPixel); ++i)
            lut.push_back(target.FromColor(sf.ToColor(i)));
    }
    auto* out = static_cast<std::uint8_t*>(bits);
    for (std::int64_t s = first; s < last; ++s) {
        int row = layout.topDown ? int(s) : height - 1 - int(s);
        std::uint8_t* dst = out + std::size_t(s - first) * layout.stride;
        std::memset(dst, 0, layout.stride);
        read(b->Row(row), 0, copyWidth, values.data());
        if (!identity) {
            for (int i = 0; i < copyWidth; ++i) {
                std::uint32_t& v = values[std::size_t(i)];
                v = lut.empty() ? target.FromColor(sf.ToColor(v)) : lut[v & (lut.size() - 1)];
            }
        }
        write(dst, 0, copyWidth, values.data());
    }
    return int(last - first);
}

int SetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, const void* bits,
              const BITMAPINFO* info, UINT usage) {
    (void)dc;
    auto* b = ResolveObject<BitmapObject>(bitmap);
    DibLayout layout;
    if (!b || !ReadLayout(info, layout)) return 0;
    bool rle = layout.compression == BI_RLE8 || layout.compression == BI_RLE4;
    int lines =
        rle ? layout.height
            : int(std::min<std::int64_t>(scanLines, std::int64_t(layout.height) - startScan));
    if (rle) startScan = 0;
    if (lines <= 0) return 0;
    auto source = SourceFromBits(info, usage, layout, bits, lines);
    if (!source) return 0;
    // Scan s of the DIB becomes bitmap row (height-1-s) for bottom-up bits, row s for top-down.
    const PixelFormat& sf = source->Format();
    const PixelFormat& df = b->Format();
    bool identity = sf.SameLayout(df);
    RowReader read = RowReaderFor(sf.bitsPerPixel);
    RowWriter write = RowWriterFor(df.bitsPerPixel);
    int width = std::min(b->Width(), source->Width());
    std::vector<std::uint32_t> values(std::size_t(std::max(1, width)));
    int written = 0;
    for (int k = 0; k < lines; ++k) {
        std::int64_t scan = std::int64_t(startScan) + k;
        std::int64_t row = layout.topDown ? scan : std::int64_t(b->Height()) - 1 - scan;
        if (row < 0 || row >= b->Height()) continue;
        int sourceRow = layout.topDown ? k : lines - 1 - k;
        read(source->Row(sourceRow), 0, width, values.data());
        if (!identity)
            for (int i = 0; i < width; ++i)
                values[std::size_t(i)] = df.FromColor(sf.ToColor(values[std::size_t(i)]));
        write(b->Row(int(row)), 0, width, values.data());
        ++written;
    }
    return written;
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    if (!header || header->biSize < sizeof(BITMAPCOREHEADER)) return nullptr;
    int width, height;
    if (header->biSize == sizeof(BITMAPCOREHEADER)) {
        const auto* c = reinterpret_cast<const BITMAPCOREHEADER*>(header);
        width = c->bcWidth;
        height = c->bcHeight;
    } else {
        width = header->biWidth;
        height = header->biHeight == INT32_MIN ? 0 : std::abs(header->biHeight);
    }
    if (width <= 0 || height <= 0) return nullptr;
    HDC screen = nullptr;
    if (!dc) dc = screen = GetDC(nullptr);
    HBITMAP result = CreateCompatibleBitmap(dc, width, height);
    if (screen) ReleaseDC(nullptr, screen);
    if (!result || !(init & CBM_INIT)) return result;
    // Bits that cannot be transferred (a compression the raster does not decode, RLE stored
    // top-down or at another depth, no data) fail the creation: a bitmap left black would pass
    // for the picture. The data is at fault, not the system, so no error code is set.
    DibLayout layout;
    if (!bits || !info || !ReadLayout(info, layout) ||
        SetDIBits(nullptr, result, 0, UINT(layout.height), bits, info, usage) == 0) {
        DeleteObject(result);
        return nullptr;
    }
    return result;
}

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
    DibLayout layout;
    if (!ResolveDc(dc) || !ReadLayout(info, layout)) return 0;
    TempDc source(SourceFromBits(info, usage, layout, bits, layout.height));
    if (!source.Dc()) return 0;
    // Source y counts from the bottom row of bottom-up bits.
    // Widened: hostile rectangles must not overflow the arithmetic.
    std::int64_t top =
        layout.topDown ? std::int64_t(ySrc) : std::int64_t(layout.height) - ySrc - srcHeight;
    if (top < INT32_MIN || top > INT32_MAX) return 0;
    if (!StretchBlt(dc, xDest, yDest, destWidth, destHeight, source.Dc(), xSrc, int(top), srcWidth,
                    srcHeight, rop))
        return 0;
    return srcHeight < 0 ? -srcHeight : srcHeight;
}

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
    DibLayout layout;
    if (!ResolveDc(dc) || !ReadLayout(info, layout)) return 0;
    int lines = int(std::min<std::int64_t>(scanLines, layout.height));
    TempDc source(SourceFromBits(info, usage, layout, bits, lines));
    if (!source.Dc()) return 0;
    int h = int(std::min<DWORD>(height, DWORD(INT32_MAX))),
        w = int(std::min<DWORD>(width, DWORD(INT32_MAX)));
    // Rows of the handed-over scans, from the top of the temporary bitmap.
    std::int64_t top = layout.topDown ? std::int64_t(ySrc) - startScan
                                      : std::int64_t(startScan) + lines - ySrc - h;
    top = std::clamp<std::int64_t>(top, INT32_MIN / 2, INT32_MAX / 2);
    HDC target = dc;
    if (!StretchBlt(target, xDest, yDest, w, h, source.Dc(), xSrc, int(top), w, h, SRCCOPY))
        return 0;
    return lines;
}

UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors) {
    DcObject* d = ResolveDc(dc);
    BitmapObject* b = d ? d->Surface() : nullptr;
    if (!b || !b->IsDib() || !b->Format().IsIndexed() || !colors) return 0;
    const auto& table = b->Format().colors;
    if (start >= table.size()) return 0;
    UINT n = std::min<UINT>(count, UINT(table.size()) - start);
    std::copy_n(table.begin() + start, n, colors);
    return n;
}

UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors) {
    DcObject* d = ResolveDc(dc);
    BitmapObject* b = d ? d->Surface() : nullptr;
    if (!b || !b->IsDib() || !b->Format().IsIndexed() || !colors) return 0;
    auto& table = b->MutableFormat().colors;
    if (start >= table.size()) return 0;
    UINT n = std::min<UINT>(count, UINT(table.size()) - start);
    std::copy_n(colors, n, table.begin() + start);
    return n;
}

}  // namespace platform
