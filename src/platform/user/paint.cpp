// Invalidation, WM_PAINT, BeginPaint/EndPaint and presenting each top-level window's backing
// bitmap to the host.
#include <algorithm>

#include "platform/gdi/gdi_object.h"
#include "platform/user/window.h"

namespace platform {

namespace {

struct TrackedDc {
    HDC dc;
    HWND root;
    RECT bounds;  // surface pixels the DC may change
};

struct PaintState {
    std::vector<TrackedDc> dcs;
    std::vector<HBITMAP> retiredSurfaces;  // still selected into a live DC
};

PaintState& Paint() {
    static PaintState state;
    return state;
}

RECT ClientBounds(const Window* window) {
    return RECT{0, 0, window->client.right - window->client.left,
                window->client.bottom - window->client.top};
}

bool HasNonClientArea(const Window* window) {
    return window->client.left != 0 || window->client.top != 0 ||
           window->client.right != window->Width() || window->client.bottom != window->Height();
}

void DeleteRetiredSurfaces() {
    auto& retired = Paint().retiredSurfaces;
    retired.erase(std::remove_if(retired.begin(), retired.end(),
                                 [](HBITMAP b) { return DeleteObject(b) != FALSE; }),
                  retired.end());
}

Region RegionOf(HRGN handle) {
    auto* object = ResolveObject<RegionObject>(handle);
    return object != nullptr ? object->Get() : Region();
}

void PaintSubtree(HWND handle, bool children) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return;
    if (NeedsPaint(window)) SendMessage(handle, WM_PAINT, 0, 0);
    if (!children) return;
    window = LiveWindow(handle);
    if (window == nullptr) return;
    std::vector<HWND> kids;
    for (Window* child : window->children) kids.push_back(child->handle);
    for (HWND child : kids) PaintSubtree(child, true);
}

}  // namespace

void InvalidateWindow(Window* window, const Region* area, UINT flags) {
    if (window == nullptr || window->destroying) return;
    const bool validate = (flags & RDW_VALIDATE) != 0;
    if (!validate && !IsVisibleChain(window)) return;  // hidden windows are repainted when shown
    Region part{ClientBounds(window)};
    if (area != nullptr) part.Intersect(*area);
    if (flags & RDW_INVALIDATE) {
        window->update.Union(part);
        if (flags & RDW_ERASE) window->erasePending = true;
        if ((flags & RDW_FRAME) && HasNonClientArea(window)) window->ncPaintPending = true;
    }
    if (flags & RDW_INTERNALPAINT) window->internalPaint = true;
    if (validate) {
        window->update.Subtract(area != nullptr ? part : Region{ClientBounds(window)});
        if (window->update.IsEmpty()) window->erasePending = false;
        if (flags & RDW_NOFRAME) window->ncPaintPending = false;
        if (flags & RDW_NOINTERNALPAINT) window->internalPaint = false;
    }
    const bool children = (flags & RDW_ALLCHILDREN) ||
                          (!(flags & RDW_NOCHILDREN) && !(window->style & WS_CLIPCHILDREN));
    if (!children) return;
    for (Window* child : window->children) {
        if (!(child->style & WS_VISIBLE)) continue;
        Region childArea = part;
        childArea.Offset(-child->rect.left, -child->rect.top);
        if (childArea.IsEmpty() || !childArea.Overlaps(RECT{0, 0, child->Width(), child->Height()}))
            continue;
        UINT childFlags = flags;
        if (flags & RDW_INVALIDATE) childFlags |= RDW_FRAME;  // the child's frame lies in the area
        childArea.Offset(-child->client.left, -child->client.top);
        InvalidateWindow(child, &childArea, childFlags);
    }
}

bool NeedsPaint(const Window* window) {
    return IsVisibleChain(window) && !(window->style & WS_MINIMIZE) &&
           (!window->update.IsEmpty() || window->ncPaintPending || window->internalPaint);
}

namespace {

Window* FirstNeedingPaint(Window* window) {
    if (!(window->style & WS_VISIBLE) || window->destroying) return nullptr;
    if (NeedsPaint(window)) return window;
    for (Window* child : window->children) {
        if (Window* found = FirstNeedingPaint(child)) return found;
    }
    return nullptr;
}

}  // namespace

HWND FindWindowToPaint() {
    for (Window* top : State().topLevels) {
        if (Window* found = FirstNeedingPaint(top)) return found->handle;
    }
    return nullptr;
}

void MarkSurfaceDirty(Window* root, const RECT& rect) {
    if (root == nullptr) return;
    RECT clipped;
    const RECT bounds{0, 0, root->surfaceWidth, root->surfaceHeight};
    if (!IntersectRect(&clipped, &rect, &bounds)) return;
    if (IsRectEmpty(&root->dirty)) {
        root->dirty = clipped;
    } else {
        UnionRect(&root->dirty, &root->dirty, &clipped);
    }
}

void TrackWindowDc(HDC dc, HWND root, const RECT& bounds) {
    Paint().dcs.push_back(TrackedDc{dc, root, bounds});
    MarkSurfaceDirty(FromHandle(root), bounds);
}

