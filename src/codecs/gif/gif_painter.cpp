#include "codecs/gif/gif_painter.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "codecs/gif/gif_extension.h"
#include "codecs/gif/gif_image.h"
#include "core/exceptions.h"
#include "platform/gdi/gdi.h"
#include "platform/thread/sync.h"
#include "platform/thread/ui_thread.h"

namespace codecs::gif {

using graphics::TCanvas;
using graphics::TRect;
using namespace platform;

namespace {

class SystemClock final : public TGIFPainterClock {
  public:
    DWORD Now() override { return timeGetTime(); }
    bool WaitForEvent(HANDLE event, DWORD milliseconds) override {
        return WaitForSingleObject(event, milliseconds) == WAIT_OBJECT_0;
    }
    void Sleep(DWORD milliseconds) override { platform::Sleep(milliseconds); }
    void Yield() override { std::this_thread::yield(); }
};

// value × numerator / denominator, rounded half away from zero.
int MulDivRounded(int64_t value, int64_t numerator, int64_t denominator) {
    const int64_t product = value * numerator;
    const int64_t half = denominator / 2;
    return static_cast<int>(product < 0 ? (product - half) / denominator
                                        : (product + half) / denominator);
}

const TGIFGraphicControlExtension* LastGraphicControl(const TGIFSubImage& frame) {
    const TGIFGraphicControlExtension* found = nullptr;
    for (const auto& extension : frame.Extensions())
        if (auto* control = dynamic_cast<const TGIFGraphicControlExtension*>(extension.get()))
            found = control;
    return found;
}

const TGIFAppExtNSLoop* LoopExtension(const TGIFSubImage& frame) {
    for (const auto& extension : frame.Extensions())
        if (auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(extension.get())) return loop;
    return nullptr;
}

// Disposal values 4 to 7 are undefined; they leave the frame in place like 1.
int Normalised(int disposal) {
    return disposal >= 4 ? 1 : disposal;
}

std::unique_ptr<graphics::TBitmap> MakeBuffer(int width, int height, graphics::TColor brush) {
    auto bitmap = std::make_unique<graphics::TBitmap>();
    bitmap->SetWidth(width);
    bitmap->SetHeight(height);
    bitmap->Canvas().Brush().SetColor(brush);
    return bitmap;
}

int ThreadPriorityValue(TGIFThreadPriority priority) {
    // The thread services' scale: idle -15, lowest -2 ... highest 2, time critical 15.
    switch (priority) {
        case TGIFThreadPriority::tpIdle:
            return -15;
        case TGIFThreadPriority::tpLowest:
            return -2;
        case TGIFThreadPriority::tpLower:
            return -1;
        case TGIFThreadPriority::tpNormal:
            return 0;
        case TGIFThreadPriority::tpHigher:
            return 1;
        case TGIFThreadPriority::tpHighest:
            return 2;
        case TGIFThreadPriority::tpTimeCritical:
            return 15;
    }
    return 0;
}

void ReportPainterFailure(const std::exception_ptr& error) {
    // Nobody waits for a threaded painter's result; its failure is written out, not raised.
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::cerr << "GIF animation stopped: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "GIF animation stopped\n";
    }
}

}  // namespace

TGIFPainterClock& SystemPainterClock() {
    static SystemClock clock;
    return clock;
}

int FrameDisposal(const TGIFSubImage& frame) {
    const TGIFGraphicControlExtension* control = LastGraphicControl(frame);
    return control ? control->Disposal() : 1;
}

// --- set-up ---

