// fuzz-deps: platform_gdi
// Blits, stretches and masks between bitmaps of every format with arbitrary rectangles,
// modes and raster codes: nothing may touch memory outside the bitmaps.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/gdi.h"

using namespace platform;

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    int32_t Int() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | (pos < size ? data[pos++] : 0);
        // Mostly small values, sometimes extreme ones.
        return (v & 0x80000000u) ? int32_t(v) : int32_t(v % 80) - 20;
    }
    uint8_t Byte() { return pos < size ? data[pos++] : 0; }
};

HBITMAP MakeBitmap(uint8_t kind, int w, int h) {
    static const int kDepths[] = {1, 4, 8, 16, 24, 32};
    if (kind % 8 == 6) return CreateBitmap(w, h, 1, 1, nullptr);
    if (kind % 8 == 7) return CreateBitmap(w, h, 1, 32, nullptr);
    std::vector<uint8_t> buffer(sizeof(BITMAPINFOHEADER) + 256 * 4);
    auto* info = reinterpret_cast<BITMAPINFO*>(buffer.data());
    info->bmiHeader = {sizeof(BITMAPINFOHEADER),
                       w,
                       (kind & 8) ? -h : h,
                       1,
                       WORD(kDepths[kind % 6]),
                       BI_RGB,
                       0,
                       0,
                       0,
                       0,
                       0};
    void* bits = nullptr;
    return CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    HBITMAP a = MakeBitmap(in.Byte(), 1 + in.Byte() % 40, 1 + in.Byte() % 40);
    HBITMAP b = MakeBitmap(in.Byte(), 1 + in.Byte() % 40, 1 + in.Byte() % 40);
    HBITMAP mask = CreateBitmap(1 + in.Byte() % 40, 1 + in.Byte() % 40, 1, 1, nullptr);
    HDC da = CreateCompatibleDC(nullptr), db = CreateCompatibleDC(nullptr);
    HGDIOBJ oa = SelectObject(da, a), ob = SelectObject(db, b);
    HBRUSH brush = CreateHatchBrush(in.Byte() % 6, 0x123456);
    HGDIOBJ obrush = SelectObject(da, brush);
    for (int op = 0; op < 16 && in.pos < size; ++op) {
        uint8_t what = in.Byte();
        SetStretchBltMode(da, 1 + in.Byte() % 4);
        DWORD rop = DWORD(in.Byte()) << 16;
        int x = in.Int(), y = in.Int(), w = in.Int(), h = in.Int(), sx = in.Int(), sy = in.Int(),
            sw = in.Int(), sh = in.Int();
        switch (what % 5) {
            case 0:
                BitBlt(da, x, y, w, h, db, sx, sy, rop);
                break;
            case 1:
                StretchBlt(da, x, y, w, h, db, sx, sy, sw, sh, rop);
                break;
            case 2:
                PatBlt(da, x, y, w, h, rop);
                break;
            case 3:
                MaskBlt(da, x, y, w, h, db, sx, sy, mask, sw, sh, MAKEROP4(rop, SRCCOPY));
                break;
            case 4: {
                HRGN r = CreateRectRgn(x, y, w, h);
                SelectClipRgn(da, (what & 8) ? r : nullptr);
                SetViewportOrgEx(da, sx, sy, nullptr);
                DeleteObject(r);
                break;
            }
        }
    }
    SelectObject(da, obrush);
    SelectObject(da, oa);
    SelectObject(db, ob);
    DeleteDC(da);
    DeleteDC(db);
    DeleteObject(brush);
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(mask);
    return 0;
}
