#include "codecs/gif/gif_painter.h"

#include <gtest/gtest.h>
#include <algorithm>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "codecs/gif/gif_builder.h"
#include "codecs/gif/gif_image.h"
#include "codecs/gif/gif_palette.h"
#include "core/exceptions.h"
#include "core/stream.h"
#include "graphics/bitmap.h"
#include "graphics/bitmap_canvas.h"
#include "graphics/canvas.h"
#include "platform/gdi/gdi.h"
#include "platform/thread/sync.h"
#include "platform/thread/ui_thread.h"
#include "platform/user/user.h"
#include "support/gdi_leak_check.h"

using namespace codecs::gif;
using gif_test::Bytes;
using gif_test::GifBuilder;
using graphics::Rect;
using platform::DWORD;

namespace {

// A painter clock under the test's control. Waits are recorded; a wait returns once the test
// releases it (or at once in automatic mode), and time moves by the wait plus `late` ms.
// A wait ends early when the painter's event is set, as the real one does.
class StepClock : public TGIFPainterClock {
  public:
    explicit StepClock(bool automatic = false, DWORD late = 0)
        : automatic_(automatic), late_(late) {}

    DWORD Now() override {
        std::lock_guard lock(mutex_);
        return now_;
    }
    bool WaitForEvent(platform::HANDLE event, DWORD milliseconds) override {
        {
            std::lock_guard lock(mutex_);
            waits_.push_back(milliseconds);
        }
        for (;;) {
            if (platform::WaitForSingleObject(event, automatic_ ? 0 : 1) == platform::WAIT_OBJECT_0)
                return true;
            std::lock_guard lock(mutex_);
            if (milliseconds != platform::INFINITE && (automatic_ || permits_ > 0)) {
                if (!automatic_) --permits_;
                now_ += milliseconds + late_;
                return false;
            }
        }
    }
    void Sleep(DWORD milliseconds) override {
        std::lock_guard lock(mutex_);
        sleeps_.push_back(milliseconds);
        now_ += milliseconds;
    }
    void Yield() override {}

    void Release() {
        std::lock_guard lock(mutex_);
        ++permits_;
    }
    std::vector<DWORD> Waits() {
        std::lock_guard lock(mutex_);
        return waits_;
    }
    std::vector<DWORD> Sleeps() {
        std::lock_guard lock(mutex_);
        return sleeps_;
    }

  private:
    std::mutex mutex_;
    bool automatic_;
    DWORD late_;
    DWORD now_ = 1000;
    int permits_ = 0;
    std::vector<DWORD> waits_;
    std::vector<DWORD> sleeps_;
};

// Serves the painters' calls into this (the user-interface) thread until `done` holds.
template <typename Predicate>
bool PumpUntil(Predicate done, int timeoutMs = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        platform::ServeMainThreadCalls();
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    platform::ServeMainThreadCalls();
    return true;
}

void Load(TGIFImage& gif, const Bytes& bytes) {
    core::TBytesStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
    gif.LoadFromStream(stream);
}

// The builder's global colour i is (10i, 20i, 30i).
platform::COLORREF GlobalColor(int i) {
    return (10u * i) | (20u * i) << 8 | (30u * i) << 16;
}
constexpr platform::COLORREF kWhite = 0xFFFFFF;

std::unique_ptr<graphics::TBitmap> Surface(int width, int height, graphics::TColor fill) {
    auto bitmap = std::make_unique<graphics::TBitmap>();
    bitmap->SetWidth(width);
    bitmap->SetHeight(height);
    bitmap->Canvas().Brush().SetColor(fill);
    bitmap->Canvas().FillRect(Rect(0, 0, width, height));
    return bitmap;
}

platform::COLORREF Pixel(graphics::TBitmap* bitmap, int x, int y) {
    return platform::GetPixel(bitmap->Canvas().Handle(), x, y);
}

std::vector<int> Filled(int count, int value) {
    return std::vector<int>(static_cast<size_t>(count), value);
}

// Graphic control packed field for a disposal method.
int Disposal(int method) {
    return method << 2;
}

Bytes LoopBlock(int loops) {
    return {1, static_cast<uint8_t>(loops & 0xFF), static_cast<uint8_t>(loops >> 8)};
}

class GIFPainter : public testing_support::NoGdiLeaks {
  protected:
    void SetUp() override {
        DitherPalette();  // shared for the whole process
        platform::MSG msg;
        platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_NOREMOVE);  // this is the UI thread
        NoGdiLeaks::SetUp();
    }

