#pragma once
// A white 32-bit surface selected into a memory DC, for the tests that draw and then read
// pixels back.
#include <algorithm>

#include "platform/gdi/gdi.h"

namespace testing_support {

class WhiteCanvas {
  public:
    static constexpr platform::COLORREF kWhite = platform::RGB(255, 255, 255);

    WhiteCanvas(int width, int height) : width_(width), height_(height) {
        platform::BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(platform::BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = platform::BI_RGB;
        void* bits = nullptr;
        dc_ = platform::CreateCompatibleDC(nullptr);
        bitmap_ =
            platform::CreateDIBSection(dc_, &info, platform::DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = platform::SelectObject(dc_, bitmap_);
        platform::PatBlt(dc_, 0, 0, width, height, platform::WHITENESS);
    }
    ~WhiteCanvas() {
        platform::SelectObject(dc_, old_);
        platform::DeleteObject(bitmap_);
        platform::DeleteDC(dc_);
    }
    WhiteCanvas(const WhiteCanvas&) = delete;
    WhiteCanvas& operator=(const WhiteCanvas&) = delete;

    platform::HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    platform::COLORREF At(int x, int y) const { return platform::GetPixel(dc_, x, y); }

    int Count(platform::COLORREF color, const platform::RECT& area) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) n += At(x, y) == color;
        return n;
    }
    int Count(platform::COLORREF color) const {
        return Count(color, platform::RECT{0, 0, width_, height_});
    }

    // Bounding box of the pixels that are not white ({0,0,0,0} when none).
    platform::RECT Ink() const {
        platform::RECT box{width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (At(x, y) != kWhite) {
                    box.left = std::min<platform::LONG>(box.left, x);
                    box.top = std::min<platform::LONG>(box.top, y);
                    box.right = std::max<platform::LONG>(box.right, x + 1);
                    box.bottom = std::max<platform::LONG>(box.bottom, y + 1);
                }
        return box.right == 0 ? platform::RECT{0, 0, 0, 0} : box;
    }

  private:
    int width_;
    int height_;
    platform::HDC dc_ = nullptr;
    platform::HBITMAP bitmap_ = nullptr;
    platform::HGDIOBJ old_ = nullptr;
};

}  // namespace testing_support
