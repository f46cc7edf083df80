#pragma once
// The GIF picture: a graphic that loads a GIF file into its data model, renders frames to
// bitmaps with masks on demand, and draws itself scaled into a canvas rectangle.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "codecs/gif/gif_data.h"
#include "codecs/gif/gif_draw_options.h"
#include "codecs/gif/gif_painter.h"
#include "graphics/bitmap.h"
#include "graphics/graphic.h"

namespace codecs::gif {

class TGIFImage : public graphics::TGraphic {
    TEMBRIN_GRAPHIC_CLASS(TGIFImage)

  public:
    TGIFImage();
    ~TGIFImage() override;

    // --- the graphic's operations ---
    void CopyFrom(const core::TPersistent* source) override;
    void DrawInto(graphics::TCanvas& canvas, const graphics::TRect& rect) override;
    bool IsEmpty() const override { return data_.IsEmpty(); }
    int Width() const override { return data_.Width(); }
    int Height() const override { return data_.Height(); }
    // The picture's palette, made on first request.
    platform::HPALETTE Palette() const override;
    bool Transparent() const override;
    // The logical screen comes from the file; these change nothing.
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void LoadFromStream(core::TStream& stream) override;
    // Writes the file as it was loaded.
    void SaveToStream(core::TStream& stream) override;
    // The program never uses the clipboard; these do nothing.
    void LoadClipboard(uint16_t, uintptr_t, platform::HPALETTE) override {}
    void SaveClipboard(uint16_t&, uintptr_t&, platform::HPALETTE&) override {}

    // --- the loaded file ---
    TGIFData& Data() { return data_; }
    const TGIFData& Data() const { return data_; }
    int FrameCount() const { return data_.Count(); }
    TGIFSubImage& Images(int index) { return data_.Images(index); }
    // Drops frames, rendered bitmaps, palettes and the off-screen bitmap.
    void Clear();

    // --- rendering ---
    // The frame's bitmap, rendered on first request (none for a frame without an image, or
    // when rendering was aborted).
    graphics::TBitmap* FrameBitmap(int index);
    // The frame's 1-bit mask (1 = transparent), made with its bitmap; none when the frame has
    // no transparent pixel.
    platform::HBITMAP FrameMask(int index);
    platform::HPALETTE FramePalette(int index) const;
    // Paints one frame into `rect`: scaled from the logical screen unless tiled, through its
    // mask when `transparent` is set and the frame has one.
    void DrawFrame(int index, graphics::TCanvas& canvas, const graphics::TRect& rect, bool tiled,
                   bool transparent);
    // Stops the picture's drawing painter and frees the off-screen bitmap.
    void StopDraw();
    // The frame's rectangle scaled from the logical screen into `rect`.
    graphics::TRect ScaledFrameRect(const TGIFSubImage& frame, const graphics::TRect& rect) const;

    // --- animation ---
    // Renders a frame's bitmap and mask for a painter. With `stopRequested` the rendering
    // runs in the painter's thread: it reports no progress and gives up when asked to stop.
    void PrepareFrame(int index, const std::function<bool()>& stopRequested);
    // Painters still running, and the one that draws into the off-screen bitmap.
    int PainterCount();
    TGIFPainter* DrawPainter();
    // The composed picture of the animation, made by the first animated draw.
    graphics::TBitmap* OffscreenBitmap() { return offscreen_.get(); }
    // Called by a painter in the user-interface thread when it ends.
    void PainterEnded(TGIFPainter& painter);
    // Stops every painter and waits until each has ended.
    void StopPainters();
    // Time and waits used by the painters started from now on; none: the system's.
    TGIFPainterClock* PainterClock() const { return painterClock_; }
    void SetPainterClock(TGIFPainterClock* clock) { painterClock_ = clock; }

    // --- settings ---
    TGIFDrawOptions DrawOptions() const { return drawOptions_; }
    void SetDrawOptions(TGIFDrawOptions value) { drawOptions_ = value; }
    int AnimationSpeed() const { return animationSpeed_; }
    void SetAnimationSpeed(int value) { animationSpeed_ = value; }
    TGIFThreadPriority ThreadPriority() const { return threadPriority_; }
    void SetThreadPriority(TGIFThreadPriority value) { threadPriority_ = value; }
    graphics::TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(graphics::TColor value) { backgroundColor_ = value; }
    // Colour depth that decides automatic dithering; the screen's unless set.
    void SetScreenColorBits(int bits) { screenBits_ = bits; }
    bool Dithering() const;

