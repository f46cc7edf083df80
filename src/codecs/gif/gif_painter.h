#pragma once
// The animation painter: plays the frames of a GIF picture onto one canvas rectangle with
// their delays, disposal methods and the loop extension. A threaded painter times and renders
// frame bitmaps in its own thread and does every paint and notification through a synchronous
// call into the user-interface thread; an unthreaded one runs inside the draw call.
#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>

#include "codecs/gif/gif_draw_options.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/graphic.h"
#include "platform/thread/sync.h"
#include "platform/thread/ui_thread.h"

namespace codecs::gif {

class TGIFImage;
class TGIFSubImage;

// Time and waits of a painter; replaceable so that timing can be checked without real time.
class TGIFPainterClock {
  public:
    virtual ~TGIFPainterClock() = default;
    // Milliseconds, wrapping at 2^32.
    virtual platform::DWORD Now() = 0;
    // Waits up to `milliseconds` (INFINITE: no limit) for `event`; true when it was set.
    virtual bool WaitForEvent(platform::HANDLE event, platform::DWORD milliseconds) = 0;
    virtual void Sleep(platform::DWORD milliseconds) = 0;
    // Lets other threads run.
    virtual void Yield() = 0;
};

// The platform's multimedia clock and waits.
TGIFPainterClock& SystemPainterClock();

// Delay units are hundredths of a second in the file; the painter counts 12 ms for each.
inline constexpr int kMillisecondsPerDelayUnit = 12;
inline constexpr int kDefaultDelay = 10;  // no graphic control, or a delay of 0
inline constexpr int kMinimumDelay = 3;   // smallest nonzero delay used
inline constexpr int kUnthreadedMaxDelay = 1000;

// The disposal method a frame is drawn and disposed by: the last graphic control extension
// of its list wins; 1 (leave in place) without one.
int FrameDisposal(const TGIFSubImage& frame);

class TGIFPainter {
  public:
    // Made by the picture's draw; sets up the background colour, the buffers and the event.
    // Must run in the user-interface thread.
    TGIFPainter(TGIFImage& image, graphics::TCanvas& canvas, const graphics::TRect& rect,
                TGIFDrawOptions options);
    ~TGIFPainter();
    TGIFPainter(const TGIFPainter&) = delete;
    TGIFPainter& operator=(const TGIFPainter&) = delete;

    // Plays the first frame here, in the calling thread, so that it is on the canvas when the
    // draw returns. A threaded painter then starts its thread for the other frames (what ends
    // it is written out, not raised); an unthreaded one runs to its end here and rethrows
    // what ended it.
    void Start();
    // Asks the painter to end: sets the terminated flag and cuts a wait short.
    void Stop();
    // Waits until a threaded painter's thread has ended; on the user-interface thread it
    // serves the painter's synchronous calls meanwhile.
    void WaitFor();
    bool Threaded() const { return thread_ != nullptr; }
    bool Terminated() const { return terminated_; }
    bool Finished() const { return finished_; }

    graphics::TCanvas& Canvas() const { return *canvas_; }
    const graphics::TRect& Rect() const { return rect_; }
    TGIFDrawOptions DrawOptions() const { return options_; }
    // The frame being shown, -1 when idle.
    int ActiveImage() const { return activeImage_; }
    void SetActiveImage(int index) { activeImage_ = index; }
    graphics::TColor BackgroundColor() const { return backgroundColor_; }
    // What ended the painter early, if anything did.
    std::exception_ptr Error() const { return error_; }

  private:
    // Where the passes over the frames stand between two frames.
    struct PassState {
        int remaining = 1;  // -1: without end
        int restartFrame = 0;
        bool loopSeen = false;
        bool firstPass = true;
        bool inPass = false;
        int shown = 0;  // frames played in this pass
    };

    void Run();
    void Execute();
    void Finish();
    void BeginPasses();
    // Plays the next frame of the passes; false when they are over or the painter stopped.
    bool PlayNext();
    void PlayFrame(int index);
    void WaitForFrame(int index);
    void WaitMilliseconds(int milliseconds);
    void PumpWait(int milliseconds);
    void Notify(const graphics::TNotifyEvent& handler);
    void InMainThread(const std::function<void()>& procedure);
    void Paint(int index, int disposal);
    void PaintBuffered(int index, int disposal);
    void DrawFrameOn(int index, graphics::TCanvas& canvas, const graphics::TRect& rect);
    void RestoreFrameArea(int index);
    bool CanvasGone() const;
    void ReleaseResources();

    TGIFImage* image_;
    graphics::TCanvas* canvas_;
    graphics::TRect rect_;
    TGIFDrawOptions options_;
    int speed_;
    TGIFPainterClock* clock_;
    graphics::TColor backgroundColor_ = graphics::clNone;
    std::atomic<int> activeImage_{-1};
    int disposal_ = 1;
    int previousDisposal_ = 1;
    std::unique_ptr<graphics::TBitmap> background_;   // the target as it was at the start
    std::unique_ptr<graphics::TBitmap> backup_;       // the composed picture
    std::unique_ptr<graphics::TBitmap> frameBuffer_;  // scratch for restore-to-previous
    platform::HANDLE event_ = nullptr;
    platform::HDC checkedDC_ = nullptr;
    graphics::TNotifyEvent onStartPaint_, onPaint_, onAfterPaint_, onLoop_, onEndPaint_;

    // State of the pass loop.
    PassState passes_;
    int delay_ = 0;
    platform::DWORD referenceTime_ = 0;
    platform::DWORD resumedAt_ = 0;  // when Start handed the frames after the first to the thread
    int lastWait_ = 0;

    std::unique_ptr<platform::WorkerThread> thread_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::exception_ptr error_;
};

}  // namespace codecs::gif