    // Starts the animation of `gif` in an 8x8 white view and returns the view.
    std::unique_ptr<graphics::TBitmap> StartIn(TGIFImage& gif) {
        auto view = Surface(8, 8, graphics::clWhite);
        gif.DrawInto(view->Canvas(), Rect(0, 0, 8, 8));
        return view;
    }
    // Records which frame each paint showed, in paint order (handlers run in this thread).
    void RecordPaints(TGIFImage& gif) {
        gif.SetOnPaint([this, &gif](core::TPersistent*) {
            paints_.push_back(gif.DrawPainter() ? gif.DrawPainter()->ActiveImage() : -2);
        });
    }

    std::vector<int> paints_;
};

}  // namespace

TEST_F(GIFPainter, TwoFramesWithoutLoopShowFirstAtOnceThenSecondAfterItsDelayAndStay) {
    StepClock clock;
    TGIFImage gif;
    gif.SetPainterClock(&clock);
    Load(gif, GifBuilder(4, 4)
                  .GraphicControl(0, 5, 0)
                  .LiteralImage(0, 0, 4, 4, Filled(16, 1))
                  .GraphicControl(0, 5, 0)
                  .LiteralImage(0, 0, 4, 4, Filled(16, 2))
                  .Trailer()
                  .bytes());
    auto view = StartIn(gif);
    graphics::TBitmap* offscreen = gif.OffscreenBitmap();
    ASSERT_NE(offscreen, nullptr);
    // Frame 0 is composed and shown before the draw returns, without any wait; then the
    // painter waits frame 0's delay.
    EXPECT_EQ(Pixel(offscreen, 0, 0), GlobalColor(1));
    EXPECT_EQ(Pixel(view.get(), 7, 7), GlobalColor(1));
    ASSERT_TRUE(PumpUntil([&] { return clock.Waits().size() == 1; }));
    EXPECT_EQ(clock.Waits()[0], 60u);
    EXPECT_EQ(Pixel(offscreen, 3, 3), GlobalColor(1));

    clock.Release();
    ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
    EXPECT_EQ(Pixel(offscreen, 0, 0), GlobalColor(2));
    EXPECT_EQ(clock.Waits().size(), 1u);  // played once, no wait after the last frame
    EXPECT_EQ(gif.DrawPainter(), nullptr);

    // Later draws keep showing the last composed frame, scaled into the view.
    auto other = Surface(8, 8, graphics::clWhite);
    gif.DrawInto(other->Canvas(), Rect(0, 0, 8, 8));
    EXPECT_EQ(Pixel(other.get(), 7, 7), GlobalColor(2));
    EXPECT_EQ(gif.PainterCount(), 0);
}

TEST_F(GIFPainter, WaitsFollowTheDelaysTheSpeedAndHalfTheOverrun) {
    auto build = [] {
        GifBuilder b(2, 2);
        for (int delay : {0, 1, 5, 2000})
            b.GraphicControl(0, delay, 0).LiteralImage(0, 0, 2, 2, Filled(4, 1));
        return b.Trailer().bytes();
    };
    struct Case {
        int speed;
        DWORD late;
        std::vector<DWORD> waits;
    };
    // Delay 0 counts as 10 units, 1 is raised to 3, units are 12 ms; a threaded painter keeps
    // 2000. The time by which a frame ran late is halved and taken off the next wait.
    for (const Case& c :
         {Case{100, 0, {120, 36, 60}}, Case{200, 0, {60, 18, 30}}, Case{100, 10, {120, 31, 55}}}) {
        StepClock clock(true, c.late);
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        gif.SetAnimationSpeed(c.speed);
        Load(gif, build());
        auto view = StartIn(gif);
        ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
        EXPECT_EQ(clock.Waits(), c.waits) << "speed " << c.speed << " late " << c.late;
    }
}