TGIFPainter::TGIFPainter(TGIFImage& image, TCanvas& canvas, const TRect& rect,
                         TGIFDrawOptions options)
    : image_(&image),
      canvas_(&canvas),
      rect_(rect),
      options_(options),
      speed_(image.AnimationSpeed()),
      clock_(image.PainterClock() ? image.PainterClock() : &SystemPainterClock()),
      onStartPaint_(image.OnStartPaint()),
      onPaint_(image.OnPaint()),
      onAfterPaint_(image.OnAfterPaint()),
      onLoop_(image.OnLoop()),
      onEndPaint_(image.OnEndPaint()) {
    const TGIFData& data = image.Data();
    if (image.BackgroundColor() != graphics::clNone) {
        backgroundColor_ = image.BackgroundColor();
    } else if (data.GlobalColorMap().Count() > 0) {
        const TGIFColor c = data.GlobalColorMap().Color(data.Header().BackgroundColorIndex());
        backgroundColor_ = static_cast<graphics::TColor>(c.Red | c.Green << 8 | c.Blue << 16);
    } else {
        backgroundColor_ = graphics::clWindow;
    }

    bool restoresBackground = (options_ & DrawClearOnLoop) != 0;
    bool restoresPrevious = false;
    for (int i = 0; i < data.Count(); ++i) {
        const int disposal = Normalised(FrameDisposal(data.Images(i)));
        restoresBackground |= disposal == 2;
        restoresPrevious |= disposal == 3;
    }
    const int width = rect_.Width();
    const int height = rect_.Height();
    const TRect whole{0, 0, width, height};
    try {
        if (restoresBackground && (options_ & DrawTransparent)) {
            background_ = MakeBuffer(width, height, backgroundColor_);
            background_->Canvas().CopyRect(whole, canvas, rect_);
        }
        if (restoresBackground || restoresPrevious) {
            backup_ = MakeBuffer(width, height, backgroundColor_);
            backup_->Canvas().CopyRect(whole, canvas, rect_);
            frameBuffer_ = MakeBuffer(width, height, backgroundColor_);
        }
    } catch (...) {
        ReleaseResources();
        throw;
    }
    const bool threaded = (options_ & DrawInThread) != 0;
    if (threaded && (options_ & DrawAnimated) && data.Count() > 1 && speed_ >= 0)
        event_ = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    if (threaded) {
        thread_ = std::make_unique<WorkerThread>([this](WorkerThread&) { Run(); });
        thread_->SetPriority(ThreadPriorityValue(image.ThreadPriority()));
    }
}

TGIFPainter::~TGIFPainter() {
    if (thread_ && thread_->Started() && !finished_) {
        Stop();
        WaitFor();
    }
    thread_.reset();
    ReleaseResources();
}

void TGIFPainter::ReleaseResources() {
    background_.reset();
    backup_.reset();
    frameBuffer_.reset();
    if (event_) CloseHandle(event_);
    event_ = nullptr;
}

// --- lifecycle ---

void TGIFPainter::Start() {
    if (!thread_) {
        Run();
        if (error_) std::rethrow_exception(error_);
        return;
    }
    // The first frame is on the canvas before the draw returns, whatever the thread's timing
    // and whether or not a message loop ever serves it; the thread plays the rest.
    bool more = false;
    try {
        BeginPasses();
        more = PlayNext();
    } catch (...) {
        error_ = std::current_exception();
        terminated_ = true;
    }
    if (!more) {
        Finish();
        return;
    }
    resumedAt_ = clock_->Now();
    thread_->Resume();
}

void TGIFPainter::Stop() {
    terminated_ = true;
    if (thread_) {
        thread_->SetPriority(0);
        if (event_) SetEvent(event_);
    }
}

void TGIFPainter::WaitFor() {
    if (thread_ && thread_->Started()) thread_->WaitFor();
}

void TGIFPainter::InMainThread(const std::function<void()>& procedure) {
    if (thread_)
        RunInMainThread(procedure);
    else
        procedure();
}

void TGIFPainter::Notify(const graphics::TNotifyEvent& handler) {
    if (handler) InMainThread([&] { handler(image_); });
}

void TGIFPainter::Run() {
    try {
        Execute();
    } catch (...) {
        error_ = std::current_exception();
        terminated_ = true;
    }
    Finish();
}

