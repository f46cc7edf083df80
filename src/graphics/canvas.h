#pragma once
// A drawing surface over a platform device context, with its font, pen and brush selected
// lazily. Every drawing call runs the changing notification before and the change
// notification after, which is how a bitmap learns that its pixels are about to change.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "core/persistent.h"
#include "graphics/color.h"
#include "graphics/graphics_objects.h"
#include "graphics/types.h"
#include "platform/gdi/wintypes.h"

namespace graphics {

class TGraphic;

enum TCanvasState : uint8_t {
    csHandleValid = 1,
    csFontValid = 2,
    csPenValid = 4,
    csBrushValid = 8,
};
inline constexpr uint8_t csAllValid = csHandleValid | csFontValid | csPenValid | csBrushValid;

class TCanvas : public core::TPersistent {
  public:
    using TNotify = std::function<void(TCanvas*)>;

    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    const char* ClassName() const override { return "TCanvas"; }

    // The context, created on demand; raises "Canvas does not allow drawing" when none can be
    // had.
    platform::HDC Handle();
    // Adopts a context someone else owns (or none).
    void SetHandle(platform::HDC handle);
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Makes sure the context exists and the font, pen and brush are selected.
    void EnsureDrawState() { RequiredState(csAllValid); }

    TFont& Font() { return font_; }
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    uint32_t CopyMode() const { return copyMode_; }
    void SetCopyMode(uint32_t rop) { copyMode_ = rop; }
    TPoint PenPos();
    void SetPenPos(TPoint point) { MoveTo(point.x, point.y); }
    int TextFlags() const { return textFlags_; }
    void SetTextFlags(int flags) { textFlags_ = flags; }

    void SetOnChange(TNotify handler) { onChange_ = std::move(handler); }
    void SetOnChanging(TNotify handler) { onChanging_ = std::move(handler); }

    // The canvas lock, shared with its font, pen and brush.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return lockCount_; }

    // Drawing.
    void DrawGraphic(const TRect& rect, TGraphic* graphic);
    // The same pixels as DrawGraphic, through the graphic's one-off draw (DrawOnceInto).
    void DrawGraphicOnce(const TRect& rect, TGraphic* graphic);
    void Draw(int x, int y, TGraphic* graphic);
    uint32_t ReadPixel(int x, int y);
    void WritePixel(int x, int y, TColor color);
    TRect ClipBounds();
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
    void Rectangle(const TRect& rect);
    void Ellipse(const TRect& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polygon(const TPoint* points, int count);
    void Polyline(const TPoint* points, int count);
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    platform::SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    // Notifications around a drawing operation.
    virtual void Changing();
    virtual void Changed();

  protected:
    // Makes a context for SetHandle; the plain canvas has none to make.
    virtual void CreateHandle() {}
    void RequiredState(uint8_t required);
    // Puts the stock objects back so the font, pen and brush can be released.
    void DeselectHandles();

  private:
    using GraphicDraw = void (TGraphic::*)(TCanvas& canvas, const TRect& rect);
    void PaintGraphic(const TRect& rect, TGraphic* graphic, GraphicDraw draw);
    void FontChanged();
    void PenChanged();
    void BrushChanged();
    void SelectFont();
    void SelectPen();
    void SelectBrush();

    platform::HDC handle_ = nullptr;
    uint8_t state_ = 0;
    TFont font_;
    TPen pen_;
    TBrush brush_;
    uint32_t copyMode_;
    int textFlags_ = 0;
    TNotify onChange_;
    TNotify onChanging_;
    std::recursive_mutex lock_;
    int lockCount_ = 0;
};

}  // namespace graphics
