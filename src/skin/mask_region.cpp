#include "skin/mask_region.h"

#include <cstdint>
#include <cstring>

#include "platform/gdi/gdi.h"
#include "skin/dib_pixels.h"

namespace skin {

using namespace platform;

std::vector<RECT> BlackRuns(const graphics::TBitmap& mask, graphics::TPoint offset,
                            size_t maxRuns) {
    std::vector<RECT> runs;
    if (mask.IsEmpty()) return runs;
    const int width = mask.Width();
    int rows = 0;
    const std::vector<uint32_t> pixels = ReadTopDown32(mask, width, mask.Height(), &rows);
    auto black = [](uint32_t pixel) { return (pixel & 0xFFFFFF) == 0; };
    for (int y = 0; y < rows; ++y) {
        const uint32_t* row = pixels.data() + size_t(y) * size_t(width);
        int x = 0;
        while (x < width) {
            if (!black(row[x])) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && black(row[x])) ++x;
            if (runs.size() >= maxRuns) return runs;
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

HRGN RegionFromMask(const graphics::TBitmap& mask) {
    return RegionFromRects(BlackRuns(mask));
}

}  // namespace skin
