#pragma once
// The JPEG picture: keeps the file's bytes as loaded, reads only the header when loading, and
// decodes into a bitmap the first time it is drawn or its bitmap is asked for.
#include <cstdint>
#include <memory>
#include <vector>

#include "codecs/jpeg/jpeg_settings.h"
#include "core/stream.h"
#include "graphics/bitmap.h"
#include "graphics/graphic.h"
#include "graphics/shared_image.h"

namespace codecs {

// The shared image of JPEG pictures that were copied from one another.
class TJPEGData : public graphics::TSharedImage {
  public:
    std::unique_ptr<core::TMemoryStream> data_;  // the file bytes; absent until loaded
    int32_t width_ = 0;                          // from the header
    int32_t height_ = 0;
    bool grayscale_ = false;

  protected:
    void FreeHandle() override { data_.reset(); }
};

class TJPEGImage : public graphics::TGraphic {
    TEMBRIN_GRAPHIC_CLASS(TJPEGImage)

  public:
    TJPEGImage();
    ~TJPEGImage() override;

    void CopyFrom(const core::TPersistent* source) override;
    void CopyTo(core::TPersistent* target) const override;
    void DrawInto(graphics::TCanvas& canvas, const graphics::TRect& rect) override;
    // Without a decoded bitmap, and when the draw shrinks the picture's height, decodes only
    // the rows the stretch takes into a bitmap of its own, draws that and lets it go: the
    // same pixels as DrawInto, and the picture stays undecoded. Otherwise as DrawInto.
    void DrawOnceInto(graphics::TCanvas& canvas, const graphics::TRect& rect) override;
    bool IsEmpty() const override;
    int Height() const override;
    int Width() const override;
    platform::HPALETTE Palette() const override;
    // A JPEG picture's size comes from its data: both raise EInvalidGraphicOperation.
    void SetHeight(int value) override;
    void SetWidth(int value) override;
    void LoadFromStream(core::TStream& stream) override;
    void SaveToStream(core::TStream& stream) override;
    void LoadClipboard(uint16_t format, uintptr_t data, platform::HPALETTE palette) override;
    void SaveClipboard(uint16_t& format, uintptr_t& data, platform::HPALETTE& palette) override;

    // The decoded bitmap, decoding first if there is none yet.
    graphics::TBitmap& Bitmap();
    // Decodes now unless a bitmap exists. A decode that failed is not retried: the bitmap
    // stays attached as far as it got.
    void DIBNeeded() { Bitmap(); }
    bool Decoded() const { return bitmap_ != nullptr; }
    bool Grayscale() const { return image_->grayscale_; }
    bool ProgressiveEncoding() const { return progressiveEncoding_; }

    // Decoding settings, copied from JPEGDefaults() at creation. Changing one that affects
    // the decoded image discards the bitmap, so the next draw decodes again.
    const JpegSettings& Settings() const { return settings_; }
    int CompressionQuality() const { return settings_.CompressionQuality; }
    void SetCompressionQuality(int value) { settings_.CompressionQuality = value; }
    void SetGrayscale(bool value);
    void SetPerformance(TJPEGPerformance value);
    void SetPixelFormat(TJPEGPixelFormat value);
    void SetProgressiveDisplay(bool value) { settings_.ProgressiveDisplay = value; }
    void SetScale(TJPEGScale value);
    void SetSmoothing(bool value);

    const TJPEGData& Data() const { return *image_; }

  private:
    void NewImage();
    void FreeBitmap();
    void Decode();
    // Runs the decoder with the picture's settings and progress event into `bitmap`, all rows
    // or only `rows`; sets `paletteModified` when it installs a palette.
    void DecodeWith(graphics::TBitmap& bitmap, const std::vector<int32_t>* rows,
                    bool& paletteModified);
    // Compresses the bitmap into new data (saving a picture that was copied from a bitmap).
    void Compress();
    template <typename T>
    void ChangeSetting(T& setting, T value);

    TJPEGData* image_;
    std::unique_ptr<graphics::TBitmap> bitmap_;
    platform::HPALETTE tempPal_ = nullptr;  // never made in this program
    JpegSettings settings_;
    bool progressiveEncoding_ = false;
};

// Start-up and shutdown: adds "jpeg" and "jpg" ("JPEG Image File") to the picture format
// registry, after the GIF picture's entry, and fixes the defaults' pixel format from the
// screen's depth; the second removes the entries again.
void RegisterJPEGImage();
void UnregisterJPEGImage();

}  // namespace codecs
