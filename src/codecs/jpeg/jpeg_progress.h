#pragma once
// Progress reports while the library decodes: a report at most every 500 ms and only when the
// whole percentage changes, with the band of rows decoded since the last report.
#include <cstdint>
#include <optional>

#include "codecs/jpeg/jpeg_decompressor.h"
#include "codecs/jpeg/jpeg_progress_event.h"

namespace codecs {

class JpegProgressMonitor {
  public:
    static constexpr uint32_t kMinInterval = 500;

    // An empty handler leaves the monitor unbound: the library's calls are then ignored.
    explicit JpegProgressMonitor(JpegProgressHandler handler, JpegTickSource ticks = {});
    JpegProgressMonitor(const JpegProgressMonitor&) = delete;
    JpegProgressMonitor& operator=(const JpegProgressMonitor&) = delete;

    // Installs the monitor as the decompressor's progress hook.
    void Bind(JpegDecompressor& decompressor);

    // One call of the library: decides whether and what to report. Raises what the handler
    // raises. The pass counters are read from Counters().
    void Update(const jpeg_decompress_struct& info);
    // A report outside the library's calls (starting and ending).
    void Report(JpegProgressStage stage, int percentDone, bool redrawNow);

    jpeg_progress_mgr& Counters() { return hook_.manager; }

  private:
    static void Hook(j_common_ptr cinfo) noexcept;
    bool UpdateDeferringErrors(j_common_ptr cinfo) noexcept;

    // The library's structure with a way back to its monitor.
    struct HookRecord {
        jpeg_progress_mgr manager;
        JpegProgressMonitor* owner;
    };

    HookRecord hook_{};
    JpegProgressHandler handler_;
    JpegTickSource ticks_;
    std::optional<uint32_t> lastTime_;
    int lastPercent_ = 0;
    int32_t lastRow_ = 0;
};

}  // namespace codecs