    // Notifications copied into each painter (start, paint, after paint, loop, end).
    const graphics::TNotifyEvent& OnStartPaint() const { return onStartPaint_; }
    void SetOnStartPaint(graphics::TNotifyEvent handler) { onStartPaint_ = std::move(handler); }
    const graphics::TNotifyEvent& OnPaint() const { return onPaint_; }
    void SetOnPaint(graphics::TNotifyEvent handler) { onPaint_ = std::move(handler); }
    const graphics::TNotifyEvent& OnAfterPaint() const { return onAfterPaint_; }
    void SetOnAfterPaint(graphics::TNotifyEvent handler) { onAfterPaint_ = std::move(handler); }
    const graphics::TNotifyEvent& OnLoop() const { return onLoop_; }
    void SetOnLoop(graphics::TNotifyEvent handler) { onLoop_ = std::move(handler); }
    const graphics::TNotifyEvent& OnEndPaint() const { return onEndPaint_; }
    void SetOnEndPaint(graphics::TNotifyEvent handler) { onEndPaint_ = std::move(handler); }

  private:
    struct FrameRender {
        std::unique_ptr<graphics::TBitmap> bitmap;
        platform::HBITMAP mask = nullptr;
        bool needMask = true;
        mutable platform::HPALETTE palette = nullptr;
        mutable bool ownsPalette = false;
    };

    void ReleaseRendering();
    void RenderFrame(int index);
    void MakeBitmap(int index, const std::function<bool()>* stopRequested = nullptr);
    void StartPainter(graphics::TCanvas& canvas, const graphics::TRect& rect);
    // Paints the off-screen bitmap, stretched or tiled as the options say.
    void DrawOffscreen(graphics::TCanvas& canvas, const graphics::TRect& rect);
    void StopPainter(TGIFPainter* painter);
    void RemovePainter(TGIFPainter* painter);
    void ReapPainters();
    void PaintFrame(int index, graphics::TCanvas& canvas, const graphics::TRect& target,
                    bool transparent);
    // Where an animated picture's painter is started; until the painter exists this draws
    // the first frame.
    void DrawAnimatedStart(graphics::TCanvas& canvas, const graphics::TRect& rect);
    void ReportProgress(graphics::TProgressStage stage, int percent, bool redraw,
                        const std::string& message);

    TGIFData data_;
    std::vector<uint8_t> fileBytes_;  // the file as loaded, for copies and saving
    std::vector<FrameRender> frames_;
    std::unique_ptr<graphics::TBitmap> offscreen_;
    mutable platform::HPALETTE palette_ = nullptr;
    mutable bool ownsPalette_ = false;
    mutable bool computingPalette_ = false;
    // Guards the painter list and the drawing painter reference.
    std::recursive_mutex paintersLock_;
    std::vector<std::unique_ptr<TGIFPainter>> painters_;
    TGIFPainter* drawPainter_ = nullptr;
    // Frame rendering may run in a painter's thread while the user-interface thread draws.
    // Palettes are made on first request, by either thread.
    mutable std::recursive_mutex renderLock_;
    TGIFPainterClock* painterClock_ = nullptr;
    bool drawing_ = false;

    TGIFDrawOptions drawOptions_ = kDefaultDrawOptions;
    int animationSpeed_ = 100;
    TGIFThreadPriority threadPriority_ = TGIFThreadPriority::tpNormal;
    graphics::TColor backgroundColor_ = graphics::clNone;
    int screenBits_ = -1;
    graphics::TNotifyEvent onStartPaint_, onPaint_, onAfterPaint_, onLoop_, onEndPaint_;
};

// Start-up and shutdown: the "gif" file format ("GIF Image") and the clipboard format.
void RegisterGIFImage();
void UnregisterGIFImage();
// The clipboard format number registered under the name "GIF Image".
uint16_t GIFClipboardFormat();

}  // namespace codecs::gif
