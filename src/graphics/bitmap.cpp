#include "graphics/bitmap.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "core/exceptions.h"
#include "graphics/bitmap_canvas.h"
#include "graphics/memory_dc.h"
#include "graphics/resource_strings.h"
#include "platform/gdi/gdi.h"

namespace graphics {

using namespace platform;

TEMBRIN_DEFINE_GRAPHIC_CLASS(TBitmap, TGraphic)

namespace {

// Guards the swapping of shared image references.
std::mutex& ImageLock() {
    static std::mutex lock;
    return lock;
}

int ScreenBitsPerPixel() {
    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return bits;
}

// The description's dimensions: the info header's when it has one, else the record's.
bool HasZeroSize(const DIBSECTION& dib) {
    if (dib.dsBmih.biSize != 0) return dib.dsBmih.biWidth == 0 || dib.dsBmih.biHeight == 0;
    return dib.dsBm.bmWidth == 0 || dib.dsBm.bmHeight == 0;
}

// Fills `table` for a section of at most 8 bits per pixel.
void BuildColorTable(HBITMAP oldHandle, HPALETTE newPalette, int bitCount, RGBQUAD* table) {
    int count = 1 << bitCount;
    if (bitCount == 1 && !oldHandle) {
        table[0] = {0, 0, 0, 0};
        table[1] = {255, 255, 255, 0};
    } else if (newPalette) {
        std::vector<PALETTEENTRY> entries(static_cast<size_t>(count));
        UINT got = GetPaletteEntries(newPalette, 0, static_cast<UINT>(count), entries.data());
        for (UINT i = 0; i < got; ++i)
            table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    } else if (oldHandle) {
        MemoryDC dc;
        dc.Select(oldHandle);
        GetDIBColorTable(dc.Get(), 0, static_cast<UINT>(count), table);
    }
}

}  // namespace

void GdiError() {
    DWORD code = GetLastError();
    if (code != 0) {
        char text[256] = {};
        if (FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, text, sizeof text,
                          nullptr) > 0)
            throw core::EOutOfResources(std::string(text));
    }
    throw core::EOutOfResources(strings::SOutOfResources);
}

void TBitmapImage::FreeHandle() {
    if (handle_ && handle_ != dibHandle_) DeleteObject(handle_);
    if (maskHandle_) DeleteObject(maskHandle_);
    if (palette_) DeleteObject(palette_);
    if (dibHandle_) DeleteObject(dibHandle_);
    handle_ = maskHandle_ = dibHandle_ = nullptr;
    palette_ = nullptr;
}

