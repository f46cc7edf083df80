// fuzz-deps: platform_gdi
// DrawText and TextOut with arbitrary flags, boxes and bytes: the first four bytes are the
// format, the next four the box size, the rest the text.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/gdi/gdi.h"

using namespace platform;

namespace {

struct Surface {
    Surface() {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 64;
        info.bmiHeader.biHeight = -32;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        SelectObject(dc, CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        SelectObject(
            dc, CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 1, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体"));
    }
    HDC dc;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Surface surface;
    if (size < 8) return 0;
    std::uint32_t format = 0;
    std::memcpy(&format, data, 4);
    const int width = static_cast<std::int16_t>(data[4] | (data[5] << 8));
    const int height = static_cast<std::int16_t>(data[6] | (data[7] << 8));
    const char* text = reinterpret_cast<const char*>(data + 8);
    const int length = static_cast<int>(size - 8);
    RECT box{-5, -5, -5 + width, -5 + height};
    SetBkMode(surface.dc, (format & 1) ? OPAQUE : TRANSPARENT);
    SetTextAlign(surface.dc, (format >> 24) & 0x1F);
    DrawText(surface.dc, text, length, &box, format & ~DT_MODIFYSTRING);
    RECT calc{0, 0, width, height};
    DrawText(surface.dc, text, length, &calc, (format | DT_CALCRECT) & ~DT_MODIFYSTRING);
    TextOut(surface.dc, width % 64, height % 32, text, length);
    SIZE extent{};
    GetTextExtentPoint32(surface.dc, text, length, &extent);
    return 0;
}
