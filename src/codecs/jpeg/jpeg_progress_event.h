#pragma once
// The decoder's progress report, in the decoder's own terms; the picture passes it on to its
// progress event.
#include <cstdint>
#include <functional>
#include <string>

namespace codecs {

enum class JpegProgressStage { Starting, Running, Ending };

struct JpegProgressRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

using JpegProgressHandler =
    std::function<void(JpegProgressStage stage, int percentDone, bool redrawNow,
                       const JpegProgressRect& rect, const std::string& message)>;

// A millisecond tick count (wraps around like the platform's).
using JpegTickSource = std::function<uint32_t()>;
uint32_t JpegSystemTicks();

}  // namespace codecs