HBITMAP RebuildBitmap(HBITMAP oldHandle, HPALETTE oldPalette, HPALETTE newPalette, TCanvas* canvas,
                      DIBSECTION& dib) {
    (void)oldPalette;
    if (HasZeroSize(dib)) return nullptr;
    DeselectBitmap(oldHandle);

    HBITMAP result;
    HDC screen = GetDC(nullptr);
    struct ScreenRelease {
        HDC dc;
        ~ScreenRelease() { ReleaseDC(nullptr, dc); }
    } release{screen};

    if (dib.dsBmih.biSize >= sizeof(BITMAPINFOHEADER)) {
        BITMAPINFOHEADER& header = dib.dsBmih;
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biPlanes = 1;
        if (header.biBitCount == 0) header.biBitCount = static_cast<WORD>(ScreenBitsPerPixel());
        // Header, then up to 256 colours or three masks.
        std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
        std::memcpy(info.data(), &header, sizeof header);
        auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
        if (header.biBitCount <= 8) {
            BuildColorTable(oldHandle, newPalette, header.biBitCount, table);
        } else if ((header.biBitCount == 16 || header.biBitCount == 32) &&
                   header.biCompression == BI_BITFIELDS) {
            std::memcpy(table, dib.dsBitfields, sizeof dib.dsBitfields);
        }
        void* bits = nullptr;
        result = GdiCheck(CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(info.data()),
                                           DIB_RGB_COLORS, &bits, nullptr, 0));
        if (oldHandle && header.biBitCount > 8 && dib.dsBm.bmWidth == header.biWidth &&
            dib.dsBm.bmHeight == std::abs(header.biHeight)) {
            BITMAP old{};
            if (GetObject(oldHandle, sizeof old, &old) && old.bmWidth == header.biWidth &&
                old.bmHeight == std::abs(header.biHeight)) {
                GetDIBits(screen, oldHandle, 0, static_cast<UINT>(std::abs(header.biHeight)), bits,
                          reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
                return result;
            }
        }
    } else if (dib.dsBm.bmPlanes == 1 && dib.dsBm.bmBitsPixel == 1) {
        result = GdiCheck(CreateBitmap(dib.dsBm.bmWidth, dib.dsBm.bmHeight, 1, 1, nullptr));
    } else {
        result = GdiCheck(CreateCompatibleBitmap(screen, dib.dsBm.bmWidth, dib.dsBm.bmHeight));
    }

    int width = dib.dsBmih.biSize ? dib.dsBmih.biWidth : dib.dsBm.bmWidth;
    int height = std::abs(dib.dsBmih.biSize ? dib.dsBmih.biHeight : dib.dsBm.bmHeight);
    MemoryDC target;
    target.Select(result);
    target.SelectRealized(newPalette);
    if (canvas) {
        RECT r{0, 0, width, height};
        FillRect(target.Get(), &r, canvas->Brush().Handle());
        if (dib.dsBmih.biSize && dib.dsBmih.biBitCount == 1) {
            uint32_t fore = ColorToRGB(canvas->Font().Color());
            uint32_t back = ColorToRGB(canvas->Brush().Color());
            RGBQUAD two[2] = {
                {GetBValue(fore), GetGValue(fore), GetRValue(fore), 0},
                {GetBValue(back), GetGValue(back), GetRValue(back), 0},
            };
            SetDIBColorTable(target.Get(), 0, 2, two);
        }
    } else {
        PatBlt(target.Get(), 0, 0, width, height, WHITENESS);
    }
    if (oldHandle) {
        MemoryDC source;
        source.Select(oldHandle);
        BitBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
    }
    return result;
}

HBITMAP BuildMask(HBITMAP handle, HPALETTE palette, TColor transparentColor) {
    BITMAP info{};
    if (!GetObject(handle, sizeof info, &info)) throw core::EInvalidGraphic(strings::SInvalidImage);
    HBITMAP mask = GdiCheck(CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr));
    try {
        MemoryDC maskDC;
        maskDC.Select(mask);
        if (transparentColor == clNone) {
            PatBlt(maskDC.Get(), 0, 0, info.bmWidth, info.bmHeight, BLACKNESS);
            return mask;
        }
        // A section is copied to a device-dependent bitmap first, as the colour-to-monochrome
        // rule is defined on those.
        HBITMAP source = handle;
        HBITMAP copy = nullptr;
        DIBSECTION section{};
        if (GetObject(handle, sizeof section, &section) == sizeof section) {
            HDC screen = GetDC(nullptr);
            copy = CreateCompatibleBitmap(screen, info.bmWidth, info.bmHeight);
            ReleaseDC(nullptr, screen);
            GdiCheck(copy);
            MemoryDC from, to;
            from.Select(handle);
            from.SelectRealized(palette);
            to.Select(copy);
            BitBlt(to.Get(), 0, 0, info.bmWidth, info.bmHeight, from.Get(), 0, 0, SRCCOPY);
            source = copy;
        }
        {
            MemoryDC sourceDC;
            sourceDC.Select(source);
            sourceDC.SelectRealized(palette);
            SetBkColor(sourceDC.Get(), ColorToRGB(transparentColor) & 0x00FFFFFF);
            BitBlt(maskDC.Get(), 0, 0, info.bmWidth, info.bmHeight, sourceDC.Get(), 0, 0, SRCCOPY);
        }
        if (copy) DeleteObject(copy);
    } catch (...) {
        DeleteObject(mask);
        throw;
    }
    return mask;
}

