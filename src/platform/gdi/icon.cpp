// Icons: an icon owns its own copies of its mask and colour bitmaps. Drawing applies the mask
// with AND and then the colour image with XOR, as Windows does.
#include <algorithm>
#include <cstring>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"

namespace platform {
namespace {

class IconObject final : public GdiObject {
  public:
    static constexpr DWORD kObjectType = kObjIcon;
    IconObject() : GdiObject(kObjectType) {}

    bool isIcon = true;
    DWORD xHotspot = 0;
    DWORD yHotspot = 0;
    std::unique_ptr<BitmapObject> mask;   // for monochrome icons: AND rows above XOR rows
    std::unique_ptr<BitmapObject> color;  // null for monochrome icons

    int Width() const { return mask->Width(); }
    int Height() const { return color ? mask->Height() : mask->Height() / 2; }
};

IconObject* ResolveIcon(HICON icon) {
    return ResolveObject<IconObject>(icon);
}

HICON RegisterIcon(std::unique_ptr<IconObject> icon) {
    if (!icon->mask || (!icon->color && icon->mask->Height() < 2)) return nullptr;
    return RegisterObject<HICON>(std::move(icon));
}

// Puts a private copy of an icon bitmap into the table for the duration of a draw.
class BitmapDc {
  public:
    explicit BitmapDc(const BitmapObject& bitmap) {
        handle_ = RegisterObject<HBITMAP>(bitmap.Clone());
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, handle_);
    }
    ~BitmapDc() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(handle_);
    }
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    HDC Dc() const { return dc_; }

  private:
    HBITMAP handle_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// The stock application icon: a small window picture, white with a blue caption and a black
// frame, transparent around it.
std::unique_ptr<IconObject> MakeApplicationIcon() {
    auto icon = std::make_unique<IconObject>();
    icon->mask = BitmapObject::CreateDdb(32, 32, 1);
    icon->color = BitmapObject::CreateDdb(32, 32, 32);
    icon->xHotspot = icon->yHotspot = 16;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            bool inside = x >= 2 && x < 30 && y >= 4 && y < 28;
            bool frame = inside && (x == 2 || x == 29 || y == 4 || y == 27);
            bool caption = inside && !frame && y >= 5 && y < 10;
            std::uint32_t bgrx = !inside   ? 0
                                 : frame   ? 0x000000
                                 : caption ? 0x800000
                                           : 0xFFFFFF;  // BGRX value
            WritePixelValue(icon->mask->Row(y), x, 1, inside ? 0 : 1);
            WritePixelValue(icon->color->Row(y), x, 32, bgrx);
        }
    }
    return icon;
}

}  // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
    if (!info) return nullptr;
    auto* mask = ResolveObject<BitmapObject>(info->hbmMask);
    if (!mask) return nullptr;
    auto* color = info->hbmColor ? ResolveObject<BitmapObject>(info->hbmColor) : nullptr;
    if (info->hbmColor && !color) return nullptr;
    auto icon = std::make_unique<IconObject>();
    icon->isIcon = info->fIcon != FALSE;
    icon->mask = mask->Clone();
    if (color) icon->color = color->Clone();
    if (!icon->mask || (color && !icon->color)) return nullptr;
    if (icon->isIcon) {
        icon->xHotspot = DWORD(icon->Width() / 2);
        icon->yHotspot = DWORD(icon->Height() / 2);
    } else {
        icon->xHotspot = info->xHotspot;
        icon->yHotspot = info->yHotspot;
    }
    return RegisterIcon(std::move(icon));
}

