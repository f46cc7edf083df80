#include "codecs/jpeg/jpeg_progress.h"

#include <chrono>
#include <type_traits>

namespace codecs {

uint32_t JpegSystemTicks() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

JpegProgressMonitor::JpegProgressMonitor(JpegProgressHandler handler, JpegTickSource ticks)
    : handler_(std::move(handler)), ticks_(ticks ? std::move(ticks) : JpegSystemTicks) {
    hook_.manager.progress_monitor = Hook;
    hook_.owner = this;
}

void JpegProgressMonitor::Bind(JpegDecompressor& decompressor) {
    decompressor.Info().progress = &hook_.manager;
}

void JpegProgressMonitor::Hook(j_common_ptr cinfo) noexcept {
    static_assert(std::is_standard_layout_v<HookRecord>);
    JpegProgressMonitor* self = reinterpret_cast<HookRecord*>(cinfo->progress)->owner;
    if (!self->UpdateDeferringErrors(cinfo)) JpegSession::LeaveLibrary(cinfo);
}

bool JpegProgressMonitor::UpdateDeferringErrors(j_common_ptr cinfo) noexcept {
    if (!cinfo->is_decompressor) return true;
    try {
        Update(*reinterpret_cast<j_decompress_ptr>(cinfo));
        return true;
    } catch (...) {
        JpegSession::Of(cinfo).Defer(std::current_exception());
        return false;
    }
}

void JpegProgressMonitor::Update(const jpeg_decompress_struct& info) {
    if (!handler_) return;
    uint32_t now = ticks_();
    if (lastTime_ && now - *lastTime_ < kMinInterval) return;
    bool first = !lastTime_;
    lastTime_ = now;
    if (first) return;

    JpegProgressRect rect;
    rect.top = lastRow_;
    rect.right = static_cast<int32_t>(info.output_width);
    rect.bottom = static_cast<int32_t>(info.output_scanline);
    if (rect.bottom < rect.top) rect.bottom = static_cast<int32_t>(info.output_height);

    // A library that has not set its pass limits yet has nothing to report.
    if (hook_.manager.pass_limit <= 0 || hook_.manager.total_passes <= 0) return;
    double passes = static_cast<double>(hook_.manager.pass_counter) /
                        static_cast<double>(hook_.manager.pass_limit) +
                    hook_.manager.completed_passes;
    int percent = static_cast<int>(passes * 100.0 / hook_.manager.total_passes);
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    lastRow_ = static_cast<int32_t>(info.output_scanline);
    handler_(JpegProgressStage::Running, percent, rect.bottom - rect.top >= 4, rect, {});
}

void JpegProgressMonitor::Report(JpegProgressStage stage, int percentDone, bool redrawNow) {
    if (handler_) handler_(stage, percentDone, redrawNow, JpegProgressRect{}, {});
}

}  // namespace codecs
