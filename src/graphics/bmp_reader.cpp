// The bitmap reader: a BMP file (Windows or OS/2 header, 1 to 32 bits, bit fields, RLE)
// becomes the bitmap's image. Nothing changes until the whole file is read, so a failed read
// leaves the previous image in place.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "core/exceptions.h"
#include "core/resource_strings.h"
#include "graphics/bitmap.h"
#include "graphics/bmp_format.h"
#include "graphics/memory_dc.h"
#include "graphics/resource_strings.h"
#include "platform/gdi/gdi.h"

namespace graphics {

using namespace platform;

namespace {

[[noreturn]] void InvalidBitmap() {
    throw core::EInvalidGraphic(strings::SInvalidImage);
}

// The header, masks and colour table in one buffer, as the platform takes them.
struct BitmapInfoBuffer {
    std::vector<uint8_t> bytes;
    BITMAPINFOHEADER& Header() { return *reinterpret_cast<BITMAPINFOHEADER*>(bytes.data()); }
    BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(bytes.data()); }
};

// Reads a core or information header into `buffer`; returns true for a core (OS/2) header.
bool ReadHeader(core::TStream& stream, BitmapInfoBuffer& buffer, uint32_t& headerSize) {
    headerSize = stream.ReadValue<uint32_t>();
    if (headerSize == bmp::kCoreHeaderSize) {
        BITMAPCOREHEADER core{};
        core.bcSize = headerSize;
        stream.ReadBuffer(reinterpret_cast<uint8_t*>(&core) + 4, bmp::kCoreHeaderSize - 4);
        buffer.bytes.assign(bmp::kInfoHeaderSize + 1036, 0);
        BITMAPINFOHEADER& header = buffer.Header();
        header.biSize = bmp::kInfoHeaderSize;
        header.biWidth = core.bcWidth;
        header.biHeight = core.bcHeight;
        header.biPlanes = core.bcPlanes;
        header.biBitCount = core.bcBitCount;
        headerSize = bmp::kInfoHeaderSize;
        return true;
    }
    if (headerSize < bmp::kInfoHeaderSize || headerSize > bmp::kMaxHeaderSize) InvalidBitmap();
    buffer.bytes.assign(headerSize + 1036, 0);
    std::memcpy(buffer.bytes.data(), &headerSize, 4);
    stream.ReadBuffer(buffer.bytes.data() + 4, headerSize - 4);
    return false;
}

// Rejects dimensions that the raster cannot hold and images whose pixels would take more than
// the reader's memory limit.
void CheckDimensions(const BITMAPINFOHEADER& header, bool deviceDependent) {
    int64_t width = header.biWidth;
    int64_t height = std::llabs(static_cast<int64_t>(header.biHeight));
    if (width <= 0 || height == 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        InvalidBitmap();
    int64_t bits = deviceDependent ? 32 : header.biBitCount;
    if (bmp::LineLength(width, bits) * height > bmp::kMaxImageBytes) InvalidBitmap();
}

HPALETTE PaletteFromTable(const RGBQUAD* table, uint32_t count) {
    if (count == 0) return nullptr;
    std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY), 0);
    auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(count);
    for (uint32_t i = 0; i < count; ++i)
        log->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return CreatePalette(log);
}

[[noreturn]] void CreationFailed() {
    DWORD code = GetLastError();
    if (code != 0) {
        char text[256] = {};
        FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, text, sizeof text, nullptr);
        throw core::EOSError(
            static_cast<int>(code),
            core::Format(core::strings::SOSError, {static_cast<int64_t>(code), text}));
    }
    InvalidBitmap();
}

// Deletes a platform object unless released.
struct OwnedObject {
    HGDIOBJ object = nullptr;
    ~OwnedObject() {
        if (object) DeleteObject(object);
    }
    HGDIOBJ Release() { return std::exchange(object, nullptr); }
};

// Where the colour table sits in the buffer and how many pixel bytes follow it.
struct PixelLayout {
    RGBQUAD* table = nullptr;
    int64_t pixelBytes = 0;  // to read from the file
    int64_t fullSize = 0;    // the rows of the image, uncompressed
};

// Reads the bit masks and the colour table that follow the header; `left` counts the bytes
// after the header.
PixelLayout ReadTables(core::TStream& stream, BitmapInfoBuffer& buffer, uint32_t headerSize,
                       bool os2, int64_t left) {
    BITMAPINFOHEADER& header = buffer.Header();
    uint8_t* masks = buffer.bytes.data() + headerSize;
    bool fortyByteHeader = headerSize == bmp::kInfoHeaderSize;
    if (fortyByteHeader && (header.biBitCount == 16 || header.biBitCount == 32) &&
        header.biCompression == BI_BITFIELDS) {
        stream.ReadBuffer(masks, 12);
        left -= 12;
    }

    if (header.biClrUsed == 0) header.biClrUsed = bmp::DefaultColorCount(header.biBitCount);
    if (header.biClrUsed > 256) InvalidBitmap();
    // With a 40-byte header the table follows the masks' room only when masks were read.
    PixelLayout layout;
    layout.table = reinterpret_cast<RGBQUAD*>(
        masks + ((fortyByteHeader && header.biCompression == BI_BITFIELDS) ? 12 : 0));
    uint32_t entrySize = os2 ? 3 : 4;
    int64_t tableBytes = int64_t(header.biClrUsed) * entrySize;
    stream.ReadBuffer(layout.table, tableBytes);

    layout.fullSize = bmp::LineLength(header.biWidth, header.biBitCount) *
                      std::llabs(static_cast<int64_t>(header.biHeight));
    if (header.biSizeImage == 0)
        header.biSizeImage = static_cast<DWORD>(std::min<int64_t>(layout.fullSize, UINT32_MAX));
    layout.pixelBytes =
        std::max<int64_t>(0, std::min<int64_t>(header.biSizeImage, left - tableBytes));

    if (os2) {
        // Widen the 3-byte entries to 4 bytes, from the last one down.
        auto* raw = reinterpret_cast<uint8_t*>(layout.table);
        for (int i = static_cast<int>(header.biClrUsed) - 1; i >= 0; --i) {
            const size_t at = static_cast<size_t>(i) * 3;
            RGBQUAD entry{raw[at], raw[at + 1], raw[at + 2], 0};
            layout.table[i] = entry;
        }
    }
    return layout;
}

