#include "codecs/jpeg/jpeg_image.h"

#include <algorithm>
#include <vector>

#include "codecs/jpeg/jpeg_compressor.h"
#include "codecs/jpeg/jpeg_decoder.h"
#include "codecs/jpeg/jpeg_strings.h"
#include "core/exceptions.h"
#include "graphics/canvas.h"
#include "graphics/picture.h"
#include "graphics/resource_strings.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/stretch_rows.h"

namespace codecs {

using graphics::TBitmap;
using graphics::TPixelFormat;

TEMBRIN_DEFINE_GRAPHIC_CLASS(TJPEGImage, graphics::TGraphic)

namespace {

// Decoded rows go straight into a section of the picture's bitmap.
class BitmapTarget : public JpegDecodeTarget {
  public:
    explicit BitmapTarget(TBitmap& bitmap) : bitmap_(bitmap) {}

    void Reset(int bitsPerPixel) override {
        bitsPerPixel_ = bitsPerPixel;
        bitmap_.CopyFrom(nullptr);
        bitmap_.SetPixelFormat(bitsPerPixel == 8 ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);
    }

    // Makes the bitmap a fresh bottom-up section of the size. Built here rather than by
    // setting the bitmap's width and height, which would first paint every pixel white only
    // for the decoder to overwrite them (for a large photo that fill costs more than half
    // the decode).
    void SetSize(int32_t width, int32_t height) override {
        std::vector<uint8_t> info(sizeof(platform::BITMAPINFOHEADER) +
                                  256 * sizeof(platform::RGBQUAD));
        auto* header = reinterpret_cast<platform::BITMAPINFOHEADER*>(info.data());
        header->biSize = sizeof(platform::BITMAPINFOHEADER);
        header->biWidth = width;
        header->biHeight = height;
        header->biPlanes = 1;
        header->biBitCount = static_cast<platform::WORD>(bitsPerPixel_);
        header->biCompression = platform::BI_RGB;
        void* bits = nullptr;
        platform::HBITMAP section = graphics::GdiCheck(platform::CreateDIBSection(
            nullptr, reinterpret_cast<platform::BITMAPINFO*>(info.data()), platform::DIB_RGB_COLORS,
            &bits, nullptr, 0));
        platform::DIBSECTION dib{};
        if (platform::GetObject(section, sizeof dib, &dib) != sizeof dib) {
            platform::DeleteObject(section);
            throw core::EInvalidGraphic(graphics::strings::SInvalidImage);
        }
        bitmap_.NewImage(section, nullptr, dib, false);
    }

    uint8_t* RowAddress(int32_t row) override {
        return static_cast<uint8_t*>(bitmap_.ScanLine(row));
    }

