// The ICO writer: turns a platform icon into a one-image ICO file with a 16-colour, 4-bit
// colour image and a 1-bit mask.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/exceptions.h"
#include "graphics/bitmap.h"
#include "graphics/icon.h"
#include "graphics/resource_strings.h"
#include "platform/gdi/gdi.h"

namespace graphics {

using namespace platform;

namespace {

#pragma pack(push, 1)
struct IconDirectory {
    uint16_t reserved;
    uint16_t type;
    uint16_t count;
};
struct IconDirectoryEntry {
    uint8_t width;
    uint8_t height;
    uint16_t colors;  // the colour-count byte and the reserved byte, written as one value
    uint16_t planes;
    uint16_t bitCount;
    uint32_t bytesInImage;
    uint32_t imageOffset;
};
#pragma pack(pop)
static_assert(sizeof(IconDirectory) == 6);
static_assert(sizeof(IconDirectoryEntry) == 16);

// Deletes the bitmaps GetIconInfo handed out, whatever happens.
struct IconBitmaps {
    ICONINFO info{};
    ~IconBitmaps() {
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
};

}  // namespace

void PrepareDibHeader(HBITMAP bitmap, int colors, BITMAPINFOHEADER& header) {
    DIBSECTION section{};
    int size = bitmap ? GetObject(bitmap, sizeof section, &section) : 0;
    if (size == 0) throw core::EInvalidGraphic(strings::SInvalidImage);
    if (size == sizeof section && section.dsBmih.biSize >= sizeof(BITMAPINFOHEADER)) {
        header = section.dsBmih;
    } else {
        header = {};
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = section.dsBm.bmWidth;
        header.biHeight = section.dsBm.bmHeight;
    }
    WORD ownBits = static_cast<WORD>(section.dsBm.bmPlanes * section.dsBm.bmBitsPixel);
    WORD bits;
    if (colors == 2) {
        bits = 1;
    } else if (colors >= 3 && colors <= 16) {
        bits = 4;
        header.biClrUsed = static_cast<DWORD>(colors);
    } else if (colors >= 17 && colors <= 256) {
        bits = 8;
        header.biClrUsed = static_cast<DWORD>(colors);
    } else {
        bits = ownBits;
    }
    // A section's own image size and compression describe its own depth: once the depth
    // changes they no longer apply.
    if (header.biBitCount != 0 && header.biBitCount != bits) {
        header.biSizeImage = 0;
        header.biCompression = BI_RGB;
    }
    header.biBitCount = bits;
    header.biPlanes = 1;
    if (header.biClrImportant > header.biClrUsed) header.biClrImportant = header.biClrUsed;
    if (header.biSizeImage == 0)
        header.biSizeImage = ScanlineBytes(static_cast<uint32_t>(std::abs(header.biWidth)), bits) *
                             static_cast<uint32_t>(std::abs(header.biHeight));
}

TDibMeasure MeasureDib(HBITMAP bitmap, int colors) {
    BITMAPINFOHEADER header{};
    PrepareDibHeader(bitmap, colors, header);
    uint32_t headerSize;
    if (header.biBitCount <= 8) {
        uint32_t entries = header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount);
        headerSize = static_cast<uint32_t>(sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * entries);
    } else {
        headerSize =
            (header.biCompression & 3) ? sizeof(BITMAPINFOHEADER) + 12 : sizeof(BITMAPINFOHEADER);
    }
    return {headerSize, header.biSizeImage};
}

void ExtractDib(HBITMAP bitmap, HPALETTE palette, void* header, int colors, void* pixels) {
    auto* info = static_cast<BITMAPINFO*>(header);
    PrepareDibHeader(bitmap, colors, info->bmiHeader);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) GdiError();
    HPALETTE oldPalette = nullptr;
    if (palette) {
        oldPalette = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(std::abs(info->bmiHeader.biHeight)), pixels, info,
              DIB_RGB_COLORS);
    if (oldPalette) SelectPalette(dc, oldPalette, FALSE);
    DeleteDC(dc);
}

void EncodeIcon(core::TStream& stream, HICON icon) {
    IconBitmaps bitmaps;
    if (!GetIconInfo(icon, &bitmaps.info)) bitmaps.info = {};

    TDibMeasure mask = MeasureDib(bitmaps.info.hbmMask, 2);
    TDibMeasure color = MeasureDib(bitmaps.info.hbmColor, 16);
    // The colour header buffer also holds a full 256-entry table, whatever was measured.
    std::vector<uint8_t> maskHeader(
        std::max<size_t>(mask.headerSize, sizeof(BITMAPINFOHEADER) + 1024));
    std::vector<uint8_t> maskPixels(mask.pixelSize);
    std::vector<uint8_t> colorHeader(
        std::max<size_t>(color.headerSize, sizeof(BITMAPINFOHEADER) + 1024));
    std::vector<uint8_t> colorPixels(color.pixelSize);
    ExtractDib(bitmaps.info.hbmMask, nullptr, maskHeader.data(), 2, maskPixels.data());
    ExtractDib(bitmaps.info.hbmColor, nullptr, colorHeader.data(), 16, colorPixels.data());

    IconDirectory directory{0, 1, 1};
    stream.WriteBuffer(&directory, sizeof directory);

    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(colorHeader.data());
    IconDirectoryEntry entry{};
    entry.width = static_cast<uint8_t>(header->biWidth);
    entry.height = static_cast<uint8_t>(header->biHeight);
    entry.colors = static_cast<uint16_t>(header->biPlanes * header->biBitCount);
    entry.bytesInImage = color.headerSize + color.pixelSize + mask.pixelSize;
    entry.imageOffset = sizeof(IconDirectory) + sizeof(IconDirectoryEntry);
    stream.WriteBuffer(&entry, sizeof entry);

    header->biHeight *= 2;
    stream.WriteBuffer(colorHeader.data(), color.headerSize);
    stream.WriteBuffer(colorPixels.data(), color.pixelSize);
    stream.WriteBuffer(maskPixels.data(), mask.pixelSize);
}

}  // namespace graphics
