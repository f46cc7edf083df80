// fuzz-deps: codecs
// Loads arbitrary bytes as a JPEG picture, draws it once the export's way (decoding only the
// rows the draw takes, keeping nothing), then draws it as a view does, which decodes it whole.
#include <cstddef>
#include <cstdint>

#include "codecs/jpeg/jpeg_image.h"
#include "core/exceptions.h"
#include "core/stream.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"

// 4 megapixels keeps one decode (the bitmap plus the library's whole-image buffers for
// progressive files) far below the fuzzer's memory limit; larger images fail with the
// library's "image too big" code.
static constexpr int64_t kFuzzMaxPixels = int64_t{1} << 22;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    codecs::SetJpegMaxPixels(kFuzzMaxPixels);
    static graphics::TBitmap* target = [] {
        auto* bitmap = new graphics::TBitmap;
        bitmap->SetWidth(32);
        bitmap->SetHeight(24);
        return bitmap;
    }();
    core::TBytesStream stream(data, static_cast<int64_t>(size));
    codecs::TJPEGImage picture;
    try {
        picture.LoadFromStream(stream);
    } catch (const core::Exception&) {
    }
    try {
        target->Canvas().DrawGraphicOnce(graphics::Rect(0, 0, 32, 24), &picture);
    } catch (const core::Exception&) {
    }
    try {
        target->Canvas().DrawGraphic(graphics::Rect(0, 0, 32, 24), &picture);
    } catch (const core::Exception&) {
    }
    return 0;
}