TEST_F(GIFPainter, RealTimeWaitsComeCloseToTheDelays) {
    TGIFImage gif;
    Load(gif, GifBuilder(2, 2)
                  .GraphicControl(0, 5, 0)
                  .LiteralImage(0, 0, 2, 2, Filled(4, 1))
                  .GraphicControl(0, 1, 0)
                  .LiteralImage(0, 0, 2, 2, Filled(4, 2))
                  .GraphicControl(0, 0, 0)
                  .LiteralImage(0, 0, 2, 2, Filled(4, 3))
                  .Trailer()
                  .bytes());
    std::vector<DWORD> times;
    gif.SetOnAfterPaint([&](core::TPersistent*) { times.push_back(platform::timeGetTime()); });
    auto view = StartIn(gif);
    ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
    ASSERT_EQ(times.size(), 3u);
    const int afterFive = static_cast<int>(times[1] - times[0]);
    const int afterOne = static_cast<int>(times[2] - times[1]);
    // 60 and 36 ms; a shared machine may run late, never much early, and a frame shown late
    // shortens the next wait by half its lateness so that the animation keeps its pace.
    EXPECT_GE(afterFive, 55);
    EXPECT_LE(afterFive, 400);
    EXPECT_GE(afterOne, 30 - std::max(0, afterFive - 60) / 2);
    EXPECT_LE(afterOne, 400);
    std::cout << "measured waits: " << afterFive << " ms (60 asked), " << afterOne
              << " ms (36 asked)\n";
}

TEST_F(GIFPainter, LoopExtensionSetsThePassesAndTheRestartFrame) {
    auto build = [](int loops) {
        return GifBuilder(2, 2)
            .LiteralImage(0, 0, 2, 2, Filled(4, 1))
            .Application("NETSCAPE2.0", {LoopBlock(loops)})
            .LiteralImage(0, 0, 2, 2, Filled(4, 2))
            .LiteralImage(0, 0, 2, 2, Filled(4, 3))
            .Trailer()
            .bytes();
    };
    {
        StepClock clock(true);
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        Load(gif, build(2));
        int loops = 0;
        gif.SetOnLoop([&](core::TPersistent*) { ++loops; });
        RecordPaints(gif);
        auto view = StartIn(gif);
        ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
        // Two passes in all, the second restarting at the frame that carries the extension.
        EXPECT_EQ(paints_, (std::vector<int>{0, 1, 2, 1, 2}));
        EXPECT_EQ(loops, 1);
    }
    {
        // Without DrawLooped the extension is read but the animation plays once.
        StepClock clock(true);
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        gif.SetDrawOptions(kDefaultDrawOptions & ~DrawLooped);
        Load(gif, build(0));
        paints_.clear();
        RecordPaints(gif);
        auto view = StartIn(gif);
        ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
        EXPECT_EQ(paints_, (std::vector<int>{0, 1, 2}));
    }
}

TEST_F(GIFPainter, LoopCountZeroRunsUntilThePictureGoes) {
    StepClock clock(true);
    int loops = 0;
    {
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        Load(gif, GifBuilder(2, 2)
                      .Application("NETSCAPE2.0", {LoopBlock(0)})
                      .LiteralImage(0, 0, 2, 2, Filled(4, 1))
                      .LiteralImage(0, 0, 2, 2, Filled(4, 2))
                      .Trailer()
                      .bytes());
        gif.SetOnLoop([&](core::TPersistent*) { ++loops; });
        auto view = StartIn(gif);
        ASSERT_TRUE(PumpUntil([&] { return loops >= 20; }));
        EXPECT_EQ(gif.PainterCount(), 1);
    }  // freeing the picture stops the painter and waits for it
}

