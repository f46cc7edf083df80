// Bitmaps: device-dependent bitmaps and DIB sections, and the bitmap creation functions.
#include "platform/gdi/bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"

namespace platform {
namespace {

bool ValidDepth(int bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

}  // namespace

std::size_t DibStride(std::int64_t width, int bitsPerPixel) {
    if (width <= 0 || width > kMaxBitmapSide) return 0;
    std::int64_t bits = width * bitsPerPixel;
    return std::size_t(((bits + 31) / 32) * 4);
}

bool BitmapObject::Allocate() {
    if (width_ <= 0 || height_ <= 0 || height_ > kMaxBitmapSide || stride_ <= 0) return false;
    std::uint64_t bytes = std::uint64_t(stride_) * std::uint64_t(height_);
    if (bytes > kMaxBitmapBytes) return false;
    storage_.reset(static_cast<std::uint8_t*>(std::calloc(std::size_t(bytes), 1)));
    bits_ = storage_.get();
    return bits_ != nullptr;
}

std::unique_ptr<BitmapObject> BitmapObject::CreateDdb(int width, int height, int bitsPerPixel) {
    if (bitsPerPixel != 1 && bitsPerPixel != 32) return nullptr;
    std::unique_ptr<BitmapObject> b(new BitmapObject);
    b->width_ = width;
    b->height_ = height;
    b->format_ = bitsPerPixel == 1 ? PixelFormat::Monochrome() : PixelFormat::Screen();
    b->stride_ = int(DibStride(width, bitsPerPixel));
    if (!b->Allocate()) return nullptr;
    return b;
}

std::unique_ptr<BitmapObject> BitmapObject::CreateDib(const BITMAPINFO* info, UINT usage) {
    if (!info) return nullptr;
    DWORD headerSize = info->bmiHeader.biSize;
    BITMAPINFOHEADER h{};
    const auto* base = reinterpret_cast<const std::uint8_t*>(info);
    const std::uint8_t* tableStart;
    bool core = headerSize == sizeof(BITMAPCOREHEADER);
    if (core) {
        const auto* c = reinterpret_cast<const BITMAPCOREHEADER*>(info);
        h.biSize = sizeof h;
        h.biWidth = c->bcWidth;
        h.biHeight = c->bcHeight;
        h.biPlanes = c->bcPlanes;
        h.biBitCount = c->bcBitCount;
        tableStart = base + headerSize;
    } else {
        if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > sizeof(BITMAPV5HEADER))
            return nullptr;
        h = info->bmiHeader;
        tableStart = base + headerSize;
    }
    int bpp = h.biBitCount;
    if (!ValidDepth(bpp) || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN)
        return nullptr;
    if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32)))
        return nullptr;

    std::unique_ptr<BitmapObject> b(new BitmapObject);
    b->isDib_ = true;
    b->width_ = h.biWidth;
    b->height_ = std::abs(h.biHeight);
    b->topDown_ = h.biHeight < 0;
    b->format_.bitsPerPixel = bpp;
    b->stride_ = int(DibStride(h.biWidth, bpp));
    if (bpp <= 8) {
        std::size_t entries = std::size_t(1) << bpp;
        if (!core && h.biClrUsed != 0 && h.biClrUsed < entries) entries = h.biClrUsed;
        b->format_.colors.resize(entries);
        for (std::size_t i = 0; i < entries; ++i) {
            if (usage == DIB_PAL_COLORS) {
                // Indices into the selected palette: the default palette here.
                WORD index;
                std::memcpy(&index, tableStart + i * 2, 2);
                PALETTEENTRY e{};
                GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), index, 1,
                                  &e);
                b->format_.colors[i] = {e.peBlue, e.peGreen, e.peRed, 0};
            } else if (core) {
                RGBTRIPLE t;
                std::memcpy(&t, tableStart + i * 3, 3);
                b->format_.colors[i] = {t.rgbtBlue, t.rgbtGreen, t.rgbtRed, 0};
            } else {
                std::memcpy(&b->format_.colors[i], tableStart + i * 4, 4);
            }
        }
    } else if (h.biCompression == BI_BITFIELDS) {
        DWORD masks[3];
        std::memcpy(masks, base + sizeof(BITMAPINFOHEADER), sizeof masks);
        if (masks[0] == 0 && masks[1] == 0 && masks[2] == 0) return nullptr;
        b->format_.SetMasks(masks[0], masks[1], masks[2]);
    } else if (bpp == 16) {
        b->format_.SetMasks(0x7C00, 0x03E0, 0x001F);
    }
    if (!b->Allocate()) return nullptr;
    h.biSize = sizeof h;
    h.biSizeImage = DWORD(b->ByteSize());
    b->dibHeader_ = h;
    return b;
}

std::unique_ptr<BitmapObject> BitmapObject::CloneEmpty(int width, int height) const {
    std::unique_ptr<BitmapObject> b(new BitmapObject);
    b->isDib_ = isDib_;
    b->topDown_ = topDown_;
    b->width_ = width;
    b->height_ = height;
    b->format_ = format_;
    b->stride_ = int(DibStride(width, format_.bitsPerPixel));
    b->dibHeader_ = dibHeader_;
    b->dibHeader_.biWidth = width;
    b->dibHeader_.biHeight = topDown_ ? -height : height;
    if (!b->Allocate()) return nullptr;
    b->dibHeader_.biSizeImage = DWORD(b->ByteSize());
    return b;
}

std::unique_ptr<BitmapObject> BitmapObject::Clone() const {
    auto b = CloneEmpty(width_, height_);
    if (b) std::memcpy(b->bits_, bits_, ByteSize());
    return b;
}

