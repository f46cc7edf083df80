#include "skin/frame_region.h"

#include <cstring>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"

namespace skin {

using namespace platform;

std::vector<RECT> BlackRuns(graphics::TBitmap& bitmap, graphics::TPoint offset) {
    std::vector<RECT> runs;
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    if (width <= 0 || height <= 0) return runs;
    // Rows top-down, 32 bits per pixel (blue, green, red, unused).
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap.BitmapHandle(), 0, UINT(height), pixels.data(), &info,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (int y = 0; y < rows; ++y) {
        const uint8_t* row = pixels.data() + size_t(y) * size_t(width) * 4;
        int x = 0;
        while (x < width) {
            auto black = [&](int i) {
                return row[i * 4] == 0 && row[i * 4 + 1] == 0 && row[i * 4 + 2] == 0;
            };
            if (!black(x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && black(x)) ++x;
            if (runs.size() >= size_t(kMaxRegionRuns)) return runs;
            runs.push_back(RECT{start + offset.x, y + offset.y, x + offset.x, y + 1 + offset.y});
        }
    }
    return runs;
}

HRGN RegionFromRects(const std::vector<RECT>& rects) {
    std::vector<uint8_t> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = DWORD(rects.size());
    header.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    std::memcpy(buffer.data(), &header, sizeof(header));
    if (!rects.empty())
        std::memcpy(buffer.data() + sizeof(header), rects.data(), rects.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, DWORD(buffer.size()),
                           reinterpret_cast<const RGNDATA*>(buffer.data()));
}

HRGN MaskRegion(const TbsFrameStrips& strips, const graphics::TRect& maskArea) {
    HRGN region = CreateRectRgn(maskArea.left, maskArea.top, maskArea.right, maskArea.bottom);
    for (const TbsFrameStrip* strip : {&strips.Top, &strips.Bottom, &strips.Left, &strips.Right}) {
        if (!strip->Bitmap) continue;
        HRGN part = RegionFromRects(BlackRuns(*strip->Bitmap, strip->At));
        if (part == nullptr) continue;
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    return region;
}

}  // namespace skin