// A compressed image becomes a device-dependent bitmap that the platform decodes, through a
// palette made from the colour table (kept with the image).
void DecodeCompressed(core::TStream& stream, BitmapInfoBuffer& buffer, const PixelLayout& layout,
                      OwnedObject& bitmap, OwnedObject& palette) {
    BITMAPINFOHEADER& header = buffer.Header();
    std::vector<uint8_t> bits(static_cast<size_t>(layout.pixelBytes));
    stream.ReadBuffer(bits.data(), layout.pixelBytes);
    // The platform takes the image size as the length of the compressed data: it must not
    // claim more than was read.
    header.biSizeImage = static_cast<DWORD>(layout.pixelBytes);
    HDC screen = GetDC(nullptr);
    OwnedObject one{CreateCompatibleBitmap(screen, 1, 1)};
    ReleaseDC(nullptr, screen);
    MemoryDC dc;
    dc.Select(static_cast<HBITMAP>(one.object));
    palette.object = PaletteFromTable(layout.table, header.biClrUsed);
    dc.SelectRealized(static_cast<HPALETTE>(palette.object));
    bitmap.object =
        CreateDIBitmap(dc.Get(), &header, CBM_INIT, bits.data(), buffer.Info(), DIB_RGB_COLORS);
    if (!bitmap.object) CreationFailed();
}

// An uncompressed image becomes a DIB section holding the pixel bytes.
void ReadSection(core::TStream& stream, BitmapInfoBuffer& buffer, const PixelLayout& layout,
                 OwnedObject& bitmap) {
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    bitmap.object = CreateDIBSection(screen, buffer.Info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!bitmap.object || !bits) CreationFailed();
    // Never more than the section holds.
    stream.ReadBuffer(bits, std::min(layout.pixelBytes, layout.fullSize));
}

}  // namespace

void TBitmap::LoadFromStream(core::TStream& input) {
    int64_t left = input.Remaining();
    if (left == 0) {
        NewImage(nullptr, nullptr, DIBSECTION{}, false);
        NotifyChange();
        return;
    }

    BITMAPFILEHEADER fileHeader{};
    input.ReadBuffer(&fileHeader, sizeof fileHeader);
    if (fileHeader.bfType != bmp::kSignature) InvalidBitmap();
    left -= sizeof fileHeader;

    BitmapInfoBuffer buffer;
    uint32_t headerSize = 0;
    bool os2 = ReadHeader(input, buffer, headerSize);
    left -= os2 ? bmp::kCoreHeaderSize : headerSize;
    BITMAPINFOHEADER& header = buffer.Header();

    // A compressed file is kept whole for saving; reading goes on from that copy.
    core::TStream* stream = &input;
    std::unique_ptr<core::TMemoryStream> saved;
    bool compressed = header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS;
    if (compressed) {
        saved = std::make_unique<core::TMemoryStream>();
        saved->WriteBuffer(&fileHeader, sizeof fileHeader);
        saved->WriteBuffer(buffer.bytes.data(), headerSize);
        if (left > 0) saved->CopyFrom(input, left);
        saved->SetPosition(static_cast<int64_t>(sizeof fileHeader + headerSize));
        stream = saved.get();
    }

    header.biSize = headerSize;
    if (header.biPlanes != 1) InvalidBitmap();
    CheckDimensions(header, compressed);
    PixelLayout layout = ReadTables(*stream, buffer, headerSize, os2, left);

    // A code left over from an earlier call must not pass for this creation's.
    SetLastError(0);
    OwnedObject bitmap;
    OwnedObject palette;
    if (compressed)
        DecodeCompressed(*stream, buffer, layout, bitmap, palette);
    else
        ReadSection(*stream, buffer, layout, bitmap);

    if (header.biBitCount > 8 && header.biClrUsed > 0 && !palette.object)
        palette.object = PaletteFromTable(layout.table, header.biClrUsed);

    DIBSECTION dib{};
    if (!GetObject(bitmap.object, sizeof dib, &dib)) InvalidBitmap();
    dib.dsBmih.biXPelsPerMeter = header.biXPelsPerMeter;
    dib.dsBmih.biYPelsPerMeter = header.biYPelsPerMeter;
    dib.dsBmih.biClrUsed = header.biClrUsed;
    dib.dsBmih.biClrImportant = header.biClrImportant;

    FreeContext();
    NewImage(static_cast<HBITMAP>(bitmap.Release()), static_cast<HPALETTE>(palette.Release()), dib,
             os2, std::move(saved));
    if (image_->palette_) SetPaletteModified(true);
    NotifyChange();
}

}  // namespace graphics