void EnsureSurface(Window* window) {
    if (!window->IsTopLevel()) return;
    const int width = window->Width();
    const int height = window->Height();
    if (window->surface != nullptr && width == window->surfaceWidth &&
        height == window->surfaceHeight)
        return;
    ReleaseSurface(window);
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the hosts take it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    window->surface = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (window->surface == nullptr) return;
    window->surfaceBits = static_cast<std::uint32_t*>(bits);
    window->surfaceWidth = width;
    window->surfaceHeight = height;
    window->dirty = RECT{0, 0, width, height};
}

void ReleaseSurface(Window* window) {
    if (window->surface != nullptr && !DeleteObject(window->surface)) {
        Paint().retiredSurfaces.push_back(window->surface);
    }
    window->surface = nullptr;
    window->surfaceBits = nullptr;
    window->surfaceWidth = window->surfaceHeight = 0;
    window->dirty = RECT{};
}

void PresentWindows() {
    PaintState& paint = Paint();
    // A DC may still be drawing: what it covers counts as changed until it is released.
    auto& dcs = paint.dcs;
    for (const TrackedDc& tracked : dcs) MarkSurfaceDirty(FromHandle(tracked.root), tracked.bounds);
    dcs.erase(std::remove_if(dcs.begin(), dcs.end(),
                             [](const TrackedDc& t) { return GetObjectType(t.dc) == 0; }),
              dcs.end());
    DeleteRetiredSurfaces();
    Host& host = CurrentHost();
    for (Window* window : State().topLevels) {
        if (window->hostId == 0 || window->surfaceBits == nullptr || IsRectEmpty(&window->dirty))
            continue;
        if (!(window->style & WS_VISIBLE)) continue;
        HostPixels pixels{window->surfaceBits, window->surfaceWidth, window->surfaceHeight,
                          window->surfaceWidth * 4};
        host.Present(window->hostId, pixels,
                     HostRect{window->dirty.left, window->dirty.top, window->dirty.right,
                              window->dirty.bottom});
        window->dirty = RECT{};
    }
}

void ForgetPaintState(Window* window) {
    window->update.Clear();
    window->erasePending = window->ncPaintPending = window->internalPaint = false;
}

// ---------------------------------------------------------------------------------------------

BOOL InvalidateRect(HWND handle, const RECT* rect, BOOL erase) {
    return RedrawWindow(handle, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND handle, HRGN region, BOOL erase) {
    return RedrawWindow(handle, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND handle, const RECT* rect) {
    return RedrawWindow(handle, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND handle, HRGN region) {
    return RedrawWindow(handle, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL RedrawWindow(HWND handle, const RECT* rect, HRGN region, UINT flags) {
    if (handle == nullptr) {
        std::vector<HWND> tops;
        for (Window* w : State().topLevels) tops.push_back(w->handle);
        for (HWND top : tops) RedrawWindow(top, rect, region, flags | RDW_ALLCHILDREN);
        return TRUE;
    }
    Window* window = LiveWindow(handle);
    if (window == nullptr) return FALSE;
    Region area;
    const Region* areaPtr = nullptr;
    if (rect != nullptr) {
        area = Region{NormalizedRect(*rect)};
        areaPtr = &area;
    } else if (region != nullptr) {
        area = RegionOf(region);
        areaPtr = &area;
    }
    InvalidateWindow(window, areaPtr, flags);
    if ((flags & RDW_FRAME) && (flags & RDW_INVALIDATE) && HasNonClientArea(window) &&
        IsVisibleChain(window)) {
        window->ncPaintPending = true;
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        PaintSubtree(handle, (flags & RDW_ALLCHILDREN) != 0);
    return TRUE;
}

BOOL UpdateWindow(HWND handle) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return FALSE;
    PaintSubtree(handle, false);
    return TRUE;
}

BOOL GetUpdateRect(HWND handle, RECT* rect, BOOL) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return FALSE;
    if (rect != nullptr) *rect = window->update.Bounds();
    return window->update.IsEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND handle, HRGN region, BOOL) {
    Window* window = FromHandle(handle);
    auto* object = ResolveObject<RegionObject>(region);
    if (window == nullptr || object == nullptr) return ERROR;
    object->Get() = window->update;
    return window->update.Complexity();
}

HDC BeginPaint(HWND handle, PAINTSTRUCT* paint) {
    Window* window = LiveWindow(handle);
    if (window == nullptr || paint == nullptr) return nullptr;
    *paint = PAINTSTRUCT{};
    if (window->ncPaintPending) {
        window->ncPaintPending = false;
        SendMessage(handle, WM_NCPAINT, 1, 0);
        window = LiveWindow(handle);
        if (window == nullptr) return nullptr;
    }
    Region area = window->update;
    area.Intersect(ClientBounds(window));
    const bool erase = window->erasePending;
    window->update.Clear();
    window->erasePending = false;
    window->internalPaint = false;
    const POINT origin = SurfaceOrigin(window);
    Region clip = area;
    clip.Offset(origin.x + window->client.left, origin.y + window->client.top);
    HDC dc = MakeWindowDC(window, false, &clip);
    paint->hdc = dc;
    paint->rcPaint = area.Bounds();
    paint->fErase = erase ? TRUE : FALSE;
    if (erase && dc != nullptr) {
        paint->fErase =
            SendMessage(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    }
    return dc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT* paint) {
    if (paint == nullptr || paint->hdc == nullptr) return FALSE;
    ReleaseDC(handle, paint->hdc);
    return TRUE;
}

}  // namespace platform
