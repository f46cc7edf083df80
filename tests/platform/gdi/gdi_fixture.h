// Shared helpers for the drawing-service tests: a fixture that fails any test leaving
// objects behind, and small scoped owners of DCs and bitmaps.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"

namespace platform::testing {

class GdiTest : public ::testing::Test {
  protected:
    void SetUp() override { liveAtStart_ = LiveGdiObjectCount(); }
    void TearDown() override {
        EXPECT_EQ(LiveGdiObjectCount(), liveAtStart_) << "objects leaked by the test";
    }

  private:
    int liveAtStart_ = 0;
};

// A memory DC with a bitmap selected; deletes both.
class MemDc {
  public:
    explicit MemDc(HBITMAP bitmap) : bitmap_(bitmap) {
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~MemDc() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    MemDc(const MemDc&) = delete;
    MemDc& operator=(const MemDc&) = delete;
    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }

  private:
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ old_;
};

inline HBITMAP ScreenBitmap(int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    return b;
}

// A DIB section of the given depth; indexed depths get `table` (or a grey ramp).
inline HBITMAP MakeDib(int width, int height, int bpp, void** bits = nullptr,
                       std::vector<RGBQUAD> table = {}, bool bitfields565 = false) {
    std::vector<std::uint8_t> buffer(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(buffer.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = WORD(bpp);
    info->bmiHeader.biCompression = bitfields565 ? BI_BITFIELDS : BI_RGB;
    if (bitfields565) {
        DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(buffer.data() + sizeof(BITMAPINFOHEADER), masks, sizeof masks);
    }
    if (bpp <= 8) {
        int n = 1 << bpp;
        for (int i = 0; i < n; ++i) {
            RGBQUAD q;
            if (std::size_t(i) < table.size())
                q = table[std::size_t(i)];
            else {
                BYTE v = BYTE(i * 255 / (n - 1));
                q = {v, v, v, 0};
            }
            info->bmiColors[i] = q;
        }
    }
    void* local = nullptr;
    return CreateDIBSection(nullptr, info, DIB_RGB_COLORS, bits ? bits : &local, nullptr, 0);
}

// FNV-1a over the bytes of a bitmap's rows (as GetBitmapBits gives them for DDBs, or the
// DIB section's memory).
inline std::uint64_t Fnv1a(const void* data, std::size_t size,
                           std::uint64_t h = 1469598103934665603ull) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

}  // namespace platform::testing
