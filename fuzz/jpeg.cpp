// fuzz-deps: codecs
// Loads arbitrary bytes as a JPEG picture and decodes it, as the first draw would.
#include <cstddef>
#include <cstdint>
#include <exception>

#include "codecs/jpeg/jpeg_decoder.h"
#include "codecs/jpeg/jpeg_pixel_buffer.h"
#include "core/exceptions.h"
#include "core/stream.h"

// 4 megapixels keeps one decode (the bitmap plus the library's whole-image buffers for
// progressive files) far below the fuzzer's memory limit.
static constexpr int64_t kFuzzMaxPixels = int64_t{1} << 22;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    codecs::SetJpegMaxPixels(kFuzzMaxPixels);
    core::TBytesStream stream(data, static_cast<int64_t>(size));
    try {
        codecs::ReadJpegHeader(stream);
    } catch (const core::Exception&) {
    }
    try {
        codecs::JpegPixelBuffer buffer;
        bool paletteModified = false;
        codecs::JpegDecoder(stream, codecs::JPEGDefaults()).DecodeInto(buffer, paletteModified);
    } catch (const core::Exception&) {
    }
    return 0;
}