TEST_F(GIFPainter, DisposalTwoRestoresTheBackgroundTheViewShowed) {
    // Frame 0 fills the screen and is disposed to background; frame 1 covers the left half.
    auto build = [] {
        return GifBuilder(4, 4)
            .GraphicControl(Disposal(2), 1, 0)
            .LiteralImage(0, 0, 4, 4, Filled(16, 1))
            .GraphicControl(Disposal(1), 1, 0)
            .LiteralImage(0, 0, 2, 4, Filled(8, 2))
            .Trailer()
            .bytes();
    };
    for (bool transparent : {true, false}) {
        StepClock clock(true);
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        if (!transparent) gif.SetDrawOptions(kDefaultDrawOptions & ~DrawTransparent);
        Load(gif, build());
        auto view = StartIn(gif);
        ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
        graphics::TBitmap* offscreen = gif.OffscreenBitmap();
        EXPECT_EQ(Pixel(offscreen, 0, 0), GlobalColor(2));
        // The copy of what the view showed, or else the file's background colour (index 0).
        EXPECT_EQ(Pixel(offscreen, 3, 0), transparent ? kWhite : GlobalColor(0)) << transparent;
        EXPECT_EQ(Pixel(offscreen, 3, 3), transparent ? kWhite : GlobalColor(0)) << transparent;
    }
}

TEST_F(GIFPainter, DisposalThreeTakesTheFrameAwayBeforeTheNext) {
    // Frame 0 fills the screen (left in place, or disposed to background), frame 1 covers the
    // top-left quarter and is disposed to previous, frame 2 is the bottom-right pixel.
    for (int first : {1, 2}) {
        StepClock clock;
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        Load(gif, GifBuilder(4, 4)
                      .GraphicControl(Disposal(first), 1, 0)
                      .LiteralImage(0, 0, 4, 4, Filled(16, 1))
                      .GraphicControl(Disposal(3), 1, 0)
                      .LiteralImage(0, 0, 2, 2, Filled(4, 2))
                      .GraphicControl(Disposal(1), 1, 0)
                      .LiteralImage(3, 3, 1, 1, Filled(1, 3))
                      .Trailer()
                      .bytes());
        const platform::COLORREF under = first == 1 ? GlobalColor(1) : kWhite;
        auto view = StartIn(gif);
        graphics::TBitmap* offscreen = gif.OffscreenBitmap();
        ASSERT_TRUE(PumpUntil([&] { return clock.Waits().size() == 1; }));
        clock.Release();
        ASSERT_TRUE(PumpUntil([&] { return clock.Waits().size() == 2; }));
        EXPECT_EQ(Pixel(offscreen, 0, 0), GlobalColor(2)) << first;  // shown while current
        EXPECT_EQ(Pixel(offscreen, 3, 0), under) << first;
        clock.Release();
        ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
        EXPECT_EQ(Pixel(offscreen, 0, 0), under) << first;  // gone before frame 2
        EXPECT_EQ(Pixel(offscreen, 3, 3), GlobalColor(3)) << first;
    }
}