void TGIFPainter::Finish() {
    activeImage_ = -1;
    try {
        Notify(onEndPaint_);
    } catch (...) {
        if (!error_) error_ = std::current_exception();
    }
    // The picture is told in the user-interface thread; the buffers were made there and go
    // there too.
    try {
        InMainThread([this] {
            image_->PainterEnded(*this);
            ReleaseResources();
        });
    } catch (...) {
        if (!error_) error_ = std::current_exception();
    }
    if (thread_ && error_) ReportPainterFailure(error_);
    finished_ = true;
}

// --- the pass loop ---

void TGIFPainter::Execute() {
    // A threaded painter began in Start, with its first frame, and goes on from there. The
    // time its thread took to start is not lateness of that frame.
    if (thread_)
        referenceTime_ += clock_->Now() - resumedAt_;
    else
        BeginPasses();
    while (PlayNext()) {
    }
}

void TGIFPainter::BeginPasses() {
    if (options_ & DrawCheckCanvas) InMainThread([this] { checkedDC_ = canvas_->Handle(); });
    activeImage_ = 0;
    Notify(onStartPaint_);
    passes_ = PassState{};
    delay_ = thread_ ? 0 : 1;
    previousDisposal_ = 1;
    referenceTime_ = clock_->Now();
    lastWait_ = 0;
}

bool TGIFPainter::PlayNext() {
    const bool animated = (options_ & DrawAnimated) != 0;
    const bool looped = animated && (options_ & DrawLooped);
    const int count = image_->FrameCount();
    for (;;) {
        if (terminated_) return false;
        if (!passes_.inPass) {
            if (passes_.remaining == 0 && !(options_ & DrawLoopForever)) return false;
            activeImage_ = passes_.restartFrame;
            if (!passes_.firstPass) Notify(onLoop_);
            passes_.firstPass = false;
            passes_.inPass = true;
            passes_.shown = 0;
        }
        const int index = activeImage_;
        const bool playable = index >= 0 && index < count && image_->Images(index).HasImage() &&
                              (animated || passes_.shown == 0);
        if (playable) {
            PlayFrame(index);
            ++passes_.shown;
            return true;
        }
        passes_.inPass = false;
        if (passes_.remaining > 0) --passes_.remaining;
        // A pass that showed nothing would repeat without ever waiting.
        if (!looped || passes_.shown == 0) return false;
    }
}

void TGIFPainter::PlayFrame(int index) {
    WaitForFrame(index);
    if (terminated_) return;
    Notify(onPaint_);
    const TGIFSubImage& frame = image_->Images(index);
    disposal_ = FrameDisposal(frame);
    if (const TGIFAppExtNSLoop* loop = LoopExtension(frame); loop && !passes_.loopSeen) {
        passes_.loopSeen = true;
        passes_.remaining = loop->Loops();
        if (thread_ && (loop->Loops() == 0 || (options_ & DrawLoopForever))) passes_.remaining = -1;
        passes_.restartFrame = index;
    }
    InMainThread([&] { Paint(index, disposal_); });
    previousDisposal_ = disposal_;
    delay_ = kDefaultDelay;
    if (const TGIFGraphicControlExtension* control = LastGraphicControl(frame);
        control && control->Delay() != 0) {
        delay_ = std::max<int>(control->Delay(), kMinimumDelay);
        if (!thread_) delay_ = std::min(delay_, kUnthreadedMaxDelay);
    }
    Notify(onAfterPaint_);
    if (activeImage_ == index) activeImage_ = index + 1;
}

// --- timing ---

