#pragma once
// The raster bitmap: a shared, copy-on-write pixel image in a platform bitmap, a transparent
// colour with its 1-bit mask, and a canvas to draw on it.
#include <cstdint>
#include <memory>

#include "core/stream.h"
#include "graphics/color.h"
#include "graphics/graphic.h"
#include "graphics/shared_image.h"
#include "platform/gdi/wintypes.h"

namespace graphics {

class TBitmapCanvas;

class TBitmapImage : public TSharedImage {
  public:
    platform::HBITMAP handle_ = nullptr;      // the colour bitmap
    platform::HBITMAP maskHandle_ = nullptr;  // cached 1-bit mask
    platform::HPALETTE palette_ = nullptr;
    platform::HBITMAP dibHandle_ = nullptr;            // the section, when the bitmap is one
    platform::DIBSECTION dib_{};                       // the description
    std::unique_ptr<core::TMemoryStream> saveStream_;  // a file kept for saving (RLE)
    bool os2Format_ = false;
    bool halftone_ = false;

  protected:
    void FreeHandle() override;
};

enum class TBitmapHandleType { DeviceDependent, DeviceIndependent };
enum class TTransparentMode { Automatic, Fixed };
enum class TPixelFormat {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};

class TBitmap : public TGraphic {
    TEMBRIN_GRAPHIC_CLASS(TBitmap)

  public:
    TBitmap();
    ~TBitmap() override;

    void CopyFrom(const core::TPersistent* source) override;
    void NotifyChange() override;
    void DrawInto(TCanvas& canvas, const TRect& rect) override;
    bool IsEmpty() const override;
    int Height() const override;
    int Width() const override;
    platform::HPALETTE Palette() const override;
    void SetHeight(int value) override;
    void SetWidth(int value) override;
    void SetPalette(platform::HPALETTE value) override;
    void ReadStoredData(core::TStream& stream) override;
    void WriteStoredData(core::TStream& stream) override;
    // The bitmap reader: a BMP file from the stream's position to its end.
    void LoadFromStream(core::TStream& stream) override;
    // Writes a BMP file.
    void SaveToStream(core::TStream& stream) override;
    void LoadClipboard(uint16_t format, uintptr_t data, platform::HPALETTE palette) override;
    void SaveClipboard(uint16_t& format, uintptr_t& data, platform::HPALETTE& palette) override;

    TCanvas& Canvas();
    // The colour bitmap, after making the image private; the bitmap keeps owning it.
    virtual platform::HBITMAP BitmapHandle();
    // The cached or newly built 1-bit mask: 1 where a pixel equals the mask colour.
    virtual platform::HBITMAP MaskBitmapHandle();
    virtual void SetStorageKind(TBitmapHandleType kind);
    TBitmapHandleType StorageKind() const;

    uint32_t MaskColor();
    void SetMaskColor(TColor value);
    TTransparentMode MaskColorMode() const { return maskColorMode_; }
    void SetMaskColorMode(TTransparentMode value);
    bool Monochrome() const;
    TPixelFormat PixelFormat() const;
    void SetPixelFormat(TPixelFormat value);
    // The address of a row of a section (made private first).
    void* ScanLine(int row);
    // Builds the platform bitmap now if the image holds only a saved stream.
    void HandleNeeded();
    // Releases the canvas context that holds this bitmap's handle.
    void FreeContext();
    // Runs before every modification: makes the image private and drops saved data.
    void BeforeModify();

    // For the readers: installs a new image replacing the current one.
    void NewImage(platform::HBITMAP handle, platform::HPALETTE palette,
                  const platform::DIBSECTION& dib, bool os2Format,
                  std::unique_ptr<core::TMemoryStream> saveStream = nullptr);
    const TBitmapImage& Image() const { return *image_; }

  private:
    friend class TBitmapCanvas;
    void DetachImage();
    void CopyImage(platform::HBITMAP handle, platform::HPALETTE palette, platform::DIBSECTION dib);
    void ReadStream(core::TStream& stream, int64_t size);

    TBitmapImage* image_;
    std::unique_ptr<TBitmapCanvas> canvas_;
    bool ignorePalette_ = false;
    bool maskBitsValid_ = false;
    bool maskValid_ = false;
    TColor maskColor_ = clDefault;
    TTransparentMode maskColorMode_ = TTransparentMode::Automatic;
};

// The one routine that creates platform bitmaps for a bitmap image: a new bitmap of the
// description's size, filled white (or with the canvas's brush), holding the old pixels at
// its top-left.
platform::HBITMAP RebuildBitmap(platform::HBITMAP oldHandle, platform::HPALETTE oldPalette,
                                platform::HPALETTE newPalette, TCanvas* canvas,
                                platform::DIBSECTION& dib);
// A 1-bit mask of `handle`: 1 where a pixel equals `transparentColor`; all 0 for clNone.
platform::HBITMAP BuildMask(platform::HBITMAP handle, platform::HPALETTE palette,
                            TColor transparentColor);
// Draws `source` through `mask` (1 = keep the destination) into `rect` of `dest`.
void MaskedStretch(platform::HDC dest, const TRect& rect, platform::HDC source, int width,
                   int height, platform::HBITMAP mask);
// The platform's last error as EOutOfResources.
[[noreturn]] void GdiError();
template <typename T>
T GdiCheck(T value) {
    if (!value) GdiError();
    return value;
}

}  // namespace graphics