TEST_F(GIFPainter, DrawingOnASecondCanvasPaintsTheOffscreenBitmapAndLeavesThePainter) {
    StepClock clock;
    TGIFImage gif;
    gif.SetPainterClock(&clock);
    Load(gif, GifBuilder(4, 4)
                  .LiteralImage(0, 0, 4, 4, Filled(16, 1))
                  .LiteralImage(0, 0, 4, 4, Filled(16, 2))
                  .Trailer()
                  .bytes());
    int changes = 0;
    gif.SetOnChange([&](core::TPersistent*) { ++changes; });
    auto view = StartIn(gif);
    ASSERT_TRUE(PumpUntil([&] { return clock.Waits().size() == 1; }));
    EXPECT_GT(changes, 0);  // the painter's paint told the picture's owner to repaint
    TGIFPainter* painter = gif.DrawPainter();
    ASSERT_NE(painter, nullptr);

    auto second = Surface(16, 16, graphics::clWhite);
    gif.DrawInto(second->Canvas(), Rect(0, 0, 16, 16));
    EXPECT_EQ(Pixel(second.get(), 15, 15), GlobalColor(1));
    gif.DrawInto(view->Canvas(), Rect(0, 0, 8, 8));  // a repaint of the view itself
    EXPECT_EQ(gif.DrawPainter(), painter);
    EXPECT_EQ(gif.PainterCount(), 1);
    EXPECT_FALSE(painter->Terminated());
    clock.Release();
    ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
}

TEST_F(GIFPainter, DirectDrawingOnAnotherRectangleReplacesThePainter) {
    StepClock clock;
    TGIFImage gif;
    gif.SetPainterClock(&clock);
    gif.SetDrawOptions(kDefaultDrawOptions | DrawDirect);
    Load(gif, GifBuilder(4, 4)
                  .LiteralImage(0, 0, 4, 4, Filled(16, 1))
                  .LiteralImage(0, 0, 4, 4, Filled(16, 2))
                  .Trailer()
                  .bytes());
    auto view = Surface(8, 8, graphics::clWhite);
    gif.DrawInto(view->Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(gif.OffscreenBitmap(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Pixel(view.get(), 3, 3) == GlobalColor(1); }));
    TGIFPainter* first = gif.DrawPainter();
    gif.DrawInto(view->Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(gif.DrawPainter(), first);  // same canvas and rectangle: left alone
    gif.DrawInto(view->Canvas(), Rect(4, 4, 8, 8));
    EXPECT_NE(gif.DrawPainter(), nullptr);
    EXPECT_EQ(gif.PainterCount(), 1);  // the first was stopped and waited for
    ASSERT_TRUE(PumpUntil([&] { return Pixel(view.get(), 7, 7) == GlobalColor(1); }));
}

TEST_F(GIFPainter, AFrameWithoutAColourTableTakesTheFirstFramesColours) {
    // No global table; frame 0 has a local one (the builder's entry i is (255 - i, 128, i)),
    // frame 1 none: its indices mean what they mean in frame 0.
    StepClock clock(true);
    TGIFImage gif;
    gif.SetPainterClock(&clock);
    gif.SetScreenColorBits(32);
    Load(gif, GifBuilder(2, 2, 0, false)
                  .LiteralImage(0, 0, 2, 2, Filled(4, 1), 0x81)
                  .LiteralImage(0, 0, 2, 2, Filled(4, 2))
                  .Trailer()
                  .bytes());
    auto view = StartIn(gif);
    ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
    EXPECT_EQ(Pixel(gif.OffscreenBitmap(), 1, 1), platform::COLORREF(253 | 128 << 8 | 2 << 16));
}

using UnthreadedGIFPainter = GIFPainter;

TEST_F(UnthreadedGIFPainter, PlaysInsideTheDrawCall) {
    StepClock clock(true);
    TGIFImage gif;
    gif.SetPainterClock(&clock);
    gif.SetDrawOptions(kDefaultDrawOptions & ~DrawInThread);
    Load(gif, GifBuilder(4, 4)
                  .GraphicControl(0, 2000, 0)
                  .LiteralImage(0, 0, 4, 4, Filled(16, 1))
                  .GraphicControl(0, 0, 0)
                  .LiteralImage(0, 0, 4, 4, Filled(16, 2))
                  .Trailer()
                  .bytes());
    auto view = StartIn(gif);
    EXPECT_EQ(gif.PainterCount(), 0);
    EXPECT_EQ(Pixel(view.get(), 7, 7), GlobalColor(2));
    EXPECT_TRUE(clock.Waits().empty());
    // 1 unit before the first frame, then 2000 lowered to 1000 units, in slices of 100 ms.
    DWORD total = 0;
    for (DWORD slice : clock.Sleeps()) {
        EXPECT_LE(slice, 100u);
        total += slice;
    }
    EXPECT_EQ(total, 12u + 12000u);
}

TEST_F(GIFPainter, PainterWithoutThreadServesTheQueueWhileItWaitsAndStopsAtAQuit) {
    using namespace platform;
    const Bytes twoFrames = GifBuilder(4, 4)
                                .GraphicControl(0, 10, 0)
                                .LiteralImage(0, 0, 4, 4, Filled(16, 1))
                                .GraphicControl(0, 10, 0)
                                .LiteralImage(0, 0, 4, 4, Filled(16, 2))
                                .Trailer()
                                .bytes();
    HWND edit =
        CreateWindowEx(0, "EDIT", "", WS_POPUP, 0, 0, 60, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    StepClock clock(true);
    TGIFImage gif;
    gif.SetPainterClock(&clock);
    gif.SetDrawOptions(kDefaultDrawOptions & ~DrawInThread);
    Load(gif, twoFrames);
    static const char kServed[] = "served";
    ASSERT_TRUE(PostMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kServed)));
    auto view = StartIn(gif);
    char text[16] = {};
    GetWindowText(edit, text, sizeof text);
    EXPECT_STREQ(text, kServed);  // dispatched while the painter waited
    EXPECT_EQ(Pixel(view.get(), 7, 7), GlobalColor(2));

    // A request to quit ends the animation at its next wait and stays for the program's loop.
    TGIFImage quitting;
    quitting.SetPainterClock(&clock);
    quitting.SetDrawOptions(kDefaultDrawOptions & ~DrawInThread);
    Load(quitting, twoFrames);
    PostQuitMessage(7);
    auto stopped = StartIn(quitting);
    EXPECT_NE(Pixel(stopped.get(), 7, 7), GlobalColor(2));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    DestroyWindow(edit);
}

