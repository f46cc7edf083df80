#pragma once
// The icon picture: one platform icon handle or one in-memory ICO file (or both), shared by
// reference count between icons that copied each other.
#include <cstdint>
#include <memory>

#include "core/stream.h"
#include "graphics/graphic.h"
#include "graphics/shared_image.h"
#include "platform/gdi/wintypes.h"

namespace graphics {

class TIconImage : public TSharedImage {
  public:
    platform::HICON handle_ = nullptr;
    std::unique_ptr<core::TMemoryStream> fileImage_;  // a complete ICO file
    TPoint size_;                                     // as decoded; 0 x 0 until then

  protected:
    void FreeHandle() override;
};

class TIcon : public TGraphic {
    TEMBRIN_GRAPHIC_CLASS(TIcon)

  public:
    TIcon();
    ~TIcon() override;

    void CopyFrom(const core::TPersistent* source) override;
    // Draws at the icon's own size at the rectangle's top-left corner.
    void DrawInto(TCanvas& canvas, const TRect& rect) override;
    bool IsEmpty() const override;
    int Height() const override;
    int Width() const override;
    void SetHeight(int value) override;
    void SetWidth(int value) override;
    void SetTransparent(bool) override {}
    // The icon reader: keeps the ICO file and decodes it when a handle is first needed.
    void LoadFromStream(core::TStream& stream) override;
    void SaveToStream(core::TStream& stream) override;
    void LoadClipboard(uint16_t format, uintptr_t data, platform::HPALETTE palette) override;
    void SaveClipboard(uint16_t& format, uintptr_t& data, platform::HPALETTE& palette) override;

    // Takes ownership of `handle`, replacing the image.
    void AdoptHandle(platform::HICON handle);
    platform::HICON IconHandle();
    const core::TMemoryStream* FileImage() const { return image_->fileImage_.get(); }
    // The size the reader is asked to pick (0 x 0: the standard icon size).
    TPoint RequestedSize() const { return requestedSize_; }

  private:
    void NewImage(platform::HICON handle, std::unique_ptr<core::TMemoryStream> fileImage);
    void EnsureHandle();
    void EnsureFileImage();

    TIconImage* image_;
    TPoint requestedSize_;
};

// The ICO writer: one image of the icon's size with a 16-colour table and a 1-bit mask.
void EncodeIcon(core::TStream& stream, platform::HICON icon);

// Pieces of the writer, shared with the readers' tests.
struct TDibMeasure {
    uint32_t headerSize;  // header plus colour table (or masks)
    uint32_t pixelSize;
};
TDibMeasure MeasureDib(platform::HBITMAP bitmap, int colors);
void PrepareDibHeader(platform::HBITMAP bitmap, int colors, platform::BITMAPINFOHEADER& header);
void ExtractDib(platform::HBITMAP bitmap, platform::HPALETTE palette, void* header, int colors,
                void* pixels);
// Bytes in one row of `pixels` pixels at `bits` bits, padded to 4 bytes.
constexpr uint32_t ScanlineBytes(uint32_t pixels, uint32_t bits) {
    return static_cast<uint32_t>(((uint64_t(pixels) * bits + 31) & ~uint64_t(31)) / 8);
}

}  // namespace graphics