void MaskedStretch(HDC dest, const TRect& rect, HDC source, int width, int height, HBITMAP mask) {
    if (rect.Width() == width && rect.Height() == height) {
        MaskBlt(dest, rect.left, rect.top, width, height, source, 0, 0, mask, 0, 0,
                MAKEROP4(0x00AA0029, SRCCOPY));
        return;
    }
    HBITMAP work = GdiCheck(CreateCompatibleBitmap(source, width, height));
    {
        MemoryDC workDC, maskDC;
        workDC.Select(work);
        maskDC.Select(mask);
        BitBlt(workDC.Get(), 0, 0, width, height, maskDC.Get(), 0, 0, SRCCOPY);
        BitBlt(workDC.Get(), 0, 0, width, height, source, 0, 0, SRCERASE);
        COLORREF oldText = SetTextColor(dest, 0);
        COLORREF oldBack = SetBkColor(dest, 0xFFFFFF);
        StretchBlt(dest, rect.left, rect.top, rect.Width(), rect.Height(), maskDC.Get(), 0, 0,
                   width, height, SRCAND);
        StretchBlt(dest, rect.left, rect.top, rect.Width(), rect.Height(), workDC.Get(), 0, 0,
                   width, height, SRCINVERT);
        SetTextColor(dest, oldText);
        SetBkColor(dest, oldBack);
    }
    DeleteObject(work);
}

// --- TBitmap ---

TBitmap::TBitmap() : image_(new TBitmapImage) {
    image_->Reference();
}

TBitmap::~TBitmap() {
    FreeContext();
    canvas_.reset();
    image_->Release();
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<TBitmapCanvas>(this);
        canvas_->SetOnChange([this](TCanvas*) { NotifyChange(); });
        canvas_->SetOnChanging([this](TCanvas*) { BeforeModify(); });
    }
    return *canvas_;
}

void TBitmap::FreeContext() {
    if (canvas_) canvas_->FreeContext();
}

void TBitmap::NotifyChange() {
    maskBitsValid_ = false;
    maskValid_ = false;
    TGraphic::NotifyChange();
}

bool TBitmap::IsEmpty() const {
    return !image_->handle_ && !image_->dibHandle_ && !image_->saveStream_;
}

int TBitmap::Width() const {
    return image_->dib_.dsBm.bmWidth;
}

int TBitmap::Height() const {
    return std::abs(image_->dib_.dsBm.bmHeight);
}

HPALETTE TBitmap::Palette() const {
    return image_->palette_;
}

bool TBitmap::Monochrome() const {
    const BITMAP& bm = image_->dib_.dsBm;
    return bm.bmPlanes == 1 && bm.bmBitsPixel == 1;
}

TBitmapHandleType TBitmap::StorageKind() const {
    bool deviceDependent =
        (image_->handle_ && image_->handle_ != image_->dibHandle_) ||
        (!image_->handle_ && !image_->dibHandle_ && image_->dib_.dsBmih.biSize == 0);
    return deviceDependent ? TBitmapHandleType::DeviceDependent
                           : TBitmapHandleType::DeviceIndependent;
}

void TBitmap::HandleNeeded() {
    if (image_->handle_ || image_->dibHandle_ || !image_->saveStream_) return;
    // Only a saved file: read it again to get the platform bitmap.
    auto saved = std::move(image_->saveStream_);
    saved->SetPosition(0);
    LoadFromStream(*saved);
}

void TBitmap::NewImage(HBITMAP handle, HPALETTE palette, const DIBSECTION& dib, bool os2Format,
                       std::unique_ptr<core::TMemoryStream> saveStream) {
    auto* image = new TBitmapImage;
    image->handle_ = handle;
    image->palette_ = palette;
    image->dib_ = dib;
    image->os2Format_ = os2Format;
    if (dib.dsBm.bmBits != nullptr) image->dibHandle_ = handle;
    image->saveStream_ = std::move(saveStream);
    image->Reference();
    {
        std::lock_guard guard(ImageLock());
        std::swap(image, image_);
    }
    image->Release();
}

