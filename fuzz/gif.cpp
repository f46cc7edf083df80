// fuzz-deps: codecs
// Loads arbitrary bytes as a GIF picture, renders every frame and draws the picture. Errors
// are expected; crashes, leaks and reads outside a buffer are not.
#include <cstddef>
#include <cstdint>

#include "codecs/gif/gif_image.h"
#include "core/exceptions.h"
#include "core/stream.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    codecs::gif::TGIFImage gif;
    // Small enough that the fuzzer's memory limit is never the finding.
    gif.Data().SetPixelBudget(uint64_t{1} << 20);
    core::TBytesStream stream(data, static_cast<int64_t>(size));
    try {
        gif.LoadFromStream(stream);
    } catch (const core::Exception&) {
        // Frames read before the error stay and must render safely too.
    }
    // The last input byte picks the drawing path: dithered or not.
    if (size > 0 && (data[size - 1] & 1))
        gif.SetDrawOptions(codecs::gif::DrawTransparent | codecs::gif::DrawDithered);
    try {
        for (int i = 0; i < gif.FrameCount(); ++i) gif.FrameBitmap(i);
        graphics::TBitmap target;
        target.SetWidth(23);
        target.SetHeight(17);
        target.Canvas().DrawGraphic(graphics::Rect(0, 0, 23, 17), &gif);
        target.Canvas().DrawGraphic(
            graphics::Rect(3, 2, 3 + gif.Width() % 40, 2 + gif.Height() % 40), &gif);
        gif.Palette();
    } catch (const core::Exception&) {
    }
    return 0;
}