void TGIFPainter::WaitForFrame(int index) {
    if (delay_ < 1) {
        clock_->Yield();
        return;
    }
    // The next frame is rendered before the wait, so that the paint after it is only blits.
    image_->PrepareFrame(index,
                         thread_ ? [this] { return terminated_.load(); } : std::function<bool()>());
    const DWORD now = clock_->Now();
    bool unlimited = false;
    int wait = 0;
    if (speed_ < 1) {
        if (thread_)
            unlimited = speed_ == 0;
        else
            wait = kUnthreadedMaxDelay * kMillisecondsPerDelayUnit;
    } else {
        const auto late =
            static_cast<int32_t>(now - (referenceTime_ + static_cast<DWORD>(lastWait_)));
        const int overrun = late / 2;
        wait = MulDivRounded(int64_t{delay_} * kMillisecondsPerDelayUnit - overrun, 100, speed_);
        lastWait_ = wait;
    }
    referenceTime_ = now;
    if (thread_) {
        if (!unlimited && wait <= 0) return;
        if (!event_) {
            clock_->Sleep(static_cast<DWORD>(wait));
            return;
        }
        if (clock_->WaitForEvent(event_, unlimited ? INFINITE : static_cast<DWORD>(wait))) {
            lastWait_ = 0;
            referenceTime_ = clock_->Now();
        }
        return;
    }
    PumpWait(wait);
}

void TGIFPainter::PumpWait(int milliseconds) {
    // Without a thread of its own the painter keeps the window responsive while it waits.
    const int total = std::max(milliseconds, 1);
    const DWORD start = clock_->Now();
    for (;;) {
        const int remaining = total - static_cast<int32_t>(clock_->Now() - start);
        if (remaining <= 0 || terminated_) return;
        clock_->Sleep(static_cast<DWORD>(std::min(remaining, 100)));
        if (!ProcessWaitingMessages()) {
            terminated_ = true;
            return;
        }
    }
}

// --- painting (user-interface thread) ---

bool TGIFPainter::CanvasGone() const {
    const DWORD type = GetObjectType(checkedDC_);
    return type != OBJ_DC && type != OBJ_MEMDC && type != OBJ_METADC && type != OBJ_ENHMETADC;
}

void TGIFPainter::DrawFrameOn(int index, TCanvas& canvas, const TRect& rect) {
    HDC dc = canvas.Handle();
    HPALETTE palette = image_->FramePalette(index);
    if (!palette) palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    HPALETTE old = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    try {
        image_->DrawFrame(index, canvas, rect, (options_ & DrawTiled) != 0,
                          (options_ & DrawTransparent) != 0);
    } catch (...) {
        if (old) SelectPalette(dc, old, TRUE);
        throw;
    }
    if (old) SelectPalette(dc, old, TRUE);
}

void TGIFPainter::Paint(int index, int disposal) {
    if (!backup_) {
        // Without buffers every frame lands on the target and frames accumulate.
        DrawFrameOn(index, *canvas_, rect_);
        return;
    }
    if ((options_ & DrawCheckCanvas) && CanvasGone()) {
        terminated_ = true;
        return;
    }
    const TRect whole{0, 0, rect_.Width(), rect_.Height()};
    if ((options_ & DrawClearOnLoop) && index == 0) RestoreFrameArea(0);
    const int d = Normalised(disposal);
    const int p = Normalised(previousDisposal_);
    if (d != 3) {
        DrawFrameOn(index, backup_->Canvas(), whole);
        canvas_->CopyRect(rect_, backup_->Canvas(), whole);
        if (d == 2) RestoreFrameArea(index);
    } else if (p <= 1) {
        // The backup does not get this frame, so the next frame starts from without it.
        DrawFrameOn(index, *canvas_, rect_);
    } else {
        frameBuffer_->Canvas().CopyRect(whole, backup_->Canvas(), whole);
        DrawFrameOn(index, frameBuffer_->Canvas(), whole);
        canvas_->CopyRect(rect_, frameBuffer_->Canvas(), whole);
    }
}

void TGIFPainter::RestoreFrameArea(int index) {
    const TRect whole{0, 0, rect_.Width(), rect_.Height()};
    const TRect area = image_->ScaledFrameRect(image_->Images(index), whole);
    if ((options_ & DrawTransparent) && background_) {
        backup_->Canvas().CopyRect(area, background_->Canvas(), area);
    } else {
        backup_->Canvas().Brush().SetColor(backgroundColor_);
        backup_->Canvas().FillRect(area);
    }
}

}  // namespace codecs::gif