void TBitmap::CopyImage(HBITMAP handle, HPALETTE palette, DIBSECTION dib) {
    HPALETTE newPalette = nullptr;
    if (palette) {
        PALETTEENTRY entries[256];
        UINT count = GetPaletteEntries(palette, 0, 256, entries);
        std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
        auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
        log->palVersion = 0x300;
        log->palNumEntries = static_cast<WORD>(count);
        std::memcpy(log->palPalEntry, entries, count * sizeof(PALETTEENTRY));
        newPalette = count ? CreatePalette(log) : nullptr;
    }
    HBITMAP newHandle = nullptr;
    try {
        newHandle = RebuildBitmap(handle, palette, newPalette, canvas_.get(), dib);
    } catch (...) {
        if (newPalette) DeleteObject(newPalette);
        throw;
    }
    DIBSECTION described = dib;
    if (newHandle) {
        DIBSECTION actual{};
        int size = GetObject(newHandle, sizeof actual, &actual);
        if (size == sizeof actual) {
            actual.dsBmih.biClrUsed = dib.dsBmih.biClrUsed;
            actual.dsBmih.biClrImportant = dib.dsBmih.biClrImportant;
            described = actual;
        } else if (size == sizeof(BITMAP)) {
            described = {};
            described.dsBm = actual.dsBm;
        }
    }
    NewImage(newHandle, newPalette, described, image_->os2Format_);
}

void TBitmap::SetWidth(int value) {
    if (value == Width()) return;
    HandleNeeded();
    DIBSECTION dib = image_->dib_;
    dib.dsBm.bmWidth = value;
    dib.dsBmih.biWidth = value;
    CopyImage(image_->handle_, image_->palette_, dib);
    NotifyChange();
}

void TBitmap::SetHeight(int value) {
    if (value == Height()) return;
    HandleNeeded();
    DIBSECTION dib = image_->dib_;
    dib.dsBm.bmHeight = value;
    dib.dsBmih.biHeight = value;
    CopyImage(image_->handle_, image_->palette_, dib);
    NotifyChange();
}

void TBitmap::SetPalette(HPALETTE value) {
    if (value == image_->palette_) return;
    // The bitmap takes ownership of the palette it is given.
    HandleNeeded();
    DetachImage();
    if (image_->palette_) DeleteObject(image_->palette_);
    image_->palette_ = value;
    SetPaletteModified(value != nullptr);
    NotifyChange();
}

void TBitmap::DetachImage() {
    if (image_->RefCount() > 1) {
        HandleNeeded();
        DIBSECTION dib = image_->dib_;
        bool os2 = image_->os2Format_;
        CopyImage(image_->handle_, image_->palette_, dib);
        image_->os2Format_ = os2;
        return;
    }
    if (image_->handle_ && image_->dibHandle_ && image_->handle_ != image_->dibHandle_) {
        DeselectBitmap(image_->dibHandle_);
        if (!DeleteObject(image_->dibHandle_)) GdiError();
        image_->dibHandle_ = nullptr;
        image_->dib_.dsBm.bmBits = nullptr;
    }
}

void TBitmap::BeforeModify() {
    DetachImage();
    image_->dib_.dsBmih.biClrUsed = 0;
    image_->dib_.dsBmih.biClrImportant = 0;
    image_->saveStream_.reset();
}

HBITMAP TBitmap::BitmapHandle() {
    FreeContext();
    HandleNeeded();
    BeforeModify();
    return image_->handle_;
}

void TBitmap::CopyFrom(const core::TPersistent* source) {
    if (source == nullptr) {
        FreeContext();
        NewImage(nullptr, nullptr, DIBSECTION{}, false);
        NotifyChange();
        return;
    }
    auto* other = dynamic_cast<const TBitmap*>(source);
    if (!other) {
        TGraphic::CopyFrom(source);
        return;
    }
    if (other == this) return;
    FreeContext();
    {
        std::lock_guard guard(ImageLock());
        other->image_->Reference();
        image_->Release();
        image_ = other->image_;
    }
    SetTransparentFlag(other->Transparent());
    maskColor_ = other->maskColor_;
    maskColorMode_ = other->maskColorMode_;
    if (image_->palette_) SetPaletteModified(true);
    NotifyChange();
}

