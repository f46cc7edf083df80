// The bitmap writer: a BMP file with a 40-byte header at the bitmap's own depth. A bitmap read
// from a compressed file writes back the file it came from.
#include <cstdlib>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/bmp_format.h"
#include "graphics/icon.h"
#include "platform/gdi/gdi.h"

namespace graphics {

using namespace platform;

void TBitmap::SaveToStream(core::TStream& stream) {
    if (image_->saveStream_) {
        stream.WriteBuffer(image_->saveStream_->Memory(), image_->saveStream_->Size());
        return;
    }
    HandleNeeded();
    if (!image_->handle_) return;  // an empty bitmap writes nothing
    HBITMAP handle = image_->handle_;
    FreeContext();

    BITMAPINFOHEADER own{};
    PrepareDibHeader(handle, 0, own);
    int colors = own.biBitCount <= 8 ? static_cast<int>(1u << own.biBitCount) : 0;
    if (own.biBitCount <= 8 && image_->dib_.dsBmih.biClrUsed)
        colors = static_cast<int>(image_->dib_.dsBmih.biClrUsed);
    TDibMeasure measure = MeasureDib(handle, colors);

    std::vector<uint8_t> header(sizeof(BITMAPINFOHEADER) + 1024 + 12, 0);
    std::vector<uint8_t> pixels(measure.pixelSize);
    ExtractDib(handle, image_->palette_, header.data(), colors, pixels.data());

    BITMAPFILEHEADER file{};
    file.bfType = bmp::kSignature;
    file.bfOffBits = sizeof file + measure.headerSize;
    file.bfSize = file.bfOffBits + measure.pixelSize;
    stream.WriteBuffer(&file, sizeof file);
    stream.WriteBuffer(header.data(), measure.headerSize);
    stream.WriteBuffer(pixels.data(), measure.pixelSize);
}

}  // namespace graphics