    void SetPalette(const std::vector<JpegPaletteEntry>& entries) override {
        size_t count = std::min<size_t>(entries.size(), 256);
        std::vector<uint8_t> buffer(sizeof(platform::LOGPALETTE) +
                                    256 * sizeof(platform::PALETTEENTRY));
        auto* logical = reinterpret_cast<platform::LOGPALETTE*>(buffer.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = static_cast<platform::WORD>(count);
        std::vector<platform::RGBQUAD> table(count);
        for (size_t i = 0; i < count; ++i) {
            const JpegPaletteEntry& e = entries[i];
            logical->palPalEntry[i] = {e.red, e.green, e.blue, 0};
            table[i] = {e.blue, e.green, e.red, 0};
        }
        platform::HPALETTE palette = graphics::GdiCheck(platform::CreatePalette(logical));
        bitmap_.SetPalette(palette);  // the bitmap owns it from here
        // The section's own colour table is what a blit reads the indices through.
        platform::SetDIBColorTable(bitmap_.Canvas().Handle(), 0, static_cast<platform::UINT>(count),
                                   table.data());
        bitmap_.FreeContext();
    }

  private:
    TBitmap& bitmap_;
    int bitsPerPixel_ = 24;
};

graphics::TProgressStage StageOf(JpegProgressStage stage) {
    switch (stage) {
        case JpegProgressStage::Starting:
            return graphics::TProgressStage::psStarting;
        case JpegProgressStage::Running:
            return graphics::TProgressStage::psRunning;
        case JpegProgressStage::Ending:
            break;
    }
    return graphics::TProgressStage::psEnding;
}

int32_t Scaled(int32_t size, TJPEGScale scale) {
    int32_t denominator = 1 << scale;
    return (size + denominator - 1) / denominator;  // as the library rounds
}

// The source rows, from the top, that drawing a `sourceHeight`-row bitmap over `rect` takes,
// one per destination row; empty unless the draw is a plain COLORONCOLOR shrink into a
// memory bitmap. Anything else (a recorded metafile, a halftone stretch, a mapping mode that
// scales, a mirrored or enlarging rectangle) needs the whole bitmap.
std::vector<int32_t> RowsTheDrawTakes(graphics::TCanvas& canvas, const graphics::TRect& rect,
                                      int32_t sourceHeight) {
    platform::HDC dc = canvas.Handle();
    if (platform::GetObjectType(dc) != platform::OBJ_MEMDC) return {};
    if (platform::GetMapMode(dc) != platform::MM_TEXT) return {};
    if (platform::GetGraphicsMode(dc) != platform::GM_COMPATIBLE) return {};
    int depth = platform::GetDeviceCaps(dc, platform::BITSPIXEL) *
                platform::GetDeviceCaps(dc, platform::PLANES);
    if (depth <= 8) return {};  // a halftone stretch averages the rows it shrinks
    if (rect.Width() <= 0 || rect.Height() <= 0 || rect.Height() >= sourceHeight) return {};
    std::vector<int> rows = platform::StretchedSourceRows(sourceHeight, rect.Height());
    return std::vector<int32_t>(rows.begin(), rows.end());
}

}  // namespace

TJPEGImage::TJPEGImage() : image_(new TJPEGData), settings_(JPEGDefaults()) {
    image_->Reference();
}

TJPEGImage::~TJPEGImage() {
    bitmap_.reset();
    image_->Release();
}

void TJPEGImage::NewImage() {
    auto* fresh = new TJPEGData;
    fresh->Reference();
    image_->Release();
    image_ = fresh;
}

void TJPEGImage::FreeBitmap() {
    bitmap_.reset();
}

template <typename T>
void TJPEGImage::ChangeSetting(T& setting, T value) {
    if (setting == value) return;
    setting = value;
    // A bitmap decoded with the old setting would no longer match the picture.
    if (image_->data_) FreeBitmap();
    NotifyChange();
}

void TJPEGImage::SetGrayscale(bool value) {
    ChangeSetting(settings_.Grayscale, value);
}
void TJPEGImage::SetPerformance(TJPEGPerformance value) {
    ChangeSetting(settings_.Performance, value);
}
void TJPEGImage::SetPixelFormat(TJPEGPixelFormat value) {
    ChangeSetting(settings_.PixelFormat, value);
}
void TJPEGImage::SetScale(TJPEGScale value) {
    ChangeSetting(settings_.Scale, value);
}
void TJPEGImage::SetSmoothing(bool value) {
    ChangeSetting(settings_.Smoothing, value);
}

void TJPEGImage::LoadFromStream(core::TStream& stream) {
    int64_t count = stream.Remaining();
    NewImage();
    FreeBitmap();
    progressiveEncoding_ = false;
    auto data = std::make_unique<core::TMemoryStream>();
    if (count > 0) {
        data->SetSize(count);
        stream.ReadBuffer(data->Memory(), count);  // a short stream raises "Stream read error"
    }
    image_->data_ = std::move(data);
    if (count > 0) {
        JpegHeader header = ReadJpegHeader(*image_->data_);
        image_->width_ = header.width;
        image_->height_ = header.height;
        image_->grayscale_ = header.grayscale;
        progressiveEncoding_ = header.progressive;
    }
    SetPaletteModified(true);
    NotifyChange();
}

void TJPEGImage::SaveToStream(core::TStream& stream) {
    if (!image_->data_ && bitmap_ && !bitmap_->IsEmpty()) Compress();
    if (!image_->data_) return;
    const auto& bytes = image_->data_->Bytes();
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TJPEGImage::Compress() {
    // A private 24-bit copy gives blue, green, red rows whatever the bitmap's own format.
    TBitmap rows;
    rows.CopyFrom(bitmap_.get());
    rows.SetPixelFormat(TPixelFormat::pf24bit);
    auto data = std::make_unique<core::TMemoryStream>();
    CompressBgrRows(
        rows.Width(), rows.Height(), settings_.CompressionQuality,
        [&rows](int32_t y) { return static_cast<const uint8_t*>(rows.ScanLine(y)); }, *data);
    data->SetPosition(0);
    JpegHeader header = ReadJpegHeader(*data);
    image_->data_ = std::move(data);
    image_->width_ = header.width;
    image_->height_ = header.height;
    image_->grayscale_ = header.grayscale;
}

TBitmap& TJPEGImage::Bitmap() {
    if (!bitmap_) Decode();
    return *bitmap_;
}

void TJPEGImage::Decode() {
    // Attached before anything can fail, so that a failed decode is not tried again.
    bitmap_ = std::make_unique<TBitmap>();
    if (!image_->data_) return;
    bool paletteModified = PaletteModified();
    try {
        DecodeWith(*bitmap_, nullptr, paletteModified);
    } catch (...) {
        SetPaletteModified(paletteModified);
        if (paletteModified) NotifyChange();
        throw;
    }
    SetPaletteModified(paletteModified);
    if (paletteModified) NotifyChange();
}

void TJPEGImage::DecodeWith(TBitmap& bitmap, const std::vector<int32_t>* rows,
                            bool& paletteModified) {
    BitmapTarget target(bitmap);
    JpegDecoder decoder(*image_->data_, settings_);
    if (OnProgress()) {
        decoder.SetProgress([this](JpegProgressStage stage, int percent, bool redraw,
                                   const JpegProgressRect& r, const std::string& message) {
            Progress(this, StageOf(stage), static_cast<uint8_t>(percent), redraw,
                     graphics::Rect(r.left, r.top, r.right, r.bottom), message);
        });
    }
    if (rows)
        decoder.DecodeRowsInto(target, *rows, paletteModified);
    else
        decoder.DecodeInto(target, paletteModified);
}

void TJPEGImage::DrawInto(graphics::TCanvas& canvas, const graphics::TRect& rect) {
    canvas.DrawGraphic(rect, &Bitmap());
}

void TJPEGImage::DrawOnceInto(graphics::TCanvas& canvas, const graphics::TRect& rect) {
    std::vector<int32_t> rows;
    if (!bitmap_ && image_->data_) rows = RowsTheDrawTakes(canvas, rect, Height());
    if (rows.empty()) {
        DrawInto(canvas, rect);
        return;
    }
    // The picture keeps no bitmap, so its palette does not change.
    TBitmap sampled;
    bool paletteInstalled = false;
    DecodeWith(sampled, &rows, paletteInstalled);
    // Only the height differs from the whole bitmap's, and it matches the rectangle's, so the
    // stretch takes the same columns and, row for row, the rows it would have taken.
    canvas.DrawGraphic(rect, &sampled);
}

bool TJPEGImage::IsEmpty() const {
    if (image_->data_) return false;
    return !bitmap_ || bitmap_->IsEmpty();
}

int TJPEGImage::Width() const {
    if (bitmap_) return bitmap_->Width();
    return Scaled(image_->width_, settings_.Scale);
}

int TJPEGImage::Height() const {
    if (bitmap_) return bitmap_->Height();
    return Scaled(image_->height_, settings_.Scale);
}

platform::HPALETTE TJPEGImage::Palette() const {
    if (bitmap_) return bitmap_->Palette();
    return tempPal_;
}

void TJPEGImage::SetHeight(int) {
    throw core::EInvalidGraphicOperation(strings::sChangeJPGSize);
}

void TJPEGImage::SetWidth(int) {
    throw core::EInvalidGraphicOperation(strings::sChangeJPGSize);
}

void TJPEGImage::CopyFrom(const core::TPersistent* source) {
    if (auto* jpeg = dynamic_cast<const TJPEGImage*>(source)) {
        if (jpeg == this) return;
        jpeg->image_->Reference();
        image_->Release();
        image_ = jpeg->image_;
        settings_ = jpeg->settings_;
        progressiveEncoding_ = jpeg->progressiveEncoding_;
        FreeBitmap();
        if (jpeg->bitmap_) {
            bitmap_ = std::make_unique<TBitmap>();
            bitmap_->CopyFrom(jpeg->bitmap_.get());
        }
        SetPaletteModified(true);
        NotifyChange();
        return;
    }
    if (auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        NewImage();
        progressiveEncoding_ = false;
        bitmap_ = std::make_unique<TBitmap>();
        bitmap_->CopyFrom(bitmap);
        SetPaletteModified(true);
        NotifyChange();
        return;
    }
    TGraphic::CopyFrom(source);
}

void TJPEGImage::CopyTo(core::TPersistent* target) const {
    if (auto* bitmap = dynamic_cast<TBitmap*>(target)) {
        // Giving the bitmap decodes it first; decoding is a cache fill, not a change.
        bitmap->CopyFrom(&const_cast<TJPEGImage*>(this)->Bitmap());
        return;
    }
    TGraphic::CopyTo(target);
}

void TJPEGImage::LoadClipboard(uint16_t, uintptr_t, platform::HPALETTE) {
    throw core::EInvalidGraphic(graphics::strings::SUnknownClipboardFormat);
}

void TJPEGImage::SaveClipboard(uint16_t&, uintptr_t&, platform::HPALETTE&) {
    throw core::EInvalidGraphic(graphics::strings::SUnknownClipboardFormat);
}

namespace {

int ScreenBitsPerPixel() {
    platform::HDC screen = platform::GetDC(nullptr);
    if (!screen) return 32;  // the screen is true colour
    int bits = platform::GetDeviceCaps(screen, platform::BITSPIXEL) *
               platform::GetDeviceCaps(screen, platform::PLANES);
    platform::ReleaseDC(nullptr, screen);
    return bits;
}

}  // namespace

void RegisterJPEGImage() {
    JPEGDefaults().PixelFormat = PixelFormatForScreenDepth(ScreenBitsPerPixel());
    graphics::TPicture::RegisterFileFormat("jpeg", strings::sJPEGImageFile,
                                           TJPEGImage::ClassType());
    graphics::TPicture::RegisterFileFormat("jpg", strings::sJPEGImageFile, TJPEGImage::ClassType());
}

void UnregisterJPEGImage() {
    graphics::TPicture::UnregisterGraphicClass(TJPEGImage::ClassType());
}

}  // namespace codecs