uint32_t TBitmap::MaskColor() {
    if (maskColor_ == clDefault) {
        if (Monochrome()) return 0x02FFFFFF;
        return Canvas().ReadPixel(0, Height() - 1) | kPaletteRelative;
    }
    return ColorToRGB(maskColor_) | kPaletteRelative;
}

void TBitmap::SetMaskColor(TColor value) {
    if (value == maskColor_) return;
    maskColorMode_ = value == clDefault ? TTransparentMode::Automatic : TTransparentMode::Fixed;
    maskColor_ = value;
    DetachImage();
    NotifyChange();
}

void TBitmap::SetMaskColorMode(TTransparentMode value) {
    if (value == maskColorMode_) return;
    if (value == TTransparentMode::Fixed)
        SetMaskColor(static_cast<TColor>(MaskColor()));
    else
        SetMaskColor(clDefault);
    maskColorMode_ = value;
}

HBITMAP TBitmap::MaskBitmapHandle() {
    if (maskBitsValid_ && maskValid_) return image_->maskHandle_;
    if (image_->maskHandle_) {
        DeselectBitmap(image_->maskHandle_);
        DeleteObject(image_->maskHandle_);
        image_->maskHandle_ = nullptr;
    }
    FreeContext();
    HandleNeeded();
    if (!image_->handle_) return nullptr;
    TColor key = static_cast<TColor>(MaskColor());
    FreeContext();
    image_->maskHandle_ = BuildMask(image_->handle_, image_->palette_, key);
    maskBitsValid_ = true;
    maskValid_ = true;
    return image_->maskHandle_;
}

void TBitmap::DrawInto(TCanvas& canvas, const TRect& rect) {
    canvas.EnsureDrawState();
    HDC dc = canvas.Handle();
    HPALETTE oldPalette = nullptr;
    if (image_->palette_) {
        oldPalette = SelectPalette(dc, image_->palette_, TRUE);
        RealizePalette(dc);
    }
    int destBits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    const BITMAP& bm = image_->dib_.dsBm;
    int sourceBits = bm.bmBitsPixel * bm.bmPlanes;
    if (destBits <= 8 && destBits < sourceBits) {
        POINT origin{};
        GetBrushOrgEx(dc, &origin);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    } else if (!Monochrome()) {
        SetStretchBltMode(dc, COLORONCOLOR);
    }
    try {
        if (Transparent()) {
            HBITMAP mask = MaskBitmapHandle();
            MaskedStretch(dc, rect, Canvas().Handle(), Width(), Height(), mask);
        } else {
            StretchBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), Canvas().Handle(), 0,
                       0, Width(), Height(), canvas.CopyMode());
        }
    } catch (...) {
        if (oldPalette) SelectPalette(dc, oldPalette, TRUE);
        throw;
    }
    if (oldPalette) SelectPalette(dc, oldPalette, TRUE);
}

