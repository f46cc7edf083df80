#pragma once
// The canvas of a bitmap: a memory context with the bitmap selected, made on demand and
// released after each handled message (FreeMemoryContexts), so contexts never pile up.
#include "graphics/canvas.h"
#include "platform/gdi/wintypes.h"

namespace graphics {

class TBitmap;

class TBitmapCanvas : public TCanvas {
  public:
    explicit TBitmapCanvas(TBitmap* bitmap);
    ~TBitmapCanvas() override;
    const char* ClassName() const override { return "TBitmapCanvas"; }

    // Restores the previous selections, deletes the context and leaves the global list.
    void FreeContext();

  protected:
    void CreateHandle() override;

  private:
    TBitmap* bitmap_;
    platform::HBITMAP oldBitmap_ = nullptr;
    platform::HPALETTE oldPalette_ = nullptr;
};

// Releases the context of every bitmap canvas whose lock is free; the message loop calls it
// after each message.
void FreeMemoryContexts();
// Releases every bitmap canvas context that has `bitmap` selected.
void DeselectBitmap(platform::HBITMAP bitmap);
// Number of bitmap canvases holding a context (for tests).
int MemoryContextCount();

}  // namespace graphics
