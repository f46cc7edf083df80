// fuzz-deps: graphics
// The icon reader with decoding, drawing and saving again.
#include <cstddef>
#include <cstdint>

#include "core/exceptions.h"
#include "core/stream.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/icon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    core::TBytesStream stream(data, static_cast<int64_t>(size));
    graphics::TIcon icon;
    try {
        icon.LoadFromStream(stream);
        graphics::TBitmap target;
        target.SetWidth(48);
        target.SetHeight(48);
        target.Canvas().DrawGraphic(graphics::Rect(0, 0, 48, 48), &icon);
        core::TMemoryStream saved;
        icon.SaveToStream(saved);
    } catch (const core::Exception&) {
    }
    return 0;
}