TPixelFormat TBitmap::PixelFormat() const {
    if (StorageKind() == TBitmapHandleType::DeviceDependent) return TPixelFormat::pfDevice;
    const BITMAPINFOHEADER& header = image_->dib_.dsBmih;
    switch (header.biBitCount) {
        case 1:
            return TPixelFormat::pf1bit;
        case 4:
            return TPixelFormat::pf4bit;
        case 8:
            return TPixelFormat::pf8bit;
        case 16:
            if (header.biCompression != BI_BITFIELDS) return TPixelFormat::pf15bit;
            return image_->dib_.dsBitfields[1] == 0x07E0 ? TPixelFormat::pf16bit
                                                         : TPixelFormat::pfCustom;
        case 24:
            return TPixelFormat::pf24bit;
        case 32:
            return header.biCompression == BI_BITFIELDS ? TPixelFormat::pfCustom
                                                        : TPixelFormat::pf32bit;
        default:
            return TPixelFormat::pfCustom;
    }
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == PixelFormat()) return;
    DIBSECTION dib = image_->dib_;
    switch (value) {
        case TPixelFormat::pfDevice:
            SetStorageKind(TBitmapHandleType::DeviceDependent);
            return;
        case TPixelFormat::pfCustom:
            throw core::EInvalidGraphic(strings::SInvalidPixelFormat);
        default:
            break;
    }
    static const WORD kBits[] = {0, 1, 4, 8, 16, 16, 24, 32};
    dib.dsBmih = {};
    dib.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
    dib.dsBmih.biWidth = Width();
    dib.dsBmih.biHeight = Height();
    dib.dsBmih.biPlanes = 1;
    dib.dsBmih.biBitCount = kBits[static_cast<int>(value)];
    if (value == TPixelFormat::pf16bit) {
        dib.dsBmih.biCompression = BI_BITFIELDS;
        dib.dsBitfields[0] = 0xF800;
        dib.dsBitfields[1] = 0x07E0;
        dib.dsBitfields[2] = 0x001F;
    }
    HandleNeeded();
    CopyImage(image_->handle_, image_->palette_, dib);
    NotifyChange();
}

void TBitmap::SetStorageKind(TBitmapHandleType kind) {
    if (kind == StorageKind()) return;
    DIBSECTION dib = image_->dib_;
    if (kind == TBitmapHandleType::DeviceDependent) {
        dib.dsBmih = {};
        dib.dsBm.bmBits = nullptr;
        dib.dsBm.bmPlanes = 1;
        dib.dsBm.bmBitsPixel = static_cast<WORD>(ScreenBitsPerPixel());
    } else {
        dib.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
        dib.dsBmih.biWidth = Width();
        dib.dsBmih.biHeight = Height();
        dib.dsBmih.biPlanes = 1;
        dib.dsBmih.biBitCount = 0;
    }
    HandleNeeded();
    CopyImage(image_->handle_, image_->palette_, dib);
    NotifyChange();
}

void* TBitmap::ScanLine(int row) {
    Canvas().Changing();
    if (StorageKind() == TBitmapHandleType::DeviceDependent)
        SetStorageKind(TBitmapHandleType::DeviceIndependent);
    FreeContext();
    if (row < 0 || row >= Height()) throw core::EInvalidGraphic(strings::SScanLine);
    const DIBSECTION& dib = image_->dib_;
    auto* bits = static_cast<uint8_t*>(dib.dsBm.bmBits);
    if (bits == nullptr) throw core::EInvalidGraphic(strings::SInvalidImage);
    int64_t stride = dib.dsBm.bmWidthBytes;
    // Bottom-up sections store the last row first.
    int64_t index = dib.dsBmih.biHeight > 0 ? (Height() - 1 - row) : row;
    return bits + index * stride;
}

void TBitmap::ReadStoredData(core::TStream& stream) {
    uint32_t size = stream.ReadValue<uint32_t>();
    ReadStream(stream, size);
}

void TBitmap::WriteStoredData(core::TStream& stream) {
    core::TMemoryStream data;
    SaveToStream(data);
    stream.WriteValue(static_cast<uint32_t>(data.Size()));
    stream.WriteBuffer(data.Memory(), data.Size());
}

void TBitmap::ReadStream(core::TStream& stream, int64_t size) {
    core::TMemoryStream data;
    if (size > 0) data.CopyFrom(stream, size);
    data.SetPosition(0);
    LoadFromStream(data);
}

void TBitmap::LoadClipboard(uint16_t, uintptr_t, HPALETTE) {
    throw core::EInvalidGraphic(strings::SUnknownClipboardFormat);
}

void TBitmap::SaveClipboard(uint16_t&, uintptr_t&, HPALETTE&) {
    throw core::EInvalidGraphic(strings::SUnknownClipboardFormat);
}

}  // namespace graphics
