// fuzz-deps: platform_gdi
// Feeds bytes to both metafile readers and plays whatever they accept into a small bitmap.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/gdi.h"

using namespace platform;

namespace {

void PlayInto64(HENHMETAFILE metafile) {
    if (!metafile) return;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT rect{0, 0, 63, 63};
    PlayEnhMetaFile(dc, metafile, &rect);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DeleteEnhMetaFile(metafile);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    UINT count = static_cast<UINT>(size);
    PlayInto64(SetEnhMetaFileBits(count, data));
    METAFILEPICT picture{MM_ANISOTROPIC, 1693, 1693, nullptr};
    PlayInto64(SetWinMetaFileBits(count, data, nullptr, &picture));
    return 0;
}
