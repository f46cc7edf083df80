#include "skin/dib_pixels.h"

#include "platform/gdi/gdi.h"

namespace skin {

using namespace platform;

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::vector<uint32_t> ReadTopDown32(const graphics::TBitmap& bitmap, int width, int height,
                                    int* rowsRead) {
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    graphics::TBitmap copy;
    copy.CopyFrom(&bitmap);
    BITMAPINFO info = TopDown32(width, height);
    HDC dc = CreateCompatibleDC(nullptr);
    const int rows =
        GetDIBits(dc, copy.BitmapHandle(), 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (rowsRead != nullptr) *rowsRead = rows;
    return pixels;
}

}  // namespace skin
