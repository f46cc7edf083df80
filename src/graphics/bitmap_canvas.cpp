#include "graphics/bitmap_canvas.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "graphics/bitmap.h"
#include "platform/gdi/gdi.h"

namespace graphics {

using namespace platform;

namespace {

// The canvases that currently hold a context, guarded by its own lock.
struct CanvasList {
    std::recursive_mutex lock;
    std::vector<TBitmapCanvas*> items;
};

CanvasList& Canvases() {
    static CanvasList list;
    return list;
}

void Register(TBitmapCanvas* canvas) {
    auto& list = Canvases();
    std::lock_guard guard(list.lock);
    list.items.push_back(canvas);
}

void Unregister(TBitmapCanvas* canvas) {
    auto& list = Canvases();
    std::lock_guard guard(list.lock);
    list.items.erase(std::remove(list.items.begin(), list.items.end(), canvas), list.items.end());
}

std::vector<TBitmapCanvas*> Snapshot() {
    auto& list = Canvases();
    std::lock_guard guard(list.lock);
    return list.items;
}

}  // namespace

TBitmapCanvas::TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}

TBitmapCanvas::~TBitmapCanvas() {
    FreeContext();
}

void TBitmapCanvas::CreateHandle() {
    if (bitmap_ == nullptr) return;
    Lock();
    try {
        bitmap_->HandleNeeded();
        DeselectBitmap(bitmap_->image_->handle_);
        HDC dc = GdiCheck(CreateCompatibleDC(nullptr));
        if (bitmap_->image_->handle_)
            oldBitmap_ = static_cast<HBITMAP>(SelectObject(dc, bitmap_->image_->handle_));
        else
            oldBitmap_ = nullptr;
        if (bitmap_->image_->palette_) {
            oldPalette_ = SelectPalette(dc, bitmap_->image_->palette_, TRUE);
            RealizePalette(dc);
        } else {
            oldPalette_ = nullptr;
        }
        SetHandle(dc);
        Register(this);
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
}

void TBitmapCanvas::FreeContext() {
    if (!HandleAllocated()) return;
    Lock();
    HDC dc = Handle();
    if (oldBitmap_) SelectObject(dc, oldBitmap_);
    if (oldPalette_) SelectPalette(dc, oldPalette_, TRUE);
    SetHandle(nullptr);
    DeleteDC(dc);
    oldBitmap_ = nullptr;
    oldPalette_ = nullptr;
    Unregister(this);
    Unlock();
}

void FreeMemoryContexts() {
    // The list stays locked so no canvas can leave it (and be freed) while we look at it; a
    // canvas whose own lock is busy is in use and keeps its context.
    auto& list = Canvases();
    std::lock_guard guard(list.lock);
    for (TBitmapCanvas* canvas : std::vector<TBitmapCanvas*>(list.items)) {
        if (!canvas->TryLock()) continue;
        canvas->FreeContext();
        canvas->Unlock();
    }
}

void DeselectBitmap(HBITMAP bitmap) {
    if (bitmap == nullptr) return;
    for (TBitmapCanvas* canvas : Snapshot()) {
        if (canvas->HandleAllocated() &&
            GetCurrentObject(canvas->Handle(), OBJ_BITMAP) == static_cast<HGDIOBJ>(bitmap))
            canvas->FreeContext();
    }
}

int MemoryContextCount() {
    return static_cast<int>(Snapshot().size());
}

}  // namespace graphics
