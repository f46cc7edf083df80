#pragma once
// Types shared by the parts of the GIF picture: its exception, warnings and progress reports.
#include <cstdint>
#include <functional>
#include <string>

#include "core/exceptions.h"

namespace codecs::gif {

// Every failure found in GIF data. A kind of invalid graphic, so callers that handle bad
// pictures in general handle these too.
class GIFException : public core::EInvalidGraphic {
  public:
    using EInvalidGraphic::EInvalidGraphic;
    const char* ClassName() const override { return "GIFException"; }
};

enum class TGIFSeverity { gsInfo, gsWarning, gsError };

// Problems that do not stop loading go here: (sender, severity, message). The sender is the
// object that found the problem (the data, a frame, an extension, a colour map).
using TGIFWarningHandler =
    std::function<void(const void* sender, TGIFSeverity severity, const std::string& message)>;

// Progress of loading and rendering; the picture forwards these to its OnProgress.
enum class TGIFProgressStage { psStarting, psRunning, psEnding };
using TGIFProgressHandler = std::function<void(TGIFProgressStage stage, int percentDone,
                                               bool redrawNow, const std::string& message)>;

// The file's block introducers.
inline constexpr uint8_t kExtensionIntroducer = 0x21;  // '!'
inline constexpr uint8_t kImageSeparator = 0x2C;       // ','
inline constexpr uint8_t kTrailer = 0x3B;              // ';'

}  // namespace codecs::gif
