#include "skinctrls/mask_region.h"

#include <cstring>

#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"

namespace skinctrls {

using namespace platform;

std::vector<RECT> BlackRuns(const graphics::TBitmap& mask) {
    std::vector<RECT> runs;
    if (mask.IsEmpty()) return runs;
    graphics::TBitmap copy;
    copy.CopyFrom(&mask);
    const int width = copy.Width();
    const int height = copy.Height();
    // Read the pixels as top-down 32-bit rows.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    HDC dc = CreateCompatibleDC(nullptr);
    int rows =
        GetDIBits(dc, copy.BitmapHandle(), 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (rows != height) return runs;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels.data() + size_t(y) * size_t(width);
        int x = 0;
        while (x < width) {
            if ((row[x] & 0xFFFFFF) != 0) {
                ++x;
                continue;
            }
            int start = x;
            while (x < width && (row[x] & 0xFFFFFF) == 0) ++x;
            runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    return runs;
}

HRGN RegionFromMask(const graphics::TBitmap& mask) {
    std::vector<RECT> runs = BlackRuns(mask);
    std::vector<char> buffer(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATA* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = DWORD(runs.size());
    data->rdh.nRgnSize = DWORD(runs.size() * sizeof(RECT));
    RECT bound{0, 0, mask.Width(), mask.Height()};
    data->rdh.rcBound = bound;
    if (!runs.empty())
        std::memcpy(buffer.data() + sizeof(RGNDATAHEADER), runs.data(), runs.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, DWORD(buffer.size()), data);
}

}  // namespace skinctrls