int BitmapObject::Describe(int size, void* buffer) const {
    BITMAP bm{};
    bm.bmType = 0;
    bm.bmWidth = width_;
    bm.bmHeight = height_;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = WORD(format_.bitsPerPixel);
    if (isDib_) {
        bm.bmWidthBytes = stride_;
        bm.bmBits = bits_;
    } else {
        bm.bmWidthBytes = ((width_ * format_.bitsPerPixel + 15) / 16) * 2;  // WORD-aligned rows
        bm.bmBits = nullptr;
    }
    if (!buffer) return isDib_ ? int(sizeof(DIBSECTION)) : int(sizeof(BITMAP));
    if (isDib_ && size >= int(sizeof(DIBSECTION))) {
        DIBSECTION ds{};
        ds.dsBm = bm;
        ds.dsBmih = dibHeader_;
        if (format_.bitsPerPixel == 16 || format_.bitsPerPixel == 32) {
            ds.dsBitfields[0] = format_.redMask;
            ds.dsBitfields[1] = format_.greenMask;
            ds.dsBitfields[2] = format_.blueMask;
        }
        std::memcpy(buffer, &ds, sizeof ds);
        return int(sizeof ds);
    }
    if (size < int(sizeof(BITMAP))) return 0;
    std::memcpy(buffer, &bm, sizeof bm);
    return int(sizeof bm);
}

HBITMAP DefaultBitmap() {
    static HBITMAP stock = [] {
        HBITMAP h = RegisterObject<HBITMAP>(BitmapObject::CreateDdb(1, 1, 1));
        MarkStockObject(h);
        return h;
    }();
    return stock;
}

// ---------------------------------------------------------------------------------------------
// Creation functions

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width < 0 || height < 0 || planes != 1) return nullptr;
    if (width == 0 || height == 0) return DefaultBitmap();
    int bpp = bitsPerPixel == 1 ? 1 : (bitsPerPixel > 1 && bitsPerPixel <= 32 ? 32 : 0);
    if (bpp == 0) return nullptr;
    auto b = BitmapObject::CreateDdb(width, height, bpp);
    if (!b) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HBITMAP h = RegisterObject<HBITMAP>(std::move(b));
    if (h && bits && bpp == int(bitsPerPixel)) {
        LONG rowBytes = ((width * bpp + 15) / 16) * 2;
        SetBitmapBits(h, DWORD(rowBytes * height), bits);
    }
    return h;
}

HBITMAP CreateBitmapIndirect(const BITMAP* bm) {
    if (!bm) return nullptr;
    return CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    DcObject* d = ResolveDc(dc);
    if (!d || width < 0 || height < 0) return nullptr;
    if (width == 0 || height == 0) return DefaultBitmap();
    BitmapObject* surface = d->Surface();
    std::unique_ptr<BitmapObject> b;
    if (d->GetType() == DcObject::Type::Memory && surface && surface->IsDib()) {
        b = surface->CloneEmpty(width, height);
    } else if (d->GetType() == DcObject::Type::Memory && surface && surface->BitsPerPixel() == 1) {
        b = BitmapObject::CreateDdb(width, height, 1);
    } else {
        b = BitmapObject::CreateDdb(width, height, 32);
    }
    if (!b) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return RegisterObject<HBITMAP>(std::move(b));
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
    (void)dc;
    (void)offset;
    if (bits) *bits = nullptr;
    if (section) return nullptr;  // file mappings are not supported
    auto b = BitmapObject::CreateDib(info, usage);
    if (!b) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    void* p = b->Bits();
    HBITMAP h = RegisterObject<HBITMAP>(std::move(b));
    if (h && bits) *bits = p;
    return h;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG byteCount, LPVOID bits) {
    auto* b = ResolveObject<BitmapObject>(bitmap);
    if (!b || byteCount < 0) return 0;
    LONG rowBytes = ((b->Width() * b->BitsPerPixel() + 15) / 16) * 2;
    std::int64_t total = std::int64_t(rowBytes) * b->Height();
    if (!bits) return LONG(std::min<std::int64_t>(total, INT32_MAX));
    std::int64_t remaining = std::min<std::int64_t>(byteCount, total);
    auto* out = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < b->Height() && remaining > 0; ++y) {
        std::size_t n = std::size_t(std::min<std::int64_t>(rowBytes, remaining));
        std::size_t fromRow = std::min<std::size_t>(n, std::size_t(b->Stride()));
        std::memcpy(out, b->Row(y), fromRow);
        if (n > fromRow) std::memset(out + fromRow, 0, n - fromRow);
        out += n;
        remaining -= std::int64_t(n);
    }
    return LONG(out - static_cast<std::uint8_t*>(bits));
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD byteCount, const void* bits) {
    auto* b = ResolveObject<BitmapObject>(bitmap);
    if (!b || !bits) return 0;
    LONG rowBytes = ((b->Width() * b->BitsPerPixel() + 15) / 16) * 2;
    std::int64_t remaining =
        std::min<std::int64_t>(std::int64_t(byteCount), std::int64_t(rowBytes) * b->Height());
    const auto* in = static_cast<const std::uint8_t*>(bits);
    for (int y = 0; y < b->Height() && remaining > 0; ++y) {
        std::size_t n = std::size_t(std::min<std::int64_t>(rowBytes, remaining));
        std::memcpy(b->Row(y), in, std::min<std::size_t>(n, std::size_t(b->Stride())));
        in += n;
        remaining -= std::int64_t(n);
    }
    return LONG(in - static_cast<const std::uint8_t*>(bits));
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, SIZE* size) {
    if (!ResolveObject<BitmapObject>(bitmap) || !size) return FALSE;
    *size = {0, 0};
    return TRUE;
}

}  // namespace platform
