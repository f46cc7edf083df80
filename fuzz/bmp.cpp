// fuzz-deps: graphics
// The bitmap reader, then a draw of whatever it read.
#include <cstddef>
#include <cstdint>

#include "core/exceptions.h"
#include "core/stream.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    core::TBytesStream stream(data, static_cast<int64_t>(size));
    graphics::TBitmap bitmap;
    try {
        bitmap.LoadFromStream(stream);
        graphics::TBitmap target;
        target.SetWidth(16);
        target.SetHeight(16);
        target.Canvas().DrawGraphic(graphics::Rect(0, 0, 16, 16), &bitmap);
        bitmap.MaskBitmapHandle();
    } catch (const core::Exception&) {
    }
    return 0;
}