TEST_F(GIFPainter, FailuresEndThePainterWithoutEndingTheProgram) {
    auto bytes = GifBuilder(2, 2)
                     .LiteralImage(0, 0, 2, 2, Filled(4, 1))
                     .LiteralImage(0, 0, 2, 2, Filled(4, 2))
                     .Trailer()
                     .bytes();
    {
        StepClock clock(true);
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        Load(gif, bytes);
        int paints = 0;
        gif.SetOnPaint([&](core::TPersistent*) {
            if (++paints == 2) throw core::EInvalidGraphic("broken handler");
        });
        auto view = StartIn(gif);
        TGIFPainter* painter = gif.DrawPainter();
        ASSERT_NE(painter, nullptr);
        testing::internal::CaptureStderr();
        ASSERT_TRUE(PumpUntil([&] { return painter->Finished(); }));
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "GIF animation stopped: broken handler\n");
        EXPECT_TRUE(painter->Error() != nullptr);
        EXPECT_EQ(painter->ActiveImage(), -1);
        EXPECT_EQ(gif.PainterCount(), 0);
    }
    {
        // A failure on the first frame, played inside the draw, is written out as well.
        StepClock clock(true);
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        Load(gif, bytes);
        gif.SetOnPaint([](core::TPersistent*) { throw core::EInvalidGraphic("broken handler"); });
        testing::internal::CaptureStderr();
        auto view = StartIn(gif);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "GIF animation stopped: broken handler\n");
        EXPECT_EQ(gif.DrawPainter(), nullptr);
        EXPECT_EQ(gif.PainterCount(), 0);
    }
    {
        StepClock clock(true);
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        gif.SetDrawOptions(kDefaultDrawOptions & ~DrawInThread);
        Load(gif, bytes);
        gif.SetOnPaint([](core::TPersistent*) { throw core::EInvalidGraphic("broken handler"); });
        auto view = Surface(8, 8, graphics::clWhite);
        EXPECT_THROW(gif.DrawInto(view->Canvas(), Rect(0, 0, 8, 8)), core::EInvalidGraphic);
        EXPECT_EQ(gif.PainterCount(), 0);
    }
}

