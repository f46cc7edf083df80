#include "codecs/gif/gif_image.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "codecs/gif/gif_frame_dib.h"
#include "codecs/gif/gif_palette.h"
#include "codecs/gif/gif_strings.h"
#include "graphics/canvas.h"
#include "graphics/picture.h"
#include "platform/gdi/gdi.h"

namespace codecs::gif {

using graphics::TCanvas;
using graphics::TProgressStage;
using graphics::TRect;
using namespace platform;

TEMBRIN_DEFINE_GRAPHIC_CLASS(TGIFImage, graphics::TGraphic)

int ScreenColorBits() {
    static const int bits = [] {
        HDC screen = GetDC(nullptr);
        int value = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(nullptr, screen);
        return value;
    }();
    return bits;
}

namespace {

// Rounds half away from zero, as the platform's MulDiv does.
int MulDiv(int64_t value, int64_t numerator, int64_t denominator) {
    int64_t product = value * numerator;
    int64_t half = std::llabs(denominator) / 2;
    int64_t rounded = (product < 0) != (denominator < 0) ? (product - half) / denominator
                                                         : (product + half) / denominator;
    return static_cast<int>(rounded);
}

graphics::TProgressStage ToGraphicStage(TGIFProgressStage stage) {
    switch (stage) {
        case TGIFProgressStage::psStarting:
            return TProgressStage::psStarting;
        case TGIFProgressStage::psRunning:
            return TProgressStage::psRunning;
        case TGIFProgressStage::psEnding:
            break;
    }
    return TProgressStage::psEnding;
}

// The ternary raster operation that leaves the destination as it is.
constexpr DWORD kKeepDestination = 0x00AA0029;

// A memory context with one bitmap selected, released in reverse order.
class MemoryContext {
  public:
    MemoryContext(HDC compatible, HBITMAP bitmap)
        : dc_(CreateCompatibleDC(compatible)), old_(SelectObject(dc_, bitmap)) {}
    ~MemoryContext() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MemoryContext(const MemoryContext&) = delete;
    MemoryContext& operator=(const MemoryContext&) = delete;
    HDC Handle() const { return dc_; }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// Source through mask into `target` of `dest`: where the mask is 1 the destination stays.
void TransparentBlit(HDC dest, const TRect& target, HDC source, int width, int height,
                     HBITMAP mask) {
    if (target.Width() == width && target.Height() == height) {
        MaskBlt(dest, target.left, target.top, width, height, source, 0, 0, mask, 0, 0,
                MAKEROP4(kKeepDestination, SRCCOPY));
        return;
    }
    MemoryContext maskDC(dest, mask);
    HBITMAP maskedSource = CreateCompatibleBitmap(dest, width, height);
    if (!maskedSource) graphics::GdiError();
    {
        MemoryContext masked(dest, maskedSource);
        // Inverted mask in colour (transparent pixels black), then AND the frame onto it.
        SetTextColor(masked.Handle(), 0x000000);
        SetBkColor(masked.Handle(), 0xFFFFFF);
        BitBlt(masked.Handle(), 0, 0, width, height, maskDC.Handle(), 0, 0, NOTSRCCOPY);
        BitBlt(masked.Handle(), 0, 0, width, height, source, 0, 0, SRCAND);
        COLORREF oldText = SetTextColor(dest, 0x000000);
        COLORREF oldBack = SetBkColor(dest, 0xFFFFFF);
        StretchBlt(dest, target.left, target.top, target.Width(), target.Height(), maskDC.Handle(),
                   0, 0, width, height, SRCAND);
        StretchBlt(dest, target.left, target.top, target.Width(), target.Height(), masked.Handle(),
                   0, 0, width, height, SRCPAINT);
        SetTextColor(dest, oldText);
        SetBkColor(dest, oldBack);
    }
    DeleteObject(maskedSource);
}

}  // namespace

TGIFImage::TGIFImage() {
    data_.SetOnProgress(
        [this](TGIFProgressStage stage, int percent, bool redraw, const std::string& message) {
            ReportProgress(ToGraphicStage(stage), percent, redraw, message);
        });
}

TGIFImage::~TGIFImage() {
    // A painter still rendering or waiting would otherwise touch the freed picture.
    StopPainters();
    ReleaseRendering();
}

void TGIFImage::ReportProgress(TProgressStage stage, int percent, bool redraw,
                               const std::string& message) {
    Progress(this, stage, static_cast<uint8_t>(std::clamp(percent, 0, 100)), redraw, TRect{},
             message);
}

bool TGIFImage::Dithering() const {
    return DitheringInForce(drawOptions_, screenBits_ >= 0 ? screenBits_ : ScreenColorBits());
}

bool TGIFImage::Transparent() const {
    for (int i = 0; i < data_.Count(); ++i)
        if (data_.Images(i).Transparent()) return true;
    return false;
}

// --- loading and copying ---

void TGIFImage::Clear() {
    StopPainters();
    ReleaseRendering();
    data_.Clear();
    fileBytes_.clear();
}

void TGIFImage::ReleaseRendering() {
    for (FrameRender& frame : frames_) {
        if (frame.mask) DeleteObject(frame.mask);
        if (frame.ownsPalette) DeleteObject(frame.palette);
    }
    frames_.clear();
    if (ownsPalette_) DeleteObject(palette_);
    palette_ = nullptr;
    ownsPalette_ = false;
    offscreen_.reset();
}

void TGIFImage::LoadFromStream(core::TStream& stream) {
    StopPainters();
    ReleaseRendering();
    fileBytes_.clear();
    // The file is read once into memory; the parse runs over that copy, and the bytes it
    // used are kept so that the picture can be copied and saved as it was loaded.
    const int64_t start = stream.Position();
    core::TMemoryStream copy;
    copy.SetSize(stream.Remaining());
    stream.ReadBuffer(copy.Memory(), copy.Size());
    copy.SetPosition(0);
    try {
        data_.LoadFromStream(copy);
    } catch (...) {
        stream.SetPosition(start);
        frames_.resize(static_cast<size_t>(data_.Count()));
        throw;
    }
    // Skipping blocks can move past the end of the data; only the bytes that exist count.
    const int64_t used = std::min(copy.Position(), copy.Size());
    stream.SetPosition(start + used);
    fileBytes_.assign(copy.Memory(), copy.Memory() + used);
    frames_.resize(static_cast<size_t>(data_.Count()));
}

void TGIFImage::SaveToStream(core::TStream& stream) {
    stream.WriteBuffer(fileBytes_.data(), static_cast<int64_t>(fileBytes_.size()));
}

void TGIFImage::CopyFrom(const core::TPersistent* source) {
    const auto* other = dynamic_cast<const TGIFImage*>(source);
    if (source && !other) {
        graphics::TGraphic::CopyFrom(source);  // the source may know how to copy itself here
        return;
    }
    if (!other) {
        Clear();
        NotifyChange();
        return;
    }
    if (other == this) return;
    drawOptions_ = other->drawOptions_;
    animationSpeed_ = other->animationSpeed_;
    threadPriority_ = other->threadPriority_;
    backgroundColor_ = other->backgroundColor_;
    Clear();
    std::vector<uint8_t> bytes = other->fileBytes_;
    if (!bytes.empty()) {
        core::TBytesStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
        LoadFromStream(stream);
    }
    NotifyChange();
}

// --- frame bitmaps ---

void TGIFImage::MakeBitmap(int index, const std::function<bool()>* stopRequested) {
    FrameRender& render = frames_.at(static_cast<size_t>(index));
    const TGIFSubImage& frame = data_.Images(index);
    if (!frame.HasImage()) {
        render.needMask = false;
        return;
    }
    // A painter's thread reports nothing: progress handlers belong to the user-interface
    // thread, which may be waiting for this painter to end.
    const bool report = stopRequested == nullptr;
    if (report) ReportProgress(TProgressStage::psStarting, 0, false, strings::SRendering);
    int percent = 0;
    try {
        // Undithered, the entries are the frame palette's: a frame without a table of its own
        // takes the picture's, and none anywhere raises "No global or local color table".
        const bool dithered = Dithering();
        const std::vector<TGIFColor> colors =
            dithered ? std::vector<TGIFColor>() : PaletteColors(FramePalette(index));
        TGIFFrameDIB dib =
            BuildFrameDIB(frame, colors, dithered, render.needMask, [&](int row, int h) {
                if (!report) {
                    if ((*stopRequested)()) throw core::EAbort();
                    return;
                }
                ReportProgress(TProgressStage::psRunning, row * 100 / h, false,
                               strings::SRendering);
            });
        auto bitmap = std::make_unique<graphics::TBitmap>();
        core::TBytesStream file(dib.file.data(), static_cast<int64_t>(dib.file.size()));
        bitmap->LoadFromStream(file);
        if (render.needMask && dib.anyTransparent) {
            render.mask = CreateBitmap(frame.Width(), frame.Height(), 1, 1, dib.maskBits.data());
            if (!render.mask) graphics::GdiError();
        }
        render.needMask = false;
        render.bitmap = std::move(bitmap);
        percent = 100;
    } catch (const core::EAbort&) {
        // A progress handler stopped the rendering; the frame stays without a bitmap.
    } catch (...) {
        if (report)
            ReportProgress(TProgressStage::psEnding, 0, PaletteModified(), strings::SRendering);
        throw;
    }
    if (!report) return;
    ReportProgress(TProgressStage::psEnding, percent, PaletteModified(), strings::SRendering);
    if (PaletteModified()) NotifyChange();
}

void TGIFImage::RenderFrame(int index) {
    std::lock_guard guard(renderLock_);
    FrameRender& render = frames_.at(static_cast<size_t>(index));
    if (!render.bitmap && data_.Images(index).HasImage()) MakeBitmap(index);
}

void TGIFImage::PrepareFrame(int index, const std::function<bool()>& stopRequested) {
    if (!stopRequested) {
        RenderFrame(index);
        return;
    }
    std::lock_guard guard(renderLock_);
    FrameRender& render = frames_.at(static_cast<size_t>(index));
    if (!render.bitmap && data_.Images(index).HasImage()) MakeBitmap(index, &stopRequested);
}

graphics::TBitmap* TGIFImage::FrameBitmap(int index) {
    RenderFrame(index);
    return frames_.at(static_cast<size_t>(index)).bitmap.get();
}

HBITMAP TGIFImage::FrameMask(int index) {
    RenderFrame(index);
    return frames_.at(static_cast<size_t>(index)).mask;
}

// --- palettes ---

HPALETTE TGIFImage::FramePalette(int index) const {
    std::lock_guard guard(renderLock_);  // a painter's thread may be rendering a frame
    const FrameRender& render = frames_.at(static_cast<size_t>(index));
    if (render.bitmap && render.bitmap->Palette()) return render.bitmap->Palette();
    if (render.palette) return render.palette;
    if (Dithering()) return DitherPalette();
    const TGIFSubImage& frame = data_.Images(index);
    if (frame.ColorMap().Count() > 0) {
        render.palette = CreateColorMapPalette(frame.ColorMap());
        render.ownsPalette = true;
        return render.palette;
    }
    return Palette();
}

HPALETTE TGIFImage::Palette() const {
    std::lock_guard guard(renderLock_);
    if (offscreen_ && offscreen_->Palette()) return offscreen_->Palette();
    if (palette_) return palette_;
    if (Dithering()) return DitherPalette();
    if (data_.GlobalColorMap().Count() > 0) {
        palette_ = CreateColorMapPalette(data_.GlobalColorMap());
        ownsPalette_ = true;
        return palette_;
    }
    if (data_.IsEmpty()) return nullptr;
    // Without a global table the picture takes frame 0's, which must not lead back here.
    if (computingPalette_) throw GIFException(strings::SNoColorTable);
    computingPalette_ = true;
    try {
        HPALETTE palette = FramePalette(0);
        computingPalette_ = false;
        return palette;
    } catch (...) {
        computingPalette_ = false;
        throw;
    }
}

// --- drawing ---

TRect TGIFImage::ScaledFrameRect(const TGIFSubImage& frame, const TRect& rect) const {
    const int w = rect.Width();
    const int h = rect.Height();
    return {rect.left + MulDiv(frame.Left(), w, Width()),
            rect.top + MulDiv(frame.Top(), h, Height()),
            rect.left + MulDiv(frame.Left() + frame.Width(), w, Width()),
            rect.top + MulDiv(frame.Top() + frame.Height(), h, Height())};
}

void TGIFImage::PaintFrame(int index, TCanvas& canvas, const TRect& target, bool transparent) {
    FrameRender& render = frames_.at(static_cast<size_t>(index));
    if (transparent && data_.Images(index).Transparent()) {
        RenderFrame(index);
        if (render.mask && render.bitmap) {
            graphics::TBitmap& bitmap = *render.bitmap;
            // The target may share its image with a copy; it is made private before the
            // blit writes into it.
            canvas.Changing();
            TransparentBlit(canvas.Handle(), target, bitmap.Canvas().Handle(), bitmap.Width(),
                            bitmap.Height(), render.mask);
            canvas.Changed();
            return;
        }
    }
    if (graphics::TBitmap* bitmap = FrameBitmap(index)) canvas.DrawGraphic(target, bitmap);
}

void TGIFImage::DrawFrame(int index, TCanvas& canvas, const TRect& rect, bool tiled,
                          bool transparent) {
    // A logical screen without area has no scale to draw at.
    if (Width() <= 0 || Height() <= 0) return;
    const TGIFSubImage& frame = data_.Images(index);
    if (!frame.HasImage()) return;
    if (!tiled) {
        PaintFrame(index, canvas, ScaledFrameRect(frame, rect), transparent);
        return;
    }
    // Tiles of the logical screen's size, each holding the frame at its own position.
    HDC dc = canvas.Handle();
    int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    try {
        for (int y = rect.top; y < rect.bottom; y += Height())
            for (int x = rect.left; x < rect.right; x += Width())
                PaintFrame(index, canvas,
                           graphics::Bounds(x + frame.Left(), y + frame.Top(), frame.Width(),
                                            frame.Height()),
                           transparent);
    } catch (...) {
        RestoreDC(dc, saved);
        throw;
    }
    RestoreDC(dc, saved);
}

// --- painters ---

// Painters are waited for without holding the painter lock: an ending painter takes that lock
// to report itself, from its own thread when no message loop serves it.
void TGIFImage::StopDraw() {
    TGIFPainter* painter;
    {
        std::lock_guard guard(paintersLock_);
        painter = drawPainter_;
    }
    StopPainter(painter);
    std::lock_guard guard(paintersLock_);
    offscreen_.reset();
}

void TGIFImage::StopPainter(TGIFPainter* painter) {
    if (!painter) return;
    // Waiting, on the user-interface thread, serves the painter's paints until it ends, so
    // nothing it draws on is freed under it.
    painter->Stop();
    painter->WaitFor();
    RemovePainter(painter);
}

void TGIFImage::StopPainters() {
    std::vector<std::unique_ptr<TGIFPainter>> stopping;
    {
        std::lock_guard guard(paintersLock_);
        stopping.swap(painters_);
        drawPainter_ = nullptr;
    }
    for (auto& painter : stopping) painter->Stop();
    for (auto& painter : stopping) painter->WaitFor();
}

void TGIFImage::RemovePainter(TGIFPainter* painter) {
    std::lock_guard guard(paintersLock_);
    if (drawPainter_ == painter) drawPainter_ = nullptr;
    auto found = std::find_if(painters_.begin(), painters_.end(),
                              [&](const auto& p) { return p.get() == painter; });
    if (found == painters_.end()) return;
    std::unique_ptr<TGIFPainter> owned = std::move(*found);
    painters_.erase(found);
}

void TGIFImage::ReapPainters() {
    std::lock_guard guard(paintersLock_);
    std::erase_if(painters_, [](const auto& p) { return p->Finished(); });
}

void TGIFImage::PainterEnded(TGIFPainter& painter) {
    std::lock_guard guard(paintersLock_);
    if (drawPainter_ == &painter) drawPainter_ = nullptr;
}

int TGIFImage::PainterCount() {
    std::lock_guard guard(paintersLock_);
    return static_cast<int>(std::count_if(painters_.begin(), painters_.end(),
                                          [](const auto& p) { return !p->Finished(); }));
}

TGIFPainter* TGIFImage::DrawPainter() {
    std::lock_guard guard(paintersLock_);
    return drawPainter_;
}

void TGIFImage::DrawInto(TCanvas& canvas, const TRect& rect) {
    if (drawing_ || IsEmpty()) return;
    drawing_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{drawing_};
    const bool tiled = (drawOptions_ & DrawTiled) != 0;
    const bool transparent = (drawOptions_ & DrawTransparent) != 0;
    if (FrameCount() == 1 || !(drawOptions_ & DrawAnimated)) {
        DrawFrame(0, canvas, rect, tiled, transparent);
        return;
    }
    ReapPainters();  // joins the threads of painters that have played to their end
    if (offscreen_ && !(drawOptions_ & DrawDirect)) {
        DrawOffscreen(canvas, rect);
        return;
    }
    DrawAnimatedStart(canvas, rect);
}

void TGIFImage::DrawAnimatedStart(TCanvas& canvas, const TRect& rect) {
    {
        std::lock_guard guard(paintersLock_);
        if (drawPainter_ && !drawPainter_->Finished() && &drawPainter_->Canvas() == &canvas &&
            drawPainter_->Rect() == rect)
            return;
    }
    StopDraw();
    std::lock_guard guard(paintersLock_);
    // A logical screen without area has no scale to compose at.
    if (rect.Width() <= 0 || rect.Height() <= 0 || Width() <= 0 || Height() <= 0) return;
    if (drawOptions_ & DrawDirect) {
        StartPainter(canvas, rect);
        return;
    }
    // The painter composes into a bitmap of the logical screen that starts as what the
    // target shows; every change to it makes the views showing the picture repaint.
    const TRect whole{0, 0, Width(), Height()};
    auto offscreen = std::make_unique<graphics::TBitmap>();
    offscreen->SetWidth(Width());
    offscreen->SetHeight(Height());
    offscreen->SetPalette(DuplicatePalette(Palette()));
    offscreen->Canvas().CopyRect(whole, canvas, rect);
    offscreen->SetOnChange([this](core::TPersistent*) { NotifyChange(); });
    offscreen_ = std::move(offscreen);
    StartPainter(offscreen_->Canvas(), whole);
    DrawOffscreen(canvas, rect);
}

void TGIFImage::DrawOffscreen(TCanvas& canvas, const TRect& rect) {
    if (!(drawOptions_ & DrawTiled)) {
        canvas.DrawGraphic(rect, offscreen_.get());
        return;
    }
    // Tiles of the logical screen's size, clipped to the rectangle.
    HDC dc = canvas.Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    try {
        for (int y = rect.top; y < rect.bottom; y += Height())
            for (int x = rect.left; x < rect.right; x += Width())
                canvas.DrawGraphic(graphics::Bounds(x, y, Width(), Height()), offscreen_.get());
    } catch (...) {
        RestoreDC(dc, saved);
        throw;
    }
    RestoreDC(dc, saved);
}

void TGIFImage::StartPainter(TCanvas& canvas, const TRect& rect) {
    if (IsEmpty() || rect.Width() <= 0 || rect.Height() <= 0) return;
    TGIFDrawOptions options = drawOptions_;
    if (FrameCount() == 1) options &= static_cast<TGIFDrawOptions>(~(DrawInThread | DrawAnimated));
    auto owned = std::make_unique<TGIFPainter>(*this, canvas, rect, options);
    TGIFPainter* painter = owned.get();
    painters_.push_back(std::move(owned));
    drawPainter_ = painter;
    if (painter->Threaded()) {
        painter->Start();
        return;
    }
    // Without a thread the painter plays inside this call; what ended it leaves with it.
    try {
        painter->Start();
    } catch (...) {
        RemovePainter(painter);
        throw;
    }
    RemovePainter(painter);
}

// --- registration ---

uint16_t GIFClipboardFormat() {
    // The first number of the range the platform hands out for named formats; this is the
    // only named format the program registers.
    return 0xC000;
}

void RegisterGIFImage() {
    ScreenColorBits();  // the screen's depth is fixed at start-up
    graphics::TPicture::RegisterFileFormat("GIF", strings::SDescription, TGIFImage::ClassType());
    graphics::TPicture::RegisterClipboardFormat(GIFClipboardFormat(), TGIFImage::ClassType());
}

void UnregisterGIFImage() {
    graphics::TPicture::UnregisterGraphicClass(TGIFImage::ClassType());
}

}  // namespace codecs::gif