HICON CreateIcon(HINSTANCE instance, int width, int height, BYTE planes, BYTE bitsPerPixel,
                 const BYTE* andBits, const BYTE* xorBits) {
    (void)instance;
    int depth = planes * bitsPerPixel;
    if (width <= 0 || height <= 0 || !andBits || !xorBits || (depth != 1 && depth != 32))
        return nullptr;
    auto icon = std::make_unique<IconObject>();
    icon->xHotspot = DWORD(width / 2);
    icon->yHotspot = DWORD(height / 2);
    // Rows are device-dependent: top-down, padded to a WORD.
    auto fill = [](BitmapObject& b, const BYTE* bits, int rows) {
        std::size_t rowBytes = std::size_t((b.Width() * b.BitsPerPixel() + 15) / 16) * 2;
        for (int y = 0; y < rows; ++y)
            std::memcpy(b.Row(y), bits + rowBytes * std::size_t(y), rowBytes);
    };
    if (depth == 1) {
        icon->mask = BitmapObject::CreateDdb(width, height * 2, 1);
        if (!icon->mask) return nullptr;
        std::size_t rowBytes = std::size_t((width + 15) / 16) * 2;
        std::vector<BYTE> both(rowBytes * std::size_t(height) * 2);
        std::memcpy(both.data(), andBits, rowBytes * std::size_t(height));
        std::memcpy(both.data() + rowBytes * std::size_t(height), xorBits,
                    rowBytes * std::size_t(height));
        fill(*icon->mask, both.data(), height * 2);
    } else {
        icon->mask = BitmapObject::CreateDdb(width, height, 1);
        icon->color = BitmapObject::CreateDdb(width, height, 32);
        if (!icon->mask || !icon->color) return nullptr;
        fill(*icon->mask, andBits, height);
        fill(*icon->color, xorBits, height);
    }
    return RegisterIcon(std::move(icon));
}

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
    IconObject* i = ResolveIcon(icon);
    if (!i || !info) return FALSE;
    info->fIcon = i->isIcon ? TRUE : FALSE;
    info->xHotspot = i->xHotspot;
    info->yHotspot = i->yHotspot;
    info->hbmMask = RegisterObject<HBITMAP>(i->mask->Clone());
    info->hbmColor = i->color ? RegisterObject<HBITMAP>(i->color->Clone()) : nullptr;
    if (!info->hbmMask || (i->color && !info->hbmColor)) {
        DeleteObject(info->hbmMask);
        DeleteObject(info->hbmColor);
        return FALSE;
    }
    return TRUE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT step,
                HBRUSH flickerFreeBrush, UINT flags) {
    (void)step;
    DcObject* dc = ResolveDc(hdc);
    IconObject* i = ResolveIcon(icon);
    if (!dc || !i) return FALSE;
    if (width == 0) width = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : i->Width();
    if (height == 0) height = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : i->Height();
    if (flickerFreeBrush) {
        RECT r{x, y, x + width, y + height};
        FillRect(hdc, &r, flickerFreeBrush);
    }
    // The monochrome mask meets a colour surface with 0 -> black and 1 -> white.
    COLORREF oldText = SetTextColor(hdc, RGB(0, 0, 0));
    COLORREF oldBk = SetBkColor(hdc, RGB(255, 255, 255));
    int oldMode = SetStretchBltMode(hdc, COLORONCOLOR);
    BitmapDc mask(*i->mask);
    int h = i->Height(), w = i->Width();
    bool ok = true;
    if ((flags & DI_NORMAL) == DI_NORMAL) {
        ok = StretchBlt(hdc, x, y, width, height, mask.Dc(), 0, 0, w, h, SRCAND) != FALSE;
        if (i->color) {
            BitmapDc color(*i->color);
            ok = StretchBlt(hdc, x, y, width, height, color.Dc(), 0, 0, w, h, SRCINVERT) != FALSE &&
                 ok;
        } else {
            ok = StretchBlt(hdc, x, y, width, height, mask.Dc(), 0, h, w, h, SRCINVERT) != FALSE &&
                 ok;
        }
    } else if (flags & DI_MASK) {
        ok = StretchBlt(hdc, x, y, width, height, mask.Dc(), 0, 0, w, h, SRCCOPY) != FALSE;
    } else if (flags & DI_IMAGE) {
        if (i->color) {
            BitmapDc color(*i->color);
            ok = StretchBlt(hdc, x, y, width, height, color.Dc(), 0, 0, w, h, SRCCOPY) != FALSE;
        } else {
            ok = StretchBlt(hdc, x, y, width, height, mask.Dc(), 0, h, w, h, SRCCOPY) != FALSE;
        }
    }
    SetStretchBltMode(hdc, oldMode);
    SetBkColor(hdc, oldBk);
    SetTextColor(hdc, oldText);
    return ok ? TRUE : FALSE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

HICON CopyIcon(HICON icon) {
    IconObject* i = ResolveIcon(icon);
    if (!i) return nullptr;
    auto copy = std::make_unique<IconObject>();
    copy->isIcon = i->isIcon;
    copy->xHotspot = i->xHotspot;
    copy->yHotspot = i->yHotspot;
    copy->mask = i->mask->Clone();
    if (i->color) copy->color = i->color->Clone();
    if (!copy->mask || (i->color && !copy->color)) return nullptr;
    return RegisterIcon(std::move(copy));
}

BOOL DestroyIcon(HICON icon) {
    IconObject* i = ResolveIcon(icon);
    if (!i) {
        SetLastError(ERROR_INVALID_ICON_HANDLE);
        return FALSE;
    }
    if (i->IsStock()) return TRUE;  // shared icons stay
    return DestroyObject(icon) ? TRUE : FALSE;
}

HICON LoadIcon(HINSTANCE instance, const char* name) {
    if (instance || name != IDI_APPLICATION)
        return nullptr;  // resources of modules are not served here
    static HICON stock = [] {
        HICON h = RegisterIcon(MakeApplicationIcon());
        MarkStockObject(h);
        return h;
    }();
    return stock;
}

}  // namespace platform