TEST_F(GIFPainter, SpeedZeroWaitsUntilStopped) {
    StepClock clock;
    TGIFImage gif;
    gif.SetPainterClock(&clock);
    gif.SetAnimationSpeed(0);
    Load(gif, GifBuilder(2, 2)
                  .LiteralImage(0, 0, 2, 2, Filled(4, 1))
                  .LiteralImage(0, 0, 2, 2, Filled(4, 2))
                  .Trailer()
                  .bytes());
    auto view = StartIn(gif);
    ASSERT_TRUE(PumpUntil([&] { return clock.Waits().size() == 1; }));
    EXPECT_EQ(clock.Waits()[0], platform::INFINITE);
    gif.StopDraw();
    EXPECT_EQ(gif.PainterCount(), 0);
    EXPECT_EQ(gif.OffscreenBitmap(), nullptr);
}

TEST_F(GIFPainter, FreeingOrClearingWhileAFrameRendersIsSafe) {
    // Frame 1 is large: the painter renders it in its own thread right after frame 0.
    const int side = 1600;
    auto bytes = GifBuilder(side, side, 2)
                     .LiteralImage(0, 0, 2, 2, Filled(4, 1))
                     .LiteralImage(0, 0, side, side, Filled(side * side, 3))
                     .Trailer()
                     .bytes();
    for (bool destroy : {true, false}) {
        auto gif = std::make_unique<TGIFImage>();
        gif->SetScreenColorBits(8);  // dithered: the slower rendering
        Load(*gif, bytes);
        std::atomic<bool> painted{false};
        gif->SetOnAfterPaint([&](core::TPersistent*) { painted = true; });
        auto view = Surface(8, 8, graphics::clWhite);
        gif->DrawInto(view->Canvas(), Rect(0, 0, 8, 8));
        ASSERT_TRUE(PumpUntil([&] { return painted.load(); }));
        // Frame 0 is up; the painter goes on to render frame 1 while this thread does not
        // serve it.
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        const auto start = std::chrono::steady_clock::now();
        if (destroy) {
            gif.reset();
        } else {
            gif->Clear();
            EXPECT_EQ(gif->PainterCount(), 0);
            EXPECT_EQ(gif->FrameCount(), 0);
            EXPECT_EQ(gif->OffscreenBitmap(), nullptr);
        }
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - start)
                              .count();
        std::cout << (destroy ? "freed" : "cleared") << " during rendering in " << took << " ms\n";
    }
}

TEST_F(GIFPainter, ClearOnLoopRestoresTheFirstFramesAreaAtEachPass) {
    // Frame 0 leaves its top-left pixel transparent; frame 1 paints it. On the second pass the
    // pixel shows frame 1 again unless the first frame's area is cleared first.
    auto bytes = GifBuilder(4, 4)
                     .Application("NETSCAPE2.0", {LoopBlock(2)})
                     .GraphicControl(0x01, 1, 0)
                     .LiteralImage(0, 0, 4, 4, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1})
                     .GraphicControl(0, 1, 0)
                     .LiteralImage(0, 0, 1, 1, Filled(1, 2))
                     .Trailer()
                     .bytes();
    for (bool clear : {true, false}) {
        StepClock clock;
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        if (clear) gif.SetDrawOptions(kDefaultDrawOptions | DrawClearOnLoop);
        Load(gif, bytes);
        auto view = StartIn(gif);
        graphics::TBitmap* offscreen = gif.OffscreenBitmap();
        ASSERT_TRUE(PumpUntil([&] { return clock.Waits().size() == 1; }));
        EXPECT_EQ(Pixel(offscreen, 0, 0), kWhite);
        clock.Release();
        ASSERT_TRUE(PumpUntil([&] { return clock.Waits().size() == 2; }));
        EXPECT_EQ(Pixel(offscreen, 0, 0), GlobalColor(2));
        clock.Release();
        ASSERT_TRUE(PumpUntil([&] { return clock.Waits().size() == 3; }));  // frame 0 again
        EXPECT_EQ(Pixel(offscreen, 0, 0), clear ? kWhite : GlobalColor(2)) << clear;
        EXPECT_EQ(Pixel(offscreen, 3, 3), GlobalColor(1));
        clock.Release();
        ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
    }
}

