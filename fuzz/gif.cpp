// fuzz-deps: codecs
// Loads arbitrary bytes as a GIF. Errors are expected; crashes, leaks and reads outside a
// buffer are not.
#include <cstddef>
#include <cstdint>

#include "codecs/gif/gif_data.h"
#include "core/exceptions.h"
#include "core/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    codecs::gif::TGIFData gif;
    // Small enough that a fuzzer's memory limit is never the finding.
    gif.SetPixelBudget(uint64_t{1} << 24);
    core::TBytesStream stream(data, static_cast<int64_t>(size));
    try {
        gif.LoadFromStream(stream);
    } catch (const core::Exception&) {
        return 0;
    }
    // Every frame's pixels and active colour map must be readable in full.
    unsigned sum = 0;
    for (int i = 0; i < gif.Count(); ++i) {
        const auto& frame = gif.Images(i);
        for (uint8_t pixel : frame.Pixels()) sum += pixel;
        const auto& map = frame.ActiveColorMap();
        for (int c = 0; c < map.Count(); ++c) sum += map.Entries()[c].Red;
    }
    // Keeps the reads above from being optimised away.
    asm volatile("" : : "r"(sum));
    return 0;
}
