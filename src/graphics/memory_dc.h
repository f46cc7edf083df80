#pragma once
// A memory context compatible with the screen, for the code that builds and copies platform
// bitmaps; what was selected into it is put back and the context deleted with the object.
#include "graphics/bitmap.h"
#include "platform/gdi/gdi.h"

namespace graphics {

class MemoryDC {
  public:
    MemoryDC() : dc_(GdiCheck(platform::CreateCompatibleDC(nullptr))) {}
    ~MemoryDC() {
        if (oldBitmap_) platform::SelectObject(dc_, oldBitmap_);
        if (oldPalette_) platform::SelectPalette(dc_, oldPalette_, platform::TRUE);
        platform::DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    void Select(platform::HBITMAP bitmap) {
        platform::HGDIOBJ old = platform::SelectObject(dc_, bitmap);
        if (!oldBitmap_) oldBitmap_ = old;
    }
    void SelectRealized(platform::HPALETTE palette) {
        if (!palette) return;
        platform::HPALETTE old = platform::SelectPalette(dc_, palette, platform::FALSE);
        if (!oldPalette_) oldPalette_ = old;
        platform::RealizePalette(dc_);
    }
    platform::HDC Get() const { return dc_; }

  private:
    platform::HDC dc_;
    platform::HGDIOBJ oldBitmap_ = nullptr;
    platform::HPALETTE oldPalette_ = nullptr;
};

}  // namespace graphics