TEST_F(GIFPainter, TiledPictureRepeatsTheOffscreenBitmap) {
    StepClock clock(true);
    TGIFImage gif;
    gif.SetPainterClock(&clock);
    gif.SetDrawOptions(kDefaultDrawOptions | DrawTiled);
    Load(gif, GifBuilder(4, 4)
                  .LiteralImage(0, 0, 2, 4, Filled(8, 1))
                  .LiteralImage(0, 0, 2, 4, Filled(8, 2))
                  .Trailer()
                  .bytes());
    auto view = StartIn(gif);
    ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
    auto other = Surface(8, 8, graphics::clWhite);
    gif.DrawInto(other->Canvas(), Rect(0, 0, 8, 8));
    EXPECT_EQ(Pixel(other.get(), 4, 5), GlobalColor(2));  // second tile starts with the frame
    EXPECT_EQ(Pixel(other.get(), 2, 5), kWhite);
    EXPECT_EQ(Pixel(other.get(), 7, 7), kWhite);
}

TEST_F(GIFPainter, CheckCanvasEndsThePainterWhenTheTargetContextIsGone) {
    auto bytes = GifBuilder(2, 2)
                     .GraphicControl(Disposal(2), 1, 0)
                     .LiteralImage(0, 0, 2, 2, Filled(4, 1))
                     .GraphicControl(Disposal(1), 1, 0)
                     .LiteralImage(0, 0, 2, 2, Filled(4, 2))
                     .Trailer()
                     .bytes();
    for (bool check : {true, false}) {
        StepClock clock;
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        if (check) gif.SetDrawOptions(kDefaultDrawOptions | DrawCheckCanvas);
        Load(gif, bytes);
        auto view = StartIn(gif);
        ASSERT_TRUE(PumpUntil([&] { return clock.Waits().size() == 1; }));
        graphics::FreeMemoryContexts();  // what the message loop does after each message
        clock.Release();
        ASSERT_TRUE(PumpUntil([&] { return gif.PainterCount() == 0; }));
        EXPECT_EQ(Pixel(gif.OffscreenBitmap(), 0, 0), check ? GlobalColor(1) : GlobalColor(2))
            << check;
    }
}

// Without a message loop (as in the command-line tool and the fuzzer) a painter reports its
// end from its own thread; stopping it must not wait while holding the lock it reports under.
TEST(GIFPainterWithoutLoop, FreeingThePictureReturnsWhilePaintersEnd) {
    for (int round = 0; round < 20; ++round) {
        StepClock clock(true);
        TGIFImage gif;
        gif.SetPainterClock(&clock);
        Load(gif, GifBuilder(2, 2)
                      .LiteralImage(0, 0, 2, 2, Filled(4, 1))
                      .LiteralImage(0, 0, 2, 2, Filled(4, 2))
                      .Trailer()
                      .bytes());
        graphics::TBitmap target;
        target.SetWidth(2);
        target.SetHeight(2);
        target.Canvas().DrawGraphic(Rect(0, 0, 2, 2), &gif);
        target.Canvas().DrawGraphic(Rect(0, 0, 2, 1), &gif);  // replaces the first painter
        EXPECT_LE(gif.PainterCount(), 1);
    }  // each picture's destruction stops and joins its painters
}
